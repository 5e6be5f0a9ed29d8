#include "model/ProgramData.h"
#include "model/WallDocument.h"
#include "tables/GridTable.h"
#include "units/ScriptedPrompt.h"
#include "WallTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

std::string Example(const std::string& name)
{
    return (std::filesystem::path(TORVIK_SOURCE_DIR) / "examples" / name).string();
}

// What one document alone saves of a data file it opened.
std::string SavedAlone(const std::string& path, const std::string& target)
{
    ScriptedPrompt prompt;
    TWallDocument document(prompt);
    EXPECT_TRUE(document.Open(path, TFileLayout::Current).empty());
    document.Wall().FileName = target;
    document.Wall().WriteDataFile();
    return ReadBytes(target);
}

// Two walls open side by side in one process: each has its own tables,
// sub-table templates, unit system and modified state, so editing and
// saving one leaves the other exactly as a document of its own would save it.
TEST(WallDocument, TwoWallsSideBySideEditOneAndSaveBoth)
{
    TempDir dir;
    const std::string soilWall = Example("anchored-soft-clay.tk4d");
    const std::string sandWall = Example("cantilever-sand.tk4d");
    const std::string expectedSand = SavedAlone(sandWall, dir.File("alone.tk4d"));

    ScriptedPrompt prompt;
    TWallDocument first(prompt);
    TWallDocument second(prompt);
    EXPECT_TRUE(first.Open(soilWall, TFileLayout::Current).empty());
    EXPECT_TRUE(second.Open(sandWall, TFileLayout::Current).empty());
    ASSERT_NE(&first.Tables()[WallTable::NewSoil], &second.Tables()[WallTable::NewSoil]);

    // Edit the first: a scalar, a table cell, a new soil layer from its own
    // template, and the unit system.
    first.Wall().Title = "Edited wall";
    TGridTable& sections = first.Tables()[WallTable::PileSect];
    sections.Cell(3, 0).SetAsFloat(54321);
    TGridTable& soil = first.Tables()[WallTable::NewSoil];
    const int layers = soil.RowCount();
    soil.SetRowCount(layers + 1);
    ASSERT_NE(soil.Cell(2, layers).AsTable(), nullptr);
    EXPECT_EQ(&soil.Cell(2, layers).AsTable()->Scope(), &soil.Scope());
    ASSERT_TRUE(first.Wall().SwitchUnits(UnitSystem::SI));
    first.SetModified(true);  // as the window that made the edits does
    EXPECT_FALSE(second.IsModified());
    EXPECT_EQ(second.Wall().UnitSystem(), UnitSystem::English);
    EXPECT_EQ(second.Tables()[WallTable::NewSoil].UnitSystem(), UnitSystem::English);

    first.Wall().FileName = dir.File("first.tk4d");
    second.Wall().FileName = dir.File("second.tk4d");
    first.Wall().WriteDataFile();
    second.Wall().WriteDataFile();
    EXPECT_FALSE(first.IsModified());
    EXPECT_EQ(ReadBytes(dir.File("second.tk4d")), expectedSand);

    // The first file holds the edits, in SI units.
    TWallDocument reread(prompt);
    EXPECT_TRUE(reread.Open(dir.File("first.tk4d"), TFileLayout::Current).empty());
    EXPECT_EQ(reread.Wall().Title, "Edited wall");
    EXPECT_EQ(reread.Wall().UnitSystem(), UnitSystem::SI);
    EXPECT_EQ(reread.Tables()[WallTable::NewSoil].RowCount(), layers + 1);
    EXPECT_TRUE(prompt.shown.empty());
}

TEST(WallDocument, ReadingErrorsAreReturnedNotShown)
{
    TempDir dir;
    const std::string path = dir.File("broken.tk4d");
    WriteBytes(path, "Broken wall\r\n1 x\r\n");
    ScriptedPrompt prompt;
    TWallDocument document(prompt);
    const std::vector<std::string> diagnostics = document.Open(path, TFileLayout::Current);
    ASSERT_EQ(diagnostics.size(), 1u);
    EXPECT_NE(diagnostics[0].find("Line 2"), std::string::npos) << diagnostics[0];
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_EQ(document.FileName(), path);
    EXPECT_FALSE(document.IsUntitled());
    document.New();
    EXPECT_TRUE(document.IsUntitled());
}

}  // namespace
