#include "ui/DesignChecksWindow.h"

#include "checks/DesignChecksTable.h"
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
#include <QTableWidget>
#include <QVBoxLayout>

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

void Fill(QTableWidget& table, const checks::DesignChecksTable& t)
{
    table.clear();
    table.setColumnCount(checks::ColumnCount);
    table.setHorizontalHeaderLabels(Texts(t.header));
    table.setRowCount(static_cast<int>(t.rows.size()));
    for (int r = 0; r < table.rowCount(); ++r) {
        const std::vector<std::string>& cells = t.rows[static_cast<std::size_t>(r)];
        for (int c = 0; c < checks::ColumnCount; ++c) {
            auto* item = new QTableWidgetItem(Text(cells[static_cast<std::size_t>(c)]));
            item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
            if (c != checks::ColumnStage && c != checks::ColumnLimit && c != checks::ColumnResult)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table.setItem(r, c, item);
        }
        MarkRow(table, r, r == t.governingRow, cells[checks::ColumnResult] != "passed");
    }
    table.resizeColumnsToContents();
}

}  // namespace

TDesignChecksWindow::TDesignChecksWindow(QWidget* parent, Prompt& prompt, const std::string& wallFile)
    : QDialog(parent),
      prompt_(prompt),
      file_(new QLabel(this)),
      target_(new TDataEdit(this, &prompt)),
      recompute_(new QPushButton("&Recompute", this)),
      table_(new QTableWidget(this)),
      summary_(new QLabel(this)),
      remarks_(new QLabel(this))
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
    target_->SetNumber(checks::kDefaultTarget);
    recompute_->setAccessibleName("Recompute");
    recompute_->setDefault(true);
    table_->setAccessibleName("Design checks per stage");
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    table_->setWordWrap(true);
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
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(file_);
    layout->addLayout(targetRow);
    layout->addWidget(table_, 1);
    layout->addWidget(summary_);
    layout->addWidget(remarks_);
    layout->addWidget(buttons);
    resize(1000, 560);
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
    wallFile_ = wallFile;
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
        report = checks::RunDesignChecks(wallFile_, target);
    } catch (const std::exception& e) {
        QApplication::restoreOverrideCursor();
        table_->setRowCount(0);
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
    summary_->setText(QString("%1 (target F = %2, %3 analyses).")
                          .arg(report.passed ? "Every check passed" : "A check failed")
                          .arg(Text(FormatGeneral(report.target, 4)))
                          .arg(report.analyses));
    summary_->setStyleSheet(report.passed ? "font-weight: bold;" : "color: rgb(200, 0, 0); font-weight: bold;");
    remarks_->setText(Texts(table.remarks).join('\n'));
}

void TDesignChecksWindow::ShowLiveReport(const std::string& dataFile, const checks::DesignCheckReport& report)
{
    wallFile_ = dataFile;
    file_->setText("The checks of the wall as last edited (not saved).");
    MarkNotCurrent(false);
    ShowReport(report);
}

void TDesignChecksWindow::MarkNotCurrent(bool notCurrent)
{
    setWindowTitle(notCurrent ? "Design Checks (not current)" : "Design Checks");
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
