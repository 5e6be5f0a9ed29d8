#pragma once
#include "ui/dialogs/InputDialog.h"

#include <vector>

class QTableWidget;
class QTableWidgetItem;

// Data > Anchors: the spring rows of the current stage (From and To nodes, the
// depth of the From node and the lateral stiffness, as the springs table holds
// them) with the settings of each row's anchor: prestress, spacing,
// inclination, whether the vertical component acts as axial load, capacity per
// anchor, free and fixed length along the anchor, in the wall's units. Each value typed and accepted is one change of
// the wall; a refused one is reported and the cell shows the stored value again.
class TDlgAnchors : public TInputDialog {
    Q_OBJECT
public:
    explicit TDlgAnchors(TWallDocument& document, QWidget* parent = nullptr);

    QTableWidget* Table() const { return table_; }

protected:
    void Load(const TProgramData& wall) override;
    // Hands over an entry still being typed in a cell.
    void Store(TProgramData& wall) override;

private:
    void ItemChanged(QTableWidgetItem* item);
    // Every row of the same From node shows the anchor's values again.
    void ShowAnchor(int node);

    QTableWidget* table_;
    class QLabel* empty_;  // says where spring rows come from, while there are none
    std::vector<int> nodes_;  // the From node of each row
    bool filling_ = false;
};
