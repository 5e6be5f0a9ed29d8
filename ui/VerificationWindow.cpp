#include "ui/VerificationWindow.h"

#include "run/AnalysisRun.h"
#include "units/NumberFormat.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <vector>

namespace {

// A number of torvik-cli's JSON; null (no value) shows as "-".
QString Num(const QJsonValue& v, int digits)
{
    return v.isDouble() ? QString::fromStdString(FormatGeneral(v.toDouble(), digits)) : QStringLiteral("-");
}

// Runs torvik-cli verify --json; the parsed output, or an error text.
QJsonObject RunCli(const QString& program, QString& error)
{
    QProcess process;
    process.start(program, {"verify", "--json"});
    if (!process.waitForStarted()) {
        error = "The verification could not start: " + program + " was not found.";
        return {};
    }
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        error = "The verification did not finish: " + program + " stopped.";
        return {};
    }
    const QJsonDocument json = QJsonDocument::fromJson(process.readAllStandardOutput());
    if (!json.isObject() || !json.object().value("cases").isArray()) {
        error = "The verification gave no results: " + QString::fromUtf8(process.readAllStandardError()).trimmed();
        return {};
    }
    return json.object();
}

}  // namespace

TVerificationWindow::TVerificationWindow(QWidget* parent, const std::string& programDirectory)
    : QDialog(parent),
      programDirectory_(programDirectory.empty() ? ProgramDirectory() : programDirectory),
      table_(new QTreeWidget(this)),
      summary_(new QLabel(this))
{
    setWindowTitle("Verification");
    setObjectName("VerificationWindow");
    auto* intro = new QLabel(
        "Built-in cases run through the analysis engine: closed-form solutions, every p-y criterion against its "
        "published formula, free-head piles on every criterion against an exact-curve solution, and the equilibrium of "
        "each wall. The Technical Manual describes each case.",
        this);
    intro->setWordWrap(true);
    table_->setAccessibleName("Verification cases");
    table_->setHeaderLabels({"Case", "Computed", "Reference", "Error", "Tolerance", "Result"});
    table_->setRootIsDecorated(true);
    table_->setUniformRowHeights(true);
    table_->header()->setStretchLastSection(false);
    table_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    summary_->setAccessibleName("Verification summary");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* again = buttons->addButton("&Run Again", QDialogButtonBox::ActionRole);
    again->setAccessibleName("Run Again");
    buttons->button(QDialogButtonBox::Close)->setAccessibleName("Close");
    connect(again, &QPushButton::clicked, this, &TVerificationWindow::RunCases);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(table_, 1);
    layout->addWidget(summary_);
    layout->addWidget(buttons);
    resize(900, 600);
    RunCases();
}

TVerificationWindow* TVerificationWindow::Show(QWidget* parent, const std::string& programDirectory)
{
    auto* window = parent ? parent->findChild<TVerificationWindow*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    if (!window) {
        window = new TVerificationWindow(parent, programDirectory);
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

void TVerificationWindow::RunCases()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QString error;
    const QJsonObject result = RunCli(QString::fromStdString(programDirectory_ + "/torvik-cli"), error);
    QApplication::restoreOverrideCursor();

    table_->clear();
    if (!error.isEmpty()) {
        summary_->setText(error);
        summary_->setStyleSheet("color: rgb(200, 0, 0); font-weight: bold;");
        return;
    }
    QTreeWidgetItem* group = nullptr;
    int groupFailures = 0;
    std::vector<QTreeWidgetItem*> passedGroups;
    auto closeGroup = [&] {
        if (group && groupFailures == 0)
            passedGroups.push_back(group);
    };
    const QJsonArray cases = result.value("cases").toArray();
    for (const QJsonValue& value : cases) {
        const QJsonObject c = value.toObject();
        const QString groupName = c.value("group").toString();
        if (!group || group->text(0) != groupName) {
            closeGroup();
            group = new QTreeWidgetItem(table_, {groupName});
            group->setFirstColumnSpanned(true);
            group->setExpanded(true);
            QFont bold = group->font(0);
            bold.setBold(true);
            group->setFont(0, bold);
            groupFailures = 0;
        }
        const bool passed = c.value("passed").toBool();
        auto* row = new QTreeWidgetItem(
            group, {c.value("name").toString(), Num(c.value("computed"), 7), Num(c.value("reference"), 7),
                    Num(c.value("error"), 2), Num(c.value("tolerance"), 2), passed ? "pass" : "FAIL"});
        for (int col = 1; col <= 4; ++col)
            row->setTextAlignment(col, Qt::AlignRight | Qt::AlignVCenter);
        if (!passed) {
            ++groupFailures;
            for (int col = 0; col < 6; ++col)
                row->setForeground(col, QColor(200, 0, 0));
        }
    }
    closeGroup();
    // Columns as wide as their values (measured while every group is open);
    // then only the groups with a failure stay open.
    for (int col = 1; col < 6; ++col)
        table_->resizeColumnToContents(col);
    for (QTreeWidgetItem* g : passedGroups)
        g->setExpanded(false);

    const int failed = result.value("failed").toInt();
    summary_->setText(
        QString("%1 cases: %2 passed, %3 failed.").arg(cases.size()).arg(result.value("passed").toInt()).arg(failed));
    summary_->setStyleSheet(failed ? "color: rgb(200, 0, 0); font-weight: bold;" : "font-weight: bold;");
}
