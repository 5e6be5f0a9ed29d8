#pragma once

// The bounds of a numeric entry field and the check of a value entered into
// it, kept apart from the widgets so that the rules are tested without a window.
class TEntryBounds {
public:
    // Outcome of the leave-field check of a value.
    enum class Check { Ok, NotInteger, BelowMin, AboveMax };

    // Bounds [minVal, maxVal], whole numbers not required.
    TEntryBounds(long double minVal, long double maxVal) : minVal_(minVal), maxVal_(maxVal) {}

    long double MinVal() const { return minVal_; }
    long double MaxVal() const { return maxVal_; }
    bool IntegerOnly() const { return integerOnly_; }
    // While the window is being loaded, bounds are stored as given and never clamp.
    bool Loading() const { return loading_; }
    void SetLoading(bool loading) { loading_ = loading; }

    // A lower bound above the upper one becomes the upper one; with IntegerOnly
    // a bound is brought into the 32-bit range.
    void SetMinVal(long double value);
    // An upper bound below the lower one becomes the lower one.
    void SetMaxVal(long double value);
    // Switching IntegerOnly on applies both bounds again.
    void SetIntegerOnly(bool integerOnly);
    // Both bounds at once, whatever the current ones are.
    void SetRange(long double minVal, long double maxVal);

    // `value` brought into [MinVal, MaxVal]; unchanged while loading.
    long double Clamp(long double value) const;
    // The leave-field check: whole number first, then the lower, then the upper bound.
    Check Test(long double value) const;

private:
    long double IntegerRange(long double value) const;

    long double minVal_;
    long double maxVal_;
    bool integerOnly_ = false;
    bool loading_ = false;
};
