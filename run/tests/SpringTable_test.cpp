#include "run/SpringTable.h"

#include "engine/EngineRun.h"
#include "run/OutputTextOutline.h"

#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> Split(const std::string& line, char separator)
{
    std::vector<std::string> cells;
    std::stringstream in(line);
    std::string cell;
    if (separator == ' ') {
        while (in >> cell)
            cells.push_back(cell);
    } else {
        while (std::getline(in, cell, separator))
            cells.push_back(cell);
    }
    return cells;
}

// An example wall (and its settings) copied into a folder of its own and run
// through the engine, as the program's Run leaves it.
fs::path RunExample(const std::string& name, const fs::path& dir)
{
    fs::create_directories(dir);
    const fs::path wall = dir / "wall.tk4d";
    const std::string source = std::string(TORVIK_SOURCE_DIR) + "/examples/" + name;
    fs::copy_file(source + ".tk4d", wall);
    if (fs::exists(source + ".tk4s"))
        fs::copy_file(source + ".tk4s", dir / "wall.tk4s");
    EngineRun::Run(
        {wall.string(), (dir / "wall.tk4o").string(), (dir / "wall.tk4p").string(), (dir / "wall.tk4r").string()});
    return wall;
}

}  // namespace

// The CSV's spring table is made from the analysis's values, the output text's
// table by the engine's writer from the same values: cell for cell they agree,
// stage by stage (the tie-back from its installation stage with its force per
// anchor, the struts of a three-stage excavation).
TEST(SpringTable, TheCsvGivesTheNumbersOfTheOutputTextsSpringBlock)
{
    const fs::path root = fs::temp_directory_path() / ("torvik-spring-table-" + std::to_string(::getpid()));
    fs::remove_all(root);
    for (const std::string name : {"tied-back-sand-over-clay", "three-stage-excavation"}) {
        SCOPED_TRACE(name);
        const fs::path wall = RunExample(name, root / name);
        // The text's rows: every spring block of every stage, node first.
        std::vector<std::vector<std::string>> textRows;
        const OutputTextOutline text = ParseOutputText(ReadAll(fs::path(wall).replace_extension(".tk4o")));
        for (const OutputTextSection& s : text.sections)
            if (const OutputTextBlock* b = s.Find(outputtext::SpringTable))
                for (const std::string& line : b->lines) {
                    const std::vector<std::string> cells = Split(line, ' ');
                    if (cells.size() == 10 && std::isdigit(static_cast<unsigned char>(cells[0][0])))
                        textRows.push_back(cells);
                }
        ASSERT_FALSE(textRows.empty());

        const std::string csv = SpringTableCsv(LoadSpringTable(wall.string()));
        std::vector<std::string> lines = Split(csv, '\n');
        ASSERT_EQ(lines.size(), textRows.size() + 1) << csv;
        EXPECT_EQ(lines[0], "Stage,Node,Depth (m),K (kN/m),P0 (kN/m),Installed,y0 (m),y (m),F (kN/m),"
                            "Anchor (kN),Fv (kN/m)\r");
        for (size_t i = 0; i < textRows.size(); ++i) {
            std::string line = lines[i + 1];
            line.pop_back();  // CR
            std::vector<std::string> cells = Split(line, ',');
            cells.resize(11);
            EXPECT_EQ(cells[0].rfind("Stage ", 0), 0u) << line;
            for (size_t c = 0; c < 10; ++c)
                EXPECT_EQ(cells[c + 1], textRows[i][c] == "-" ? "" : textRows[i][c]) << line;
        }
    }
    fs::remove_all(root);
}

// The values are those of the results beside the wall: none without an
// output text, and none once the data file is newer than its results (the wall
// analysed now would not be the wall those results are of).
TEST(SpringTable, NoSpringsWithoutResultsOfTheDataFileAsItIs)
{
    const fs::path dir = fs::temp_directory_path() / ("torvik-spring-stale-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    const fs::path wall = RunExample("tied-back-sand-over-clay", dir);
    ASSERT_FALSE(LoadSpringTable(wall.string()).Empty());
    fs::last_write_time(wall, fs::last_write_time(fs::path(wall).replace_extension(".tk4p")) + std::chrono::seconds(5));
    EXPECT_TRUE(LoadSpringTable(wall.string()).Empty());
    fs::remove(fs::path(wall).replace_extension(".tk4o"));
    fs::last_write_time(wall, fs::last_write_time(fs::path(wall).replace_extension(".tk4p")) - std::chrono::seconds(5));
    EXPECT_TRUE(LoadSpringTable(wall.string()).Empty());
    fs::remove_all(dir);
}
