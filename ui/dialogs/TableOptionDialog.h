#pragma once
#include "tables/WallTables.h"
#include "ui/dialogs/InputDialog.h"

class QCheckBox;
class QPushButton;

// A dialog that switches an optional input table on or off: a check box for
// the wall's option flag and a button, enabled only while the box is checked,
// that opens the table's editor. Clearing the box closes that editor.
class TTableOptionDialog : public TInputDialog {
    Q_OBJECT
public:
    QCheckBox* CheckBox() const { return check_; }
    QPushButton* EditButton() const { return button_; }

protected:
    TTableOptionDialog(TWallDocument& document, const QString& caption, const QString& checkCaption,
                       const QString& buttonCaption, const QString& artwork, bool TProgramData::*flag,
                       WallTable table, QWidget* parent);

    void Load(const TProgramData& wall) override;
    void Store(TProgramData& wall) override;

private:
    void CheckClicked(bool checked);

    bool TProgramData::*flag_;
    WallTable table_;
    QCheckBox* check_;
    QPushButton* button_;
};
