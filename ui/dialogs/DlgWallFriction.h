#pragma once
#include "ui/dialogs/InputDialog.h"

#include <vector>

class QTableWidget;
class QTableWidgetItem;

// Data > Wall Friction: the soil layers of the current stage (layer, soil,
// bottom depth, as the soil layers table holds them) with each layer's contact
// with the wall: the wall friction ratio delta/phi' and the adhesion ratio a/c,
// a cell only where the soil has a friction angle or a cohesion. Each value
// typed and accepted is one change of the wall; a refused one is reported and
// the cell shows the stored value again.
class TDlgWallFriction : public TInputDialog {
    Q_OBJECT
public:
    explicit TDlgWallFriction(TWallDocument& document, QWidget* parent = nullptr);

    QTableWidget* Table() const { return table_; }

protected:
    void Load(const TProgramData& wall) override;
    // Hands over an entry still being typed in a cell.
    void Store(TProgramData& wall) override;

private:
    void ItemChanged(QTableWidgetItem* item);
    // The row of `layer` shows its values again.
    void ShowLayer(int row);

    QTableWidget* table_;
    class QLabel* empty_;  // says where soil layers come from, while there are none
    bool filling_ = false;
};
