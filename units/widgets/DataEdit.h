#pragma once
#include "units/EntryBounds.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QString>

#include <string>

class Prompt;

// A one-line numeric entry field. Its text is an arithmetic expression; on
// leaving the field (and on Enter) the value is checked against IntegerOnly,
// MinVal and MaxVal, a bad entry is reported through the prompt and the focus
// comes back. An associated label shows Caption with the unit label.
class TDataEdit : public QLineEdit {
    Q_OBJECT

public:
    // `prompt` reports bad entries; without one a message box is shown.
    explicit TDataEdit(QWidget* parent = nullptr, Prompt* prompt = nullptr);

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
    // The value is shown as "$" and at least four hexadecimal digits.
    bool Hex() const { return hex_; }
    void SetHex(bool hex);
    // Bounds; see TEntryBounds for how a bound is adjusted. A number beyond a
    // new bound becomes the bound.
    long double MaxVal() const { return bounds_.MaxVal(); }
    void SetMaxVal(long double value);
    long double MinVal() const { return bounds_.MinVal(); }
    void SetMinVal(long double value);
    // Both bounds at once, whatever the current ones are.
    void SetRange(long double minVal, long double maxVal);
    // The value of the text, evaluated as an expression; throws TorvikError.
    long double Number() const;
    // Shows `value`, first clamped into the bounds unless loading.
    void SetNumber(long double value);
    // Dimension codes of the value, labelled with EntryUnitLabel.
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
    // The text in which `value` is shown: hexadecimal or 18 significant digits.
    QString DisplayText(long double value) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void RefreshLabel();
    void Reject(const std::string& message);

    TEntryBounds bounds_;
    Prompt* prompt_;
    QString caption_;
    QPointer<QLabel> editLabel_;
    bool hex_ = false;
    std::string unitsString_;
    int units_ = 1;
    bool valid_ = false;
    bool validating_ = false;
    bool leaveCheckPending_ = false;
};
