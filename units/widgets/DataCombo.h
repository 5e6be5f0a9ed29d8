#pragma once
#include "units/EntryBounds.h"

#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <string>

class Prompt;

// A numeric entry field with a drop-down list of named values: list item i
// means the number Values[i]. Checked like TDataEdit when the field is left;
// only digits, "-", ".", "E" and backspace can be typed.
class TDataCombo : public QComboBox {
    Q_OBJECT

public:
    // An editable combo box showing "0", with both bounds 0 until the window
    // sets them. `prompt` reports bad entries; without one a message box is shown.
    explicit TDataCombo(QWidget* parent = nullptr, Prompt* prompt = nullptr);

    // The prompt that reports bad entries.
    void SetPrompt(Prompt* prompt) { prompt_ = prompt; }

    // Only whole numbers are accepted; switching it on applies both bounds again.
    bool IntegerOnly() const { return bounds_.IntegerOnly(); }
    void SetIntegerOnly(bool integerOnly);
    // The text of the associated label, before the unit label.
    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    // The label that shows Caption and the unit label; its buddy becomes this field.
    QLabel* EditLabel() const { return editLabel_; }
    void SetEditLabel(QLabel* label);
    // Bounds; see TEntryBounds. A number beyond a new bound becomes the bound.
    long double MaxVal() const { return bounds_.MaxVal(); }
    void SetMaxVal(long double value);
    long double MinVal() const { return bounds_.MinVal(); }
    void SetMinVal(long double value);
    // Both bounds at once, whatever the current ones are.
    void SetRange(long double minVal, long double maxVal);
    // The value: the Values entry of a list item whose text the field holds
    // (ignoring case), else the text, evaluated as an expression; throws TorvikError.
    long double Number() const;
    // Shows `value` clamped into the bounds unless loading: truncated to an
    // integer with IntegerOnly, else with 8 significant digits.
    void SetNumber(long double value);
    // The numbers meant by the list items, as expressions.
    const QStringList& Values() const { return values_; }
    void SetValues(const QStringList& values) { values_ = values; }
    // Dimension codes of the value; "F" and "L" are labelled.
    const std::string& UnitsString() const { return unitsString_; }
    void SetUnitsString(const std::string& units);
    // Unit system of the label; values below 1 are stored as 1, above 3 as 3.
    int Units() const { return units_; }
    void SetUnits(int units);
    // While the window is being loaded, bounds and numbers are stored as given.
    void SetLoading(bool loading) { bounds_.SetLoading(loading); }

    // The leave-field check; answers whether the entry was accepted.
    bool Validate();
    // The result of the last check.
    bool IsValid() const { return valid_; }
    // The text in which `value` is shown.
    QString DisplayText(long double value) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void RefreshLabel();
    void Reject(const std::string& message, bool focusBack);

    TEntryBounds bounds_;
    Prompt* prompt_;
    QString caption_;
    QPointer<QLabel> editLabel_;
    QStringList values_;
    std::string unitsString_;
    int units_ = 1;
    bool valid_ = false;
    bool validating_ = false;
    bool leaveCheckPending_ = false;
};
