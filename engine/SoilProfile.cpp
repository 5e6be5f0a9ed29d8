#include "engine/SoilProfile.h"

#include "units/NumberFormat.h"
#include "units/TorvikError.h"

#include <algorithm>
#include <cmath>

namespace engine {

namespace {

// Linear interpolation of every parameter between the top and bottom rows.
SoilParameters Lerp(const SoilParameters& a, const SoilParameters& b, double t)
{
    auto mix = [t](double u, double v) { return u + (v - u) * t; };
    SoilParameters p;
    p.unitWeight = mix(a.unitWeight, b.unitWeight);
    p.cohesion = mix(a.cohesion, b.cohesion);
    p.frictionAngle = mix(a.frictionAngle, b.frictionAngle);
    p.e50 = mix(a.e50, b.e50);
    p.kpy = mix(a.kpy, b.kpy);
    p.compressiveStrength = mix(a.compressiveStrength, b.compressiveStrength);
    p.krm = mix(a.krm, b.krm);
    p.rockModulus = mix(a.rockModulus, b.rockModulus);
    p.rqd = mix(a.rqd, b.rqd);
    return p;
}

// Cohesion as the curves and the earth pressure use it: rock strength is not one.
double CohesionOf(const SoilLayer& layer, const SoilParameters& p)
{
    return IsRock(layer.type) || layer.type == SoilType::Sand ? 0.0 : p.cohesion;
}

}  // namespace

SoilProfile::SoilProfile(std::vector<SoilLayer> layers, double gammaW, double waterDepthBackfill,
                         double waterDepthExcavation, double excavationDepth)
    : layers_(std::move(layers)), gammaW_(gammaW), waterDepthBackfill_(waterDepthBackfill),
      waterDepthExcavation_(waterDepthExcavation), excavationDepth_(excavationDepth)
{
    double top = 0;
    double stress = 0;
    for (std::size_t i = 0; i < layers_.size(); ++i) {
        const SoilLayer& layer = layers_[i];
        const std::string name = "Soil layer " + std::to_string(i + 1) + " (" + SoilTypeName(layer.type) + ")";
        if (!std::isfinite(layer.bottomDepth) || layer.bottomDepth <= top)
            throw TorvikError(name + ": the depth at the bottom of the layer (" + FormatGeneral(layer.bottomDepth, 8) +
                              ") must be greater than " + (i == 0 ? std::string("0") : "that of the layer above (" + FormatGeneral(top, 8) + ")") + ".");
        for (const SoilParameters* p : {&layer.top, &layer.bottom})
            if (!std::isfinite(p->unitWeight) || p->unitWeight < 0)
                throw TorvikError(name + ": the unit weight must not be negative.");
        stressAtTop_.push_back(stress);
        stress += 0.5 * (layer.top.unitWeight + layer.bottom.unitWeight) * (layer.bottomDepth - top);
        top = layer.bottomDepth;
    }
}

SoilProfile::SoilProfile(std::vector<SoilLayer> layers, double gammaW, double waterDepthBackfill,
                         double waterDepthExcavation, double excavationDepth, const PoreWater& water)
    : SoilProfile(std::move(layers), gammaW, waterDepthBackfill, waterDepthExcavation, excavationDepth)
{
    if (!water.Hydrostatic())
        water_ = water;
}

double SoilProfile::LayerTop(int i) const
{
    return i <= 0 ? 0.0 : layers_[static_cast<std::size_t>(i - 1)].bottomDepth;
}

int SoilProfile::LayerAt(double z, Side side) const
{
    const int count = static_cast<int>(layers_.size());
    for (int i = 0; i < count; ++i) {
        const double bottom = layers_[static_cast<std::size_t>(i)].bottomDepth;
        if (z < bottom || (side == Side::Above && z == bottom))
            return i;
    }
    return count - 1;
}

bool SoilProfile::BelowLastLayer(double z) const
{
    return !layers_.empty() && z > layers_.back().bottomDepth;
}

SoilParameters SoilProfile::ParametersAt(double z, Side side) const
{
    const int i = LayerAt(z, side);
    if (i < 0)
        return {};
    const SoilLayer& layer = layers_[static_cast<std::size_t>(i)];
    const double top = LayerTop(i);
    const double t = std::clamp((z - top) / (layer.bottomDepth - top), 0.0, 1.0);
    return Lerp(layer.top, layer.bottom, t);
}

template <class Value>
double SoilProfile::IntegrateLinearPieces(double a, double b, Value value) const
{
    // The value is linear within each layer and constant below the last one, so
    // the trapezoidal rule is exact piece by piece.
    double sum = 0;
    const int count = static_cast<int>(layers_.size());
    for (int i = 0; i <= count && a < b; ++i) {
        const double top = LayerTop(i);
        const double bottom = i < count ? layers_[static_cast<std::size_t>(i)].bottomDepth : std::max(b, top);
        const double lo = std::max(a, top), hi = std::min(b, bottom);
        if (hi > lo)
            sum += 0.5 * (value(lo, Side::Below) + value(hi, Side::Above)) * (hi - lo);
    }
    return sum;
}

double SoilProfile::TotalVerticalStress(double z) const
{
    if (layers_.empty() || z <= 0)
        return 0;
    // gamma is linear within the layer (constant below the last one): the stress
    // at the layer's top plus a trapezoid, exact.
    const int i = LayerAt(z, Side::Above);
    const SoilLayer& layer = layers_[static_cast<std::size_t>(i)];
    const double top = LayerTop(i);
    if (z > layer.bottomDepth) {
        const double atBottom = stressAtTop_[static_cast<std::size_t>(i)] +
                                0.5 * (layer.top.unitWeight + layer.bottom.unitWeight) * (layer.bottomDepth - top);
        return atBottom + layer.bottom.unitWeight * (z - layer.bottomDepth);
    }
    const double t = (z - top) / (layer.bottomDepth - top);
    const double gammaZ = layer.top.unitWeight + (layer.bottom.unitWeight - layer.top.unitWeight) * t;
    return stressAtTop_[static_cast<std::size_t>(i)] + 0.5 * (layer.top.unitWeight + gammaZ) * (z - top);
}

double SoilProfile::PoreBackfill(double z) const
{
    if (water_)
        return water_->Retained(z);
    return z > waterDepthBackfill_ ? gammaW_ * (z - waterDepthBackfill_) : 0.0;
}

double SoilProfile::PoreExcavation(double z) const
{
    if (water_)
        return water_->Excavation(z);
    return z > waterDepthExcavation_ ? gammaW_ * (z - waterDepthExcavation_) : 0.0;
}

double SoilProfile::EffectiveBackfill(double z) const
{
    return std::max(0.0, TotalVerticalStress(z) - PoreBackfill(z));
}

namespace {

// The effective vertical stress from the soil between depths top < z, under water below DWe.
double EffectiveBetween(const SoilProfile& p, double top, double z, double waterDepth)
{
    const double submerged = std::max(0.0, z - std::max(top, waterDepth));
    return p.TotalVerticalStress(z) - p.TotalVerticalStress(top) - p.GammaW() * submerged;
}

}  // namespace

double SoilProfile::EffectiveExcavation(double z) const
{
    const double h = excavationDepth_;
    if (z <= h)
        return 0;
    // With water that flows, the total stress (soil and the free water above
    // the excavation level) less the pore pressure.
    const double freeWater = gammaW_ * std::max(0.0, h - waterDepthExcavation_);
    double stress = water_ ? TotalVerticalStress(z) - TotalVerticalStress(h) + freeWater - water_->Excavation(z)
                           : EffectiveBetween(*this, h, z, waterDepthExcavation_);
    if (ground_.kind == ExcavationGroundKind::Berm && !layers_.empty()) {
        const double phi = IsClay(layers_[static_cast<std::size_t>(LayerAt(z, Side::Below))].type)
                               ? 0.0
                               : ParametersAt(z, Side::Below).frictionAngle;
        stress += BermSurcharge(ground_, BermUnitWeight(), phi, z - h);
    }
    return std::max(0.0, stress);
}

double SoilProfile::BermUnitWeight() const
{
    const double h = excavationDepth_, top = std::max(0.0, h - ground_.height);
    if (!(h > top) || layers_.empty())
        return 0;
    return std::max(0.0, EffectiveBetween(*this, top, h, waterDepthExcavation_)) / (h - top);
}

double SoilProfile::ExcavationResistanceFactor(double z) const
{
    const double h = excavationDepth_;
    if (ground_.kind != ExcavationGroundKind::Slope || z < h || layers_.empty())
        return 1;
    const SoilLayer& layer = layers_[static_cast<std::size_t>(LayerAt(z, Side::Below))];
    if (IsRock(layer.type))
        return 1;
    const SoilParameters p = ParametersAt(z, Side::Below);
    const double d = z - h;
    // The mean effective unit weight of the soil above z in front of the wall
    // (that of the soil just below the excavation level at the level itself).
    const double probe = d > 0 ? d : std::min(1e-6 * std::max(1.0, h), 1e-3);
    const double gamma = std::max(0.0, EffectiveBetween(*this, h, h + probe, waterDepthExcavation_)) / probe;
    const double meanGamma = d > 0 ? std::max(0.0, EffectiveBetween(*this, h, z, waterDepthExcavation_)) / d : gamma;
    return SlopeResistanceFactor(ground_.slopeAngle, d, meanGamma, CohesionOf(layer, p),
                                 IsClay(layer.type) ? 0.0 : p.frictionAngle);
}

double SoilProfile::AverageCohesion(double a, double b) const
{
    if (layers_.empty())
        return 0;
    if (b <= a) {
        const int i = LayerAt(a, Side::Below);
        return CohesionOf(layers_[static_cast<std::size_t>(i)], ParametersAt(a, Side::Below));
    }
    auto cohesion = [this](double z, Side side) {
        return CohesionOf(layers_[static_cast<std::size_t>(LayerAt(z, side))], ParametersAt(z, side));
    };
    return IntegrateLinearPieces(a, b, cohesion) / (b - a);
}

double SoilProfile::RockTopBelowExcavation() const
{
    const double h = excavationDepth_;
    for (int i = 0; i < static_cast<int>(layers_.size()); ++i) {
        const SoilLayer& layer = layers_[static_cast<std::size_t>(i)];
        const bool last = i + 1 == static_cast<int>(layers_.size());
        if (IsRock(layer.type) && (layer.bottomDepth > h || last))
            return std::max(h, LayerTop(i));
    }
    return -1;
}

}  // namespace engine
