#include "model/WallSettings.h"

#include "units/TorvikError.h"
#include "units/Units.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

using nlohmann::json;

namespace {

constexpr const char* kKind = "torvik_wall_settings";
constexpr int kVersion = 1;
constexpr double kPi = 3.14159265358979323846;

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

double Radians(double degrees) { return degrees * kPi / 180; }

json AnchorJson(const TAnchorSettings& a)
{
    return {{"node", a.node},
            {"prestress_kN_per_m", a.prestress},
            {"spacing_m", a.spacing},
            {"inclination_deg", a.inclination},
            {"vertical_component_as_axial_load", a.axialLoad},
            {"capacity_kN", a.capacity}};
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

// Reads one value when it is there; a value of the wrong kind is an error.
template <class T>
void Take(const json& object, const char* key, T& value)
{
    auto it = object.find(key);
    if (it != object.end())
        value = it->template get<T>();
}

void Require(bool condition, const std::string& what)
{
    if (!condition)
        throw std::invalid_argument(what);
}

TAnchorSettings AnchorFrom(const json& j)
{
    TAnchorSettings a;
    Require(j.is_object() && j.contains("node"), "an anchor needs its \"node\"");
    Take(j, "node", a.node);
    Take(j, "prestress_kN_per_m", a.prestress);
    Take(j, "spacing_m", a.spacing);
    Take(j, "inclination_deg", a.inclination);
    Take(j, "vertical_component_as_axial_load", a.axialLoad);
    Take(j, "capacity_kN", a.capacity);
    Require(a.node >= 0, "the node of an anchor must not be negative");
    Require(std::isfinite(a.prestress), "the prestress of the anchor at node " + std::to_string(a.node) + " is not a number");
    Require(a.spacing > 0 && std::isfinite(a.spacing), "the spacing of the anchor at node " + std::to_string(a.node) + " must be greater than 0");
    Require(a.inclination > -90 && a.inclination < 90, "the inclination of the anchor at node " + std::to_string(a.node) + " must lie between -90 and 90 degrees");
    Require(a.capacity >= 0 && std::isfinite(a.capacity), "the capacity of the anchor at node " + std::to_string(a.node) + " must not be negative");
    return a;
}

TSectionSettings SectionFrom(const json& j)
{
    TSectionSettings s;
    Require(j.is_object() && j.contains("node"), "a section needs its \"node\"");
    Take(j, "node", s.node);
    Take(j, "name", s.name);
    Take(j, "section_modulus_m3", s.sectionModulus);
    Take(j, "yield_strength_kPa", s.yieldStrength);
    Take(j, "shear_area_m2", s.shearArea);
    Take(j, "corrosion_loss_percent", s.corrosionLoss);
    const std::string at = " of the section at node " + std::to_string(s.node);
    Require(s.node >= 0, "the node of a section must not be negative");
    Require(s.sectionModulus >= 0 && std::isfinite(s.sectionModulus), "the section modulus" + at + " must not be negative");
    Require(s.yieldStrength >= 0 && std::isfinite(s.yieldStrength), "the yield strength" + at + " must not be negative");
    Require(s.shearArea >= 0 && std::isfinite(s.shearArea), "the shear area" + at + " must not be negative");
    Require(s.corrosionLoss >= 0 && s.corrosionLoss < 100, "the corrosion loss" + at + " must lie from 0 to below 100 percent");
    return s;
}

// The line of a byte offset in a text (1 for the first).
int LineOf(const std::string& text, size_t offset)
{
    offset = std::min(offset, text.size());
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<long>(offset), '\n'));
}

// The line of a key's first appearance (0 when absent).
int LineOfKey(const std::string& text, const std::string& key)
{
    const size_t at = text.find("\"" + key + "\"");
    return at == std::string::npos ? 0 : LineOf(text, at);
}

// The line where entry `index` (from 0) of the array `key` begins (0 when not found).
int LineOfEntry(const std::string& text, const std::string& key, size_t index)
{
    size_t at = text.find("\"" + key + "\"");
    for (size_t i = 0; at != std::string::npos && i <= index; ++i)
        at = text.find('{', at + 1);
    return at == std::string::npos ? 0 : LineOf(text, at);
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
        } catch (const std::exception& e) {
            throw SettingsFault{LineOfEntry(text, key, i), e.what()};
        }
    }
}

TWallSettings SettingsFrom(const json& j, const std::string& text)
{
    if (!j.is_object())
        throw SettingsFault{1, "it is not a JSON object"};
    const json version = j.value(kKind, json());
    if (!version.is_number_integer() || version.get<int>() < 1)
        throw SettingsFault{1, std::string("it has no \"") + kKind + "\" version"};
    if (version.get<int>() > kVersion)
        throw SettingsFault{LineOfKey(text, kKind), "it was written by a newer version of the program"};
    TWallSettings s;
    try {
        Take(j, "springs_act_from_installation_stage", s.springsFromInstallation);
        Take(j, "limit_soil_resistance_to_passive", s.limitToPassive);
        Take(j, "limit_equilibrium_in_verdict", s.limitEquilibriumInVerdict);
        Take(j, "target_safety_factor", s.targetSafetyFactor);
        Require(s.targetSafetyFactor >= 1 && std::isfinite(s.targetSafetyFactor),
                "the target safety factor must be at least 1");
    } catch (const std::exception& e) {
        throw SettingsFault{LineOfKey(text, "target_safety_factor"), e.what()};
    }
    ReadEntries(j, text, "anchors", [&s](const json& a) { s.Set(AnchorFrom(a)); });
    ReadEntries(j, text, "sections", [&s](const json& t) { s.Set(SectionFrom(t)); });
    return s;
}

// nlohmann's messages start with "[json.exception....] ": keep the plain part.
std::string Plain(std::string what)
{
    const size_t bracket = what.find("] ");
    if (what.rfind("[json.exception", 0) == 0 && bracket != std::string::npos)
        return "a value has the wrong kind (" + what.substr(bracket + 2) + ")";
    return what;
}

}  // namespace

bool TAnchorSettings::operator==(const TAnchorSettings& o) const
{
    return node == o.node && prestress == o.prestress && spacing == o.spacing && inclination == o.inclination &&
           axialLoad == o.axialLoad && capacity == o.capacity;
}

bool TSectionSettings::operator==(const TSectionSettings& o) const
{
    return node == o.node && name == o.name && sectionModulus == o.sectionModulus &&
           yieldStrength == o.yieldStrength && shearArea == o.shearArea && corrosionLoss == o.corrosionLoss;
}

bool TWallSettings::operator==(const TWallSettings& o) const
{
    return springsFromInstallation == o.springsFromInstallation && limitToPassive == o.limitToPassive &&
           limitEquilibriumInVerdict == o.limitEquilibriumInVerdict && targetSafetyFactor == o.targetSafetyFactor &&
           anchors == o.anchors && sections == o.sections;
}

TWallSettings TWallSettings::ForNewWall()
{
    TWallSettings s;
    s.springsFromInstallation = true;
    s.limitToPassive = true;
    return s;
}

bool TWallSettings::IsDefault() const
{
    const TWallSettings plain = Defaults();
    if (springsFromInstallation != plain.springsFromInstallation || limitToPassive != plain.limitToPassive ||
        limitEquilibriumInVerdict != plain.limitEquilibriumInVerdict || targetSafetyFactor != plain.targetSafetyFactor)
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
    return true;
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

TWallSettings TWallSettings::InFileUnits(int unitSystem) const
{
    // English data files hold pounds and inches.
    const int system = NormalizeUnitSystem(unitSystem);
    auto factor = [system](const char* dimension) {
        return static_cast<double>(ConversionFactor(UnitsSI, system, dimension));
    };
    TWallSettings s = *this;
    for (TAnchorSettings& a : s.anchors) {
        a.prestress *= factor("F/L");
        a.spacing *= factor("L");
        a.capacity *= factor("F");
    }
    for (TSectionSettings& t : s.sections) {
        t.sectionModulus *= factor("L^3");
        t.yieldStrength *= factor("F/L^2");
        t.shearArea *= factor("L^2");
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
    j["limit_equilibrium_in_verdict"] = settings.limitEquilibriumInVerdict;
    j["target_safety_factor"] = settings.targetSafetyFactor;
    j["anchors"] = json::array();
    for (const TAnchorSettings& a : settings.anchors)
        j["anchors"].push_back(AnchorJson(a));
    j["sections"] = json::array();
    for (const TSectionSettings& s : settings.sections)
        j["sections"].push_back(SectionJson(s));
    return j.dump(2) + "\n";
}

TWallSettings ParseSettings(const std::string& text, const std::string& name)
{
    json j;
    try {
        j = json::parse(text);
    } catch (const json::parse_error& e) {
        throw EInOutError("The settings file " + name + " is damaged at line " +
                          std::to_string(LineOf(text, e.byte > 0 ? e.byte - 1 : 0)) + ": it is not valid JSON.");
    }
    try {
        return SettingsFrom(j, text);
    } catch (const SettingsFault& f) {
        const std::string where = f.line > 0 ? " at line " + std::to_string(f.line) : std::string();
        throw EInOutError("The settings file " + name + " cannot be used" + where + ": " + Plain(f.what) + ".");
    }
}

TSettingsRead ReadSettingsBeside(const std::string& dataFile)
{
    TSettingsRead read;
    const std::string path = SettingsPathFor(dataFile);
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return read;
    read.found = true;
    std::ostringstream text;
    text << in.rdbuf();
    try {
        read.settings = ParseSettings(text.str(), path);
    } catch (const TorvikError& e) {
        read.problem = e.what();
    }
    return read;
}
