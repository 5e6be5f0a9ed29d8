#include "model/WallSettings.h"

#include "model/SettingsJsonFields.h"
#include "model/WaterSettingsJson.h"

#include "units/Constants.h"
#include "units/TorvikError.h"
#include "units/Units.h"
#include "units/ValueRange.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <optional>
#include <sstream>

using nlohmann::json;
using namespace settings_fields;

namespace {

constexpr const char* kKind = "torvik_wall_settings";
constexpr int kVersion = 1;

template <class Entry>
void PutByNode(std::vector<Entry>& entries, const Entry& entry)
{
    auto at = std::lower_bound(entries.begin(), entries.end(), entry.node,
                               [](const Entry& e, int node) { return e.node < node; });
    if (at != entries.end() && at->node == entry.node)
        *at = entry;
    else
        entries.insert(at, entry);
}

json AnchorJson(const TAnchorSettings& a)
{
    json j = {{"node", a.node},
              {"prestress_kN_per_m", a.prestress},
              {"spacing_m", a.spacing},
              {"inclination_deg", a.inclination},
              {"vertical_component_as_axial_load", a.axialLoad},
              {"capacity_kN", a.capacity}};
    // The lengths only where given, so that files without them stay as they were.
    if (a.freeLength != 0)
        j["free_length_m"] = a.freeLength;
    if (a.fixedLength != 0)
        j["fixed_length_m"] = a.fixedLength;
    return j;
}

json ExcavationJson(const TExcavationSettings& e)
{
    return {{"width_m", e.width},
            {"length_m", e.length},
            {"basal_heave_target", e.basalHeaveTarget},
            {"kranz_target", e.kranzTarget}};
}

json SectionJson(const TSectionSettings& s)
{
    return {{"node", s.node},
            {"name", s.name},
            {"section_modulus_m3", s.sectionModulus},
            {"yield_strength_kPa", s.yieldStrength},
            {"shear_area_m2", s.shearArea},
            {"corrosion_loss_percent", s.corrosionLoss}};
}

void TakeApproach(const json& object, const char* key, DesignApproach& value)
{
    auto it = object.find(key);
    if (it == object.end())
        return;
    const std::optional<DesignApproach> approach =
        it->is_string() ? DesignApproachFromName(it->get<std::string>()) : std::nullopt;
    if (!approach)
        BadField(key, "must be \"none\", \"DA1\", \"DA2\" or \"DA3\", not " + Shown(*it));
    value = *approach;
}

// The partial factors: any of them may be given, each from 1 to 10.
void TakeFactors(const json& object, const char* key, TPartialFactors& factors)
{
    auto it = object.find(key);
    if (it == object.end())
        return;
    if (!it->is_object())
        BadField(key, "must be an object of partial factors, not " + Shown(*it));
    for (const TPartialFactorEntry& e : PartialFactorEntries()) {
        double& value = factors.*e.value;
        TakeReal(*it, e.key, value);
        Require(value >= kLowestPartialFactor && value <= kHighestPartialFactor, e.key,
                "the partial factor \"" + std::string(e.key) + "\" must lie from 1 to 10");
    }
}

// The excavation's plan and the targets of its stability checks.
void TakeExcavation(const json& object, const char* key, TExcavationSettings& e)
{
    auto it = object.find(key);
    if (it == object.end())
        return;
    if (!it->is_object())
        BadField(key, "must be an object of the excavation's width, length and targets, not " + Shown(*it));
    TakeReal(*it, "width_m", e.width);
    TakeReal(*it, "length_m", e.length);
    TakeReal(*it, "basal_heave_target", e.basalHeaveTarget);
    TakeReal(*it, "kranz_target", e.kranzTarget);
    Require(e.width >= 0, "width_m", "the excavation's width must not be negative");
    Require(e.length >= 0, "length_m", "the excavation's length must not be negative");
    Require(e.basalHeaveTarget >= 1, "basal_heave_target", "the target factor against basal heave must be at least 1");
    Require(e.kranzTarget >= 1, "kranz_target", "the target factor of the anchors' block (Kranz) must be at least 1");
}

void ReadDesignKeys(const json& j, TWallSettings& s)
{
    TakeApproach(j, "design_approach", s.designApproach);
    TakeFactors(j, "partial_factors", s.partialFactors);
    TakeBool(j, "unplanned_excavation", s.unplannedExcavation);
    TakeBool(j, "uniform_surcharge_permanent", s.uniformSurchargePermanent);
    TakeWholeList(j, "permanent_surcharge_rows", 1, s.permanentSurcharges);
    TakeWholeList(j, "permanent_load_nodes", 0, s.permanentLoads);
    TakeExcavation(j, "excavation", s.excavation);
}

// The design keys of the text, each only where it differs from the default,
// so that the settings of a wall without a design approach read as before.
void WriteDesignKeys(json& j, const TWallSettings& s)
{
    const TWallSettings plain;
    const bool designed = s.designApproach != DesignApproach::None;
    if (designed)
        j["design_approach"] = DesignApproachName(s.designApproach);
    if (designed || s.partialFactors != plain.partialFactors) {
        json factors = json::object();
        for (const TPartialFactorEntry& e : PartialFactorEntries())
            factors[e.key] = s.partialFactors.*e.value;
        j["partial_factors"] = factors;
    }
    if (designed || s.unplannedExcavation != plain.unplannedExcavation)
        j["unplanned_excavation"] = s.unplannedExcavation;
    if (s.uniformSurchargePermanent)
        j["uniform_surcharge_permanent"] = true;
    if (!s.permanentSurcharges.empty())
        j["permanent_surcharge_rows"] = s.permanentSurcharges;
    if (!s.permanentLoads.empty())
        j["permanent_load_nodes"] = s.permanentLoads;
    if (s.excavation != plain.excavation)
        j["excavation"] = ExcavationJson(s.excavation);
}

// True when the design keys are those of a wall without them.
bool DesignDefault(const TWallSettings& s)
{
    const TWallSettings plain;
    return s.designApproach == plain.designApproach && s.partialFactors == plain.partialFactors &&
           s.unplannedExcavation == plain.unplannedExcavation &&
           s.uniformSurchargePermanent == plain.uniformSurchargePermanent && s.permanentSurcharges.empty() &&
           s.permanentLoads.empty() && s.excavation == plain.excavation;
}

TAnchorSettings AnchorFrom(const json& j)
{
    TAnchorSettings a;
    if (!j.is_object() || !j.contains("node"))
        throw TSettingsFieldFault{"", "an anchor needs its \"node\""};
    TakeNode(j, "node", a.node);
    TakeReal(j, "prestress_kN_per_m", a.prestress);
    TakeReal(j, "spacing_m", a.spacing);
    TakeReal(j, "inclination_deg", a.inclination);
    TakeBool(j, "vertical_component_as_axial_load", a.axialLoad);
    TakeReal(j, "capacity_kN", a.capacity);
    const std::string at = " of the anchor at node " + std::to_string(a.node);
    Require(a.spacing > 0, "spacing_m", "the spacing" + at + " must be greater than 0");
    Require(a.inclination > -90 && a.inclination < 90, "inclination_deg",
            "the inclination" + at + " must lie between -90 and 90 degrees");
    Require(a.capacity >= 0, "capacity_kN", "the capacity" + at + " must not be negative");
    TakeReal(j, "free_length_m", a.freeLength);
    TakeReal(j, "fixed_length_m", a.fixedLength);
    Require(a.freeLength >= 0, "free_length_m", "the free length" + at + " must not be negative");
    Require(a.fixedLength >= 0, "fixed_length_m", "the fixed length" + at + " must not be negative");
    return a;
}

TSectionSettings SectionFrom(const json& j)
{
    TSectionSettings s;
    if (!j.is_object() || !j.contains("node"))
        throw TSettingsFieldFault{"", "a section needs its \"node\""};
    TakeNode(j, "node", s.node);
    TakeName(j, "name", s.name);
    TakeReal(j, "section_modulus_m3", s.sectionModulus);
    TakeReal(j, "yield_strength_kPa", s.yieldStrength);
    TakeReal(j, "shear_area_m2", s.shearArea);
    TakeReal(j, "corrosion_loss_percent", s.corrosionLoss);
    const std::string at = " of the section at node " + std::to_string(s.node);
    Require(s.sectionModulus >= 0, "section_modulus_m3", "the section modulus" + at + " must not be negative");
    Require(s.yieldStrength >= 0, "yield_strength_kPa", "the yield strength" + at + " must not be negative");
    Require(s.shearArea >= 0, "shear_area_m2", "the shear area" + at + " must not be negative");
    Require(s.corrosionLoss >= 0 && s.corrosionLoss < 100, "corrosion_loss_percent",
            "the corrosion loss" + at + " must lie from 0 to below 100 percent");
    return s;
}

constexpr double kHighestAdhesionRatio = 0.5;

TWallFrictionSettings WallFrictionFrom(const json& j)
{
    TWallFrictionSettings w;
    if (!j.is_object() || !j.contains("layer"))
        throw TSettingsFieldFault{"", "a wall-friction entry needs its \"layer\""};
    TakeNode(j, "layer", w.layer);
    Require(w.layer >= 1, "layer", "the soil layer of a wall-friction entry must be a whole number from 1");
    TakeReal(j, "delta_over_phi", w.frictionRatio);
    TakeReal(j, "adhesion_ratio", w.adhesionRatio);
    const std::string at = " of soil layer " + std::to_string(w.layer);
    Require(w.frictionRatio >= 0 && w.frictionRatio <= 1, "delta_over_phi",
            "the wall friction ratio delta/phi'" + at + " must lie from 0 to 1");
    Require(w.adhesionRatio >= 0 && w.adhesionRatio <= kHighestAdhesionRatio, "adhesion_ratio",
            "the adhesion ratio a/c" + at + " must lie from 0 to 0.5");
    return w;
}

json WallFrictionJson(const TWallFrictionSettings& w)
{
    return {{"layer", w.layer}, {"delta_over_phi", w.frictionRatio}, {"adhesion_ratio", w.adhesionRatio}};
}

const char* GroundName(ExcavationGroundKind kind)
{
    return kind == ExcavationGroundKind::Berm ? "berm" : kind == ExcavationGroundKind::Slope ? "slope" : "level";
}

TExcavationSideSettings ExcavationSideFrom(const json& j)
{
    TExcavationSideSettings g;
    if (!j.is_object() || !j.contains("stage"))
        throw TSettingsFieldFault{"", "an excavation-side entry needs its \"stage\""};
    TakeNode(j, "stage", g.stage);
    Require(g.stage >= 1, "stage", "the stage of an excavation-side entry must be a whole number from 1");
    const auto ground = j.find("ground");
    if (ground == j.end() || !ground->is_string() ||
        (*ground != "berm" && *ground != "slope" && *ground != "level"))
        BadField("ground", "must be \"berm\", \"slope\" or \"level\", not " +
                               (ground == j.end() ? std::string("missing") : Shown(*ground)));
    g.kind = *ground == "berm" ? ExcavationGroundKind::Berm
                               : *ground == "slope" ? ExcavationGroundKind::Slope : ExcavationGroundKind::Level;
    const std::string at = " of stage " + std::to_string(g.stage);
    if (g.kind == ExcavationGroundKind::Berm) {
        TakeReal(j, "top_width_m", g.topWidth);
        TakeReal(j, "height_m", g.height);
        TakeReal(j, "side_slope_deg", g.sideSlope);
        Require(g.topWidth >= 0, "top_width_m", "the berm's top width" + at + " must not be negative");
        Require(g.height > 0, "height_m", "the berm's height" + at + " must be greater than 0");
        Require(g.sideSlope > 0 && g.sideSlope <= 90, "side_slope_deg",
                "the berm's side slope" + at + " must lie above 0 and up to 90 degrees");
    } else if (g.kind == ExcavationGroundKind::Slope) {
        TakeReal(j, "slope_deg", g.slopeAngle);
        Require(g.slopeAngle > 0 && g.slopeAngle < 90, "slope_deg",
                "the excavation surface's slope" + at + " must lie between 0 and 90 degrees");
    }
    return g;
}

json ExcavationSideJson(const TExcavationSideSettings& g)
{
    json j = {{"stage", g.stage}, {"ground", GroundName(g.kind)}};
    if (g.kind == ExcavationGroundKind::Berm) {
        j["top_width_m"] = g.topWidth;
        j["height_m"] = g.height;
        j["side_slope_deg"] = g.sideSlope;
    } else if (g.kind == ExcavationGroundKind::Slope) {
        j["slope_deg"] = g.slopeAngle;
    }
    return j;
}

// A fault found in a settings text, with the line it lies on (0: unknown).
struct SettingsFault {
    int line = 0;
    std::string what;
};

// Reads the entries of one array with `read`, naming the line of a faulty one.
template <class Read>
void ReadEntries(const json& j, const std::string& text, const char* key, Read read)
{
    if (!j.contains(key))
        return;
    const json& entries = j.at(key);
    if (!entries.is_array())
        throw SettingsFault{LineOfKey(text, key), std::string("\"") + key + "\" must be a list"};
    for (size_t i = 0; i < entries.size(); ++i) {
        try {
            read(entries[i]);
        } catch (const TSettingsFieldFault& f) {
            throw SettingsFault{LineOfField(text, key, i, f.key), f.what};
        }
    }
}

// The water of the stages and the factors of the hydraulic-heave check; a
// fault names its key and line.
void ReadWaterKeys(const json& j, const std::string& text, TWallSettings& s)
{
    ReadEntries(j, text, "water_regimes", [&s](const json& w) { s.water.Set(StageWaterFrom(w)); });
    if (j.contains("hydraulic_heave_factors")) {
        try {
            s.water.factors = HydraulicFactorsFrom(j.at("hydraulic_heave_factors"));
        } catch (const TSettingsFieldFault& f) {
            throw SettingsFault{LineOfField(text, "hydraulic_heave_factors", 0, f.key), f.what};
        }
    }
}

TWallSettings SettingsFrom(const json& j, const std::string& text)
{
    if (!j.is_object())
        throw SettingsFault{1, "it is not a JSON object"};
    if (!j.contains(kKind))
        throw SettingsFault{1, std::string("it has no \"") + kKind + "\" version"};
    const json& version = j.at(kKind);
    const bool whole = version.is_number_integer() ||
                       (version.is_number_float() && std::trunc(version.get<double>()) == version.get<double>());
    if (!whole || version.get<double>() < 1)
        throw SettingsFault{LineOfKey(text, kKind), std::string("its version \"") + kKind +
                                                        "\" must be a whole number from 1, not " + Shown(version)};
    if (version.get<double>() > kVersion)
        throw SettingsFault{LineOfKey(text, kKind), "it was written by a newer version of the program"};
    TWallSettings s;
    try {
        TakeBool(j, "springs_act_from_installation_stage", s.springsFromInstallation);
        TakeBool(j, "limit_soil_resistance_to_passive", s.limitToPassive);
        TakeBool(j, "lock_off_as_built", s.lockOffAsBuilt);
        TakeBool(j, "soil_behind_resists", s.soilBehindResists);
        TakeBool(j, "limit_equilibrium_in_verdict", s.limitEquilibriumInVerdict);
        TakeReal(j, "target_safety_factor", s.targetSafetyFactor);
        Require(s.targetSafetyFactor >= 1, "target_safety_factor", "the target safety factor must be at least 1");
        ReadDesignKeys(j, s);
    } catch (const TSettingsFieldFault& f) {
        throw SettingsFault{LineOfKey(text, f.key), f.what};
    }
    ReadEntries(j, text, "anchors", [&s](const json& a) { s.Set(AnchorFrom(a)); });
    ReadEntries(j, text, "sections", [&s](const json& t) { s.Set(SectionFrom(t)); });
    ReadEntries(j, text, "wall_friction", [&s](const json& w) { s.Set(WallFrictionFrom(w)); });
    ReadWaterKeys(j, text, s);
    ReadEntries(j, text, "excavation_side", [&s](const json& g) { s.Set(ExcavationSideFrom(g)); });
    return s;
}

// Reads a settings text without building anything and keeps the first fault
// with the byte where it lies.
struct Validation : nlohmann::json_sax<json> {
    std::string problem;
    std::size_t position = 0;

    bool null() override { return true; }
    bool boolean(bool) override { return true; }
    bool number_integer(number_integer_t) override { return true; }
    bool number_unsigned(number_unsigned_t) override { return true; }
    bool number_float(number_float_t, const string_t&) override { return true; }
    bool string(string_t&) override { return true; }
    bool binary(binary_t&) override { return true; }
    bool start_object(std::size_t) override { return true; }
    bool key(string_t&) override { return true; }
    bool end_object() override { return true; }
    bool start_array(std::size_t) override { return true; }
    bool end_array() override { return true; }
    bool parse_error(std::size_t at, const std::string& token, const json::exception& e) override
    {
        position = at;
        if (e.id == 406)  // a number beyond the range of 8-byte reals
            problem = "the number " + token.substr(0, 40) + " lies outside " + ValueRangeText();
        else
            problem = "it is not valid JSON";
        return false;
    }
};

}  // namespace

bool TAnchorSettings::operator==(const TAnchorSettings& o) const
{
    return node == o.node && prestress == o.prestress && spacing == o.spacing && inclination == o.inclination &&
           axialLoad == o.axialLoad && capacity == o.capacity && freeLength == o.freeLength &&
           fixedLength == o.fixedLength;
}

bool TSectionSettings::operator==(const TSectionSettings& o) const
{
    return node == o.node && name == o.name && sectionModulus == o.sectionModulus &&
           yieldStrength == o.yieldStrength && shearArea == o.shearArea && corrosionLoss == o.corrosionLoss;
}

bool TWallFrictionSettings::operator==(const TWallFrictionSettings& o) const
{
    return layer == o.layer && frictionRatio == o.frictionRatio && adhesionRatio == o.adhesionRatio;
}

bool TWallSettings::operator==(const TWallSettings& o) const
{
    return springsFromInstallation == o.springsFromInstallation && limitToPassive == o.limitToPassive &&
           lockOffAsBuilt == o.lockOffAsBuilt && soilBehindResists == o.soilBehindResists &&
           limitEquilibriumInVerdict == o.limitEquilibriumInVerdict && targetSafetyFactor == o.targetSafetyFactor &&
           anchors == o.anchors && sections == o.sections && designApproach == o.designApproach &&
           partialFactors == o.partialFactors && unplannedExcavation == o.unplannedExcavation &&
           uniformSurchargePermanent == o.uniformSurchargePermanent &&
           permanentSurcharges == o.permanentSurcharges && permanentLoads == o.permanentLoads &&
           wallFriction == o.wallFriction && water == o.water &&
           excavation == o.excavation && excavationSide == o.excavationSide;
}

TWallSettings TWallSettings::ForNewWall()
{
    TWallSettings s;
    s.springsFromInstallation = true;
    s.limitToPassive = true;
    s.lockOffAsBuilt = true;
    s.soilBehindResists = true;
    return s;
}

bool TWallSettings::IsDefault() const
{
    const TWallSettings plain = Defaults();
    if (springsFromInstallation != plain.springsFromInstallation || limitToPassive != plain.limitToPassive ||
        lockOffAsBuilt != plain.lockOffAsBuilt || soilBehindResists != plain.soilBehindResists ||
        limitEquilibriumInVerdict != plain.limitEquilibriumInVerdict || targetSafetyFactor != plain.targetSafetyFactor ||
        !DesignDefault(*this) || !water.IsDefault())
        return false;
    for (const TAnchorSettings& a : anchors) {
        TAnchorSettings unset;
        unset.node = a.node;
        if (a != unset)
            return false;
    }
    for (const TSectionSettings& t : sections) {
        TSectionSettings unset;
        unset.node = t.node;
        if (t != unset)
            return false;
    }
    for (const TWallFrictionSettings& w : wallFriction)
        if (w.frictionRatio != 0 || w.adhesionRatio != 0)
            return false;
    return excavationSide.empty();
}

const TAnchorSettings* TWallSettings::Anchor(int node) const
{
    for (const TAnchorSettings& a : anchors)
        if (a.node == node)
            return &a;
    return nullptr;
}

TAnchorSettings& TWallSettings::AnchorAt(int node)
{
    if (!Anchor(node)) {
        TAnchorSettings a;
        a.node = node;
        Set(a);
    }
    return *const_cast<TAnchorSettings*>(Anchor(node));
}

const TSectionSettings* TWallSettings::SectionAt(int node) const
{
    const TSectionSettings* found = nullptr;
    for (const TSectionSettings& s : sections)
        if (s.node <= node)
            found = &s;
    return found;
}

void TWallSettings::Set(const TAnchorSettings& anchor) { PutByNode(anchors, anchor); }
void TWallSettings::Set(const TSectionSettings& section) { PutByNode(sections, section); }

void TWallSettings::Set(const TWallFrictionSettings& friction)
{
    auto at = std::lower_bound(wallFriction.begin(), wallFriction.end(), friction.layer,
                               [](const TWallFrictionSettings& w, int layer) { return w.layer < layer; });
    if (at != wallFriction.end() && at->layer == friction.layer)
        *at = friction;
    else
        wallFriction.insert(at, friction);
}

void TWallSettings::Set(const TExcavationSideSettings& ground)
{
    auto at = std::lower_bound(excavationSide.begin(), excavationSide.end(), ground.stage,
                               [](const TExcavationSideSettings& g, int stage) { return g.stage < stage; });
    const bool found = at != excavationSide.end() && at->stage == ground.stage;
    if (ground.kind == ExcavationGroundKind::Level) {
        if (found)
            excavationSide.erase(at);
    } else if (found) {
        *at = ground;
    } else {
        excavationSide.insert(at, ground);
    }
}

const TExcavationSideSettings* TWallSettings::ExcavationSide(int stage) const
{
    for (const TExcavationSideSettings& g : excavationSide)
        if (g.stage == stage)
            return &g;
    return nullptr;
}

const TWallFrictionSettings* TWallSettings::WallFriction(int layer) const
{
    for (const TWallFrictionSettings& w : wallFriction)
        if (w.layer == layer)
            return &w;
    return nullptr;
}

bool TWallSettings::SurchargePermanent(int row) const
{
    return std::binary_search(permanentSurcharges.begin(), permanentSurcharges.end(), row);
}

bool TWallSettings::LoadPermanent(int node) const
{
    return std::binary_search(permanentLoads.begin(), permanentLoads.end(), node);
}

TWallSettings TWallSettings::InFileUnits(UnitSystem system) const
{
    // English data files hold pounds and inches.
    auto factor = [system](const char* dimension) {
        return static_cast<double>(ConversionFactor(UnitSystem::SI, system, dimension));
    };
    TWallSettings s = *this;
    for (TAnchorSettings& a : s.anchors) {
        a.prestress *= factor("F/L");
        a.spacing *= factor("L");
        a.capacity *= factor("F");
        a.freeLength *= factor("L");
        a.fixedLength *= factor("L");
    }
    s.excavation.width *= factor("L");
    s.excavation.length *= factor("L");
    for (TSectionSettings& t : s.sections) {
        t.sectionModulus *= factor("L^3");
        t.yieldStrength *= factor("F/L^2");
        t.shearArea *= factor("L^2");
    }
    for (TStageWater& w : s.water.stages)
        for (std::vector<TPorePoint>* table : {&w.retained, &w.excavation})
            for (TPorePoint& p : *table) {
                p.depth *= factor("L");
                p.pressure *= factor("F/L^2");
            }
    for (TExcavationSideSettings& g : s.excavationSide) {
        g.topWidth *= factor("L");
        g.height *= factor("L");
    }
    return s;
}

double ForcePerAnchor(double forcePerWidth, const TAnchorSettings& anchor)
{
    return forcePerWidth * anchor.spacing / std::cos(Radians(anchor.inclination));
}

double VerticalForcePerWidth(double forcePerWidth, const TAnchorSettings& anchor)
{
    return forcePerWidth * std::tan(Radians(anchor.inclination));
}

std::string SettingsPathFor(const std::string& dataFile)
{
    const size_t slash = dataFile.find_last_of("/\\");
    const size_t dot = dataFile.find_last_of('.');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasExtension ? dataFile.substr(0, dot) : dataFile) + ".tk4s";
}

std::string SettingsText(const TWallSettings& settings)
{
    json j;
    j[kKind] = kVersion;
    j["springs_act_from_installation_stage"] = settings.springsFromInstallation;
    j["limit_soil_resistance_to_passive"] = settings.limitToPassive;
    // Written only when on, so that the files of walls without them stay as they were.
    if (settings.lockOffAsBuilt)
        j["lock_off_as_built"] = true;
    if (settings.soilBehindResists)
        j["soil_behind_resists"] = true;
    j["limit_equilibrium_in_verdict"] = settings.limitEquilibriumInVerdict;
    j["target_safety_factor"] = settings.targetSafetyFactor;
    j["anchors"] = json::array();
    for (const TAnchorSettings& a : settings.anchors)
        j["anchors"].push_back(AnchorJson(a));
    j["sections"] = json::array();
    for (const TSectionSettings& s : settings.sections)
        j["sections"].push_back(SectionJson(s));
    WriteDesignKeys(j, settings);
    // Written only for a wall with friction, so that other walls' files stay as they were.
    json friction = json::array();
    for (const TWallFrictionSettings& w : settings.wallFriction)
        if (w.frictionRatio != 0 || w.adhesionRatio != 0)
            friction.push_back(WallFrictionJson(w));
    if (!friction.empty())
        j["wall_friction"] = friction;
    // Also only where the wall has them.
    if (!settings.water.stages.empty()) {
        json water = json::array();
        for (const TStageWater& w : settings.water.stages)
            water.push_back(StageWaterJson(w));
        j["water_regimes"] = water;
    }
    if (settings.water.factors != THydraulicFactors{})
        j["hydraulic_heave_factors"] = HydraulicFactorsJson(settings.water.factors);
    // Written only where a stage has a berm or a slope, for the same reason.
    for (const TExcavationSideSettings& g : settings.excavationSide)
        j["excavation_side"].push_back(ExcavationSideJson(g));
    return j.dump(2) + "\n";
}

TWallSettings ParseSettings(const std::string& text, const std::string& name)
{
    if (text.size() > kMaxSettingsBytes)
        throw EInOutError("The settings file " + name + " cannot be used: it holds " + std::to_string(text.size()) +
                          " bytes, more than the " + std::to_string(kMaxSettingsBytes) + " a settings file may hold.");
    // A first pass that builds nothing finds where the text goes wrong, a
    // number out of range included (which the library reports without a place).
    Validation check;
    json::sax_parse(text, &check);
    if (!check.problem.empty())
        throw EInOutError("The settings file " + name + " is damaged at line " +
                          std::to_string(LineOf(text, check.position > 0 ? check.position - 1 : 0)) + ": " +
                          check.problem + ".");
    json j;
    try {
        j = json::parse(text);
    } catch (const json::exception&) {
        throw EInOutError("The settings file " + name + " is damaged: it is not valid JSON.");
    }
    try {
        return SettingsFrom(j, text);
    } catch (const SettingsFault& f) {
        const std::string where = f.line > 0 ? " at line " + std::to_string(f.line) : std::string();
        throw EInOutError("The settings file " + name + " cannot be used" + where + ": " + f.what + ".");
    } catch (const json::exception& e) {
        throw EInOutError("The settings file " + name + " cannot be used: " + e.what() + ".");
    }
}

TSettingsRead ReadSettingsBeside(const std::string& dataFile)
{
    TSettingsRead read;
    const std::string path = SettingsPathFor(dataFile);
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error || !std::filesystem::exists(status))
        return read;
    read.found = true;
    if (std::filesystem::is_directory(status)) {
        read.problem = "The settings file " + path + " cannot be used: it is a folder.";
        return read;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        read.problem = "The settings file " + path + " cannot be read: " + std::strerror(errno) + ".";
        return read;
    }
    // Never more than one byte past what a settings file may hold: a huge
    // file is refused without being read whole.
    std::string text(kMaxSettingsBytes + 1, '\0');
    in.read(&text[0], static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    if (text.size() > kMaxSettingsBytes) {
        const auto size = std::filesystem::file_size(path, error);
        read.problem = "The settings file " + path + " cannot be used: it holds " +
                       (error ? "more than " + std::to_string(kMaxSettingsBytes) : std::to_string(size)) +
                       " bytes, more than the " + std::to_string(kMaxSettingsBytes) + " a settings file may hold.";
        return read;
    }
    try {
        read.settings = ParseSettings(text, path);
    } catch (const std::exception& e) {
        read.problem = e.what();
    }
    return read;
}
