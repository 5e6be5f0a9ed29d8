#include "engine/SectionInput.h"

void SectionInput::Allocate(int n)
{
    nodeCount = n;
    const size_t size = static_cast<size_t>(n) + 1;
    for (auto* v : {&ei, &load, &moment, &axialLoad, &spring, &rotSpring, &q, &qSoil, &qSurcharge})
        v->assign(size, 0.0);
    for (auto* v : {&springFrom, &rotSpringFrom, &deflectionFrom, &slopeFrom, &prestress})
        v->assign(size, 0.0);
    installedIn.assign(size, 1);
    lockedOff.assign(size, false);
    soil.assign(size, NodeSoil{});
}

namespace {

double At(const std::vector<double>& v, int m)
{
    return m >= 0 && static_cast<size_t>(m) < v.size() ? v[m] : 0.0;
}

}  // namespace

double SectionInput::SpringLoad(int m) const
{
    const double from = At(springFrom, m), p0 = At(prestress, m);
    if (from == 0 && p0 == 0)
        return 0;
    return At(spring, m) * from - p0;
}

double SectionInput::SpringCouple(int m) const
{
    const double from = At(rotSpringFrom, m);
    return from == 0 ? 0.0 : -At(rotSpring, m) * from;
}
