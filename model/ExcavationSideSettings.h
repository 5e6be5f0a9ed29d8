#pragma once

// The ground in front of the wall at one stage, where it is not the level
// excavation surface of the data file: a berm left against the wall, or an
// excavation surface that falls away from the wall. Lengths in m (SI), angles
// in degrees, like every other wall setting.
enum class ExcavationGroundKind { Level, Berm, Slope };

struct TExcavationSideSettings {
    int stage = 1;  // the stage it holds for (1 for the first; 1 also for a file without stages)
    ExcavationGroundKind kind = ExcavationGroundKind::Level;
    // A berm standing on the excavation level against the wall: its top is
    // `topWidth` wide at `height` above the excavation level, and its side falls
    // at `sideSlope` below the horizontal (90: a vertical face) to the excavation level.
    double topWidth = 0;   // >= 0
    double height = 0;     // > 0
    double sideSlope = 45; // 0 < angle <= 90
    // A sloping excavation surface: from the wall at the excavation level it
    // falls away from the wall at `slopeAngle` below the horizontal.
    double slopeAngle = 0; // 0 < angle < 90

    bool operator==(const TExcavationSideSettings& o) const
    {
        return stage == o.stage && kind == o.kind && topWidth == o.topWidth && height == o.height &&
               sideSlope == o.sideSlope && slopeAngle == o.slopeAngle;
    }
    bool operator!=(const TExcavationSideSettings& o) const { return !(*this == o); }
};
