#pragma once

// The plan of the excavation in front of the wall and the targets of the
// stability checks of its base and of the anchors' block of soil. Lengths in
// SI (m) like the rest of the wall's settings.
struct TExcavationSettings {
    // The excavation's width across the wall (m); 0: not given, and the basal
    // heave check is not made (it needs the width of the failing base).
    double width = 0;
    // Its length along the wall (m); 0: not given, taken as infinitely long
    // (plane strain), which is the less favourable.
    double length = 0;
    // The factor of safety asked of the base against heave, and of the block of
    // soil between the wall and its anchors (Kranz).
    double basalHeaveTarget = 1.5;
    double kranzTarget = 1.5;

    bool operator==(const TExcavationSettings& o) const
    {
        return width == o.width && length == o.length && basalHeaveTarget == o.basalHeaveTarget &&
               kranzTarget == o.kranzTarget;
    }
    bool operator!=(const TExcavationSettings& o) const { return !(*this == o); }
};
