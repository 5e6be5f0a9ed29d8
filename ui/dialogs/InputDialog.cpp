#include "ui/dialogs/InputDialog.h"

#include "model/ProgramData.h"
#include "model/WallDocument.h"
#include "ui/art/Artwork.h"
#include "units/EvaluateEntry.h"
#include "units/NumberFormat.h"
#include "units/TorvikError.h"
#include "units/widgets/DataCombo.h"
#include "units/widgets/DataEdit.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>

#include <cmath>
#include <limits>

namespace {

// A label's text without its access-key marks, for accessible names.
QString Plain(QString text)
{
    return text.remove(QLatin1Char('&'));
}

}  // namespace

TInputDialog::TInputDialog(TWallDocument& document, const QString& caption, QWidget* parent)
    : QWidget(parent), document_(document), caption_(caption)
{
    setWindowTitle(caption);
    setAccessibleName(caption);
}

void TInputDialog::SetTitleSuffix(const std::string& suffix)
{
    setWindowTitle(caption_ + QString::fromStdString(suffix));
}

TInputDialog::~TInputDialog() = default;

QMdiSubWindow* TInputDialog::AddTo(QMdiArea& area)
{
    // The window takes its content's size (below), but the content may give
    // way where the work area has less room: its tables then scroll.
    if (layout())
        layout()->setSizeConstraint(QLayout::SetMinAndMaxSize);
    window_ = area.addSubWindow(this, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                          Qt::WindowCloseButtonHint);
    window_->setAttribute(Qt::WA_DeleteOnClose);
    window_->setWindowIcon(area.window()->windowIcon());
    window_->setOption(QMdiSubWindow::RubberBandResize, false);
    connect(window_, &QMdiSubWindow::windowStateChanged, this, &TInputDialog::WindowStateChanged);
    FormActivate();
    window_->show();
    return window_;
}

TInputDialog* TInputDialog::Of(QMdiSubWindow* window)
{
    return window ? qobject_cast<TInputDialog*>(window->widget()) : nullptr;
}

TDataEdit* TInputDialog::NewField(QGridLayout* grid, int row, const QString& caption, const std::string& units,
                                  long double minVal, long double maxVal, bool integerOnly)
{
    auto* label = new QLabel(this);
    auto* field = new TDataEdit(this, &document_.UserPrompt());
    field->SetIntegerOnly(integerOnly);
    field->SetRange(minVal, maxVal);
    field->SetUnitsString(units);
    field->SetCaption(caption);
    field->SetEditLabel(label);
    field->SetNamedInMessages(true);
    field->setAccessibleName(Plain(caption));
    field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    field->setMinimumWidth(field->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 21);
    connect(field, &QLineEdit::textEdited, this, &TInputDialog::MarkModified);
    field->OnAccepted = [this, field] { FieldAccepted(field); };
    grid->addWidget(label, row, 0);
    grid->addWidget(field, row, 1);
    return field;
}

TDataEdit* TInputDialog::AddField(QGridLayout* grid, int row, const QString& caption, const std::string& units,
                                  long double minVal, long double maxVal, long double TProgramData::*member,
                                  TShownUnit shown)
{
    TDataEdit* field = NewField(grid, row, caption, units, minVal, maxVal, false);
    bindings_.push_back({field, member, nullptr, shown, QString()});
    return field;
}

TDataEdit* TInputDialog::AddIntegerField(QGridLayout* grid, int row, const QString& caption, long double minVal,
                                         long double maxVal, std::int32_t TProgramData::*member)
{
    TDataEdit* field = NewField(grid, row, caption, std::string(), minVal, maxVal, true);
    bindings_.push_back({field, nullptr, member, TShownUnit::AsStored, QString()});
    return field;
}

TArtView* TInputDialog::Illustration(const QString& name)
{
    auto* view = new TArtView(name, this);
    view->setAccessibleName(name);
    return view;
}

void TInputDialog::Load(const TProgramData&) {}

void TInputDialog::Store(TProgramData&) {}

void TInputDialog::FormActivate()
{
    TProgramData* wall = &document_.Wall();
    if (closed_)
        return;
    loading_ = true;
    for (Binding& b : bindings_) {
        b.field->SetUnits(wall->UnitSystem());
        // The stored value is shown as it stands, even beyond the bounds, so
        // that looking at a dialog never changes the wall.
        b.field->SetLoading(true);
        // A real shows the 8 digits that the data file and the table cells keep,
        // as a typed value would show, not the 18 of a converted one; the wall
        // keeps its exact value while the field is left as loaded.
        if (b.real)
            b.field->SetNumber(EvaluateEntry(FormatFloat8(ShownValue(b.shown, wall->*b.real, wall->UnitSystem()))));
        else
            b.field->SetNumber(wall->*b.integer);
        b.field->SetLoading(false);
        b.field->setCursorPosition(0);
        b.loadedText = b.field->text();
    }
    Load(*wall);
    loading_ = false;
    MarkProblems();
    // Unit labels differ in length between unit systems: the window fits them again.
    if (window_ && layout()) {
        layout()->activate();
        QSize wanted = window_->sizeHint();
        if (QMdiArea* area = window_->mdiArea())
            wanted = wanted.boundedTo(area->viewport()->size().expandedTo(window_->minimumSizeHint()));
        window_->setFixedSize(wanted);
    }
}

bool TInputDialog::FormDeactivate()
{
    if (closed_)
        return true;
    QWidget* focused = focusWidget();
    // A bound field left as it was loaded stores nothing, so it is not checked
    // either: the value the wall holds is never refused by merely looking at it.
    const auto untouched = [this](const QWidget* w) {
        for (const Binding& b : bindings_)
            if (b.field == w)
                return b.field->text() == b.loadedText;
        return false;
    };
    if (auto* edit = qobject_cast<TDataEdit*>(focused); edit && !untouched(edit) && !edit->Validate())
        return false;
    if (auto* combo = qobject_cast<TDataCombo*>(focused); combo && !combo->Validate())
        return false;
    TProgramData* wall = &document_.Wall();
    for (Binding& b : bindings_)
        if (StoreField(b, *wall))
            emit Committed(Plain(b.field->Caption()));
    Store(*wall);
    MarkProblems();
    // The dialog's own caption: the document names the stage when the change belongs to one.
    emit Committed(caption_);
    return true;
}

bool TInputDialog::StoreField(Binding& b, TProgramData& wall)
{
    if (b.field->text() == b.loadedText)
        return false;
    long double n = 0;
    try {
        n = b.field->Number();
    } catch (const TorvikError&) {
        return false;  // an entry never accepted is not stored
    }
    if (b.real)
        wall.*b.real = StoredValue(b.shown, n, wall.UnitSystem());
    else
        wall.*b.integer = static_cast<std::int32_t>(std::lround(n));
    b.loadedText = b.field->text();
    return true;
}

void TInputDialog::FieldAccepted(TDataEdit* field)
{
    TProgramData* wall = &document_.Wall();
    if (closed_ || loading_)
        return;
    // A field left with a new value is one change of the wall.
    for (Binding& b : bindings_)
        if (b.field == field && StoreField(b, *wall)) {
            MarkProblems();
            emit Committed(Plain(field->Caption()));
        }
}

void TInputDialog::MarkProblems()
{
    const std::string problem = WallLengthProblem(document_.Wall());
    for (Binding& b : bindings_) {
        if (b.real != &TProgramData::WallHeight)
            continue;
        const QString text = QString::fromStdString(problem);
        b.field->setStyleSheet(problem.empty() ? QString() : QStringLiteral("border: 2px solid rgb(200, 0, 0);"));
        b.field->setToolTip(text);
        b.field->setAccessibleDescription(text);
    }
}

void TInputDialog::CloseUnchecked()
{
    unchecked_ = true;
    if (window_)
        window_->close();
    else
        close();
}

void TInputDialog::MarkModified()
{
    if (!loading_)
        document_.SetModified(true);
}

void TInputDialog::CloseWindow()
{
    if (window_)
        window_->close();
    else
        close();
}

void TInputDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        CloseWindow();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TInputDialog::closeEvent(QCloseEvent* event)
{
    if (!unchecked_ && !FormDeactivate()) {
        event->ignore();
        return;
    }
    closed_ = true;
    event->accept();
    emit Closed();
}

void TInputDialog::WindowStateChanged(Qt::WindowStates oldState, Qt::WindowStates newState)
{
    const bool was = oldState.testFlag(Qt::WindowActive);
    const bool is = newState.testFlag(Qt::WindowActive);
    if (is && !was) {
        // Back before the deactivation stored anything: the edits stay.
        if (keepEdits_) {
            keepEdits_ = false;
            return;
        }
        FormActivate();
    } else if (was && !is && !closed_) {
        // Handled once the activation of the other window is complete, so that
        // a refused entry can bring this window back.
        keepEdits_ = true;
        QTimer::singleShot(0, this, &TInputDialog::Deactivated);
    }
}

void TInputDialog::Deactivated()
{
    if (!keepEdits_ || closed_)
        return;
    if (FormDeactivate()) {
        keepEdits_ = false;
        return;
    }
    if (window_ && window_->mdiArea() && window_->mdiArea()->activeSubWindow() != window_)
        window_->mdiArea()->setActiveSubWindow(window_);
}
