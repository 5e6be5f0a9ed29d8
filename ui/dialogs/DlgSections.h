#pragma once
#include "model/WallSettings.h"
#include "ui/dialogs/InputDialog.h"

#include <vector>

class QPushButton;
class QTableWidget;
class QTableWidgetItem;

// Data > Steel Sections: the wall's steel sections by first node (each holds
// from its node down to the next section's), with name, section modulus W,
// yield strength fy, shear area and corrosion loss in the wall's units; rows
// are added and removed by buttons, and "Pick from Catalogue..." fills the
// selected row (and EI of the stiffness rows starting at its node) from the
// catalogue. Each accepted entry, row added or removed, and pick is one change
// of the wall; a refused entry is reported and the cell shows the stored value.
class TDlgSections : public TInputDialog {
    Q_OBJECT
public:
    explicit TDlgSections(TWallDocument& document, QWidget* parent = nullptr);

    QTableWidget* Table() const { return table_; }
    QPushButton* PickButton() const { return pick_; }
    QPushButton* AddButton() const { return add_; }
    QPushButton* RemoveButton() const { return remove_; }
    // The sections hold in every stage: a staged wall's title says so.
    void SetTitleSuffix(const std::string& suffix) override;

protected:
    void Load(const TProgramData& wall) override;
    // Hands over an entry still being typed in a cell.
    void Store(TProgramData& wall) override;

private:
    void ItemChanged(QTableWidgetItem* item);
    void AddClicked();
    void RemoveClicked();
    void PickClicked();
    // The node of the selected row; -1 when none is selected.
    int SelectedNode() const;
    // Stores `settings`, shows them (the row of `node` selected) and makes the change named `caption`.
    void Commit(const TWallSettings& settings, int node, const std::string& caption);
    void Select(int node);

    QTableWidget* table_;
    QPushButton* add_;
    QPushButton* remove_;
    QPushButton* pick_;
    std::vector<int> nodes_;  // the first node of each row
    bool filling_ = false;
};
