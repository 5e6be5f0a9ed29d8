#pragma once
#include "ui/dialogs/InputDialog.h"

class QTableWidget;
class QTableWidgetItem;

// Data > Excavation Side: for every stage, the ground in front of the wall
// (level, a berm against the wall or a surface falling away from it) and its
// dimensions in the wall's units. Each value typed or chosen and accepted is
// one change of the wall; a refused one is reported and the cell shows the
// stored value again.
class TDlgExcavationSide : public TInputDialog {
    Q_OBJECT
public:
    explicit TDlgExcavationSide(TWallDocument& document, QWidget* parent = nullptr);

    QTableWidget* Table() const { return table_; }

protected:
    void Load(const TProgramData& wall) override;
    // Hands over an entry still being typed in a cell.
    void Store(TProgramData& wall) override;

private:
    void ItemChanged(QTableWidgetItem* item);
    void KindChosen(int stage, int kind);
    // The row of `stage` shows the stage's ground again.
    void ShowStage(int stage);

    QTableWidget* table_;
    bool filling_ = false;
};
