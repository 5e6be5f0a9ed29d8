#pragma once
#include "ui/dialogs/InputDialog.h"

class QLineEdit;

// "Project Title": the one-line project description, the first line of the
// data file. The wall counts as changed only when the text differs.
class TdlgTitle : public TInputDialog {
    Q_OBJECT
public:
    explicit TdlgTitle(TWallDocument& document, QWidget* parent = nullptr);

    QLineEdit* TitleMemo() const { return titleMemo_; }

protected:
    void Load(const TProgramData& wall) override;
    void Store(TProgramData& wall) override;

private:
    QLineEdit* titleMemo_;
};
