#pragma once
#include "ui/dialogs/InputDialog.h"

class QLabel;
class QLineEdit;

// "Project Title": the one-line project description, the first line of the
// data file. The wall counts as changed only when the text differs. On a
// later stage of a staged wall the line is that stage's number, shown but not
// editable (TitleEditable), with a note saying so.
class TdlgTitle : public TInputDialog {
    Q_OBJECT
public:
    explicit TdlgTitle(TWallDocument& document, QWidget* parent = nullptr);

    QLineEdit* TitleMemo() const { return titleMemo_; }
    QLabel* Note() const { return note_; }

protected:
    void Load(const TProgramData& wall) override;
    void Store(TProgramData& wall) override;

private:
    QLineEdit* titleMemo_;
    QLabel* note_;
};
