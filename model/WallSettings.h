#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "model/DesignFactors.h"
#include "model/WaterSettings.h"
#include "model/ExcavationSettings.h"
#include "model/ExcavationSideSettings.h"
#include "units/Units.h"

// Settings of a wall that its data file has no place for. They live in a small
// JSON file beside the data file (same name, extension ".tk4s"), so that the data
// file stays exactly what the data-file layout writes and a wall without the
// file reads, saves and analyses as before.
//
// Values are stored in SI units (kN, m, kPa, degrees), whatever the wall's unit
// system, so that a unit switch of the wall leaves the file alone; for a wall in
// user-defined units they are in the wall's own consistent units. Use
// InFileUnits() to get them in the units of the data file.

// The anchor (or strut, or any spring row) whose spring row starts at `node`:
// it holds for that row in every stage in which the row is present.
struct TAnchorSettings {
    int node = 0;                 // the From node of its spring row
    double prestress = 0;         // lock-off force per unit width (kN/m)
    double spacing = 1;           // horizontal spacing of the anchors (m); > 0
    double inclination = 0;       // below the horizontal (degrees), -90 < i < 90
    bool axialLoad = false;       // its vertical component acts on the wall as axial load
    double capacity = 0;          // capacity per anchor (kN); 0: not given
    // Along the anchor from the wall (m): the free length, then the fixed
    // (bond) length; 0: not given, and the checks of the anchor's place in the
    // ground are not made.
    double freeLength = 0;
    double fixedLength = 0;

    bool operator==(const TAnchorSettings& o) const;
    bool operator!=(const TAnchorSettings& o) const { return !(*this == o); }
};

// The steel section from `node` down to the next section's node (or the tip).
// Properties are on the same basis as the stiffness table's EI: per unit width
// for a continuous wall, per pile for spaced units.
struct TSectionSettings {
    int node = 0;                 // first node of this section
    std::string name;             // catalogue designation when picked; may be empty
    double sectionModulus = 0;    // elastic section modulus W (m^3); 0: not given
    double yieldStrength = 0;     // fy (kPa); 0: not given
    double shearArea = 0;         // (m^2); 0: not given
    double corrosionLoss = 0;     // loss of W and shear area (percent), 0..100

    bool operator==(const TSectionSettings& o) const;
    bool operator!=(const TSectionSettings& o) const { return !(*this == o); }
};

// The contact of soil layer `layer` (1 for the first) with the wall: the wall
// friction delta = frictionRatio x phi' (0 to 1) and, for soils with cohesion,
// the adhesion a = adhesionRatio x c (0 to 0.5). Both 0: a smooth wall.
struct TWallFrictionSettings {
    int layer = 1;
    double frictionRatio = 0;
    double adhesionRatio = 0;

    bool operator==(const TWallFrictionSettings& o) const;
    bool operator!=(const TWallFrictionSettings& o) const { return !(*this == o); }
};

struct TWallSettings {
    // Springs and restraints that first appear in a later stage act on the change
    // of deflection since the end of the stage before (plus their prestress).
    // On for walls made from now on; off for walls read without settings, so that
    // stored walls keep their results.
    bool springsFromInstallation = false;
    // Generated p-y curves never resist more than the passive earth pressure on
    // the analysed strip. On for walls made from now on; off for walls read
    // without the setting, so that stored walls keep their results.
    bool limitToPassive = false;
    // An anchor with a prestress that first appears in a later stage is locked
    // off as it is built: the stage before's wall is analysed with the jack's
    // force on it, and the anchor acts from the deflection that leaves. On for
    // new walls, off for walls read without the setting (they keep their results).
    bool lockOffAsBuilt = false;
    // The retained soil above the excavation pushes back where the wall moves
    // into it: a subgrade-reaction spring from the active toward the passive
    // pressure. On for new walls, off for walls read without the setting.
    bool soilBehindResists = false;
    // The limit-equilibrium estimate counts in the verdict of the design checks
    // where it applies (the wall's embedment must reach its required one).
    bool limitEquilibriumInVerdict = true;
    // The target safety factor of the design checks.
    double targetSafetyFactor = 1.5;
    std::vector<TAnchorSettings> anchors;    // by rising node, one per node
    std::vector<TSectionSettings> sections;  // by rising node, one per node
    std::vector<TWallFrictionSettings> wallFriction;  // by rising layer, one per layer
    // A berm or a sloping excavation surface in front of the wall, by rising
    // stage, one per stage; a stage without an entry has the level excavation.
    std::vector<TExcavationSideSettings> excavationSide;
    // The design approach of the ultimate limit state and its partial factors.
    DesignApproach designApproach = DesignApproach::None;
    TPartialFactors partialFactors;
    // The unplanned excavation of EN 1997-1, 9.3.2.2, in the ultimate
    // combinations; off where the excavation level is controlled on site.
    bool unplannedExcavation = true;
    // The loads that are permanent actions; every other surcharge and
    // concentrated load is variable. Soil, water and prestress are permanent.
    bool uniformSurchargePermanent = false;   // the uniform surcharge on the retained surface
    std::vector<int> permanentSurcharges;     // rows of the surcharge table, 1-based, rising
    std::vector<int> permanentLoads;          // From nodes of concentrated-load rows, rising
    // The ground water of each stage (hydrostatic unless set) and the factors
    // of the hydraulic-heave check.
    TWaterSettings water;
    // The excavation's plan and the targets of basal heave and of the anchors' block.
    TExcavationSettings excavation;

    // The settings a wall has when it has no file of settings.
    static TWallSettings Defaults() { return {}; }
    // The settings of a wall made by this program from now on.
    static TWallSettings ForNewWall();
    // True when nothing differs from Defaults(): then no file is kept.
    bool IsDefault() const;

    // The anchor of the spring row starting at `node`; null when none was set.
    const TAnchorSettings* Anchor(int node) const;
    // The anchor of `node`, made with the defaults when there was none.
    TAnchorSettings& AnchorAt(int node);
    // The section that holds at `node` (the one with the largest node <= it); null when none.
    const TSectionSettings* SectionAt(int node) const;
    // Puts the entry in its place by node, replacing one of the same node.
    void Set(const TAnchorSettings& anchor);
    void Set(const TSectionSettings& section);
    void Set(const TWallFrictionSettings& friction);
    // Puts the stage's ground in its place; a level one removes the stage's entry.
    void Set(const TExcavationSideSettings& ground);
    // The wall friction of `layer` (1-based); null when none was set (smooth).
    const TWallFrictionSettings* WallFriction(int layer) const;
    // The ground in front of the wall at `stage` (1-based); null for the level excavation.
    const TExcavationSideSettings* ExcavationSide(int stage) const;
    // True when the surcharge row (1-based) or the concentrated-load row starting at `node` is permanent.
    bool SurchargePermanent(int row) const;
    bool LoadPermanent(int node) const;

    // The same settings in the units of a data file of `unitSystem` (1 English:
    // lb, in; 2 SI: kN, m; 3 user units: unchanged). Degrees and percent stay.
    TWallSettings InFileUnits(UnitSystem unitSystem) const;

    bool operator==(const TWallSettings& o) const;
    bool operator!=(const TWallSettings& o) const { return !(*this == o); }
};

// The force along one anchor from the horizontal force per unit width F that
// the spring row takes: F s / cos(i).
double ForcePerAnchor(double forcePerWidth, const TAnchorSettings& anchor);
// Vertical component of the anchor force per unit width: F tan(i).
double VerticalForcePerWidth(double forcePerWidth, const TAnchorSettings& anchor);

// The name of the settings file of the data file `dataFile`: its extension
// replaced by ".tk4s" (added when it has none).
std::string SettingsPathFor(const std::string& dataFile);

// The most a settings file may hold, in bytes: far more than any wall's
// settings need, little enough to be read at once.
constexpr std::size_t kMaxSettingsBytes = 1 << 20;

// The text of the settings file (JSON, ending in a line break).
std::string SettingsText(const TWallSettings& settings);
// Reads a settings text. EInOutError naming `name`, the line, the key and what
// is wrong when the text is damaged, too long or of an unknown kind, or a value
// is out of its range (a number beyond 8-byte reals, a node that is no 32-bit
// whole number, a value of the wrong kind); unknown keys are ignored.
TWallSettings ParseSettings(const std::string& text, const std::string& name);

// What reading the settings beside a data file found.
struct TSettingsRead {
    bool found = false;        // a settings file exists
    TWallSettings settings;    // Defaults() when none was found or it is damaged
    std::string problem;       // why a found file was ignored; empty when read
};
// Reads the settings beside `dataFile`. Never throws: a damaged file is
// reported in `problem` and ignored.
TSettingsRead ReadSettingsBeside(const std::string& dataFile);
