#include "units/widgets/DataEdit.h"

#include "units/EvaluateEntry.h"
#include "units/NumberFormat.h"
#include "units/TorvikError.h"
#include "units/Units.h"
#include "units/widgets/EntryMessage.h"

#include <QKeyEvent>

#include <cmath>
#include <cstdint>
#include <limits>

TDataEdit::TDataEdit(QWidget* parent, Prompt* prompt)
    : TNumericField(parent, prompt, -std::numeric_limits<long double>::max(), std::numeric_limits<long double>::max())
{
    setText(QStringLiteral("0"));
}

void TDataEdit::SetHex(bool hex)
{
    hex_ = hex;
}

long double TDataEdit::Number() const
{
    return EvaluateEntry(text().toStdString());
}

void TDataEdit::SetNumber(long double value)
{
    setText(DisplayText(bounds_.Clamp(value)));
}

QString TDataEdit::DisplayText(long double value) const
{
    if (!hex_)
        return QString::fromStdString(FormatGeneral(value, 18));
    // The nearest integer, a negative one as its 64-bit two's complement, which
    // the evaluator reads back.
    const long double limit = 9223372036854775807.0L;
    const long double rounded = std::nearbyint(std::fmax(-limit - 1, std::fmin(value, limit)));
    const auto bits = static_cast<std::uint64_t>(static_cast<std::int64_t>(rounded));
    return QStringLiteral("$") + QString::number(bits, 16).toUpper().rightJustified(4, QLatin1Char('0'));
}

std::string TDataEdit::UnitLabelText() const
{
    return EntryUnitLabel(UnitsString(), Units());
}

void TDataEdit::Reject(const std::string& message)
{
    // The caption without its access-key mark says which field refused the entry.
    const std::string name =
        namedInMessages_ ? QString(Caption()).remove(QLatin1Char('&')).trimmed().toStdString() : "";
    ShowEntryMessage(prompt_, this, name.empty() ? message : name + ": " + message);
    if (isVisible())
        setFocus(Qt::OtherFocusReason);
}

bool TDataEdit::CheckEntry()
{
    long double n = 0;
    try {
        n = Number();
    } catch (const EAssignError& e) {
        Reject(IntegerOnly() ? "Entry must be a valid integer." : e.what());
        return false;
    } catch (const TorvikError& e) {
        Reject(e.what());  // an arithmetic fault, reported as it stands
        return false;
    }
    switch (bounds_.Test(n)) {
    case TEntryBounds::Check::NotInteger:
        Reject("Entry must be an integer.");
        return false;
    case TEntryBounds::Check::BelowMin:
        SetNumber(MinVal());
        Reject("Entry must be greater than or equal to " + DisplayText(MinVal()).toStdString());
        return false;
    case TEntryBounds::Check::AboveMax:
        SetNumber(MaxVal());
        Reject("Entry must be less than or equal to " + DisplayText(MaxVal()).toStdString());
        return false;
    case TEntryBounds::Check::Ok:
        break;
    }
    SetNumber(n);  // an accepted expression is replaced by its value
    return true;
}

void TDataEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Validate();
        selectAll();
        event->accept();
        return;
    }
    // An operator typed over a fully selected value extends it: 10 and "*2" give 10*2.
    static const QString operators = QStringLiteral("+-/*^=%!");
    if (event->text().size() == 1 && operators.contains(event->text()) && hasSelectedText() &&
        selectedText() == text())
        end(false);
    QLineEdit::keyPressEvent(event);
}

