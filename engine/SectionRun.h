#pragma once
#include "engine/PoreWater.h"
#include "engine/SectionInput.h"
#include "engine/SectionResult.h"
#include "engine/WallModel.h"

#include <string>

// One analysis of a run (a stage or a case): the block as read, the node-by-node
// input built from it and the result; `error` holds the input error that ended it.
struct SectionRun {
    std::string heading;
    WallBlock block;
    bool built = false;  // input built; false after an input error
    SectionInput input;
    engine::PoreWaterInput water;  // the stage's pore water, as the input was built with it
    SectionResult result;
    std::string error;

    // True when the analysis gave usable results.
    bool Ok() const { return built && error.empty() && result.Ok(); }
};
