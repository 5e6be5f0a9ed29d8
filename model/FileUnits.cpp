#include "model/FileUnits.h"
#include "units/Units.h"

namespace {

struct ColumnFactor {
    const char* table;
    int column;
    FileUnitFactor factor;
};

// English units only. Depths are shown in feet and written in inches; a
// distributed line load is shown per foot and written per inch; unit weights
// are shown per cubic foot and written per cubic inch; cohesions are shown per
// square foot and written per square inch. Rock strengths and moduli are shown
// in psi already and need no factor.
constexpr ColumnFactor kEnglishFactors[] = {
    {"PYMod", 0, {12, 1}},
    {"DistLoad", 0, {12, 1}},
    {"DistLoad", 1, {1, 12}},
    {"LongDist", 0, {12, 1}},
    {"LongDist", 1, {1, 12}},
    {"NewSoil", 1, {12, 1}},
    {"LongSoil", 1, {12, 1}},
    {"TblClay1", 0, {1, 1728}},
    {"TblClay1", 1, {1, 144}},
    {"TblSand1", 0, {1, 1728}},
    {"TblSilt1", 0, {1, 1728}},
    {"TblSilt1", 2, {1, 144}},
    {"TblRock1", 0, {1, 1728}},
    {"TblRock2", 0, {1, 1728}},
};

}  // namespace

FileUnitFactor FileFactor(const std::string& tableName, int column, UnitSystem unitSystem)
{
    if (unitSystem != UnitSystem::English)
        return {};
    for (const ColumnFactor& f : kEnglishFactors)
        if (f.column == column && tableName == f.table)
            return f.factor;
    return {};
}

long double ToFileUnits(long double tableValue, const std::string& tableName, int column, UnitSystem unitSystem)
{
    const FileUnitFactor f = FileFactor(tableName, column, unitSystem);
    return tableValue * f.Multiply / f.Divide;
}

long double FromFileUnits(long double fileValue, const std::string& tableName, int column, UnitSystem unitSystem)
{
    const FileUnitFactor f = FileFactor(tableName, column, unitSystem);
    return fileValue * f.Divide / f.Multiply;
}
