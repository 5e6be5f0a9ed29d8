#include "engine/PyCurveText.h"

#include "units/NumberFormat.h"
#include "units/QuantityLabels.h"

namespace engine {

std::string Num(double value)
{
    std::string text;
    AppendGeneral(text, value, 5);
    return text;
}

std::string DepthText(double z, UnitSystem unitSystem)
{
    const QuantityLabels& l = QuantityLabelsOf(unitSystem);
    return Num(l.depthFactor == 1 ? z : z / 12) + " " + l.depth;
}

}  // namespace engine
