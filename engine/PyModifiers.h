#pragma once
#include "engine/PyCurve.h"

#include <memory>
#include <vector>

// Multipliers on p-y curves: the spacing of wall units and the user's p- and
// y-multipliers by depth.
namespace engine {

// Spacing factor for units side by side (Reese and Van Impe): e = 0.64 (Wa/Wp)^0.34
// when Wa/Wp < 3.75, with Wa/Wp taken as at least 1; 1 otherwise.
double SpacingFactor(double activeWidth, double pyWidth);

// One row of the p-y modification factors: depth below the top of the wall (L).
struct PyModifierRow {
    double depth = 0;
    double pMultiplier = 1;
    double yMultiplier = 1;
};

// The table of p-y modification factors, linear in depth between its rows and
// constant beyond the first and the last.
class PyModifierTable {
public:
    // Sorts the rows by depth; throws TorvikError for a negative p-multiplier or a
    // y-multiplier not above 0 (naming the row).
    explicit PyModifierTable(std::vector<PyModifierRow> rows);
    // True when the table has no rows (factors 1).
    bool Empty() const { return rows_.empty(); }
    // p-multiplier at depth z.
    double PMultiplierAt(double z) const;
    // y-multiplier at depth z.
    double YMultiplierAt(double z) const;

private:
    double At(double z, double PyModifierRow::*field) const;
    std::vector<PyModifierRow> rows_;
};

// A curve scaled as p(y) = fp p0(y / fy).
class ScaledPyCurve : public PyCurve {
public:
    // fp >= 0 and fy > 0.
    ScaledPyCurve(std::shared_ptr<const PyCurve> base, double pMultiplier, double yMultiplier);

    double Resistance(double y) const override;
    double Ultimate() const override;
    double UltimateDeflection() const override;
    std::string Describe(const UnitLabels& units) const override;
    std::string DeflectionWarning(double y) const override;
    double InitialSlope() const override;

private:
    std::shared_ptr<const PyCurve> base_;
    double fp_;
    double fy_;
};

// Two curves mixed at the same y: p(y) = (1 - w) pa(y) + w pb(y); used between
// two external curves, and for a node on a boundary between two layers (w = 1/2).
class BlendedPyCurve : public PyCurve {
public:
    // w in 0..1.
    BlendedPyCurve(std::shared_ptr<const PyCurve> a, std::shared_ptr<const PyCurve> b, double w);

    double Resistance(double y) const override;
    double Ultimate() const override;
    double UltimateDeflection() const override;
    std::string Describe(const UnitLabels& units) const override;
    std::string DeflectionWarning(double y) const override;
    double InitialSlope() const override;

private:
    std::shared_ptr<const PyCurve> a_;
    std::shared_ptr<const PyCurve> b_;
    double w_;
};

}  // namespace engine
