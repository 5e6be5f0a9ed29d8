#pragma once
#include "units/EntryBounds.h"
#include "units/TorvikError.h"
#include "units/Units.h"

#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>

#include <string>

class Prompt;

// What the numeric entry fields share, whatever Qt control they are (a line
// edit, a combo box): the bounds, the associated label with its unit label,
// and the leave-field check, which runs once the focus has really moved on.
// `Base` is the Qt control; the field supplies its value, its display and
// its own check.
template <class Base>
class TNumericField : public Base {
public:
    // The prompt that reports bad entries; without one a message box is shown.
    void SetPrompt(Prompt* prompt) { prompt_ = prompt; }

    // Only whole numbers are accepted; switching it on applies both bounds again.
    bool IntegerOnly() const { return bounds_.IntegerOnly(); }
    void SetIntegerOnly(bool integerOnly)
    {
        bounds_.SetIntegerOnly(integerOnly);
        if (integerOnly) {
            SetMinVal(MinVal());
            SetMaxVal(MaxVal());
        }
    }
    // The text of the associated label, before the unit label.
    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption)
    {
        caption_ = caption;
        RefreshLabel();
    }
    // The label that shows Caption and the unit label; its buddy becomes this field.
    QLabel* EditLabel() const { return editLabel_; }
    void SetEditLabel(QLabel* label)
    {
        editLabel_ = label;
        if (label)
            label->setBuddy(this);
        RefreshLabel();
    }
    // Bounds; see TEntryBounds for how a bound is adjusted. A number beyond a
    // new bound becomes the bound.
    long double MaxVal() const { return bounds_.MaxVal(); }
    void SetMaxVal(long double value)
    {
        bounds_.SetMaxVal(value);
        if (!bounds_.Loading() && ShownNumberIs([this](long double n) { return n > MaxVal(); }))
            SetNumber(MaxVal());
    }
    long double MinVal() const { return bounds_.MinVal(); }
    void SetMinVal(long double value)
    {
        bounds_.SetMinVal(value);
        if (!bounds_.Loading() && ShownNumberIs([this](long double n) { return n < MinVal(); }))
            SetNumber(MinVal());
    }
    // Both bounds at once, whatever the current ones are.
    void SetRange(long double minVal, long double maxVal)
    {
        bounds_.SetRange(minVal, maxVal);
        SetMinVal(MinVal());
        SetMaxVal(MaxVal());
    }
    // Dimension codes of the value, shown in the label.
    const std::string& UnitsString() const { return unitsString_; }
    void SetUnitsString(const std::string& units)
    {
        unitsString_ = units;
        RefreshLabel();
    }
    // Unit system of the label.
    UnitSystem Units() const { return units_; }
    void SetUnits(UnitSystem units)
    {
        units_ = units;
        RefreshLabel();
    }
    // While the window is being loaded, bounds and numbers are stored as given.
    void SetLoading(bool loading) { bounds_.SetLoading(loading); }
    // The result of the last check.
    bool IsValid() const { return valid_; }

    // The value shown in the field; throws TorvikError.
    virtual long double Number() const = 0;
    // Shows `value`, first clamped into the bounds unless loading.
    virtual void SetNumber(long double value) = 0;
    // The leave-field check; answers whether the entry was accepted. A check
    // that shows a message takes the focus away, which must not check again.
    bool Validate()
    {
        leaveCheckPending_ = false;
        if (validating_)
            return valid_;
        validating_ = true;
        valid_ = false;
        struct Reset {
            bool& flag;
            ~Reset() { flag = false; }
        } reset{validating_};
        valid_ = CheckEntry();
        if (valid_ && OnAccepted)
            OnAccepted();
        return valid_;
    }
    // Called each time the leave-field check accepts the entry (the window
    // that owns the field stores the value then).
    std::function<void()> OnAccepted;

protected:
    TNumericField(QWidget* parent, Prompt* prompt, long double minVal, long double maxVal)
        : Base(parent), bounds_(minVal, maxVal), prompt_(prompt)
    {
    }

    // Checks the entry, reports a bad one and answers whether it was accepted.
    virtual bool CheckEntry() = 0;
    // The unit label of UnitsString in Units, as this kind of field shows it.
    virtual std::string UnitLabelText() const = 0;

    void RefreshLabel()
    {
        if (!editLabel_)
            return;
        QString text = caption_;
        if (!unitsString_.empty())
            text += QStringLiteral(" (") + QString::fromStdString(UnitLabelText()) + QStringLiteral(")");
        editLabel_->setText(text);
        editLabel_->setEnabled(this->isEnabled());
    }

    void focusOutEvent(QFocusEvent* event) override
    {
        Base::focusOutEvent(event);
        // A popup or another application taking the focus is not leaving the field.
        if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason)
            return;
        // The check runs once the event that moved the focus is done: a click on a
        // button that checks the field itself (OK) then shows one message, not two,
        // and a click that closes the window (Cancel) shows none.
        leaveCheckPending_ = true;
        QTimer::singleShot(0, this, [this] {
            if (leaveCheckPending_ && this->isVisible())
                Validate();
            leaveCheckPending_ = false;
        });
    }

    void changeEvent(QEvent* event) override
    {
        Base::changeEvent(event);
        if (event->type() == QEvent::EnabledChange)
            RefreshLabel();
    }

    TEntryBounds bounds_;
    Prompt* prompt_;

private:
    // Whether the shown number satisfies `test`; a text that is no number does
    // not, and is left for the leave-field check.
    template <class Test>
    bool ShownNumberIs(Test test) const
    {
        try {
            return test(Number());
        } catch (const TorvikError&) {
            return false;
        }
    }

    bool valid_ = false;
    bool validating_ = false;
    bool leaveCheckPending_ = false;
    QString caption_;
    QPointer<QLabel> editLabel_;
    std::string unitsString_;
    UnitSystem units_ = UnitSystem::English;
};
