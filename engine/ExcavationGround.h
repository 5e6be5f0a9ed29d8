#pragma once
#include "model/ExcavationSideSettings.h"
#include "units/Units.h"

#include <string>

struct TWallSettings;

// The ground in front of the wall where it is not level at the excavation
// level: a berm left against the wall, or a surface falling away from it. The
// soil's resistance below the excavation level is changed as follows, at each
// depth d below the excavation level:
//
// - A berm by the equivalent-surcharge method (Fleming et al., Piling
//   Engineering; assessed against centrifuge tests by Daly and Powrie 2001 and
//   against multiple-wedge analyses by Smethurst and Powrie 2008): the weight of
//   the berm that lies over the passive wedge through depth d, spread over the
//   wedge's width L = d / tan(theta), is a surcharge q = W(L) / L on the
//   excavation level, theta = 45 - phi'/2 the angle of Rankine's passive
//   wedge. The berm's own soil above the excavation level resists nothing.
// - A falling surface by the planar (Coulomb) wedge: the resistance is
//   multiplied by the ratio of the passive force on a smooth vertical wall to
//   depth d under the falling surface to that under a level one, the wedge's
//   angle taken where the force is least.
namespace engine {

// The ground of one analysis in the units of its file; angles in degrees.
struct ExcavationGround {
    ExcavationGroundKind kind = ExcavationGroundKind::Level;
    double topWidth = 0;    // berm: top width at the wall
    double height = 0;      // berm: height above the excavation level
    double sideSlope = 90;  // berm: its side below the horizontal, 0 < angle <= 90
    double slopeAngle = 0;  // slope: the surface below the horizontal, 0 < angle < 90

    bool Level() const { return kind == ExcavationGroundKind::Level; }
};

// The ground of `stage` from settings already in the file's units (stage 0, a
// file without stages, takes the entry of stage 1). Level without an entry.
ExcavationGround ExcavationGroundFor(const TWallSettings& fileUnitSettings, int stage);

// The area of the berm's cross-section within `width` of the wall.
double BermAreaWithin(const ExcavationGround& berm, double width);

// The equivalent surcharge of the berm on the excavation level for the passive
// wedge through `depth` below it, of soil with friction angle `phi` (degrees; 0
// for the clays), the berm's soil of effective unit weight `unitWeight`:
// unitWeight x BermAreaWithin(L) / L with L = depth / tan(45 - phi/2); at depth 0
// the berm's full height, unitWeight x height.
double BermSurcharge(const ExcavationGround& berm, double unitWeight, double phi, double depth);

// The least passive force on a smooth vertical wall to `depth` of a planar wedge
// in soil of unit weight `unitWeight`, cohesion `cohesion` and friction angle
// `phi` (degrees) under a surface that falls away from the wall at
// `surfaceSlope` degrees below the horizontal (0: level ground, where it is
// Rankine's Kp gamma d^2 / 2 + 2 c sqrt(Kp) d).
double PlanarWedgePassiveForce(double depth, double unitWeight, double cohesion, double phi, double surfaceSlope);

// The ratio of PlanarWedgePassiveForce under the falling surface to that under
// level ground, at most 1 (at depth 0 the ratio of the cohesion terms, or of the
// weight terms without cohesion).
double SlopeResistanceFactor(double surfaceSlope, double depth, double unitWeight, double cohesion, double phi);

// The note of the output text on the ground in front of the wall: the berm or
// slope as given and the method; `bermUnitWeight` the berm's effective unit weight.
std::string ExcavationGroundNote(const ExcavationGround& ground, double bermUnitWeight, UnitSystem unitSystem);

}  // namespace engine
