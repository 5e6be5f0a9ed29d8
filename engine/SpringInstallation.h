#pragma once
#include "engine/SectionRun.h"
#include "engine/WallModel.h"
#include "model/WallSettings.h"

#include <string>
#include <vector>

// The wall settings that reach the springs of one analysis.
//
// Prestress and anchor settings (in the units of the file) belong to the spring
// row whose From node is the anchor's node, in every analysis where that row is
// present. A prestress is a force per unit width: times the width of the
// analysed strip (the active width of generated earth pressure, else one unit
// of length) it is shared
// equally among the row's nodes with a lateral spring. Returns the warnings of
// the section (a prestress that found no spring).
std::vector<std::string> ApplyAnchorSettings(SectionInput& in, const WallBlock& block, const TWallSettings& settings);

// A staged wall whose springs and restraints act from their installation: a
// lateral spring, rotational spring or restraint present at a node in stages
// j..k (and not in stage j - 1) acts in stage k on the change of deflection (or
// slope) since the end of stage j - 1. `earlier` holds the analyses of stages
// 1..k-1 in order; `stage` is k. Sets installedIn of `in` (the stage j of each
// lateral spring) and, when `fromInstallation`, the ...From vectors; returns why
// the stage cannot be analysed (a stage whose deflections it needs has no usable
// result), or "" when it can.
//
// With `lockOffAsBuilt` as well, a spring with a prestress P0 installed in stage
// j > 1 is locked off as it is built: the wall of stage j - 1 is analysed again
// with the prestress of every such spring of stage j pulling at its node (the
// jack, no stiffness), and the spring acts from the deflection y_lock of its
// node then, F = P0 + K (y - y_lock), in stage j and after (lockedOff marks it).
std::string InstallOnMovedWall(SectionInput& in, int stage, const std::vector<SectionRun>& earlier,
                               bool fromInstallation, bool lockOffAsBuilt = false);
