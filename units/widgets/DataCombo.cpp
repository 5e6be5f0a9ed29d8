#include "units/widgets/DataCombo.h"

#include "units/EvaluateEntry.h"
#include "units/NumberFormat.h"
#include "units/TorvikError.h"
#include "units/Units.h"
#include "units/widgets/EntryMessage.h"

#include <QKeyEvent>

#include <cmath>

TDataCombo::TDataCombo(QWidget* parent, Prompt* prompt) : TNumericField(parent, prompt, 0, 0)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setEditText(QStringLiteral("0"));
}

long double TDataCombo::Number() const
{
    QString text = currentText();
    // A list item stands for its entry in Values; the field's text stays as shown.
    if (parentWidget()) {
        for (int i = 0; i < count(); ++i) {
            if (itemText(i).compare(text, Qt::CaseInsensitive) == 0) {
                if (i < values_.size())
                    text = values_[i];
                break;
            }
        }
    }
    return EvaluateEntry(text.toStdString());
}

void TDataCombo::SetNumber(long double value)
{
    setEditText(DisplayText(bounds_.Clamp(value)));
}

QString TDataCombo::DisplayText(long double value) const
{
    if (IntegerOnly())
        return QString::fromStdString(FormatGeneral(std::trunc(value), 18));
    return QString::fromStdString(FormatGeneral(value, 8));
}

std::string TDataCombo::UnitLabelText() const
{
    return ComboUnitLabel(UnitsString(), Units());
}

void TDataCombo::Reject(const std::string& message, bool focusBack)
{
    ShowEntryMessage(prompt_, this, message);
    if (focusBack)
        setFocus(Qt::OtherFocusReason);
}

bool TDataCombo::CheckEntry()
{
    long double n = 0;
    try {
        n = Number();
    } catch (const TorvikError& e) {
        // Not the field's own check: reported as the program reports any
        // error, the focus goes where it was going and the field stays invalid.
        Reject(e.what(), false);
        return false;
    }
    switch (bounds_.Test(n)) {
    case TEntryBounds::Check::NotInteger:
        Reject("Entry must be an integer.", true);
        return false;
    case TEntryBounds::Check::BelowMin:
        SetNumber(MinVal());
        Reject("Entry must be greater than or equal to " + FormatGeneral(MinVal(), 8), true);
        return false;
    case TEntryBounds::Check::AboveMax:
        SetNumber(MaxVal());
        Reject("Entry must be less than or equal to " + FormatGeneral(MaxVal(), 8), true);
        return false;
    case TEntryBounds::Check::Ok:
        break;
    }
    return true;
}

void TDataCombo::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    const bool character = typed.size() == 1 && typed[0].isPrint();
    if (!character) {
        // Backspace, arrows, Delete and shortcuts are not typed characters.
        QComboBox::keyPressEvent(event);
        return;
    }
    const QString upper = typed.toUpper();
    static const QString accepted = QStringLiteral("-.0123456789E");
    if (!accepted.contains(upper)) {
        event->accept();  // discarded
        return;
    }
    if (upper == typed) {
        QComboBox::keyPressEvent(event);
        return;
    }
    QKeyEvent raised(event->type(), event->key(), event->modifiers(), upper, event->isAutoRepeat(),
                     static_cast<ushort>(event->count()));
    QComboBox::keyPressEvent(&raised);
    event->setAccepted(raised.isAccepted());
}

