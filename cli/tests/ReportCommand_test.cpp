// torvik-cli export and report on the bundled examples, after a run.
#include "CliRunner.h"

#include "checks/DesignChecksTable.h"
#include "model/SettingsFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string Read(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The output of a shell command.
std::string Shell(const std::string& command)
{
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return out;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, n);
    pclose(pipe);
    return out;
}

bool HasTool(const char* tool) { return !Shell(std::string("command -v ") + tool).empty(); }

struct ReportCommand : testing::Test {
    fs::path dir = fs::temp_directory_path() / ("torvik-cli-report-" + std::to_string(getpid()));
    void SetUp() override
    {
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    fs::path Example(const std::string& name)
    {
        const fs::path wall = dir / name;
        fs::copy_file(fs::path(TORVIK_SOURCE_DIR) / "examples" / name, wall);
        return wall;
    }
    // The tied-back example, run, with design approach DA1 in its settings.
    fs::path TiedBackWithDA1()
    {
        const fs::path wall = Example("tied-back-sand-over-clay.tk4d");
        TWallSettings settings = ReadSettingsBeside(Example("tied-back-sand-over-clay.tk4s").string()).settings;
        settings.designApproach = DesignApproach::DA1;
        WriteSettingsBeside(wall.string(), settings);
        EXPECT_EQ(Cli("run " + Quote(wall)).exitCode, 0);
        return wall;
    }
};

// With a design approach the CSV ends in a row per stage and combination, the
// governing one of each stage marked as the checks find it.
TEST_F(ReportCommand, TheCsvOfAWallWithAnApproachListsItsCombinations)
{
    const fs::path wall = TiedBackWithDA1();
    const fs::path csv = dir / "results.csv";
    ASSERT_EQ(Cli("export " + Quote(wall) + " --csv " + Quote(csv)).exitCode, 0);
    const std::string text = Read(csv);
    const size_t block = text.find("\r\nStage,Combination,");
    ASSERT_NE(block, std::string::npos);
    std::istringstream lines(text.substr(block + 2));
    std::string line;
    std::getline(lines, line);
    EXPECT_NE(line.find(",Over-design factor,"), std::string::npos) << line;
    std::vector<std::string> rows, governing;
    while (std::getline(lines, line)) {
        rows.push_back(line);
        if (line.find(",yes\r") != std::string::npos)
            governing.push_back(line.substr(0, line.find(',', line.find(',') + 1)));
    }
    const checks::DesignCheckReport report = checks::RunDesignChecks(wall.string());
    size_t combinations = 0;
    std::vector<std::string> expected;
    for (const checks::StageCheck& s : report.stages) {
        combinations += s.combinations.size();
        if (s.governingCombination)
            expected.push_back(s.heading + "," + *s.governingCombination);
    }
    EXPECT_EQ(combinations, 2 * report.stages.size());
    EXPECT_EQ(rows.size(), combinations);
    EXPECT_EQ(governing, expected);
}

// With a design approach the design-checks section of the report names the
// approach, the factors it used and each stage's combinations.
TEST_F(ReportCommand, TheReportOfAWallWithAnApproachShowsItsCombinations)
{
    if (!fs::exists(fs::path(TORVIK_BIN_DIR) / "torvik-cli-plot.so") || !HasTool("pdftotext"))
        GTEST_SKIP() << "needs the drawing module and pdftotext";
    const fs::path wall = TiedBackWithDA1();
    const fs::path pdf = dir / "report.pdf";
    ASSERT_EQ(Cli("report " + Quote(wall) + " --out " + Quote(pdf)).exitCode, 0);
    const std::string text = Shell("pdftotext " + Quote(pdf) + " -");
    for (const char* expected : {"Design approach DA1", "A2: gamma_G 1, gamma_Q 1.3", "DA1-1", "DA1-2", "(governing)",
                                 "Over-design"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
}

TEST_F(ReportCommand, EveryExampleGivesACsvAndAReportOnA4AndLetter)
{
    const bool reports = fs::exists(fs::path(TORVIK_BIN_DIR) / "torvik-cli-plot.so");
    for (const char* name : {"cantilever-sand.tk4d", "anchored-soft-clay.tk4d", "soldier-pile-surcharge-water.tk4d",
                             "three-stage-excavation.tk4d"}) {
        const fs::path wall = Example(name);
        ASSERT_EQ(Cli("run " + Quote(wall)).exitCode, 0) << name;
        const fs::path csv = dir / "results.csv";
        const CliRun e = Cli("export " + Quote(wall) + " --csv " + Quote(csv));
        ASSERT_EQ(e.exitCode, 0) << name << e.err;
        std::istringstream lines(Read(csv));
        std::string header, row;
        std::getline(lines, header);
        EXPECT_EQ(header.rfind("Stage,Depth (", 0), 0u) << header;
        int rows = 0;
        while (std::getline(lines, row))
            ++rows;
        EXPECT_GT(rows, 10) << name;
        if (!reports)
            continue;
        for (const char* paper : {"A4", "Letter"}) {
            const fs::path pdf = dir / (std::string(paper) + ".pdf");
            const CliRun r = Cli("report " + Quote(wall) + " --out " + Quote(pdf) + " --paper " + paper);
            ASSERT_EQ(r.exitCode, 0) << name << " " << r.err;
            EXPECT_EQ(Read(pdf).rfind("%PDF", 0), 0u);
        }
    }
}

TEST_F(ReportCommand, TheReportOfTheStagedWallHoldsItsFingerprintMaximaAndEnvelope)
{
    if (!fs::exists(fs::path(TORVIK_BIN_DIR) / "torvik-cli-plot.so") || !HasTool("pdftotext") || !HasTool("sha256sum"))
        GTEST_SKIP() << "needs the drawing module, pdftotext and sha256sum";
    const fs::path wall = Example("three-stage-excavation.tk4d");
    ASSERT_EQ(Cli("run " + Quote(wall)).exitCode, 0);
    const fs::path pdf = dir / "report.pdf";
    ASSERT_EQ(Cli("report " + Quote(wall) + " --out " + Quote(pdf)).exitCode, 0);
    const std::string text = Shell("pdftotext -layout " + Quote(pdf) + " -");
    const std::string sha = Shell("sha256sum " + Quote(wall)).substr(0, 64);
    const std::string output = Read(dir / "three-stage-excavation.tk4o");
    // The largest positive moment of stage 3 as the engine's output text gives it.
    const size_t stage3 = output.find("Stage 3 of 3");
    const size_t at = output.find("Largest positive moment:", stage3);
    const std::string moment = output.substr(at, output.find('\r', at) - at);
    for (const std::string& expected : std::vector<std::string>{sha, "Three-stage braced excavation in sand", "Stage 3 of 3", moment, "Equilibrium of the whole wall",
          "Envelope of the stages", "Results along the wall", "Page 1 of"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    // The fingerprint heads every page.
    size_t pages = 0, fingerprints = 0;
    for (size_t p = text.find("Page "); p != std::string::npos; p = text.find("Page ", p + 1))
        pages += text.compare(p, 5, "Page ") == 0 && text.find(" of ", p) < p + 12;
    for (size_t p = text.find(sha); p != std::string::npos; p = text.find(sha, p + 1))
        ++fingerprints;
    EXPECT_GE(fingerprints, pages);
    EXPECT_GT(pages, 3u);
}

// Every word of the title page lies on the paper, inside the right margin
// (15 mm): the fingerprint of the data file is printed whole on A4 and Letter.
TEST_F(ReportCommand, TheTitlePageStaysInsideItsMarginsOnEveryPaper)
{
    if (!fs::exists(fs::path(TORVIK_BIN_DIR) / "torvik-cli-plot.so") || !HasTool("pdftotext") || !HasTool("sha256sum"))
        GTEST_SKIP() << "needs the drawing module, pdftotext and sha256sum";
    const fs::path wall = Example("cantilever-sand.tk4d");
    ASSERT_EQ(Cli("run " + Quote(wall)).exitCode, 0);
    const std::string sha = Shell("sha256sum " + Quote(wall)).substr(0, 64);
    for (const char* paper : {"A4", "Letter"}) {
        const fs::path pdf = dir / (std::string(paper) + ".pdf");
        ASSERT_EQ(Cli("report " + Quote(wall) + " --out " + Quote(pdf) + " --paper " + paper).exitCode, 0);
        const std::string boxes = Shell("pdftotext -bbox -f 1 -l 1 " + Quote(pdf) + " -");
        const size_t page = boxes.find("<page width=\"");
        ASSERT_NE(page, std::string::npos) << boxes;
        const double right = std::stod(boxes.substr(page + 13)) - 15 / 25.4 * 72;
        std::vector<std::string> parts;  // words of the fingerprint: the page header's, then the title block's
        for (size_t at = boxes.find("<word xMin="); at != std::string::npos; at = boxes.find("<word xMin=", at + 1)) {
            const size_t xMax = boxes.find("xMax=\"", at) + 6;
            const size_t text = boxes.find('>', at) + 1;
            const std::string word = boxes.substr(text, boxes.find('<', text) - text);
            EXPECT_LE(std::stod(boxes.substr(xMax)), right + 0.5) << paper << ": " << word;
            if (word.size() >= 32 && sha.find(word) != std::string::npos)
                parts.push_back(word);
        }
        ASSERT_GE(parts.size(), 2u) << paper;
        EXPECT_EQ(parts[0], sha) << paper << ": the page header";
        EXPECT_EQ(parts[1] == sha ? parts[1] : parts[1] + (parts.size() > 2 ? parts[2] : ""), sha) << paper;
    }
}

// After the summary, the design checks of every stage as the checks give them:
// F, the required tip, the mobilised passive resistance, the limit-equilibrium
// values, the governing stage named and the definition of F.
TEST_F(ReportCommand, TheReportHoldsTheDesignChecksOfEveryStage)
{
    if (!fs::exists(fs::path(TORVIK_BIN_DIR) / "torvik-cli-plot.so") || !HasTool("pdftotext"))
        GTEST_SKIP() << "needs the drawing module and pdftotext";
    const fs::path wall = Example("three-stage-excavation.tk4d");
    ASSERT_EQ(Cli("run " + Quote(wall)).exitCode, 0);
    const fs::path pdf = dir / "report.pdf";
    ASSERT_EQ(Cli("report " + Quote(wall) + " --out " + Quote(pdf)).exitCode, 0);
    const std::string text = Shell("pdftotext -layout " + Quote(pdf) + " -");
    const size_t section = text.find("Design checks");
    ASSERT_NE(section, std::string::npos);
    EXPECT_LT(text.find("Summary of results"), section);
    EXPECT_GT(text.find("Method", section), section);

    const checks::DesignCheckReport report = checks::RunDesignChecks(wall.string());
    const checks::DesignChecksTable table = checks::MakeDesignChecksTable(report);
    ASSERT_EQ(table.rows.size(), 3u);
    ASSERT_TRUE(report.governingStage);
    // Each stage's row, its values in the order of the columns.
    size_t at = section;
    for (const std::vector<std::string>& row : table.rows) {
        at = text.find(row[checks::ColumnStage], at);
        ASSERT_NE(at, std::string::npos) << row[checks::ColumnStage];
        for (int c : {checks::ColumnSafetyFactor, checks::ColumnRequiredTip, checks::ColumnMobilisedPassive,
                      checks::ColumnEmbedment, checks::ColumnAnchorForce}) {
            if (row[c] == checks::kNoValue)
                continue;
            const size_t value = text.find(row[c], at);
            EXPECT_LT(value, text.find('\n', at)) << row[checks::ColumnStage] << " column " << c << ": " << row[c];
            at = value == std::string::npos ? at : value;
        }
    }
    const std::string governing = report.stages[static_cast<size_t>(*report.governingStage - 1)].heading;
    // "(governing)" follows the governing stage's name, in its cell.
    const size_t mark = text.find("(governing)", section);
    ASSERT_NE(mark, std::string::npos);
    size_t named = std::string::npos;
    for (const std::vector<std::string>& row : table.rows)
        if (const size_t p = text.find(row[checks::ColumnStage], section); p < mark && (named == std::string::npos || p > named))
            named = p;
    EXPECT_EQ(text.compare(named, governing.size(), governing), 0);
    EXPECT_NE(text.find("Governing stage: " + governing, section), std::string::npos);
    EXPECT_NE(text.find("Safety factor F: the factor by which", section), std::string::npos);
}

// A checker can follow the bending check from the report alone: the steel
// section with its W, fy, shear area and corrosion loss, the sketch of the
// wall, and the section table on the page of its utilisation graph. Units in
// the headings stay whole, option codes carry their words, a largest moment
// within round-off of zero is "none" as on the stage pages, and the report
// ends with a page of its own content rather than a few leftover lines.
TEST_F(ReportCommand, TheReportShowsTheSectionTheSketchAndReadableLabels)
{
    if (!fs::exists(fs::path(TORVIK_BIN_DIR) / "torvik-cli-plot.so") || !HasTool("pdftotext"))
        GTEST_SKIP() << "needs the drawing module and pdftotext";
    const fs::path wall = Example("tied-back-sand-over-clay.tk4d");
    std::string settings = Read(fs::path(TORVIK_SOURCE_DIR) / "examples" / "tied-back-sand-over-clay.tk4s");
    const std::string section =
        R"("sections": [{"node": 0, "name": "AZ 18-700", "section_modulus_m3": 0.0018,)"
        R"( "yield_strength_kPa": 355000, "shear_area_m2": 0.0098, "corrosion_loss_percent": 12.5}])";
    const std::string noSections = "\"sections\": []";
    settings.replace(settings.find(noSections), noSections.size(), section);
    std::ofstream(dir / "tied-back-sand-over-clay.tk4s", std::ios::binary) << settings;
    ASSERT_EQ(Cli("run " + Quote(wall)).exitCode, 0);
    const fs::path pdf = dir / "report.pdf";
    const CliRun r = Cli("report " + Quote(wall) + " --out " + Quote(pdf));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string text = Shell("pdftotext " + Quote(pdf) + " -");
    std::vector<std::string> pages{""};
    for (char c : text) {
        if (c == '\f')
            pages.emplace_back();
        else
            pages.back().push_back(c);
    }
    while (!pages.empty() && pages.back().find_first_not_of(" \n") == std::string::npos)
        pages.pop_back();

    for (const char* expected : {"The wall", "Steel sections", "AZ 18-700", "1800", "355", "98", "12.5",
                                 "Section Modulus", "Yield Strength", "(cm³/m)", "(MPa)"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    // The sketch names the soil layers, as the profile view does.
    EXPECT_NE(text.find("Sand"), std::string::npos);
    // The section table and its utilisation graph share a page.
    int tablePage = -1, graphPage = -1;
    for (int i = 0; i < static_cast<int>(pages.size()); ++i) {
        if (tablePage < 0 && pages[static_cast<size_t>(i)].find("Bending utilisation") != std::string::npos)
            tablePage = i;
        if (graphPage < 0 && pages[static_cast<size_t>(i)].find("Utilisation (-)") != std::string::npos)
            graphPage = i;
    }
    EXPECT_GE(tablePage, 0);
    EXPECT_EQ(tablePage, graphPage);
    // No unit is broken at its hyphen; the moments name the strip they are of.
    EXPECT_EQ(text.find("kN-\n"), std::string::npos);
    EXPECT_NE(text.find("kN-m/m"), std::string::npos);
    const std::string layout = Shell("pdftotext -layout " + Quote(pdf) + " -");
    EXPECT_NE(layout.find("Earth-pressure option:             2 (generated, triangular distribution)"),
              std::string::npos);
    // The last page holds more than a handful of lines.
    ASSERT_FALSE(pages.empty());
    EXPECT_GT(std::count(pages.back().begin(), pages.back().end(), '\n'), 12) << pages.back();

    // Where the engine finds no moment of a sign (the cantilever's top), the summary says none too.
    const fs::path cantilever = Example("cantilever-sand.tk4d");
    ASSERT_EQ(Cli("run " + Quote(cantilever)).exitCode, 0);
    ASSERT_EQ(Cli("report " + Quote(cantilever) + " --out " + Quote(pdf)).exitCode, 0);
    const std::string cantileverText = Shell("pdftotext " + Quote(pdf) + " -");
    const std::string output = Read(dir / "cantilever-sand.tk4o");
    size_t none = 0;
    for (size_t at = output.find("moment:   none"); at != std::string::npos; at = output.find("moment:   none", at + 1))
        ++none;
    ASSERT_GT(none, 0u);
    const size_t from = cantileverText.find("Summary of results"), to = cantileverText.find("Design checks", from);
    ASSERT_LT(from, to);
    const std::string summary = cantileverText.substr(from, to - from);
    size_t shown = 0;
    for (size_t at = summary.find("none"); at != std::string::npos; at = summary.find("none", at + 1))
        ++shown;
    EXPECT_GE(shown, none);
    // No moment within round-off of zero is given as a largest one ("2.9485E-14 at 22").
    for (size_t at = summary.find(" at "); at != std::string::npos; at = summary.find(" at ", at + 1)) {
        const size_t word = summary.find_last_of(" \n", at - 1) + 1;
        EXPECT_EQ(summary.substr(word, at - word).find("E-1"), std::string::npos) << summary.substr(word, at - word);
    }
}

TEST_F(ReportCommand, AWallWithoutUpToDateResultsIsRefused)
{
    const fs::path wall = Example("cantilever-sand.tk4d");
    const CliRun e = Cli("export " + Quote(wall) + " --csv " + Quote(dir / "x.csv"));
    EXPECT_EQ(e.exitCode, 1);
    EXPECT_NE(e.err.find("analyse it first"), std::string::npos) << e.err;
    EXPECT_EQ(Cli("export " + Quote(wall)).exitCode, 2);
    ASSERT_EQ(Cli("run " + Quote(wall)).exitCode, 0);
    // The data file changed after the run: its results belong to other input.
    fs::last_write_time(wall, fs::last_write_time(dir / "cantilever-sand.tk4p") + std::chrono::seconds(5));
    const CliRun stale = Cli("export " + Quote(wall) + " --csv " + Quote(dir / "x.csv"));
    EXPECT_EQ(stale.exitCode, 1);
    EXPECT_NE(stale.err.find("older"), std::string::npos) << stale.err;
    if (fs::exists(fs::path(TORVIK_BIN_DIR) / "torvik-cli-plot.so")) {
        EXPECT_EQ(Cli("report " + Quote(wall) + " --out " + Quote(dir / "x.pdf")).exitCode, 1);
    }
    EXPECT_FALSE(fs::exists(dir / "x.csv"));
    EXPECT_FALSE(fs::exists(dir / "x.pdf"));
}

}  // namespace
