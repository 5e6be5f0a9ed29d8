#include "engine/SectionInput.h"

void SectionInput::Allocate(int n)
{
    nodeCount = n;
    const size_t size = static_cast<size_t>(n) + 1;
    for (auto* v : {&ei, &load, &moment, &axialLoad, &spring, &rotSpring, &q, &qSoil, &qSurcharge})
        v->assign(size, 0.0);
    soil.assign(size, NodeSoil{});
}
