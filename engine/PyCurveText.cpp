#include "engine/PyCurveText.h"

#include "units/NumberFormat.h"

namespace engine {

std::string Num(double value)
{
    std::string text;
    AppendGeneral(text, value, 5);
    return text;
}

std::string DepthText(double z, int unitSystem)
{
    return unitSystem == 1 ? Num(z / 12) + " ft" : Num(z) + (unitSystem == 2 ? " m" : " L");
}

}  // namespace engine
