#pragma once
#include "ui/dialogs/InputDialog.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;
class QTableWidgetItem;

// Data > Ground Water: the water regime of the open stage (still water below
// the water depths, seepage under the toe, or the user's tables of pore
// pressure on each side) and the partial factors of the hydraulic-heave
// check, in the wall's units. Each value typed and accepted is one change of
// the wall; a refused one is reported and the control shows the stored value again.
class TDlgWater : public TInputDialog {
    Q_OBJECT
public:
    explicit TDlgWater(TWallDocument& document, QWidget* parent = nullptr);

    QComboBox* Regime() const { return regime_; }
    QTableWidget* RetainedTable() const { return retained_; }
    QTableWidget* ExcavationTable() const { return excavation_; }
    QLineEdit* Destabilising() const { return dst_; }
    QLineEdit* Stabilising() const { return stb_; }

protected:
    void Load(const TProgramData& wall) override;
    // Hands over an entry still being typed in a cell.
    void Store(TProgramData& wall) override;

private:
    int Stage() const;
    void Show();
    void FillTable(QTableWidget& table, int side);
    void RegimeChosen(int index);
    void CellChanged(QTableWidget& table, int side, QTableWidgetItem* item);
    void FactorTyped(bool destabilising);

    QLabel* stage_;
    QComboBox* regime_;
    QTableWidget* retained_;
    QTableWidget* excavation_;
    QLineEdit* dst_;
    QLineEdit* stb_;
    bool filling_ = false;
};
