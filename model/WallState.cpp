#include "model/WallState.h"

#include "model/AtomicFile.h"
#include "model/BlockReader.h"
#include "model/WallDocument.h"
#include "model/ProgramData.h"
#include "model/StageFiles.h"
#include "model/WallSettings.h"
#include "model/WallTableRows.h"
#include "model/WordReader.h"
#include "tables/GridTable.h"
#include "tables/WallTables.h"
#include "units/TorvikError.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>

namespace {

constexpr int kMaxStages = 5;

// The options a state keeps beside the files, in the order they are written.
bool TProgramData::*const kOptions[] = {
    &TProgramData::UseRestraints,     &TProgramData::UseConcentratedLoads, &TProgramData::UseSprings,
    &TProgramData::UsePyModifiers,    &TProgramData::UseExternalPyCurves,  &TProgramData::UseMeiCurves,
    &TProgramData::UseSurcharge,      &TProgramData::UserEarthPressure,    &TProgramData::GeneratedEarthPressure,
    &TProgramData::GeneratePyCurves,  &TProgramData::LongTermAnalysis,
};

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

void ReadUnstaged(TProgramData& wall, const std::string& text)
{
    EmptyAllTables(wall.Document().Tables());
    // The reader expects English tables, as for a file being opened.
    wall.SwitchUnits(1);
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

}  // namespace

std::string TakeWallState(TProgramData& wall)
{
    std::string state = std::to_string(wall.StageCount) + " " + std::to_string(wall.CurrentStage) + " " +
                        std::to_string(wall.EarthPressureKind);
    for (bool TProgramData::*option : kOptions)
        state += (wall.*option) ? " 1" : " 0";
    state += "\n";
    // The rows the tables hold beyond what the file gives back: the padding
    // the reader added, and the empty tables the reader would pad.
    WallTables& tables = wall.Document().Tables();
    for (int i = 0; i < WallTables::Count; ++i)
        state += std::to_string(tables.Table(i).RowCount()) + " " + std::to_string(wall.Padding.added[i]) + " ";
    state += "\n";
    for (const std::string& blank : wall.Padding.blank)
        AppendText(state, blank);
    AppendText(state, wall.Title);
    if (wall.StageCount > 1) {
        // The current stage as its working copy would hold it, without writing
        // it: a write that reaches the disk on every change would hold up typing.
        for (int k = 1; k <= wall.StageCount; ++k)
            AppendText(state, k == wall.CurrentStage ? StageFileText(wall) : FileText(StageWorkPath(wall, k)));
    } else {
        AppendText(state, wall.DataFileText());
    }
    AppendText(state, SettingsText(wall.Document().Settings()));
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
    if (!in || in.get() != '\n' || count < 1 || count > kMaxStages || current < 1 || current > count)
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
    KeepRows(wall, rows);
    wall.Padding = padding;
    wall.Document().SetModified(modified);
    wall.Title = title;
    wall.EarthPressureKind = kind;
    for (std::size_t i = 0; i < std::size(kOptions); ++i)
        wall.*kOptions[i] = options[i];
}

int StateStage(const std::string& state)
{
    std::istringstream in(state);
    int count = 0, current = 1;
    in >> count >> current;
    return current;
}
