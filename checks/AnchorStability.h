#pragma once
#include "checks/AnchorChecks.h"
#include "engine/WallModel.h"

#include <string>
#include <vector>

// Where the anchors sit in the ground, for the anchors whose free and fixed
// lengths are given:
//  - the fixed length must start beyond the active wedge: the plane from the
//    point of zero net pressure below the excavation (Rankine's pressures of a
//    smooth wall; the excavation level where the net pressure does not turn
//    there) rising toward the retained side at 45 deg + phi'/2, phi' of the soil
//    at each depth;
//  - the deep-seated stability of the block of soil between the wall and the
//    anchor by Kranz (1953): the slip line from the wall's tip to the foot of an
//    equivalent anchor wall at the middle of the fixed length, the block loaded
//    by its weight, the active pressure on the equivalent anchor wall and held
//    by the active pressure on the wall and the reaction of the slip line; the
//    anchor force that the block holds in equilibrium against the horizontal
//    forces of the anchors whose fixed-length middles lie within the block.
// Effective stresses with hydrostatic water of the retained side, Rankine's
// coefficients, normal stress taken uniform along the slip line (so tan phi' is
// its mean by length), the uniform surcharge on the block only where it makes
// the factor smaller. Slip lines through several anchor points are not checked.
namespace checks {

// Fills the wedge and Kranz results of `anchors` (one stage's, with its forces)
// from the block and the anchor settings in the block's units; `target` is the
// factor asked of the block. `notes` says why a check is not made where a length
// is given but the check cannot be made.
void CheckAnchorStability(const WallBlock& block, const TWallSettings& settings, double target,
                          std::vector<AnchorCheck>& anchors, std::vector<std::string>& notes);

}  // namespace checks
