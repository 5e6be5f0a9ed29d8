#include "graph/widgets/TfrmLineNames.h"

#include "graph/widgets/GraphPainter.h"
#include "units/Prompt.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>

namespace {
constexpr int MinWidth = 195;
constexpr int MinHeight = 167;
}  // namespace

TfrmLineNames::TfrmLineNames(std::vector<std::string>& names, Prompt& prompt, QWidget* parent)
    : QDialog(parent), names_(names), prompt_(prompt)
{
    setWindowTitle("Legend");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);
    setMinimumSize(MinWidth, MinHeight);

    lblSelect_ = new QLabel("Select line to modify:", this);
    lbLines_ = new QListWidget(this);
    lblType_ = new QLabel("Type new legend below:", this);
    edLine_ = new QLineEdit(this);
    btnOk_ = new QPushButton("&OK", this);
    btnCancel_ = new QPushButton("&Cancel", this);
    btnOk_->setAutoDefault(false);
    btnCancel_->setAutoDefault(false);

    for (const std::string& n : names_)
        lbLines_->addItem(QString::fromStdString(n));
    lbLines_->installEventFilter(this);
    edLine_->installEventFilter(this);

    connect(lbLines_, &QListWidget::currentRowChanged, this, [this] { ShowSelected(); });
    connect(lbLines_, &QListWidget::itemClicked, this, [this] { ShowSelected(); });
    connect(lbLines_, &QListWidget::itemDoubleClicked, this, [this] { ShowSelected(); });
    connect(btnOk_, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel_, &QPushButton::clicked, this, &QDialog::reject);

    if (lbLines_->count() > 0)
        lbLines_->setCurrentRow(0);
    ShowSelected();
    resize(260, 300);
}

void TfrmLineNames::done(int result)
{
    // A button pressed with the keyboard or by a test leaves the field without
    // a focus change; the typed name still counts.
    if (edLine_->hasFocus())
        CommitText();
    for (int i = 0; i < lbLines_->count() && i < static_cast<int>(names_.size()); ++i)
        names_[i] = lbLines_->item(i)->text().toStdString();
    QDialog::done(result);
}

void TfrmLineNames::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
    LayOut();
}

void TfrmLineNames::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    LayOut();
}

// Labels, list and text field stacked at x = 10, 5 pixels apart; the list takes
// the height left over; the buttons sit under the text field.
void TfrmLineNames::LayOut()
{
    const int w = width() - 20;
    const int labelH = lblSelect_->sizeHint().height();
    const int editH = edLine_->sizeHint().height();
    const int buttonH = btnOk_->sizeHint().height();
    const int listH = std::max(20, height() - 2 * labelH - editH - buttonH - 40);
    int y = 5;
    lblSelect_->setGeometry(10, y, w, labelH);
    y += labelH + 5;
    lbLines_->setGeometry(10, y, w, listH);
    y += listH + 5;
    lblType_->setGeometry(10, y, w, labelH);
    y += labelH + 5;
    edLine_->setGeometry(10, y, w, editH);
    y += editH + 5;
    const int buttonW = std::max(75, btnOk_->sizeHint().width());
    btnOk_->setGeometry(20, y, buttonW, buttonH);
    btnCancel_->setGeometry(width() - 20 - buttonW, y, buttonW, buttonH);
}

void TfrmLineNames::ShowSelected()
{
    const int row = lbLines_->currentRow();
    if (row < 0)
        return;
    edLine_->setText(lbLines_->item(row)->text());
    QPalette p = edLine_->palette();
    p.setColor(QPalette::Text, TGraphPainter::Color(row));
    edLine_->setPalette(p);
}

void TfrmLineNames::CommitText()
{
    const int row = lbLines_->currentRow();
    if (row < 0 || committing_)
        return;
    if (!edLine_->text().isEmpty()) {
        lbLines_->item(row)->setText(edLine_->text());
        return;
    }
    // The message box takes the focus; without the guard its focus-out would
    // report the empty name a second time.
    committing_ = true;
    prompt_.Information("The line must have a name!");
    committing_ = false;
    edLine_->setText(lbLines_->item(row)->text());
}

bool TfrmLineNames::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == edLine_) {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                CommitText();
                return true;
            }
        } else if (event->type() == QEvent::FocusOut) {
            CommitText();
        }
    } else if (watched == lbLines_ && event->type() == QEvent::KeyRelease) {
        ShowSelected();
    }
    return QDialog::eventFilter(watched, event);
}
