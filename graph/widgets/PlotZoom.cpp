#include "graph/widgets/PlotZoom.h"

#include <algorithm>

ZoomSpan ZoomInSpan(long double a, long double b, ZoomSpan full)
{
    ZoomSpan s{std::min(a, b), std::max(a, b)};
    const long double fullWidth = full.Max - full.Min;
    if (fullWidth > 20 * (s.Max - s.Min)) {
        const long double half = fullWidth / 40;
        const long double middle = (s.Min + s.Max) / 2;
        s = {middle - half, middle + half};
        if (s.Min < full.Min)
            s = {full.Min, full.Min + 2 * half};
        if (s.Max > full.Max)
            s = {full.Max - 2 * half, full.Max};
    }
    return s;
}

ZoomSpan ZoomOutSpan(long double v, ZoomSpan current, ZoomSpan full)
{
    const long double h = std::min(current.Max - current.Min, (full.Max - full.Min) / 2);
    v = std::clamp(v, full.Min + h, full.Max - h);
    return {v - h, v + h};
}

ZoomSpan KeptSpan(ZoomSpan current, ZoomSpan oldFull, ZoomSpan newFull)
{
    const bool zoomed = current.Min != oldFull.Min || current.Max != oldFull.Max;
    return zoomed ? current : newFull;
}
