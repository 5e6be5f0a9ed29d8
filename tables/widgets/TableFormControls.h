#pragma once
#include <functional>

class QObject;
class QTableView;
class TEnumColumn;
class TTableColumn;
class TTableModel;

// The drop-down lists of choice columns and the row buttons of sub-table
// columns that an editor's grid shows in its cells. They exist only for the
// rows in view (a table of thousands of rows would otherwise carry as many
// widgets) and show the table's values as they change.
class TTableFormControls {
public:
    // A choice was made in a drop-down list: its column, the table row and the 0-based item.
    using ChoiceMade = std::function<void(TEnumColumn& column, int row, int item)>;
    // A row button was pressed: its column and the table row.
    using ButtonPressed = std::function<void(TTableColumn& column, int row)>;

    // Controls in the cells of `grid`, which shows `model`; `filter` watches
    // their keys and focus.
    TTableFormControls(QTableView& grid, TTableModel& model, QObject& filter, ChoiceMade choiceMade,
                       ButtonPressed buttonPressed);

    // Gives the model rows `first` .. `first` + `count` - 1 their controls
    // and takes them from every other row.
    void Sync(int first, int count);
    // Takes every control away.
    void Clear();
    // Shows anew, in its control, the value of table column `index` at `row`.
    void Refresh(int index, int row);

private:
    // Puts a new control into the cell of model column `k`, row `row`.
    void Create(int k, int row);

    QTableView& grid_;
    TTableModel& model_;
    QObject& filter_;
    ChoiceMade choiceMade_;
    ButtonPressed buttonPressed_;
};
