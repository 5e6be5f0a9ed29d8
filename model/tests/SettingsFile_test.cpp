// The settings file beside a wall: saved with the data file, taken along by
// Save As, removed when nothing differs from the defaults, and never a reason
// to lose the wall it belongs to.
#include "model/BatchHost.h"
#include "model/ProgramData.h"
#include "model/SettingsFile.h"
#include "model/StageFiles.h"
#include "model/tests/WriteFault.h"
#include "units/TorvikError.h"
#include "SampleWalls.h"
#include "WallTestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

// Settings that differ from the defaults: the option and a prestressed anchor.
TWallSettings Anchored(double prestress)
{
    TWallSettings s = TWallSettings::ForNewWall();
    TAnchorSettings& a = s.AnchorAt(12);
    a.prestress = prestress;
    a.spacing = 2.5;
    a.inclination = 15;
    return s;
}

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override { Wall().FileName = dir.File("wall.tk4d"); }
    TProgramData& Wall() { return host.Wall(); }
    std::string Sidecar(const std::string& name = "wall.tk4s") const { return dir.File(name); }

    TempDir dir;
    BatchHost host;
};

// The data file is what it is without settings, byte for byte; the settings
// file comes and goes with them, for an unstaged and a staged wall alike.
TEST_F(SettingsFileTest, SavedBesideTheDataFileAndRemovedWhenDefault)
{
    host.SetSettings(TWallSettings::Defaults());
    SaveWall(Wall());
    const std::string plain = ReadBytes(Wall().FileName);
    EXPECT_FALSE(fs::exists(Sidecar()));

    host.SetSettings(Anchored(40));
    EXPECT_TRUE(host.IsModified());
    SaveWall(Wall());
    EXPECT_FALSE(host.IsModified());
    EXPECT_EQ(ReadBytes(Wall().FileName), plain);
    EXPECT_EQ(ReadBytes(Sidecar()), SettingsText(Anchored(40)));

    BatchHost reader;
    EXPECT_TRUE(reader.Open(Wall().FileName, TFileLayout::Current).empty());
    EXPECT_EQ(reader.Settings(), Anchored(40));

    host.SetSettings(TWallSettings::Defaults());
    SaveWall(Wall());
    EXPECT_FALSE(fs::exists(Sidecar())) << "a stale settings file must not outlive its settings";
    EXPECT_EQ(ReadBytes(Wall().FileName), plain);

    ChangeStageCount(Wall(), 2);
    host.SetSettings(Anchored(40));
    SaveWall(Wall());
    EXPECT_TRUE(fs::exists(StageFilePath(Wall().FileName, 2)));
    EXPECT_EQ(ReadBytes(Sidecar()), SettingsText(Anchored(40)));
    host.SetSettings(TWallSettings::Defaults());
    SaveWall(Wall());
    EXPECT_FALSE(fs::exists(Sidecar()));
}

// A settings file that cannot be written is a failed save: the wall stays
// modified, and the data file and settings file on disk stay as they were.
TEST_F(SettingsFileTest, FailedSettingsWriteKeepsTheWallModifiedAndItsFiles)
{
    host.SetSettings(Anchored(40));
    SaveWall(Wall());
    const std::string data = ReadBytes(Wall().FileName);
    Wall().Title = "Changed";
    host.SetSettings(Anchored(55));
    {
        const WriteFaultIn full(dir.path.string(), ENOSPC, ".tk4s");
        EXPECT_THROW(SaveWall(Wall()), EInOutError);
    }
    EXPECT_TRUE(host.IsModified());
    EXPECT_EQ(ReadBytes(Wall().FileName), data);
    EXPECT_EQ(ReadBytes(Sidecar()), SettingsText(Anchored(40)));
}

// Save As writes the settings beside the new name, in another folder too,
// replacing or removing what another wall left there; the old wall keeps its own.
TEST_F(SettingsFileTest, SaveAsTakesTheSettingsAlong)
{
    host.SetSettings(Anchored(40));
    SaveWall(Wall());
    fs::create_directories(dir.path / "other");
    const std::string other = dir.File("other/b.tk4d");
    WriteBytes(dir.File("other/b.tk4s"), SettingsText(Anchored(99)));
    WriteBytes(dir.File("other/c.tk4s"), SettingsText(Anchored(99)));

    SaveWallAs(Wall(), other);
    EXPECT_EQ(ReadBytes(dir.File("other/b.tk4s")), SettingsText(Anchored(40)));
    EXPECT_EQ(ReadBytes(Sidecar()), SettingsText(Anchored(40)));

    host.SetSettings(TWallSettings::Defaults());
    SaveWallAs(Wall(), dir.File("other/c.tk4d"));
    EXPECT_FALSE(fs::exists(dir.File("other/c.tk4s")));
    EXPECT_EQ(ReadBytes(dir.File("other/b.tk4s")), SettingsText(Anchored(40)));
}

// A damaged settings file is reported by name and line, and the wall opens
// with the default settings.
TEST_F(SettingsFileTest, DamagedSettingsAreReportedAndTheWallOpens)
{
    Wall().Title = "Kept";
    host.SetSettings(TWallSettings::Defaults());
    SaveWall(Wall());
    WriteBytes(Sidecar(), "{\n  \"torvik_wall_settings\": 1,\n  \"target_safety_factor\": 0.5\n}\n");

    BatchHost reader;
    const std::vector<std::string> problems = reader.Open(Wall().FileName, TFileLayout::Current);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0], "The settings file " + Sidecar() +
                               " cannot be used at line 3: the target safety factor must be at least 1. It is "
                               "ignored: the wall has the default settings, and its next save replaces the file.");
    EXPECT_EQ(reader.Wall().Title, "Kept");
    EXPECT_EQ(reader.Settings(), TWallSettings::Defaults());
}

// A file of an older layout never had settings: the settings file of its
// name belongs to the wall converted from it.
TEST_F(SettingsFileTest, OlderLayoutsOpenWithTheDefaults)
{
    WriteBytes(dir.File("old.tkd"), Version30File("5"));
    WriteBytes(dir.File("old.tk4s"), SettingsText(Anchored(40)));
    BatchHost reader;
    EXPECT_TRUE(reader.Open(dir.File("old.tkd"), TFileLayout::Version30).empty());
    EXPECT_EQ(reader.Settings(), TWallSettings::Defaults());
}

}  // namespace
