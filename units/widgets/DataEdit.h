#pragma once
#include "units/widgets/NumericField.h"

#include <QLineEdit>
#include <QString>

#include <string>

class Prompt;

// A one-line numeric entry field. Its text is an arithmetic expression; on
// leaving the field (and on Enter) the value is checked against IntegerOnly,
// MinVal and MaxVal, a bad entry is reported through the prompt and the focus
// comes back. An associated label shows Caption with the unit label.
class TDataEdit : public TNumericField<QLineEdit> {
    Q_OBJECT

public:
    // `prompt` reports bad entries; without one a message box is shown.
    explicit TDataEdit(QWidget* parent = nullptr, Prompt* prompt = nullptr);

    // The value is shown as "$" and at least four hexadecimal digits.
    bool Hex() const { return hex_; }
    void SetHex(bool hex);
    // The value of the text, evaluated as an expression; throws TorvikError.
    long double Number() const override;
    // Shows `value`, first clamped into the bounds unless loading.
    void SetNumber(long double value) override;
    // The text in which `value` is shown: hexadecimal or 18 significant digits.
    QString DisplayText(long double value) const;
    // A field among many (an input dialog's) names itself in its messages:
    // "Increments (nodes): Entry must be ...". Off by default.
    void SetNamedInMessages(bool named) { namedInMessages_ = named; }

protected:
    // The field's own check of its entry, with its messages.
    bool CheckEntry() override;
    // UnitsString labelled with EntryUnitLabel.
    std::string UnitLabelText() const override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Reject(const std::string& message);

    bool hex_ = false;
    bool namedInMessages_ = false;
};
