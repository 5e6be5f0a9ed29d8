#include "ui/VerificationWindow.h"

#include "units/NumberFormat.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cmath>
#include <exception>
#include <vector>

namespace {

// A value of a case; one that is not a number shows as "-".
QString Num(double v, int digits)
{
    return std::isfinite(v) ? QString::fromStdString(FormatGeneral(v, digits)) : QStringLiteral("-");
}

}  // namespace

TVerificationWindow::TVerificationWindow(QWidget* parent, Runner run)
    : QDialog(parent),
      run_(std::move(run)),
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

TVerificationWindow* TVerificationWindow::Show(QWidget* parent)
{
    auto* window = parent ? parent->findChild<TVerificationWindow*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    if (!window) {
        window = new TVerificationWindow(parent);
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
    std::vector<VerificationCase> cases;
    std::string error;
    try {
        cases = run_();
    } catch (const std::exception& e) {
        error = e.what();
    }
    QApplication::restoreOverrideCursor();

    table_->clear();
    if (!error.empty()) {
        summary_->setText(QString::fromStdString("The verification stopped: " + error));
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
    for (const VerificationCase& c : cases) {
        if (!group || group->text(0).toStdString() != c.group) {
            closeGroup();
            group = new QTreeWidgetItem(table_, {QString::fromStdString(c.group)});
            group->setFirstColumnSpanned(true);
            group->setExpanded(true);
            QFont bold = group->font(0);
            bold.setBold(true);
            group->setFont(0, bold);
            groupFailures = 0;
        }
        auto* row = new QTreeWidgetItem(group, {QString::fromStdString(c.name), Num(c.computed, 7), Num(c.reference, 7),
                                                Num(c.error, 2), Num(c.tolerance, 2), c.Passed() ? "pass" : "FAIL"});
        for (int col = 1; col <= 4; ++col)
            row->setTextAlignment(col, Qt::AlignRight | Qt::AlignVCenter);
        if (!c.Passed()) {
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

    const int failed = FailedCount(cases);
    summary_->setText(QString("%1 cases: %2 passed, %3 failed.")
                          .arg(cases.size())
                          .arg(static_cast<int>(cases.size()) - failed)
                          .arg(failed));
    summary_->setStyleSheet(failed ? "color: rgb(200, 0, 0); font-weight: bold;" : "font-weight: bold;");
}
