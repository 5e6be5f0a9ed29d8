#include "graph/widgets/TfrmActiveLines.h"

#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>

namespace {
constexpr int MinWidth = 190;
constexpr int MinHeight = 234;
}  // namespace

TfrmActiveLines::TfrmActiveLines(std::vector<std::string>& flags, const std::vector<std::string>& names,
                                 QWidget* parent)
    : QDialog(parent), flags_(flags), names_(names)
{
    setWindowTitle("Active Curves");
    setSizeGripEnabled(true);
    setMinimumSize(MinWidth, MinHeight);

    lblTitle_ = new QLabel("Select Curve to Active/Desactive", this);
    lblActive_ = new QLabel("Active :", this);
    lblCurve_ = new QLabel("Curve", this);
    lbLines_ = new QListWidget(this);
    lbLines_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // The flag column lines up only in a fixed-pitch font.
    lbLines_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    btnToggle_ = new QPushButton("Activate/Desactivate Selected", this);
    btnAll_ = new QPushButton("Activate All", this);
    btnNone_ = new QPushButton("Desactivate All", this);
    btnOk_ = new QPushButton("&OK", this);
    btnCancel_ = new QPushButton("&Cancel", this);
    for (QPushButton* b : {btnToggle_, btnAll_, btnNone_, btnOk_, btnCancel_})
        b->setAutoDefault(false);

    for (size_t i = 0; i < flags_.size(); ++i) {
        lbLines_->addItem(QString());
        Rebuild(static_cast<int>(i));
    }
    if (lbLines_->count() > 0)
        lbLines_->setCurrentRow(0, QItemSelectionModel::NoUpdate);

    connect(lbLines_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        lbLines_->setCurrentItem(item, QItemSelectionModel::NoUpdate);
        Toggle(lbLines_->row(item));
    });
    connect(btnToggle_, &QPushButton::clicked, this, [this] { ToggleSelected(); });
    connect(btnAll_, &QPushButton::clicked, this, [this] { SetAll(true); });
    connect(btnNone_, &QPushButton::clicked, this, [this] { SetAll(false); });
    connect(btnOk_, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel_, &QPushButton::clicked, this, &QDialog::reject);
    resize(300, 340);
}

void TfrmActiveLines::Rebuild(int i)
{
    const std::string& name = i < static_cast<int>(names_.size()) ? names_[i] : std::string();
    lbLines_->item(i)->setText(QString::fromStdString(flags_[i] + "   " + name));
}

void TfrmActiveLines::Toggle(int i)
{
    if (i < 0 || i >= static_cast<int>(flags_.size()))
        return;
    flags_[i] = flags_[i] == Yes ? No : Yes;
    Rebuild(i);
}

void TfrmActiveLines::ToggleSelected()
{
    QList<QListWidgetItem*> selected = lbLines_->selectedItems();
    if (selected.size() == 1) {
        Toggle(lbLines_->currentRow());
        return;
    }
    for (QListWidgetItem* item : selected)
        Toggle(lbLines_->row(item));
}

void TfrmActiveLines::SetAll(bool active)
{
    for (size_t i = 0; i < flags_.size(); ++i) {
        flags_[i] = active ? Yes : No;
        Rebuild(static_cast<int>(i));
    }
}

void TfrmActiveLines::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    LayOut();
    lbLines_->setFocus();
}

void TfrmActiveLines::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    LayOut();
}

// Title, column labels and list at x = 10; the toggle button, the two "all"
// buttons and OK/Cancel in rows 10 pixels apart under the list.
void TfrmActiveLines::LayOut()
{
    const int w = width() - 20;
    const int labelH = lblTitle_->sizeHint().height();
    const int buttonH = btnOk_->sizeHint().height();
    const int top = 8;
    lblTitle_->setGeometry(10, top, w, labelH);
    const int columnTop = top + labelH + 5;
    // The curve column starts where the list text does after the flag and three blanks.
    const int curveX = 10 + 4 + lbLines_->fontMetrics().horizontalAdvance(QString(TfrmActiveLines::Yes) + "   ");
    lblActive_->setGeometry(14, columnTop, curveX - 14, labelH);
    lblCurve_->setGeometry(curveX, columnTop, w - curveX, labelH);
    const int listTop = columnTop + labelH + 5;
    const int listH = std::max(20, height() - top - labelH - labelH - 3 * buttonH - 50);
    lbLines_->setGeometry(10, listTop, w, listH);
    int y = listTop + listH + 10;
    btnToggle_->setGeometry(15, y, std::max(btnToggle_->sizeHint().width(), w - 10), buttonH);
    y += buttonH + 10;
    const int allW = std::max(btnAll_->sizeHint().width(), btnNone_->sizeHint().width());
    btnAll_->setGeometry(10, y, allW, buttonH);
    btnNone_->setGeometry(width() - 10 - allW, y, allW, buttonH);
    y += buttonH + 10;
    const int okW = std::max(75, btnCancel_->sizeHint().width());
    btnOk_->setGeometry(20, y, okW, buttonH);
    btnCancel_->setGeometry(width() - 20 - okW, y, okW, buttonH);
}
