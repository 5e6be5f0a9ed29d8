#pragma once
#include "engine/EarthPressure.h"
#include "engine/ExcavationGround.h"
#include "engine/ExternalPyCurve.h"
#include "engine/PyModifiers.h"
#include "engine/SectionInput.h"
#include "engine/SoilLayer.h"

#include <string>
#include <vector>

// One row of a range table (wall stiffness, concentrated loads, springs): the
// values hold for the nodes From..To; choice 1 constant, 2 interpolated to the
// next row's value at the next row's To node.
struct RangeRow {
    int choice = 1;
    int from = 0;
    int to = 0;
    std::vector<double> values;
};

// A specified deflection or slope as the restraint table gives it.
struct RestraintRow {
    int kind = 1;  // kDeflectionRestraint or kSlopeRestraint (model/FileLayout.h)
    int node = 0;
    double deflection = 0;
    double slope = 0;
};

// One block of a wall data file (the wall at one stage, or in one of the two
// cases), everything in the units of the file: the engine's plain view of the
// wall, independent of how it was read.
struct WallBlock {
    std::string title;
    UnitSystem unitSystem = UnitSystem::English;
    int earthPressureOption = 0;  // 0 none, 1 user, 2 triangular, 3 trapezoidal
    int pyCurveOption = 0;        // 0 none, 1 external only, 2 generated
    int stageCount = 1;

    int nodeCount = 0;
    double increment = 0;
    double maxDeflection = 0;
    double tolerance = 0;
    double wallHeight = 0;  // excavation depth H

    std::vector<RestraintRow> restraints;
    std::vector<RangeRow> stiffness;  // values: EI
    std::vector<RangeRow> loads;      // values: lateral load, moment, axial load
    std::vector<RangeRow> springs;    // values: lateral spring, rotational spring
    std::vector<engine::PyModifierRow> modifiers;
    std::vector<engine::DepthLoad> userLoads;

    double activeWidth = 0;
    double pyWidth = 0;
    double waterDepthBackfill = 0;
    double waterDepthExcavation = 0;
    double activePressureFactor = 1;
    int configurationCode = 1;
    double backfillSlope = 0;
    double topSurcharge = 0;
    std::vector<engine::SurchargeLoad> surcharges;
    std::vector<engine::SoilLayer> layers;
    // A berm or a sloping surface in front of the wall, from the wall's settings
    // (not from the file); level unless the settings give one for the stage.
    engine::ExcavationGround excavationGround;

    std::vector<engine::ExternalCurveInput> externalCurves;
    std::vector<MomentEiCurve> meiCurves;

    // The width of wall the analysis stands for: the active width Wa, which the
    // generated earth pressure loads; one length unit otherwise (loads and
    // springs per unit width).
    double StripWidth() const { return earthPressureOption > 1 && activeWidth > 0 ? activeWidth : 1.0; }
};
