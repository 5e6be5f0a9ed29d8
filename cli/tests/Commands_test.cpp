// The wall commands of torvik-cli, run as scripts run them.
#include "CliRunner.h"
#include "model/AtomicFile.h"
#include "model/StageFiles.h"
#include "model/WallSettings.h"
#include "model/tests/SampleWalls.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>

#include <sys/resource.h>
#include <sys/wait.h>

namespace {


TEST(NewCommandTest, WritesTheFileOfANewWall)
{
    TempDir dir;
    const std::string out = dir.File("new.tk4d");
    const CliRun run = Cli("new " + Quote(out));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(ReadBytes(out), kNewWallFile);
    EXPECT_EQ(ReadBytes(dir.File("new.tk4s")), SettingsText(TWallSettings::ForNewWall()));
}

TEST(NewCommandTest, UnwritableTargetIsBadInput)
{
    TempDir dir;
    const std::string out = dir.File("missing/new.tk4d");
    const CliRun run = Cli("new " + Quote(out));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "torvik-cli new: The file \"" + out + "\" could not be written: No such file or directory\n");
}

TEST(DumpCommandTest, NewWallAsJson)
{
    TempDir dir;
    const std::string file = dir.File("new.tk4d");
    WriteBytes(file, kNewWallFile);
    const CliRun run = Cli("dump " + Quote(file));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto json = nlohmann::ordered_json::parse(run.out);
    const auto& model = json.at("model");
    EXPECT_EQ(model.size(), 40u);
    EXPECT_EQ(model.at("FileName"), file);
    EXPECT_EQ(model.at("Title"), "New Wall");
    EXPECT_EQ(model.at("UnitSystem"), 1);
    EXPECT_EQ(model.at("MaxDeflection"), 100.0);
    EXPECT_EQ(model.at("ClosureTolerance"), 1e-5);
    EXPECT_EQ(model.at("LegacySurcharge"), nlohmann::ordered_json::array({0.0, 0.0, 0.0, 0.0, 0.0}));
    EXPECT_EQ(model.at("PyCurveOption"), 2);
    // Option 0 with generated p-y curves reads back with the generation off.
    EXPECT_EQ(model.at("GeneratePyCurves"), false);
    EXPECT_EQ(model.at("StageFilesCurrent"), true);

    const auto& tables = json.at("tables");
    ASSERT_EQ(tables.size(), 25u);
    EXPECT_EQ(tables.begin().key(), "PileSect");
    EXPECT_EQ(tables.at("PileSect"), nlohmann::ordered_json::parse(R"([["0", "1", "1", "0"]])"));
    EXPECT_EQ(tables.at("NewSoil"), nlohmann::ordered_json::parse(R"([["1", "0",
        {"table": "Clay", "rows": [["0", "0", "0", "0"], ["0", "0", "0", "0"]]}]])"));
    EXPECT_EQ(tables.at("PYCurves").size(), 2u);
    EXPECT_EQ(tables.at("PYCurves")[0][1].at("table"), "External p-y Curve");
    EXPECT_EQ(json.at("messages"), nlohmann::ordered_json::array());
}

TEST(DumpCommandTest, DamagedFileGivesThePartlyReadWallAndTheMessage)
{
    TempDir dir;
    const std::string file = dir.File("short.tk4d");
    WriteBytes(file, kNewWallFile.substr(0, kNewWallFile.find("0\t1\t1\t0")));
    const CliRun run = Cli("dump " + Quote(file));
    EXPECT_EQ(run.exitCode, 1) << "a partial read is told apart from a clean one";
    const auto json = nlohmann::json::parse(run.out);
    EXPECT_EQ(json.at("messages"), nlohmann::json::array({"This file either invalid or incomplete."}));
    EXPECT_EQ(json.at("model").at("MaxDeflection"), 100.0);
}

TEST(DumpCommandTest, FormatOptionChoosesTheOlderLayout)
{
    TempDir dir;
    const std::string file = dir.File("old.tk4d");  // the extension alone would say current layout
    WriteBytes(file, kVersion20File);
    const CliRun run = Cli("dump " + Quote(file) + " --format 3");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto json = nlohmann::json::parse(run.out);
    EXPECT_EQ(json.at("messages"), nlohmann::json::array());
    EXPECT_EQ(json.at("tables").at("NewSoil")[1][1], "15");
}

TEST(DumpCommandTest, MissingFileIsBadInput)
{
    TempDir dir;
    const std::string file = dir.File("missing.tk4d");
    const CliRun run = Cli("dump " + Quote(file));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "torvik-cli dump: Cannot open file " + file + ": No such file or directory\n");
}

// Settings that differ from the defaults: a prestressed anchor.
TWallSettings AnchorSettings()
{
    TWallSettings s = TWallSettings::ForNewWall();
    s.AnchorAt(4).prestress = 40;
    return s;
}

// The settings file beside the wall is shown as a key of its own; a damaged
// one is reported with its line and left out, and the wall is dumped all the same.
TEST(DumpCommandTest, ShowsTheSettingsFileBesideTheWall)
{
    TempDir dir;
    const std::string file = dir.File("new.tk4d");
    WriteBytes(file, kNewWallFile);
    EXPECT_FALSE(nlohmann::json::parse(Cli("dump " + Quote(file)).out).contains("settings"));

    WriteBytes(dir.File("new.tk4s"), SettingsText(AnchorSettings()));
    CliRun run = Cli("dump " + Quote(file));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto settings = nlohmann::json::parse(run.out).at("settings");
    EXPECT_EQ(settings.at("springs_act_from_installation_stage"), true);
    EXPECT_EQ(settings.at("anchors")[0].at("prestress_kN_per_m"), 40.0);

    WriteBytes(dir.File("new.tk4s"), "{\n  \"torvik_wall_settings\": 1,\n  oops\n}\n");
    run = Cli("dump " + Quote(file));
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "torvik-cli dump: The settings file " + dir.File("new.tk4s") +
                           " is damaged at line 3: it is not valid JSON. It is ignored: the wall has the default "
                           "settings, and its next save replaces the file.\n");
    const auto json = nlohmann::json::parse(run.out);
    EXPECT_FALSE(json.contains("settings"));
    EXPECT_EQ(json.at("model").at("Title"), "New Wall");
}

class UsageTest : public ::testing::TestWithParam<const char*> {};

TEST_P(UsageTest, ExitsWithTwo)
{
    const CliRun run = Cli(GetParam());
    EXPECT_EQ(run.exitCode, 2) << GetParam();
    EXPECT_NE(run.err.find("Usage: torvik-cli "), std::string::npos) << run.err;
}

INSTANTIATE_TEST_SUITE_P(Arguments, UsageTest,
                         ::testing::Values("dump", "dump a.tk4d --format 4", "dump a.tk4d --format", "dump a b",
                                           "dump a.tk4d --units 2", "new", "new a b", "convert a.tk4d",
                                           "convert a b --units 0", "convert a b --format x", "convert a b c"));

TEST(ConvertCommandTest, SwitchesUnitsAndWritesTheCurrentLayout)
{
    TempDir dir;
    const std::string in = dir.File("old.tkd");
    const std::string out = dir.File("new.tk4d");
    WriteBytes(in, Version30File("5"));
    const CliRun run = Cli("convert " + Quote(in) + " " + Quote(out) + " --units 2");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string file = ReadBytes(out);
    EXPECT_EQ(file.substr(0, file.find("\r\n0\t20")), "Three\r\n2 0\t1\t0\t2\t2 0 1 0\r\n20 0.1524\t2.54\t2.54E-7\t3.048");
    // The surcharge line of version 3.0 became the surcharge table, whose
    // distances are shown in millimetres in SI and whose magnitudes no unit
    // system converts.
    EXPECT_NE(file.find("\r\n0\t0.127\t0.44482225\t35.025374\t2068.4276\t0.6096\r\n3\r\n"
                        "1\t100\t127\t609.6\r\n2\t200\t127\t609.6\r\n3\t300\t127\t609.6\r\n"),
              std::string::npos)
        << file;
}

TEST(ConvertCommandTest, DamagedInputWritesNothing)
{
    TempDir dir;
    const std::string in = dir.File("bad.tk4d");
    const std::string out = dir.File("out.tk4d");
    std::string damaged = kNewWallFile;
    damaged.replace(damaged.find("0 0\t100"), 1, "2.5");
    WriteBytes(in, damaged);
    const CliRun run = Cli("convert " + Quote(in) + " " + Quote(out));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "torvik-cli convert: " + in + ": Error on Line 3 Item 1\nAn integer was expected but not found.\n");
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST(ConvertCommandTest, StagedWallKeepsItsStagesInEveryUnitSwitch)
{
    TempDir dir;
    const std::string in = dir.File("staged.tk4d");
    const std::string out = dir.File("out.tk4d");
    {
        BatchHost host;
        auto wall = TProgramData::CreateNew(host);
        wall->FileName = in;
        ChangeStageCount(*wall, 3);
        wall->WallHeight = 120;  // stage 1 only
        SaveStagedWall(*wall);
    }
    const std::string input = ReadBytes(in);
    const CliRun run = Cli("convert " + Quote(in) + " " + Quote(out) + " --units 2");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(ReadBytes(in), input);
    for (int k = 1; k <= 3; ++k)
        EXPECT_TRUE(std::filesystem::exists(StageFilePath(out, k))) << k;
    EXPECT_FALSE(std::filesystem::exists(StageFilePath(out, 4)));

    // Stage blocks carry option 2 for generated pressure whatever its kind.
    const std::string file = ReadBytes(out);
    EXPECT_EQ(file.rfind("New Wall\r\n2 0\t1\t0\t2\t2 0 3 0\r\n0 0\t2.54\t2.54E-7\t3.048\r\n", 0), 0u) << file;
    for (const char* stage : {"2", "3"})
        EXPECT_NE(file.find(std::string("\r\n Stage No : ") + stage + "\r\n2 0\t1\t0\t2\t2 0 3 0\r\n"
                            "0 0\t2.54\t2.54E-7\t0\r\n"),
                  std::string::npos)
            << file;
    EXPECT_EQ(file.substr(file.size() - 3), "3\r\n");
}

TEST(ConvertCommandTest, StagedVersion30WallGetsTheCurrentLayoutInEveryStage)
{
    TempDir dir;
    const std::string in = dir.File("old.tkd");
    const std::string out = dir.File("new.tk4d");
    std::string staged;
    for (const std::string stage : {"1", "2"}) {
        std::string block = Version30File("5");
        block.replace(block.find("2 0 1\r\n"), 7, "2 0 2\r\n");  // two stages
        block.replace(0, 5, stage == "1" ? "Three" : " Stage No : 2");
        block.replace(block.size() - 3, 3, stage + "\r\n");  // the stage number ends the block
        staged += block;
    }
    WriteBytes(in, staged);
    const CliRun run = Cli("convert " + Quote(in) + " " + Quote(out));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string file = ReadBytes(out);
    const std::string surcharge = "\r\n3\r\n1\t100\t5\t24\r\n2\t200\t5\t24\r\n3\t300\t5\t24\r\n";
    const auto second = file.find("\r\n Stage No : 2\r\n1 0\t1\t0\t2\t2 0 2 0\r\n");
    ASSERT_NE(second, std::string::npos) << file;
    EXPECT_EQ(file.rfind("Three\r\n1 0\t1\t0\t2\t2 0 2 0\r\n", 0), 0u) << file;
    EXPECT_LT(file.find(surcharge), second);
    EXPECT_NE(file.find(surcharge, second), std::string::npos);
    EXPECT_EQ(ReadBytes(StageFilePath(out, 2)), file.substr(second + 2));
}

// A staged data file of `stages` blocks built from the file of a new wall: its
// header item 8 says `count`, and `damage` (if not empty) replaces the first
// item of line 3 in the last block.
std::string StagedFile(int stages, int count, const std::string& damage = "")
{
    std::string file;
    for (int k = 1; k <= stages; ++k) {
        std::string block = kNewWallFile;
        block.replace(0, 8, k == 1 ? "Wall" : " Stage No : " + std::to_string(k));
        block.replace(block.find("2 0 1 0"), 7, "2 0 " + std::to_string(count) + " 0");
        block.replace(block.size() - 3, 3, std::to_string(k) + "\r\n");
        if (k == stages && !damage.empty())
            block.replace(block.find("\r\n0 0\t100") + 2, 1, damage);
        file += block;
    }
    return file;
}

// The output of an earlier conversion: the staged file OUT and its stage files.
struct FormerOutput {
    std::vector<std::string> names, bytes;

    explicit FormerOutput(const std::string& out)
    {
        for (int k = 1; k <= 3; ++k)
            names.push_back(StageFilePath(out, k));
        names.push_back(out);
    }
    void Keep()
    {
        bytes.clear();
        for (const std::string& name : names)
            bytes.push_back(ReadBytes(name));
    }
    void ExpectUntouched(const std::string& why) const
    {
        for (std::size_t i = 0; i < names.size(); ++i)
            EXPECT_EQ(ReadBytes(names[i]), bytes[i]) << why << ": " << names[i];
        const auto folder = std::filesystem::path(names.back()).parent_path();
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 6) << why;  // IN, OUT, 3 stages, x
    }
};

TEST(ConvertCommandTest, FailedStagedConversionLeavesTheFormerOutputAsItWas)
{
    TempDir dir;
    const std::string in = dir.File("in.tk4d");
    const std::string out = dir.File("out.tk4d");
    WriteBytes(dir.File("x"), "");
    WriteBytes(in, StagedFile(3, 3));
    ASSERT_EQ(Cli("convert " + Quote(in) + " " + Quote(out)).exitCode, 0);
    FormerOutput former(out);
    former.Keep();

    // A damaged third stage, with and without a unit switch: every stage is
    // read, and its error named with the stage and where it starts.
    WriteBytes(in, StagedFile(3, 3, "x"));
    for (const std::string units : {"", " --units 1", " --units 2"}) {
        const CliRun run = Cli("convert " + Quote(in) + " " + Quote(out) + units);
        EXPECT_EQ(run.exitCode, 1) << units;
        EXPECT_EQ(run.err, "torvik-cli convert: " + in +
                               ": stage 3 (from line 29): Error on Line 3 Item 1\nAn integer was expected but not found.\n")
            << units;
        former.ExpectUntouched("damaged stage" + units);
    }
    // A header of 3 stages over a file of 2.
    WriteBytes(in, StagedFile(2, 3));
    EXPECT_EQ(Cli("convert " + Quote(in) + " " + Quote(out)).exitCode, 1);
    former.ExpectUntouched("missing stage");

    // A file-size limit that the copy of IN passes but the converted output
    // (longer in SI units) does not.
    WriteBytes(in, StagedFile(3, 3));
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit limited = old;
    limited.rlim_cur = std::filesystem::file_size(in) + 8;
    setrlimit(RLIMIT_FSIZE, &limited);
    const CliRun full = Cli("convert " + Quote(in) + " " + Quote(out) + " --units 2");
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(full.exitCode, 1) << full.err;
    EXPECT_EQ(full.err.rfind("torvik-cli convert: " + out + " and its stage files are left as they were: ", 0), 0u)
        << full.err;
    former.ExpectUntouched("file-size limit");
    // The messages name the files beside OUT with the system's reason, never
    // the working folder; the copy of IN, too, fails with its reason.
    EXPECT_NE(full.err.find("could not be written: File too large"), std::string::npos) << full.err;
    EXPECT_EQ(full.err.find(kConvertFolderPrefix), std::string::npos) << full.err;
    limited.rlim_cur = std::filesystem::file_size(in) - 8;
    setrlimit(RLIMIT_FSIZE, &limited);
    const CliRun copy = Cli("convert " + Quote(in) + " " + Quote(out));
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(copy.err, "torvik-cli convert: " + out + " and its stage files are left as they were: The file \"" + out +
                            "\" could not be written: File too large\n");
    former.ExpectUntouched("file-size limit on the copy");

    // A conversion to fewer stages takes the former stage 3 away.
    WriteBytes(in, StagedFile(2, 2));
    ASSERT_EQ(Cli("convert " + Quote(in) + " " + Quote(out)).exitCode, 0);
    EXPECT_FALSE(std::filesystem::exists(StageFilePath(out, 3)));
    EXPECT_NE(ReadBytes(out), former.bytes.back());
}

// Working folders that killed conversions left beside the output go with the
// next conversion; one that a running conversion holds stays, and so do
// folders of other names.
TEST(ConvertCommandTest, StaleWorkingFoldersOfKilledConversionsAreRemoved)
{
    TempDir dir;
    const std::string in = dir.File("in.tk4d");
    WriteBytes(in, StagedFile(3, 3));
    const THeldFolder running(dir.path.string(), kConvertFolderPrefix);
    for (const char* name : {".torvik-convert-11", ".torvik-convert-22", ".torvik-convert-x"}) {
        std::filesystem::create_directory(dir.path / name);
        WriteBytes((dir.path / name / "out.tk4d").string(), "part of a conversion");
    }
    WriteBytes((dir.path / ".torvik-convert-11" / "held").string(), "");
    // A conversion killed between making its folder and holding it.
    std::filesystem::create_directory(dir.path / ".torvik-convert-33");
    // A folder of a conversion killed before it held it, an hour ago.
    std::filesystem::last_write_time(dir.path / ".torvik-convert-22",
                                     std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));

    ASSERT_EQ(Cli("convert " + Quote(in) + " " + Quote(dir.File("out.tk4d"))).exitCode, 0);
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path))
        if (entry.path().filename().string().rfind(kConvertFolderPrefix, 0) == 0)
            left.push_back(entry.path().string());
    std::vector<std::string> kept{(dir.path / ".torvik-convert-x").string(), running.Path()};
    std::sort(left.begin(), left.end());
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(left, kept);
}

// Damaged walls: a staged wall cut off in a later stage is reported as Open
// and run report it, bytes that are no UTF-8 still give JSON, and text after
// a wall is named, not read.
TEST(DumpCommandTest, DamagedWallsAreReportedInTheirJson)
{
    TempDir dir;
    const std::string file = dir.File("wall.tk4d");
    const std::string staged = StagedFile(3, 3);
    WriteBytes(file, staged.substr(0, staged.rfind("\r\n0 0\t100")));
    CliRun run = Cli("dump " + Quote(file));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(nlohmann::json::parse(run.out).at("messages"),
              nlohmann::json::array({"Stage 3 (from line 29): This file either invalid or incomplete."}));

    WriteBytes(file, "\xBA\xFF\x01 wall\r\n\xC3(");
    run = Cli("dump " + Quote(file));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(nlohmann::json::parse(run.out).at("model").at("Title"), "\xEF\xBF\xBD\xEF\xBF\xBD\x01 wall") << run.err;

    WriteBytes(file, kNewWallFile + "\r\n\r\njunk 1 2 3\r\nmore junk\r\n");
    run = Cli("dump " + Quote(file));
    EXPECT_EQ(run.exitCode, 1);
    const auto json = nlohmann::json::parse(run.out);
    EXPECT_EQ(json.at("messages"), nlohmann::json::array({"Text follows the end of the wall at line 17: it is no part "
                                                          "of the wall and was not read."}));
    EXPECT_EQ(json.at("model").at("MaxDeflection"), 100.0);
}

// Values that an 8-byte real cannot hold are input errors where they are
// read: JSON never shows null for a number, and no file is written that holds "INF".
TEST(ConvertCommandTest, ValuesBeyondTheRangeOfEveryValueAreInputErrors)
{
    TempDir dir;
    const std::string in = dir.File("in.tk4d");
    const std::string out = dir.File("out.tk4d");
    std::string file = kNewWallFile;
    file.replace(file.find("\t100\t"), 5, "\t1E4932\t");
    WriteBytes(in, file);
    for (const std::string& command : {"dump " + Quote(in), "convert " + Quote(in) + " " + Quote(out)}) {
        const CliRun run = Cli(command);
        EXPECT_EQ(run.exitCode, 1) << command;
        EXPECT_EQ(run.out.find("null"), std::string::npos) << run.out;
        for (const char* part : {"Error on Line 3 Item 3", "A number from -1.7976931E308 to 1.7976931E308 was "
                                                           "expected but not found."})
            EXPECT_NE((run.out + run.err).find(part), std::string::npos) << run.out << run.err;
    }
    EXPECT_FALSE(std::filesystem::exists(out));

    // A finite value of SI units that English units cannot hold: the switch is refused.
    file = kNewWallFile;
    file.replace(0, 11, "New Wall\r\n2");
    file.replace(file.find("0\t0\t0\t0\t0\t1\t1\t0"), 9, "0\t0\t0\t1E308\t0");
    WriteBytes(in, file);
    const CliRun run = Cli("convert " + Quote(in) + " " + Quote(out) + " --units 1");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "torvik-cli convert: " + in +
                           ": The wall cannot be switched to English units: the water depth on the backfill side "
                           "(1E308) would lie outside -1.7976931E308 to 1.7976931E308 there. Nothing was changed.\n");
    EXPECT_FALSE(std::filesystem::exists(out));
}

// The settings file goes to the converted file's name, with a staged wall
// too, a damaged one as it is (reported); a stale one there goes when the
// input has none.
TEST(ConvertCommandTest, CarriesTheSettingsFile)
{
    TempDir dir;
    const std::string in = dir.File("in.tk4d");
    WriteBytes(in, kNewWallFile);
    WriteBytes(dir.File("in.tk4s"), SettingsText(AnchorSettings()));
    ASSERT_EQ(Cli("convert " + Quote(in) + " " + Quote(dir.File("out.tk4d")) + " --units 2").exitCode, 0);
    EXPECT_EQ(ReadBytes(dir.File("out.tk4s")), SettingsText(AnchorSettings())) << "kept in SI units";

    WriteBytes(dir.File("in.tk4s"), "{\n  \"torvik_wall_settings\": 7\n}\n");
    const CliRun damaged = Cli("convert " + Quote(in) + " " + Quote(dir.File("out.tk4d")));
    EXPECT_EQ(damaged.exitCode, 0);
    EXPECT_EQ(damaged.err, "torvik-cli convert: The settings file " + dir.File("in.tk4s") +
                               " cannot be used at line 2: it was written by a newer version of the program. It is "
                               "copied as it is.\n");
    EXPECT_EQ(ReadBytes(dir.File("out.tk4s")), ReadBytes(dir.File("in.tk4s"))) << "nothing of it is lost";

    std::filesystem::remove(dir.File("in.tk4s"));
    ASSERT_EQ(Cli("convert " + Quote(in) + " " + Quote(dir.File("out.tk4d"))).exitCode, 0);
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.tk4s")));

    const std::string staged = dir.File("staged.tk4d");
    {
        BatchHost host;
        auto wall = TProgramData::CreateNew(host);
        wall->FileName = staged;
        ChangeStageCount(*wall, 2);
        SaveStagedWall(*wall);
    }
    WriteBytes(dir.File("staged.tk4s"), SettingsText(AnchorSettings()));
    WriteBytes(dir.File("out2.tk4s"), "stale");
    ASSERT_EQ(Cli("convert " + Quote(staged) + " " + Quote(dir.File("out2.tk4d"))).exitCode, 0);
    EXPECT_TRUE(std::filesystem::exists(StageFilePath(dir.File("out2.tk4d"), 2)));
    EXPECT_EQ(ReadBytes(dir.File("out2.tk4s")), SettingsText(AnchorSettings()));
}

}  // namespace
