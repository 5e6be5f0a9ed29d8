#include "ui/dialogs/DlgSections.h"

#include "model/ProgramData.h"
#include "model/WallDocument.h"
#include "ui/dialogs/DlgSectionCatalogue.h"
#include "ui/dialogs/SettingsTable.h"
#include "ui/rules/SectionPick.h"
#include "ui/rules/SectionRules.h"
#include "units/NumberFormat.h"
#include "units/Prompt.h"
#include "units/TorvikError.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QPushButton* Button(const QString& caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
    return button;
}

}  // namespace

TDlgSections::TDlgSections(TWallDocument& document, QWidget* parent)
    : TInputDialog(document, "Steel Sections", parent),
      table_(NewSettingsTable(this, "Steel Sections")),
      add_(Button("&Add Row", this)),
      remove_(Button("&Remove Row", this)),
      pick_(Button("&Pick from Catalogue...", this))
{
    auto* note = new QLabel(
        "Each section holds from its first node down to the next section's. W and the shear area are on "
        "the basis of the wall stiffness table's EI: per unit width for a continuous wall, per pile for "
        "spaced units. A value of 0 is not given.",
        this);
    note->setWordWrap(true);
    note->setAccessibleName("About the sections");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add_);
    buttons->addWidget(remove_);
    buttons->addStretch(1);
    buttons->addWidget(pick_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addWidget(table_);
    layout->addLayout(buttons);
    connect(table_, &QTableWidget::itemChanged, this, &TDlgSections::ItemChanged);
    connect(add_, &QPushButton::clicked, this, &TDlgSections::AddClicked);
    connect(remove_, &QPushButton::clicked, this, &TDlgSections::RemoveClicked);
    connect(pick_, &QPushButton::clicked, this, &TDlgSections::PickClicked);
}

void TDlgSections::Load(const TProgramData& wall)
{
    filling_ = true;
    const int selected = SelectedNode();
    const std::vector<TSectionSettings>& sections = document_.Settings().sections;
    table_->clearContents();
    SetSettingsCaptions(*table_, SectionColumnCaptions(wall.UnitSystem(), SectionsPerPile(wall)));
    table_->setRowCount(static_cast<int>(sections.size()));
    nodes_.clear();
    for (int r = 0; r < table_->rowCount(); ++r) {
        const TSectionSettings& s = sections[static_cast<std::size_t>(r)];
        nodes_.push_back(s.node);
        for (int f = 0; f < SectionFieldCount; ++f) {
            const auto field = static_cast<TSectionField>(f);
            const std::string text = SectionFieldText(s, field, wall);
            const bool numeric = field != TSectionField::Name;
            table_->setItem(r, f, field == TSectionField::Depth ? ShownItem(text) : EntryItem(text, numeric));
        }
    }
    FitSettingsTable(*table_, 8);
    // Room for a catalogue name longer than the caption.
    const int nameColumn = static_cast<int>(TSectionField::Name);
    const int wider = fontMetrics().horizontalAdvance(QStringLiteral("PU 28+1 (typed)")) + 12;
    if (table_->columnWidth(nameColumn) < wider) {
        table_->setMaximumWidth(table_->maximumWidth() + wider - table_->columnWidth(nameColumn));
        table_->setColumnWidth(nameColumn, wider);
    }
    Select(selected);
    filling_ = false;
}

void TDlgSections::SetTitleSuffix(const std::string& suffix)
{
    TInputDialog::SetTitleSuffix(suffix.empty() ? suffix : " - All Stages");
}

int TDlgSections::SelectedNode() const
{
    const int row = table_->currentRow();
    return row >= 0 && row < static_cast<int>(nodes_.size()) ? nodes_[static_cast<std::size_t>(row)] : -1;
}

void TDlgSections::Select(int node)
{
    for (int r = 0; r < static_cast<int>(nodes_.size()); ++r)
        if (nodes_[static_cast<std::size_t>(r)] == node)
            table_->setCurrentCell(r, static_cast<int>(TSectionField::Name));
}

void TDlgSections::Commit(const TWallSettings& settings, int node, const std::string& caption)
{
    document_.SetSettings(settings);
    // Shown anew once the table has finished with the entry (rows may move).
    QTimer::singleShot(0, this, [this, node] {
        if (IsClosed())
            return;
        Load(document_.Wall());
        Select(node);
    });
    emit Committed(QString::fromStdString(caption));
}

void TDlgSections::ItemChanged(QTableWidgetItem* item)
{
    if (filling_ || item->row() >= static_cast<int>(nodes_.size()))
        return;
    const int node = nodes_[static_cast<std::size_t>(item->row())];
    const auto field = static_cast<TSectionField>(item->column());
    TWallSettings settings = document_.Settings();
    const std::string problem =
        SetSectionField(settings, node, field, item->text().toStdString(), document_.Wall());
    if (!problem.empty()) {
        filling_ = true;
        if (const TSectionSettings* s = settings.SectionAt(node))
            item->setText(QString::fromStdString(SectionFieldText(*s, field, document_.Wall())));
        filling_ = false;
        document_.UserPrompt().Information(problem);
        return;
    }
    // A new first node moves the section: the row selected follows it.
    int shown = node;
    for (const TSectionSettings& s : settings.sections)
        if (std::find(nodes_.begin(), nodes_.end(), s.node) == nodes_.end())
            shown = s.node;
    Commit(settings, shown, SectionFieldCaption(field));
}

void TDlgSections::AddClicked()
{
    TWallSettings settings = document_.Settings();
    const int node = AddSection(settings);
    Commit(settings, node, "Add Section");
}

void TDlgSections::RemoveClicked()
{
    const int node = SelectedNode();
    if (node < 0) {
        document_.UserPrompt().Information("Select the row of the section to remove first.");
        return;
    }
    TWallSettings settings = document_.Settings();
    RemoveSection(settings, node);
    Commit(settings, -1, "Remove Section");
}

void TDlgSections::PickClicked()
{
    TProgramData& wall = document_.Wall();
    TDlgSectionCatalogue dialog(this, document_.UserPrompt(), wall.UnitSystem());
    if (dialog.exec() != QDialog::Accepted || !dialog.Picked())
        return;
    const checks::CatalogueSection section = dialog.Picked()->section;
    TWallSettings settings = document_.Settings();
    int node = SelectedNode();
    if (node < 0 && !settings.sections.empty()) {
        document_.UserPrompt().Information("Select the row of the section to fill first.");
        return;
    }
    node = std::max(node, 0);  // a wall without sections gets one from the top
    int rows = 0;
    try {
        rows = PickSection(wall, settings, node, section);
    } catch (const TorvikError& e) {
        document_.UserPrompt().Information(e.what());
        return;
    }
    document_.SetModified(true);
    Commit(settings, node, PickCaption(section.name));
    if (rows == 0)
        document_.UserPrompt().Information(
            "No row of the Wall Stiffness table starts at node " + std::to_string(node) + ": EI of " + section.name +
            " was not entered. Make a row start at that node, or type EI there by hand.");
}

void TDlgSections::Store(TProgramData&)
{
    CommitOpenEntry(*table_);
}
