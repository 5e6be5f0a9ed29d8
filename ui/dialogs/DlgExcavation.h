#pragma once
#include "ui/dialogs/InputDialog.h"

class QTableWidget;
class QTableWidgetItem;

// Data > Excavation Plan: the excavation's width and length in plan (for the
// check of its base against heave) and the factors the design checks ask of
// the base and of the anchors' block of soil, in one row, lengths in the wall's
// units. Each value typed and accepted is one change of the wall; a refused one
// is reported and the cell shows the stored value again.
class TDlgExcavation : public TInputDialog {
    Q_OBJECT
public:
    explicit TDlgExcavation(TWallDocument& document, QWidget* parent = nullptr);

    QTableWidget* Table() const { return table_; }

protected:
    void Load(const TProgramData& wall) override;
    // Hands over an entry still being typed in a cell.
    void Store(TProgramData& wall) override;

private:
    void ItemChanged(QTableWidgetItem* item);
    void ShowValues();

    QTableWidget* table_;
    bool filling_ = false;
};
