#pragma once
#include "study/Study.h"

#include <vector>

// One realisation of a study: the wall with its inputs put in, analysed, and
// its outputs taken in the columns of the study.
namespace study {

// The outputs of a study of `wall` and where each comes from.
struct OutputLayout {
    std::vector<Column> columns;
    // Per stage: the From node of each anchor row in it, by rising node, with
    // its column; the columns of the stage's maxima and F (-1: not computed).
    struct Stage {
        int moment = -1, shear = -1, deflection = -1, factor = -1;
        std::vector<std::pair<int, int>> anchors;   // (From node, column)
    };
    std::vector<Stage> stages;
    int largestMoment = -1, lowestFactor = -1, checksPassed = -1;
};

// The input columns (one per parameter, named by its address) and the output
// columns: per stage its largest moment, shear and deflection (magnitudes) and
// the force of each anchor row in it, the F of each stage and the lowest F,
// whether the design checks pass (1 or 0), as `study.computed` asks.
std::vector<Column> InputColumns(const StudyDefinition& study, const StudyWall& wall);
OutputLayout Outputs(const StudyDefinition& study, const StudyWall& wall);

// Computes the row of `index` with `inputs`. Never throws: a wall that cannot
// be made or analysed gives a failed row with the reason.
Row Realise(const StudyDefinition& study, const OutputLayout& layout, const StudyWall& wall, long index,
            std::vector<double> inputs);

}  // namespace study
