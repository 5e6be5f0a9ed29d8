#pragma once
#include "units/widgets/NumericField.h"

#include <QComboBox>
#include <QString>
#include <QStringList>

#include <string>

class Prompt;

// A numeric entry field with a drop-down list of named values: list item i
// means the number Values[i]. Checked like TDataEdit when the field is left;
// only digits, "-", ".", "E" and backspace can be typed.
class TDataCombo : public TNumericField<QComboBox> {
    Q_OBJECT

public:
    // An editable combo box showing "0", with both bounds 0 until the window
    // sets them. `prompt` reports bad entries; without one a message box is shown.
    explicit TDataCombo(QWidget* parent = nullptr, Prompt* prompt = nullptr);

    // The value: the Values entry of a list item whose text the field holds
    // (ignoring case), else the text, evaluated as an expression; throws TorvikError.
    long double Number() const override;
    // Shows `value` clamped into the bounds unless loading: truncated to an
    // integer with IntegerOnly, else with 8 significant digits.
    void SetNumber(long double value) override;
    // The numbers meant by the list items, as expressions.
    const QStringList& Values() const { return values_; }
    void SetValues(const QStringList& values) { values_ = values; }
    // The text in which `value` is shown.
    QString DisplayText(long double value) const;

protected:
    // The field's own check of its entry, with its messages.
    bool CheckEntry() override;
    // UnitsString with only "F" and "L" labelled.
    std::string UnitLabelText() const override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Reject(const std::string& message, bool focusBack);

    QStringList values_;
};
