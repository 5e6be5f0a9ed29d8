#include "checks/SectionCatalogue.h"

#include "units/TorvikError.h"
#include "units/Units.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace checks {

// The text of checks/data/sections.csv, compiled in at build time.
extern const char* const kBuiltInSectionsCsv;

namespace {

constexpr double kInch = 0.0254, kFoot = 0.3048, kPound = 0.45359237;
constexpr double kNewtonsPerPound = 4.4482216152605;

std::string Trim(const std::string& s)
{
    const std::size_t a = s.find_first_not_of(" \t\r");
    const std::size_t b = s.find_last_not_of(" \t\r");
    return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
}

// The first nine fields and the rest of the line (the source, which may hold commas).
std::vector<std::string> Fields(const std::string& line)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (int i = 0; i < 8; ++i) {
        const std::size_t comma = line.find(',', start);
        if (comma == std::string::npos)
            break;
        fields.push_back(Trim(line.substr(start, comma - start)));
        start = comma + 1;
    }
    fields.push_back(Trim(line.substr(start)));
    return fields;
}

// The product standards a row may name: European (EN 10248 hot-rolled and
// EN 10249 cold-formed sheet piles, EN 10365 and EN 1993 sections) and American
// (AISC shapes, ASTM products).
bool IsStandard(const std::string& s)
{
    return s.rfind("EN ", 0) == 0 || s == "AISC" || s.rfind("ASTM ", 0) == 0;
}

class RowReader {
public:
    RowReader(const std::string& origin, int line) : where_(origin + ", line " + std::to_string(line)) {}

    double Positive(const std::string& text, const char* item) const
    {
        char* end = nullptr;
        errno = 0;
        const double v = std::strtod(text.c_str(), &end);
        if (text.empty() || *end != '\0' || errno != 0 || !(v > 0))
            Fail(std::string("the ") + item + " '" + text + "' is not a number above 0");
        return v;
    }
    [[noreturn]] void Fail(const std::string& what) const { throw TorvikError(where_ + ": " + what + "."); }

private:
    std::string where_;
};

CatalogueSection ReadRow(const std::vector<std::string>& f, const RowReader& r)
{
    if (f.size() < 9)
        r.Fail("a row needs name, basis, units, area, mass, inertia, modulus, shear area and source");
    CatalogueSection s;
    s.name = f[0];
    if (s.name.empty())
        r.Fail("the name is empty");
    if (f[1] != "wall" && f[1] != "pile")
        r.Fail("the basis '" + f[1] + "' is neither wall nor pile");
    if (f[2] != "metric" && f[2] != "imperial")
        r.Fail("the units '" + f[2] + "' are neither metric nor imperial");
    s.perPile = f[1] == "pile";
    s.imperial = f[2] == "imperial";
    // Per unit of wall: per m (metric) or per ft (imperial) of wall, turned into per m.
    const double length = s.imperial ? kInch : 0.01;          // in or cm, in m
    const double wallLength = s.perPile ? 1.0 : s.imperial ? kFoot : 1.0;
    const double massUnit = s.imperial ? kPound / (s.perPile ? kFoot : kFoot * kFoot) : 1.0;
    s.area = r.Positive(f[3], "area") * length * length / wallLength;
    s.mass = r.Positive(f[4], "mass") * massUnit;
    s.inertia = r.Positive(f[5], "moment of inertia") * std::pow(length, 4) / wallLength;
    s.modulus = r.Positive(f[6], "section modulus") * std::pow(length, 3) / wallLength;
    if (!f[7].empty())
        s.shearArea = r.Positive(f[7], "shear area") * length * length / wallLength;
    s.source = f[8];
    // An optional product standard ahead of the source: "EN 10248, ArcelorMittal ...".
    const std::size_t comma = s.source.find(',');
    const std::string first = Trim(s.source.substr(0, comma));
    if (comma != std::string::npos && IsStandard(first)) {
        s.standard = first;
        s.source = Trim(s.source.substr(comma + 1));
    }
    if (s.source.empty())
        r.Fail("the source is empty: every row names where its values come from");
    return s;
}

}  // namespace

double CatalogueSection::YoungsModulus() const
{
    constexpr double kEuropean = 210e9;                                       // EN 1993-1-1, 3.2.6
    const double american = 29000e3 * kNewtonsPerPound / (kInch * kInch);  // 29,000 ksi (AISC)
    if (standard.empty())
        return imperial ? american : kEuropean;
    return standard.rfind("EN ", 0) == 0 ? kEuropean : american;
}

std::vector<CatalogueSection> ReadSectionCatalogue(const std::string& text, const std::string& origin)
{
    std::vector<CatalogueSection> sections;
    std::istringstream in(text);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        line = Trim(line);
        if (line.empty() || line[0] == '#')
            continue;
        sections.push_back(ReadRow(Fields(line), RowReader(origin, number)));
    }
    return sections;
}

const std::vector<CatalogueSection>& BuiltInSections()
{
    static const std::vector<CatalogueSection> sections = ReadSectionCatalogue(kBuiltInSectionsCsv, "sections.csv");
    return sections;
}

SectionInWallUnits InWallUnits(const CatalogueSection& s, UnitSystem unitSystem)
{
    const double ei = s.YoungsModulus() * s.inertia;  // N m^2 (per m of wall, or per pile)
    SectionInWallUnits out;
    if (unitSystem == UnitSystem::SI) {
        out.ei = ei / 1000;
        out.modulus = s.modulus;
        out.shearArea = s.shearArea;
        return out;
    }
    if (unitSystem != UnitSystem::English)
        throw TorvikError("The section catalogue gives EI and W for English and SI walls only.");
    // Per ft of wall for sheet piles; lb in^2, in^3, in^2.
    const double perWall = s.perPile ? 1.0 : kFoot;
    out.ei = ei * perWall / kNewtonsPerPound / (kInch * kInch);
    out.modulus = s.modulus * perWall / std::pow(kInch, 3);
    if (s.shearArea)
        out.shearArea = *s.shearArea * perWall / (kInch * kInch);
    return out;
}

}  // namespace checks
