// torvik-cli dump: a wall data file as JSON, read as the Open command reads it.
#include "cli/Command.h"
#include "model/BatchHost.h"
#include "model/ProgramData.h"
#include "model/SettingsFile.h"
#include "model/StageFiles.h"
#include "model/WallSettings.h"
#include "model/WordReader.h"
#include "tables/GridTable.h"
#include "units/TorvikError.h"
#include "units/Units.h"
#include "units/ValueRange.h"

#include <nlohmann/json.hpp>

#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace {

using Json = nlohmann::ordered_json;

Json ModelJson(const TProgramData& w)
{
    // A JSON number never stands for a value it cannot hold (nlohmann writes null).
    const auto number = [](long double value) { return ToDoubleChecked(value); };
    const TLegacySurcharge& s = w.LegacySurcharge;
    return Json{
        {"FileName", w.FileName},
        {"Title", w.Title},
        {"StageFileName", w.StageFileName},
        {"StagedSaveName", w.StagedSaveName},
        {"PreviousFileName", w.PreviousFileName},
        {"UnitSystem", UnitSystemCode(w.UnitSystem())},
        {"NodeCount", w.NodeCount},
        {"IncrementLength", number(w.IncrementLength)},
        {"MaxDeflection", number(w.MaxDeflection)},
        {"ClosureTolerance", number(w.ClosureTolerance)},
        {"WallHeight", number(w.WallHeight)},
        {"ActiveWidth", number(w.ActiveWidth)},
        {"PyWidth", number(w.PyWidth)},
        {"WaterDepthBackfill", number(w.WaterDepthBackfill)},
        {"WaterDepthExcavation", number(w.WaterDepthExcavation)},
        {"ActivePressureFactor", number(w.ActivePressureFactor)},
        {"BackfillSlope", number(w.BackfillSlope)},
        {"ConfigurationCode", w.ConfigurationCode},
        {"TopSurcharge", number(w.TopSurcharge)},
        // distance, point load, line load, strip load, strip width
        {"LegacySurcharge",
         Json::array({number(s.Distance), number(s.PointLoad), number(s.LineLoad), number(s.StripLoad),
                      number(s.StripWidth)})},
        {"UseRestraints", w.UseRestraints},
        {"UseConcentratedLoads", w.UseConcentratedLoads},
        {"UseSprings", w.UseSprings},
        {"UsePyModifiers", w.UsePyModifiers},
        {"UseExternalPyCurves", w.UseExternalPyCurves},
        {"UseMeiCurves", w.UseMeiCurves},
        {"UseSurcharge", w.UseSurcharge},
        // The earth-pressure flags, its option and the marker as the data file's writer derives them.
        {"UserEarthPressure", UsesUserPressure(w.EarthPressureKind)},
        {"GeneratedEarthPressure", GeneratesPressure(w.EarthPressureKind)},
        {"EarthPressureKind", EarthPressureCode(w.EarthPressureKind)},
        {"GeneratePyCurves", w.GeneratePyCurves},
        {"LongTermAnalysis", w.LongTermAnalysis},
        {"EarthPressureOption", EarthPressureOption(w.EarthPressureKind, w.GeneratePyCurves, TGeneratedPressure::Kind)},
        {"PyCurveOption", w.PyCurveOption},
        {"MeiCurveCount", w.MeiCurveCount},
        {"LongTermMarker", LongTermMarkerOf(w.LongTermAnalysis)},
        {"StageCount", w.StageCount},
        {"CurrentStage", w.CurrentStage},
        {"StageFilesCurrent", w.StageFilesCurrent},
        {"PressurePointCount", w.PressurePointCount},
    };
}

// The rows of a table, each a list of cell texts; a sub-table cell is an
// object with the sub-table's caption and rows.
Json RowsJson(const TGridTable& table)
{
    Json rows = Json::array();
    for (int r = 0; r < table.RowCount(); ++r) {
        Json row = Json::array();
        for (int c = 0; c < table.ColumnCount(); ++c) {
            if (table.Column(c).Kind() != ColumnTable) {
                row.push_back(table.Cell(c, r).AsText());
            } else if (const TGridTable* sub = table.Cell(c, r).AsTable()) {
                row.push_back(Json{{"table", sub->Caption()}, {"rows", RowsJson(*sub)}});
            } else {
                row.push_back(nullptr);
            }
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

std::optional<int> ParseFormat(const std::string& text)
{
    if (text == "1" || text == "2" || text == "3")
        return text[0] - '0';
    return std::nullopt;
}

// The messages of reading the later stages of a staged wall, as Open and a
// run read them (the reader of the data file itself takes stage 1 only): a
// stage missing or cut off is reported as theirs are. Each names its stage and
// the line of the file where the stage starts.
std::vector<std::string> LaterStageMessages(const std::string& file, TFileLayout layout)
{
    BatchHost host;
    auto wall = TProgramData::CreateFromFile(host, file, layout);
    if (wall->StageCount <= 1 || !host.prompt.shown.empty())
        return {};
    SplitStagedFile(*wall, file);
    std::vector<std::string> messages = host.prompt.shown;
    int firstLine = 1;
    for (int k = 1; k <= wall->StageCount; ++k) {
        const std::string work = StageWorkPath(*wall, k);
        if (k > 1) {
            const std::size_t before = host.prompt.shown.size();
            wall->CurrentStage = k;
            // The stage files of an older file keep its layout.
            wall->StageFilesCurrent = layout == TFileLayout::Current;
            LoadStage(*wall);
            for (std::size_t i = before; i < host.prompt.shown.size(); ++i)
                messages.push_back("Stage " + std::to_string(k) + " (from line " + std::to_string(firstLine) +
                                   "): " + host.prompt.shown[i]);
        }
        firstLine += TWordReader(work).LineCount();
    }
    return messages;
}

int Usage(const std::string& problem)
{
    std::cerr << "torvik-cli dump: " << problem << "\nUsage: torvik-cli dump FILE [--format 1|2|3]\n";
    return ExitUsage;
}

int RunDump(const std::vector<std::string>& args)
{
    std::string file;
    std::optional<int> format;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--format") {
            if (i + 1 == args.size() || !(format = ParseFormat(args[i + 1])))
                return Usage("--format takes 1 (current layout), 2 (version 3.0) or 3 (version 2.0)");
            ++i;
        } else if (args[i].rfind("--", 0) == 0) {
            return Usage("unknown option " + args[i]);
        } else if (!file.empty()) {
            return Usage("one file only");
        } else {
            file = args[i];
        }
    }
    if (file.empty())
        return Usage("no file given");
    try {
        TWordReader probe(file);  // a file that cannot be read at all fails here
    } catch (const EInOutError& e) {
        std::cerr << "torvik-cli dump: " << e.what() << "\n";
        return ExitBadInput;
    }

    BatchHost host;
    const TFileLayout layout = format ? *LayoutOfNumber(*format) : LayoutForPath(file);
    auto wall = TProgramData::CreateFromFile(host, file, layout);
    Json tables = Json::object();
    for (int i = 0; i < WallTables::Count; ++i)
        tables[WallTables::Name(i)] = RowsJson(host.tables.Table(i));
    std::vector<std::string> messages = host.prompt.shown;
    for (const std::string& message : LaterStageMessages(file, layout))
        messages.push_back(message);
    Json out{{"model", ModelJson(*wall)}, {"tables", std::move(tables)}, {"messages", messages}};
    // The settings file beside the wall, when there is one that could be read;
    // a damaged one is reported and left out, as the program ignores it. Files
    // of the older layouts never had settings.
    const TSettingsRead settings = layout == TFileLayout::Current ? ReadSettingsBeside(file) : TSettingsRead();
    if (!settings.problem.empty())
        std::cerr << "torvik-cli dump: " << IgnoredSettingsMessage(settings.problem) << "\n";
    else if (settings.found)
        out["settings"] = Json::parse(SettingsText(settings.settings));
    // A damaged file may hold bytes that are no UTF-8: they are shown as U+FFFD.
    std::cout << out.dump(2, ' ', false, Json::error_handler_t::replace) << "\n";
    // The reader reports every fault it met as a message and goes on; a script
    // tells a partial read from a clean one by the exit code.
    return messages.empty() ? ExitOk : ExitBadInput;
}

const CommandRegistration registration{{"dump", "FILE [--format 1|2|3]",
                                        "prints a wall data file as JSON: model, tables, the reader's messages "
                                        "(exit 1 when it reported any) and the settings file beside it, when there "
                                        "is one; format 1 current, 2 version 3.0, "
                                        "3 version 2.0 (default by extension)",
                                        RunDump}};

}  // namespace
