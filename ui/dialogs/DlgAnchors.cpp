#include "ui/dialogs/DlgAnchors.h"

#include "model/ProgramData.h"
#include "model/WallDocument.h"
#include "ui/dialogs/SettingsTable.h"
#include "ui/rules/AnchorRules.h"
#include "units/Prompt.h"

#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

TAnchorField FieldOf(int column)
{
    return static_cast<TAnchorField>(column - AnchorFixedColumns);
}

}  // namespace

TDlgAnchors::TDlgAnchors(TWallDocument& document, QWidget* parent)
    : TInputDialog(document, "Anchors", parent),
      table_(NewSettingsTable(this, "Anchors")),
      empty_(new QLabel("This stage has no spring rows: give them in Data > Lateral Springs and Rotational "
                        "Restraints (Edit Spring Stiffness).",
                        this))
{
    empty_->setAccessibleName("No spring rows");
    empty_->setWordWrap(true);
    auto* note = new QLabel(
        "The spring rows of this stage, from the Lateral Springs table. An anchor's values hold for its "
        "spring row (by its From node) in every stage that has the row; the force per anchor is the force "
        "per unit width times the spacing over the cosine of the inclination. With the free and fixed "
        "lengths (0: not given), the design checks check that the fixed length starts beyond the active wedge and "
        "the stability of the block of soil between the wall and the anchor.",
        this);
    note->setWordWrap(true);
    note->setAccessibleName("About the anchors");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addWidget(table_);
    layout->addWidget(empty_);
    connect(table_, &QTableWidget::itemChanged, this, &TDlgAnchors::ItemChanged);
}

void TDlgAnchors::Load(const TProgramData& wall)
{
    filling_ = true;
    const std::vector<TAnchorRow> rows = AnchorRows(wall, document_.Settings());
    table_->clearContents();
    SetSettingsCaptions(*table_, AnchorColumnCaptions(wall.UnitSystem()));
    table_->setRowCount(static_cast<int>(rows.size()));
    nodes_.clear();
    for (int r = 0; r < table_->rowCount(); ++r) {
        const TAnchorRow& row = rows[static_cast<std::size_t>(r)];
        nodes_.push_back(row.from);
        table_->setItem(r, 0, ShownItem(std::to_string(row.from)));
        table_->setItem(r, 1, ShownItem(std::to_string(row.to)));
        table_->setItem(r, 2, ShownItem(row.depth));
        table_->setItem(r, 3, ShownItem(row.stiffness));
        for (int f = 0; f < AnchorFieldCount; ++f)
            table_->setItem(r, AnchorFixedColumns + f, EntryItem(""));
    }
    for (int node : nodes_)
        ShowAnchor(node);
    FitSettingsTable(*table_, 10);
    empty_->setVisible(rows.empty());
    filling_ = false;
}

void TDlgAnchors::ShowAnchor(int node)
{
    const bool filling = filling_;
    filling_ = true;
    TAnchorSettings anchor;
    if (const TAnchorSettings* a = document_.Settings().Anchor(node))
        anchor = *a;
    const UnitSystem system = document_.Wall().UnitSystem();
    for (int r = 0; r < table_->rowCount(); ++r) {
        if (nodes_[static_cast<std::size_t>(r)] != node)
            continue;
        for (int f = 0; f < AnchorFieldCount; ++f) {
            QTableWidgetItem* item = table_->item(r, AnchorFixedColumns + f);
            const auto field = static_cast<TAnchorField>(f);
            if (field == TAnchorField::AxialLoad) {
                item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
                item->setCheckState(anchor.axialLoad ? Qt::Checked : Qt::Unchecked);
                // A check box shows no text: its name says what it switches (its state is read as checked).
                item->setData(Qt::AccessibleTextRole, QString::fromStdString(AnchorFieldCaption(field)));
            } else {
                item->setText(QString::fromStdString(AnchorFieldText(anchor, field, system)));
            }
        }
    }
    filling_ = filling;
}

void TDlgAnchors::ItemChanged(QTableWidgetItem* item)
{
    if (filling_ || item->column() < AnchorFixedColumns || item->row() >= static_cast<int>(nodes_.size()))
        return;
    const int node = nodes_[static_cast<std::size_t>(item->row())];
    const TAnchorField field = FieldOf(item->column());
    TWallSettings settings = document_.Settings();
    if (field == TAnchorField::AxialLoad) {
        SetAnchorAxialLoad(settings, node, item->checkState() == Qt::Checked);
    } else {
        const std::string problem = SetAnchorField(settings, node, field, item->text().toStdString(),
                                                   document_.Wall().UnitSystem());
        if (!problem.empty()) {
            ShowAnchor(node);
            document_.UserPrompt().Information(problem);
            return;
        }
    }
    document_.SetSettings(settings);
    ShowAnchor(node);
    emit Committed(QString::fromStdString(AnchorFieldCaption(field)));
}

void TDlgAnchors::Store(TProgramData&)
{
    CommitOpenEntry(*table_);
}
