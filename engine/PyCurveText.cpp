#include "engine/PyCurveText.h"

#include "units/NumberFormat.h"

namespace engine {

std::string Num(double value)
{
    return FormatGeneral(value, 5);
}

}  // namespace engine
