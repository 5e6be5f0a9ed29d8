#include "ui/DesignChecksWindow.h"

#include "checks/CombinationTable.h"
#include "checks/DesignChecksTable.h"
#include "checks/GroundChecksTable.h"
#include "checks/UtilisationTable.h"
#include "model/SettingsFile.h"
#include "model/WallSettings.h"
#include "ui/ApproachPanel.h"
#include "ui/UtilisationView.h"
#include "ui/rules/ApproachRules.h"
#include "units/NumberFormat.h"
#include "units/Prompt.h"
#include "units/widgets/DataEdit.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <stdexcept>

namespace {

// The target factors the checks accept, as torvik-cli check does.
constexpr long double kLowestTarget = 1, kHighestTarget = 10;

QString Text(const std::string& s) { return QString::fromStdString(s); }

QStringList Texts(const std::vector<std::string>& list)
{
    QStringList out;
    for (const std::string& s : list)
        out << Text(s);
    return out;
}

// The governing row in bold and marked; a failed row in red.
void MarkRow(QTableWidget& table, int row, bool governing, bool failed)
{
    for (int c = 0; c < table.columnCount(); ++c) {
        QTableWidgetItem* item = table.item(row, c);
        QFont font = item->font();
        font.setBold(governing);
        item->setFont(font);
        if (failed)
            item->setForeground(QColor(200, 0, 0));
    }
    if (governing)
        table.item(row, checks::ColumnStage)->setText(table.item(row, checks::ColumnStage)->text() + " (governing)");
}

// Puts the header and cells into `table`, numbers aligned right.
void FillCells(QTableWidget& table, const std::vector<std::string>& header,
               const std::vector<std::vector<std::string>>& rows, const std::vector<int>& textColumns)
{
    table.clear();
    table.setColumnCount(static_cast<int>(header.size()));
    table.setHorizontalHeaderLabels(Texts(header));
    table.setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < table.rowCount(); ++r)
        for (int c = 0; c < table.columnCount(); ++c) {
            auto* item = new QTableWidgetItem(Text(rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]));
            item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
            const bool text = std::find(textColumns.begin(), textColumns.end(), c) != textColumns.end();
            item->setTextAlignment((text ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
            table.setItem(r, c, item);
        }
}

void Fill(QTableWidget& table, const checks::DesignChecksTable& t)
{
    FillCells(table, t.header, t.rows, {checks::ColumnStage, checks::ColumnLimit, checks::ColumnGoverningApproach, checks::ColumnDeflection, checks::ColumnResult});
    for (int r = 0; r < table.rowCount(); ++r)
        MarkRow(table, r, r == t.governingRow, t.rows[static_cast<std::size_t>(r)][checks::ColumnResult] != "passed");
    table.resizeColumnsToContents();
}

// The section and anchor checks, the governing cells in bold.
void Fill(QTableWidget& table, const checks::UtilisationTable& t)
{
    FillCells(table, t.header, t.rows, {checks::UtilisationStage, checks::UtilisationAnchors});
    for (const auto& [row, column] : t.governingCells) {
        QTableWidgetItem* item = table.item(row, column);
        QFont font = item->font();
        font.setBold(true);
        item->setFont(font);
    }
    table.resizeColumnsToContents();
    table.resizeRowsToContents();
}

// The base and anchors' place in the ground, a failed cell in red.
void Fill(QTableWidget& table, const checks::GroundChecksTable& t)
{
    FillCells(table, t.header, t.rows, {checks::GroundStage, checks::GroundBasalMethod, checks::GroundAnchors});
    for (int r = 0; r < table.rowCount(); ++r)
        for (int c = 0; c < table.columnCount(); ++c)
            if (table.item(r, c)->text().contains("FAILED") || table.item(r, c)->text().contains("INSIDE"))
                table.item(r, c)->setForeground(QColor(200, 0, 0));
    table.resizeColumnsToContents();
    table.resizeRowsToContents();
}

// One stage's combinations, the governing row in bold (its name says so too).
void Fill(QTableWidget& table, const checks::CombinationTable& t)
{
    FillCells(table, t.header, t.rows,
              {checks::CombinationName_, checks::CombinationAnalysis, checks::CombinationAnchors,
               checks::CombinationPassed});
    for (int r = 0; r < table.rowCount(); ++r)
        for (int c = 0; c < table.columnCount(); ++c) {
            QTableWidgetItem* item = table.item(r, c);
            QFont font = item->font();
            font.setBold(r == t.governingRow);
            item->setFont(font);
            if (t.rows[static_cast<std::size_t>(r)][checks::CombinationPassed] != "passed")
                item->setForeground(QColor(200, 0, 0));
        }
    table.resizeColumnsToContents();
    table.resizeRowsToContents();
    // All rows shown: the page scrolls, not each table.
    int height = table.horizontalHeader()->height() + 2 * table.frameWidth();
    for (int r = 0; r < table.rowCount(); ++r)
        height += table.rowHeight(r);
    table.setFixedHeight(height + table.horizontalScrollBar()->sizeHint().height());
}

void SetUpTable(QTableWidget& table, const char* name)
{
    table.setAccessibleName(name);
    table.setEditTriggers(QAbstractItemView::NoEditTriggers);
    table.verticalHeader()->hide();
    table.horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    table.setWordWrap(true);
}

}  // namespace

TDesignChecksWindow::TDesignChecksWindow(QWidget* parent, Prompt& prompt, const std::string& wallFile)
    : QDialog(parent),
      prompt_(prompt),
      file_(new QLabel(this)),
      target_(new TDataEdit(this, &prompt)),
      recompute_(new QPushButton("&Recompute", this)),
      table_(new QTableWidget(this)),
      utilisation_(new QTableWidget(this)),
      ground_(new QTableWidget(this)),
      graph_(new TUtilisationView(this)),
      summary_(new QLabel(this)),
      remarks_(new QLabel(this)),
      banner_(new QLabel(this)),
      approach_(new TApproachPanel(this, prompt)),
      combinations_(new QScrollArea(this))
{
    setWindowTitle("Design Checks");
    setObjectName("DesignChecksWindow");
    file_->setAccessibleName("Data file checked");
    file_->setWordWrap(true);
    auto* targetLabel = new QLabel(this);
    target_->SetRange(kLowestTarget, kHighestTarget);
    target_->SetCaption("&Target safety factor");
    target_->SetEditLabel(targetLabel);
    target_->setAccessibleName("Target safety factor");
    // Room for the ink of the caption's last letter, which reaches past its advance.
    targetLabel->setContentsMargins(0, 0, targetLabel->fontMetrics().averageCharWidth(), 0);
    target_->SetNumber(checks::kDefaultTarget);
    recompute_->setAccessibleName("Recompute");
    recompute_->setDefault(true);
    SetUpTable(*table_, "Design checks per stage");
    SetUpTable(*utilisation_, "Section and anchor checks per stage");
    SetUpTable(*ground_, "Basal heave and anchor placement per stage");
    auto* pages = new QTabWidget(this);
    pages->setAccessibleName("Design check pages");
    pages->addTab(table_, "&Embedment");
    pages->addTab(utilisation_, "&Section and anchors");
    pages->addTab(ground_, "&Base and anchors");
    pages->addTab(graph_, "&Utilisation graph");
    pages->addTab(combinations_, "&Combinations");
    pages->addTab(approach_, "&Design approach");
    combinations_->setAccessibleName("Combinations of the design approach");
    combinations_->setWidgetResizable(true);
    approach_->OnChange([this](const TWallSettings& settings) { ApproachChanged(settings); });
    summary_->setAccessibleName("Design checks summary");
    remarks_->setAccessibleName("Design checks notes");
    remarks_->setWordWrap(true);
    remarks_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setAccessibleName("Close");
    connect(recompute_, &QPushButton::clicked, this, &TDesignChecksWindow::Recompute);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);

    auto* targetRow = new QHBoxLayout;
    targetRow->addWidget(targetLabel);
    targetRow->addWidget(target_);
    targetRow->addWidget(recompute_);
    targetRow->addStretch(1);
    banner_->setWordWrap(true);
    banner_->setStyleSheet("background: rgb(255, 236, 179); color: black; padding: 6px; "
                           "border: 1px solid rgb(200, 150, 0);");
    banner_->setAccessibleName("Checks not current");
    banner_->hide();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(banner_);
    layout->addWidget(file_);
    layout->addLayout(targetRow);
    layout->addWidget(pages, 1);
    layout->addWidget(summary_);
    // The notes scroll in a few lines of their own, so that the tables keep the height.
    auto* notes = new QScrollArea(this);
    notes->setWidget(remarks_);
    notes->setWidgetResizable(true);
    notes->setFrameShape(QFrame::NoFrame);
    notes->setMaximumHeight(8 * fontMetrics().lineSpacing());
    layout->addWidget(notes);
    layout->addWidget(buttons);
    resize(1000, 640);
    SetWall(wallFile);
}

TDesignChecksWindow* TDesignChecksWindow::Show(QWidget* parent, Prompt& prompt, const std::string& wallFile)
{
    auto* window = parent ? parent->findChild<TDesignChecksWindow*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    if (!window) {
        window = new TDesignChecksWindow(parent, prompt, wallFile);
        window->setAttribute(Qt::WA_DeleteOnClose);
    } else {
        window->SetWall(wallFile);
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

void TDesignChecksWindow::SetWall(const std::string& wallFile)
{
    // A wall checked for the first time starts at its own target factor.
    if (wallFile != wallFile_)
        target_->SetNumber(ReadSettingsBeside(wallFile).settings.targetSafetyFactor);
    approach_->SetSettings(ReadSettingsBeside(wallFile).settings);
    wallFile_ = wallFile;
    liveInput_.reset();
    file_->setText("The checks of the data file as saved: " + QFileInfo(Text(wallFile)).absoluteFilePath());
    Recompute();
}

void TDesignChecksWindow::Recompute()
{
    if (!target_->Validate())
        return;
    const double target = static_cast<double>(target_->Number());
    checks::DesignCheckReport report;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        report = liveInput_ ? checks::RunDesignChecks(liveInput_->blocks, target,
                                                      WithApproachOf(liveInput_->settings, approach_->Settings()))
                            : checks::RunDesignChecks(wallFile_, target);
    } catch (const std::exception& e) {
        QApplication::restoreOverrideCursor();
        table_->setRowCount(0);
        utilisation_->setRowCount(0);
        ground_->setRowCount(0);
        graph_->SetReport(checks::DesignCheckReport());
        ShowCombinations(checks::DesignCheckReport());
        summary_->setText(QString());
        remarks_->setText(QString());
        prompt_.Information("The design checks could not be made: the data file " + wallFile_ +
                            " cannot be read: " + e.what());
        return;
    }
    QApplication::restoreOverrideCursor();
    ShowReport(report);
}

void TDesignChecksWindow::ShowReport(const checks::DesignCheckReport& report)
{
    const checks::DesignChecksTable table = checks::MakeDesignChecksTable(report);
    Fill(*table_, table);
    Fill(*utilisation_, checks::MakeUtilisationTable(report));
    Fill(*ground_, checks::MakeGroundChecksTable(report));
    graph_->SetReport(report);
    ShowCombinations(report);
    summary_->setText(QString("%1 (target F = %2, %3 analyses).")
                          .arg(report.passed ? "Every check passed" : "A check failed")
                          .arg(Text(FormatGeneral(report.target, 4)))
                          .arg(report.analyses));
    summary_->setStyleSheet(report.passed ? "font-weight: bold;" : "color: rgb(200, 0, 0); font-weight: bold;");
    remarks_->setText(Texts(table.remarks).join('\n'));
}

void TDesignChecksWindow::ShowCombinations(const checks::DesignCheckReport& report)
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    const std::vector<checks::CombinationTable> tables = checks::MakeCombinationTables(report);
    if (tables.empty())
        layout->addWidget(new QLabel("No design approach: choose one on the Design approach page.", page));
    if (!tables.empty())
        layout->addWidget(new QLabel(Texts(checks::FactorLines(report)).join('\n'), page));
    for (const checks::CombinationTable& t : tables) {
        auto* heading = new QLabel(Text(t.heading + (t.governingRow >= 0 ? ": " + t.rows[static_cast<std::size_t>(
                                                                              t.governingRow)][0] : std::string())),
                                   page);
        heading->setStyleSheet("font-weight: bold;");
        auto* table = new QTableWidget(page);
        SetUpTable(*table, "Combinations");
        table->setAccessibleName(Text("Combinations of " + t.heading));
        Fill(*table, t);
        layout->addWidget(heading);
        layout->addWidget(table);
    }
    layout->addStretch(1);
    combinations_->setWidget(page);  // the page before is deleted
}

std::vector<QTableWidget*> TDesignChecksWindow::CombinationTables() const
{
    if (!combinations_->widget())
        return {};
    const QList<QTableWidget*> tables = combinations_->widget()->findChildren<QTableWidget*>();
    return std::vector<QTableWidget*>(tables.begin(), tables.end());
}

void TDesignChecksWindow::ApproachChanged(const TWallSettings& settings)
{
    // The checks are of the data file as saved, so its settings file takes the approach at once.
    const TSettingsRead stored = ReadSettingsBeside(wallFile_);
    try {
        if (!stored.problem.empty())
            throw std::runtime_error(IgnoredSettingsMessage(stored.problem));
        WriteSettingsBeside(wallFile_, WithApproachOf(stored.settings, settings));
    } catch (const std::exception& e) {
        prompt_.Information(std::string("The design approach could not be stored: ") + e.what());
    }
    if (settingsChanged_)
        settingsChanged_(settings);
    Recompute();
}

void TDesignChecksWindow::ShowLiveReport(const std::string& dataFile, std::shared_ptr<const TLiveInput> input,
                                         const checks::DesignCheckReport& report)
{
    wallFile_ = dataFile;
    liveInput_ = std::move(input);
    file_->setText("The checks of the wall as last edited (not saved).");
    MarkNotCurrent(false);
    ShowReport(report);
}

void TDesignChecksWindow::MarkNotCurrent(bool notCurrent, const std::string& reason)
{
    setWindowTitle(notCurrent ? "Design Checks (not current)" : "Design Checks");
    const QString text = notCurrent
                             ? QString::fromStdString((reason.empty() ? std::string("The wall has changed.") : reason) +
                                                      " The checks below are those of the wall before that change.")
                             : QString();
    banner_->setText(text);
    banner_->setAccessibleDescription(text);
    banner_->setVisible(notCurrent);
}

std::optional<double> TDesignChecksWindow::TargetFactor() const
{
    try {
        const long double target = target_->Number();
        if (target >= kLowestTarget && target <= kHighestTarget)
            return static_cast<double>(target);
    } catch (const std::exception&) {
        // Half typed: the checks wait for a number.
    }
    return std::nullopt;
}
