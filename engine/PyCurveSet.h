#pragma once
#include "engine/ExcavationGround.h"
#include "engine/ExternalPyCurve.h"
#include "engine/PoreWater.h"
#include "engine/PyModifiers.h"
#include "engine/SoilLayer.h"

#include <memory>
#include <string>
#include <vector>

// The p-y curves of every node of one analysis (a stage or a case).
namespace engine {

// Everything the curves depend on, in the file's units.
struct PyCurveInput {
    int pyCurveOption = 0;            // 0 none, 1 external curves only, 2 generated (+ external at their nodes)
    UnitSystem unitSystem = UnitSystem::English;
    double excavationDepth = 0;       // H (WallHeight)
    double activeWidth = 0;           // Wa, for the spacing factor
    double pyWidth = 0;               // Wp = b of the formulas
    double waterDepthExcavation = 0;  // DWe, below the top of the wall
    double waterDepthBackfill = 0;  // DWb (only checked against the generic unit system)
    double wallLength = 0;          // L, the toe of the seepage path
    PoreWaterInput water;           // still water below DWe unless it says otherwise
    // Cap every generated curve (after the spacing factor, before the
    // modification factors) at the passive earth pressure on the analysed strip.
    bool passiveLimit = false;
    // A berm or a falling surface in front of the wall: it changes the effective
    // vertical stress (berm) or scales the resistance (slope) of every generated curve.
    ExcavationGround ground;
    std::vector<SoilLayer> layers;
    std::vector<PyModifierRow> modifiers;          // empty: no modification factors
    std::vector<ExternalCurveInput> externalCurves;
};

// The curves and what the output text says about them.
struct PyCurveSet {
    std::vector<std::shared_ptr<const PyCurve>> curves;  // per node; null: no soil spring
    double spacingFactor = 1;  // e applied to the generated curves
    std::vector<int> passiveLimited;  // nodes where the passive limit cuts the curve
    std::vector<std::string> layerSummary;  // per layer: criterion, pu and y50 at top and bottom
    std::vector<std::string> notes;  // choices and warnings, for the output text and run notes
};

// Builds the curve of every node at depth nodeDepths[k] (node k, from the top of
// the wall). Generated curves at nodes at or below the excavation level from the
// layer holding the node (a node on a boundary between two layers takes the mean
// of both layers' curves), times the spacing factor and the modification factors;
// external curves as the option says. Throws TorvikError (naming the layer or the
// node) for unusable input.
PyCurveSet BuildPyCurves(const PyCurveInput& input, const std::vector<double>& nodeDepths);

}  // namespace engine
