#include "model/WallState.h"

#include "model/AtomicFile.h"
#include "model/BlockReader.h"
#include "model/ProgramData.h"
#include "model/StageFiles.h"
#include "model/WallDocument.h"
#include "model/WallSettings.h"
#include "model/WallTableRows.h"
#include "model/WordReader.h"
#include "tables/GridTable.h"
#include "tables/WallTables.h"
#include "units/NumberFormat.h"
#include "units/TorvikError.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>
#include <vector>

namespace {

constexpr int kMaxStages = 5;

// The options a state keeps beside the files, in the order they are written.
// The two empty places hold whether the earth pressure is the user's and
// whether it is generated: they follow from the kind, and are kept so that
// recovery records keep their layout.
bool TProgramData::*const kOptions[] = {
    &TProgramData::UseRestraints,     &TProgramData::UseConcentratedLoads, &TProgramData::UseSprings,
    &TProgramData::UsePyModifiers,    &TProgramData::UseExternalPyCurves,  &TProgramData::UseMeiCurves,
    &TProgramData::UseSurcharge,      nullptr,                             nullptr,
    &TProgramData::GeneratePyCurves,  &TProgramData::LongTermAnalysis,
};
constexpr std::size_t kUserPressureFlag = 7;

bool OptionFlag(const TProgramData& wall, std::size_t i)
{
    if (bool TProgramData::*option = kOptions[i])
        return wall.*option;
    const TEarthPressure kind = wall.EarthPressureKind;
    return i == kUserPressureFlag ? UsesUserPressure(kind) : GeneratesPressure(kind);
}

std::string FileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw EInOutError("The file \"" + path + "\" could not be read.");
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Each text is written as its length on a line of its own and then its bytes.
void AppendText(std::string& out, const std::string& text)
{
    out += std::to_string(text.size()) + "\n" + text;
}

std::string NextText(std::istream& in)
{
    std::size_t size = 0;
    if (!(in >> size) || in.get() != '\n')
        throw EInOutError("The undo state is damaged.");
    std::string text(size, '\0');
    if (!in.read(&text[0], static_cast<std::streamsize>(size)))
        throw EInOutError("The undo state is damaged.");
    return text;
}

// The wall's real scalars, which the files keep to 8 digits only: the state
// keeps them exactly too, so that Undo puts back the very value (a converted
// one, 208.854076728..., and not 208.85408).
std::vector<long double*> ExactScalars(TProgramData& w)
{
    TLegacySurcharge& s = w.LegacySurcharge;
    return {&w.IncrementLength,
            &w.MaxDeflection,
            &w.ClosureTolerance,
            &w.WallHeight,
            &w.ActiveWidth,
            &w.PyWidth,
            &w.WaterDepthBackfill,
            &w.WaterDepthExcavation,
            &w.ActivePressureFactor,
            &w.BackfillSlope,
            &w.TopSurcharge,
            &s.Distance,
            &s.PointLoad,
            &s.LineLoad,
            &s.StripLoad,
            &s.StripWidth};
}

// A real as sign, integer mantissa and binary exponent: exact for every
// long double, and free of the locale's decimal separator.
std::string ExactText(long double v)
{
    if (v == 0 || !std::isfinite(v))
        return "0 0 0";
    int exponent = 0;
    const long double fraction = std::frexp(v < 0 ? -v : v, &exponent);
    const auto mantissa = static_cast<unsigned long long>(std::ldexp(fraction, 64));
    return std::string(v < 0 ? "-1 " : "1 ") + std::to_string(mantissa) + " " + std::to_string(exponent);
}

long double ReadExact(std::istream& in)
{
    int sign = 0, exponent = 0;
    unsigned long long mantissa = 0;
    if (!(in >> sign >> mantissa >> exponent))
        throw EInOutError("The undo state is damaged.");
    return sign * std::ldexp(static_cast<long double>(mantissa), exponent - 64);
}

void ReadUnstaged(TProgramData& wall, const std::string& text)
{
    EmptyAllTables(wall.Document().Tables());
    // The reader expects English tables, as for a file being opened.
    wall.SwitchUnits(UnitSystem::English);
    wall.LongTermAnalysis = false;
    TWordReader reader = TWordReader::FromText(text);
    ReadDataFileBlocks(wall, reader, TFileLayout::Current);
    wall.Padding = PadToMinRows(wall.Document().Tables());
}

void ReadStaged(TProgramData& wall, std::istream& in, int count, int current)
{
    for (int k = 1; k <= count; ++k)
        WriteFileAtomically(StageWorkPath(wall, k), NextText(in));
    for (int k = count + 1; k <= kMaxStages; ++k) {
        std::error_code error;
        std::filesystem::remove(StageWorkPath(wall, k), error);
    }
    wall.StageCount = count;
    wall.CurrentStage = current;
    LoadStage(wall);
}

// A table the state had with fewer rows than its least (an option's table
// never opened) gets them back so; the reader padded it.
void KeepRows(TProgramData& wall, const int* rows)
{
    for (int i = 0; i < WallTables::Count; ++i) {
        TGridTable& table = wall.Document().Tables().Table(i);
        if (rows[i] < table.RowCount() && rows[i] < table.MinRows())
            table.SetRowCount(rows[i]);
    }
}

// The files of the wall as a state holds them: the working copy of every
// stage, or the data file of an unstaged wall.
std::string FilesPart(TProgramData& wall)
{
    std::string files;
    if (wall.StageCount > 1) {
        // The current stage as its working copy would hold it, without writing
        // it: a write that reaches the disk on every change would hold up typing.
        for (int k = 1; k <= wall.StageCount; ++k)
            AppendText(files, k == wall.CurrentStage ? StageFileText(wall) : FileText(StageWorkPath(wall, k)));
    } else {
        AppendText(files, wall.DataFileText());
    }
    return files;
}

}  // namespace

std::string TakeWallState(TProgramData& wall)
{
    // Writing the files prepares the tables as saving does (a switched-off
    // option's table loses its rows): the rows are counted after it, or the
    // state first taken of a wall would differ from every later one.
    const std::string files = FilesPart(wall);
    std::string state = std::to_string(wall.StageCount) + " " + std::to_string(wall.CurrentStage) + " " +
                        std::to_string(EarthPressureCode(wall.EarthPressureKind));
    for (std::size_t i = 0; i < std::size(kOptions); ++i)
        state += OptionFlag(wall, i) ? " 1" : " 0";
    // The unit system, which the files hold too, in the wall-wide part: a unit switch is no change of one stage.
    state += " " + std::to_string(UnitSystemCode(wall.UnitSystem())) + "\n";
    // The rows the tables hold beyond what the file gives back: the padding
    // the reader added, and the empty tables the reader would pad.
    WallTables& tables = wall.Document().Tables();
    for (int i = 0; i < WallTables::Count; ++i)
        state += std::to_string(tables.Table(i).RowCount()) + " " + std::to_string(wall.Padding.added[i]) + " ";
    state += "\n";
    for (const std::string& blank : wall.Padding.blank)
        AppendText(state, blank);
    AppendText(state, wall.Title);
    state += files;
    AppendText(state, SettingsText(wall.Document().Settings()));
    for (long double* value : ExactScalars(wall))
        state += ExactText(*value) + "\n";
    return state;
}

void RestoreWallState(TProgramData& wall, const std::string& state)
{
    std::istringstream in(state);
    int count = 0, current = 0, kind = 0;
    in >> count >> current >> kind;
    bool options[std::size(kOptions)] = {};
    for (bool& option : options) {
        int flag = 0;
        in >> flag;
        option = flag != 0;
    }
    int units = 0;
    in >> units;
    const std::optional<TEarthPressure> pressure = EarthPressureOfCode(kind);
    if (!in || in.get() != '\n' || count < 1 || count > kMaxStages || current < 1 || current > count || !pressure)
        throw EInOutError("The undo state is damaged.");
    int rows[WallTables::Count] = {};
    TablePadding padding;
    for (int i = 0; i < WallTables::Count; ++i)
        in >> rows[i] >> padding.added[i];
    if (!in || in.get() != ' ' || in.get() != '\n')
        throw EInOutError("The undo state is damaged.");
    for (std::string& blank : padding.blank)
        blank = NextText(in);
    const std::string title = NextText(in);
    const bool modified = wall.Document().IsModified();
    if (count > 1)
        ReadStaged(wall, in, count, current);
    else {
        wall.StageCount = 1;
        wall.CurrentStage = 1;
        ReadUnstaged(wall, NextText(in));
    }
    wall.Document().SetSettings(ParseSettings(NextText(in), "of the undo state"));
    // The exact scalars replace the file's 8 digits of the same values.
    for (long double* value : ExactScalars(wall)) {
        const long double exact = ReadExact(in);
        if (FormatFloat8(exact) == FormatFloat8(*value))
            *value = exact;
    }
    KeepRows(wall, rows);
    wall.Padding = padding;
    wall.Document().SetModified(modified);
    wall.Title = title;
    wall.EarthPressureKind = *pressure;
    for (std::size_t i = 0; i < std::size(kOptions); ++i)
        if (kOptions[i])
            wall.*kOptions[i] = options[i];
}

namespace {

// The parts of a state that say whether a change belongs to one stage.
struct TStateParts {
    std::string header;  // stage count, current stage, kind and options
    std::string wallWide;  // the title and the settings
    std::vector<std::string> stages;  // the working copy of every stage (one text when unstaged)
    std::string exact;  // the exact scalars, the current stage's
};

TStateParts SplitState(const std::string& state)
{
    std::istringstream in(state);
    TStateParts parts;
    std::string rows;
    if (!std::getline(in, parts.header) || !std::getline(in, rows))
        throw EInOutError("The undo state is damaged.");
    int count = 0;
    std::istringstream(parts.header) >> count;
    for (std::size_t i = 0; i < TablePadding().blank.size(); ++i)
        NextText(in);
    parts.wallWide = NextText(in);
    for (int k = 0; k < std::max(count, 1); ++k)
        parts.stages.push_back(count > 1 || k == 0 ? NextText(in) : std::string());
    parts.wallWide += NextText(in);
    parts.exact.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return parts;
}

}  // namespace

bool ChangeWithinStage(const std::string& before, const std::string& after)
{
    try {
        const TStateParts a = SplitState(before);
        const TStateParts b = SplitState(after);
        const int current = StateStage(after);
        if (a.header != b.header || a.wallWide != b.wallWide || a.stages.size() < 2 ||
            a.stages.size() != b.stages.size())
            return false;
        for (std::size_t k = 0; k < a.stages.size(); ++k)
            if (static_cast<int>(k) + 1 != current && a.stages[k] != b.stages[k])
                return false;
        return true;
    } catch (const TorvikError&) {
        return false;
    }
}

int StateStage(const std::string& state)
{
    std::istringstream in(state);
    int count = 0, current = 1;
    in >> count >> current;
    return current;
}
