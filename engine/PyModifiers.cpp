#include "engine/PyModifiers.h"

#include "engine/PyCurveText.h"
#include "units/TorvikError.h"

#include <algorithm>
#include <cmath>

namespace engine {

double SpacingFactor(double activeWidth, double pyWidth)
{
    if (!(pyWidth > 0))
        return 1;
    const double ratio = std::max(activeWidth / pyWidth, 1.0);
    return ratio < 3.75 ? 0.64 * std::pow(ratio, 0.34) : 1.0;
}

PyModifierTable::PyModifierTable(std::vector<PyModifierRow> rows) : rows_(std::move(rows))
{
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const PyModifierRow& r = rows_[i];
        const std::string name = "p-y modification factors, row " + std::to_string(i + 1);
        if (!std::isfinite(r.depth))
            throw TorvikError(name + ": the depth is not a number.");
        if (!std::isfinite(r.pMultiplier) || r.pMultiplier < 0)
            throw TorvikError(name + ": the p-multiplier must not be negative.");
        if (!std::isfinite(r.yMultiplier) || r.yMultiplier <= 0)
            throw TorvikError(name + ": the y-multiplier must be greater than 0.");
    }
    std::stable_sort(rows_.begin(), rows_.end(), [](const PyModifierRow& a, const PyModifierRow& b) { return a.depth < b.depth; });
}

double PyModifierTable::At(double z, double PyModifierRow::*field) const
{
    if (rows_.empty())
        return 1;
    if (z <= rows_.front().depth)
        return rows_.front().*field;
    for (std::size_t i = 1; i < rows_.size(); ++i) {
        const PyModifierRow& a = rows_[i - 1];
        const PyModifierRow& b = rows_[i];
        if (z <= b.depth) {
            if (b.depth == a.depth)
                return b.*field;
            return a.*field + (b.*field - a.*field) * (z - a.depth) / (b.depth - a.depth);
        }
    }
    return rows_.back().*field;
}

double PyModifierTable::PMultiplierAt(double z) const
{
    return At(z, &PyModifierRow::pMultiplier);
}

double PyModifierTable::YMultiplierAt(double z) const
{
    return At(z, &PyModifierRow::yMultiplier);
}

ScaledPyCurve::ScaledPyCurve(std::shared_ptr<const PyCurve> base, double pMultiplier, double yMultiplier)
    : base_(std::move(base)), fp_(pMultiplier), fy_(yMultiplier)
{
}

double ScaledPyCurve::Resistance(double y) const
{
    return fp_ * base_->Resistance(y / fy_);
}

double ScaledPyCurve::Ultimate() const
{
    return fp_ * base_->Ultimate();
}

double ScaledPyCurve::UltimateDeflection() const
{
    return fy_ * base_->UltimateDeflection();
}

std::string ScaledPyCurve::Describe(const UnitLabels& units) const
{
    std::string text = base_->Describe(units);
    text += "; p x ";
    AppendGeneral(text, fp_, 5);
    if (fy_ != 1) {
        text += ", y x ";
        AppendGeneral(text, fy_, 5);
    }
    return text;
}

std::string ScaledPyCurve::DeflectionWarning(double y) const
{
    return base_->DeflectionWarning(y / fy_);
}

BlendedPyCurve::BlendedPyCurve(std::shared_ptr<const PyCurve> a, std::shared_ptr<const PyCurve> b, double w)
    : a_(std::move(a)), b_(std::move(b)), w_(w)
{
}

double BlendedPyCurve::Resistance(double y) const
{
    return (1 - w_) * a_->Resistance(y) + w_ * b_->Resistance(y);
}

double BlendedPyCurve::Ultimate() const
{
    // The curves may peak at different deflections: the mix of their peaks is an upper bound.
    return (1 - w_) * a_->Ultimate() + w_ * b_->Ultimate();
}

double BlendedPyCurve::UltimateDeflection() const
{
    return std::max(a_->UltimateDeflection(), b_->UltimateDeflection());
}

std::string BlendedPyCurve::Describe(const UnitLabels& units) const
{
    return Describing(1 - w_, " x [", a_->Describe(units), "] + ", w_, " x [", b_->Describe(units), "]");
}

std::string BlendedPyCurve::DeflectionWarning(double y) const
{
    std::string a = a_->DeflectionWarning(y);
    return a.empty() ? b_->DeflectionWarning(y) : a;
}

double ScaledPyCurve::InitialSlope() const
{
    return fp_ == 0 ? 0.0 : fp_ / fy_ * base_->InitialSlope();
}

double BlendedPyCurve::InitialSlope() const
{
    const double a = a_->InitialSlope(), b = b_->InitialSlope();
    if (w_ == 0 || w_ == 1)
        return w_ == 0 ? a : b;
    return (1 - w_) * a + w_ * b;
}

}  // namespace engine
