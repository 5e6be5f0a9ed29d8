#include "study/Parameters.h"

#include "engine/SoilLayer.h"
#include "units/TorvikError.h"

#include <algorithm>
#include <set>

namespace study {
namespace {

using engine::SoilParameters;
using Field = double SoilParameters::*;

struct SoilField {
    const char* name;
    Field field;
    bool (*applies)(SoilType);
};

bool Any(SoilType) { return true; }
bool Clay(SoilType t) { return engine::IsClay(t); }
bool Cohesive(SoilType t) { return t == SoilType::Silt; }
bool Frictional(SoilType t) { return t == SoilType::Sand || t == SoilType::Silt; }
bool HasE50(SoilType t) { return engine::IsClay(t) || t == SoilType::Silt; }
bool HasK(SoilType t) { return !engine::IsRock(t); }
bool Rock(SoilType t) { return engine::IsRock(t); }
bool WeakRock(SoilType t) { return t == SoilType::WeakRock; }

// The soil parameters a study can vary, by the kinds of soil that have them.
const SoilField kSoilFields[] = {
    {"unit weight", &SoilParameters::unitWeight, Any},
    {"undrained shear strength", &SoilParameters::cohesion, Clay},
    {"cohesion", &SoilParameters::cohesion, Cohesive},
    {"friction angle", &SoilParameters::frictionAngle, Frictional},
    {"e50", &SoilParameters::e50, HasE50},
    {"k", &SoilParameters::kpy, HasK},
    {"compressive strength", &SoilParameters::compressiveStrength, Rock},
    {"rock modulus", &SoilParameters::rockModulus, WeakRock},
};

// The layer's field set to `value` at its top, its bottom scaled by the same
// ratio (set to `value` as well where the top is 0).
void SetSoil(engine::SoilLayer& layer, Field field, double value)
{
    const double top = layer.top.*field;
    layer.bottom.*field = top != 0 ? layer.bottom.*field * (value / top) : value;
    layer.top.*field = value;
}

std::string Force(const engine::UnitLabels& u)
{
    return u.forcePerLength.substr(0, u.forcePerLength.find('/'));
}

// The From nodes of the wall's spring rows in every stage, rising: anchor k is the k-th.
std::vector<int> AnchorNodes(const StudyWall& wall)
{
    std::set<int> nodes;
    for (const WallFileBlock& b : wall.blocks)
        for (const RangeRow& r : b.block.springs)
            nodes.insert(r.from);
    return {nodes.begin(), nodes.end()};
}

// The prestress of one unit in the settings (SI) in the data file's units.
double PrestressScale(UnitSystem system)
{
    TWallSettings one;
    one.AnchorAt(1).prestress = 1;
    return one.InFileUnits(system).anchors.front().prestress;
}

void AddSoil(std::vector<Accessor>& out, const StudyWall& wall, const engine::UnitLabels& u)
{
    const WallBlock& first = wall.blocks.front().block;
    for (std::size_t i = 0; i < first.layers.size(); ++i) {
        for (const SoilField& f : kSoilFields) {
            if (!f.applies(first.layers[i].type))
                continue;
            const std::string unit = f.field == &SoilParameters::frictionAngle ? "deg"
                                     : f.field == &SoilParameters::unitWeight || f.field == &SoilParameters::kpy
                                         ? u.unitWeight
                                     : f.field == &SoilParameters::e50 ? ""
                                                                       : u.stress;
            const Field field = f.field;
            out.push_back({"layer " + std::to_string(i + 1) + " " + f.name, unit,
                           [i, field](const StudyWall& w) { return w.blocks.front().block.layers[i].top.*field; },
                           [i, field](StudyWall& w, double v) {
                               for (WallFileBlock& b : w.blocks)
                                   if (i < b.block.layers.size())
                                       SetSoil(b.block.layers[i], field, v);
                           }});
        }
    }
}

void AddSections(std::vector<Accessor>& out, const StudyWall& wall, const engine::UnitLabels& u)
{
    const WallBlock& first = wall.blocks.front().block;
    for (std::size_t i = 0; i < first.stiffness.size(); ++i) {
        if (first.stiffness[i].values.empty())
            continue;
        out.push_back({"section " + std::to_string(i + 1) + " EI", Force(u) + "-" + u.length + "^2",
                       [i](const StudyWall& w) { return w.blocks.front().block.stiffness[i].values[0]; },
                       [i](StudyWall& w, double v) {
                           for (WallFileBlock& b : w.blocks)
                               if (i < b.block.stiffness.size() && !b.block.stiffness[i].values.empty())
                                   b.block.stiffness[i].values[0] = v;
                       }});
    }
}

void AddLoads(std::vector<Accessor>& out, const engine::UnitLabels& u)
{
    out.push_back({"surcharge q", u.stress, [](const StudyWall& w) { return w.blocks.front().block.topSurcharge; },
                   [](StudyWall& w, double v) {
                       for (WallFileBlock& b : w.blocks)
                           b.block.topSurcharge = v;
                   }});
    out.push_back({"water depth behind", u.length,
                   [](const StudyWall& w) { return w.blocks.front().block.waterDepthBackfill; },
                   [](StudyWall& w, double v) {
                       for (WallFileBlock& b : w.blocks)
                           b.block.waterDepthBackfill = v;
                   }});
    out.push_back({"water depth in front", u.length,
                   [](const StudyWall& w) { return w.blocks.front().block.waterDepthExcavation; },
                   [](StudyWall& w, double v) {
                       for (WallFileBlock& b : w.blocks)
                           b.block.waterDepthExcavation = v;
                   }});
}

// The lateral force of each row of the concentrated-load table, by its order.
void AddPointLoads(std::vector<Accessor>& out, const StudyWall& wall, const engine::UnitLabels& u)
{
    const WallBlock& first = wall.blocks.front().block;
    for (std::size_t i = 0; i < first.loads.size(); ++i) {
        if (first.loads[i].values.empty())
            continue;
        out.push_back({"load " + std::to_string(i + 1) + " force", Force(u),
                       [i](const StudyWall& w) { return w.blocks.front().block.loads[i].values[0]; },
                       [i](StudyWall& w, double v) {
                           for (WallFileBlock& b : w.blocks)
                               if (i < b.block.loads.size() && !b.block.loads[i].values.empty())
                                   b.block.loads[i].values[0] = v;
                       }});
    }
}

void AddStages(std::vector<Accessor>& out, const StudyWall& wall, const engine::UnitLabels& u)
{
    for (std::size_t s = 0; s < wall.blocks.size(); ++s)
        out.push_back({"excavation depth of stage " + std::to_string(s + 1), u.length,
                       [s](const StudyWall& w) { return w.blocks[s].block.wallHeight; },
                       [s](StudyWall& w, double v) { w.blocks[s].block.wallHeight = v; }});
}

const RangeRow* SpringRow(const WallBlock& block, int node)
{
    for (const RangeRow& r : block.springs)
        if (r.from == node && !r.values.empty())
            return &r;
    return nullptr;
}

void AddAnchors(std::vector<Accessor>& out, const StudyWall& wall, const engine::UnitLabels& u)
{
    const std::vector<int> nodes = AnchorNodes(wall);
    const double scale = PrestressScale(wall.blocks.front().block.unitSystem);
    for (std::size_t k = 0; k < nodes.size(); ++k) {
        const int node = nodes[k];
        const std::string name = "anchor " + std::to_string(k + 1);
        out.push_back({name + " stiffness", u.stress,
                       [node](const StudyWall& w) {
                           for (const WallFileBlock& b : w.blocks)
                               if (const RangeRow* r = SpringRow(b.block, node))
                                   return r->values[0];
                           return 0.0;
                       },
                       [node](StudyWall& w, double v) {
                           for (WallFileBlock& b : w.blocks)
                               for (RangeRow& r : b.block.springs)
                                   if (r.from == node && !r.values.empty())
                                       r.values[0] = v;
                       }});
        out.push_back({name + " prestress", u.forcePerLength,
                       [node, scale](const StudyWall& w) {
                           const TAnchorSettings* a = w.settings.Anchor(node);
                           return a ? a->prestress * scale : 0.0;
                       },
                       [node, scale](StudyWall& w, double v) { w.settings.AnchorAt(node).prestress = v / scale; }});
    }
}

}  // namespace

std::vector<Accessor> Accessors(const StudyWall& wall)
{
    std::vector<Accessor> out;
    if (wall.blocks.empty())
        return out;
    const engine::UnitLabels u = engine::UnitLabelsFor(wall.blocks.front().block.unitSystem);
    AddSoil(out, wall, u);
    AddSections(out, wall, u);
    AddLoads(out, u);
    AddPointLoads(out, wall, u);
    AddStages(out, wall, u);
    AddAnchors(out, wall, u);
    return out;
}

std::vector<const Accessor*> AccessorsOf(const StudyDefinition& study, const std::vector<Accessor>& all)
{
    std::vector<const Accessor*> found;
    for (const Parameter& p : study.parameters) {
        const auto at =
            std::find_if(all.begin(), all.end(), [&p](const Accessor& a) { return a.address == p.address; });
        if (at == all.end())
            throw TorvikError("The wall has no parameter \"" + p.address + "\" to vary.");
        found.push_back(&*at);
    }
    return found;
}

std::vector<int> AnchorNodesOf(const StudyWall& wall)
{
    return AnchorNodes(wall);
}

StudyWall ReadStudyWall(const std::string& dataFile)
{
    StudyWall wall;
    wall.blocks = WallFileReader::Read(dataFile);
    if (wall.blocks.empty())
        throw TorvikError("The wall " + dataFile + " has no stage to analyse.");
    const TSettingsRead read = ReadSettingsBeside(dataFile);
    // A study of a wall whose settings were silently dropped would vary the wrong wall.
    if (!read.problem.empty())
        throw TorvikError(read.problem);
    wall.settings = read.settings;
    return wall;
}

std::vector<ParameterAddress> ParameterAddresses(const StudyWall& wall)
{
    std::vector<ParameterAddress> out;
    for (const Accessor& a : Accessors(wall))
        out.push_back({a.address, a.get(wall), a.unit});
    return out;
}

StudyDefinition ResolveParameters(const StudyDefinition& study, const StudyWall& wall)
{
    const std::vector<Accessor> all = Accessors(wall);
    const std::vector<const Accessor*> found = AccessorsOf(study, all);
    StudyDefinition resolved = study;
    for (std::size_t i = 0; i < found.size(); ++i) {
        Parameter& p = resolved.parameters[i];
        const double value = found[i]->get(wall);
        if (study.kind == StudyKind::Sensitivity && !p.base)
            p.base = value;
        if (p.percent) {
            p.low = value * (1 - *p.percent / 100);
            p.high = value * (1 + *p.percent / 100);
            p.percent.reset();
        }
    }
    return resolved;
}

StudyWall WithInputs(const StudyDefinition& study, const StudyWall& wall, const std::vector<double>& inputs)
{
    const std::vector<Accessor> all = Accessors(wall);
    const std::vector<const Accessor*> found = AccessorsOf(study, all);
    StudyWall changed = wall;
    for (std::size_t i = 0; i < found.size() && i < inputs.size(); ++i)
        found[i]->set(changed, inputs[i]);
    return changed;
}

}  // namespace study
