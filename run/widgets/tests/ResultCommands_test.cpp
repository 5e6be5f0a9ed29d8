// The result commands as the main window runs them: file names asked through
// the prompt, the envelope shown in a graph window of the window area.
#include "run/widgets/ResultCommands.h"

#include "engine/EngineRun.h"
#include "graph/widgets/PlotForm.h"
#include "model/BatchHost.h"
#include "model/ProgramData.h"
#include "units/ScriptedPrompt.h"

#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct ResultCommandsTest : testing::Test {
    fs::path dir = fs::temp_directory_path() / ("torvik-result-commands-" + std::to_string(getpid()));
    fs::path wall = dir / "wall.tk4d";
    ScriptedPrompt prompt;
    QMdiArea area;

    void SetUp() override
    {
        fs::remove_all(dir);
        fs::create_directories(dir);
        fs::copy_file(fs::path(TORVIK_SOURCE_DIR) / "examples" / "three-stage-excavation.tk4d", wall);
        // Results of three stages written after the data file.
        fs::copy_file(fs::path(TORVIK_SOURCE_DIR) / "run" / "tests" / "data" / "staged.tk4p", dir / "wall.tk4p");
    }
    TGraphWindowFactory windows = [this](TGraphPlot& g) { return TPlotForm::Create(g, area, prompt); };
    void TearDown() override
    {
        area.closeAllSubWindows();
        fs::remove_all(dir);
    }
};

TEST_F(ResultCommandsTest, CsvEnvelopeAndReportFromTheWallsResults)
{
    BatchHost host;
    const std::unique_ptr<TProgramData> open = TProgramData::CreateFromFile(host, wall.string(), LayoutForPath(wall.string()));
    TResultCommands commands(prompt, windows);
    // The CSV under the name the user gave, with the extension added.
    prompt.fileNames = {(dir / "results").string()};
    commands.SaveCsv(*open);
    std::ifstream csv(dir / "results.csv");
    std::string header;
    std::getline(csv, header);
    EXPECT_EQ(header.rfind("Stage,Depth (", 0), 0u) << header;

    // The envelope opens a graph window of two curves per panel; showing it
    // again replaces the window.
    commands.ShowStageEnvelope(*open);
    ASSERT_EQ(area.subWindowList().size(), 1);
    EXPECT_EQ(commands.EnvelopeGraph().LineCount2(), 2);
    commands.ShowStageEnvelope(*open);
    EXPECT_EQ(area.subWindowList().size(), 1);
    // Results read again keep one window; results gone close it.
    commands.ResultsReread(*open);
    EXPECT_EQ(area.subWindowList().size(), 1);
    fs::remove(dir / "wall.tk4p");
    commands.ResultsReread(*open);
    QCoreApplication::processEvents();
    EXPECT_EQ(area.subWindowList().size(), 0);
    fs::copy_file(fs::path(TORVIK_SOURCE_DIR) / "run" / "tests" / "data" / "staged.tk4p", dir / "wall.tk4p");

    // The report needs the output text of the run, which these results lack.
    prompt.fileNames = {(dir / "report.pdf").string()};
    commands.SaveReport(*open);
    ASSERT_FALSE(prompt.shown.empty());
    EXPECT_NE(prompt.shown.back().find("analyse the wall again"), std::string::npos) << prompt.shown.back();
    EXPECT_FALSE(fs::exists(dir / "report.pdf"));
}

// The text of a PDF by pdftotext; empty when it cannot be run.
std::string PdfText(const fs::path& pdf)
{
    std::string text;
    if (FILE* pipe = popen(("pdftotext '" + pdf.string() + "' - 2>/dev/null").c_str(), "r")) {
        char buffer[4096];
        for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            text.append(buffer, n);
        pclose(pipe);
    }
    return text;
}

TEST_F(ResultCommandsTest, TheReportEndsWithTheStudyLastRunOnTheWall)
{
    if (std::system("command -v pdftotext >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "needs pdftotext";
    // The wall analysed, so that its output text and plot data file are new.
    const std::string base = (dir / "wall").string();
    ASSERT_TRUE(EngineRun::Run({wall.string(), base + ".tk4o", base + ".tk4p", base + ".tk4r"}).plotWritten);
    BatchHost host;
    const std::unique_ptr<TProgramData> open = TProgramData::CreateFromFile(host, wall.string(), LayoutForPath(wall.string()));
    TResultCommands commands(prompt, windows);

    // A study of another wall stays out of this wall's report.
    commands.SetStudySummary((dir / "other.tk4d").string(), "Sensitivity of the other wall");
    prompt.fileNames = {(dir / "plain.pdf").string()};
    commands.SaveReport(*open);
    const std::string plain = PdfText(dir / "plain.pdf");
    ASSERT_NE(plain.find("Three-stage braced excavation"), std::string::npos) << plain.substr(0, 400);
    EXPECT_EQ(plain.find("Sensitivity of the other wall"), std::string::npos);

    commands.SetStudySummary(wall.string(), "Sensitivity: layer 1 friction angle swings the largest moment most");
    prompt.fileNames = {(dir / "studied.pdf").string()};
    commands.SaveReport(*open);
    const std::string studied = PdfText(dir / "studied.pdf");
    const size_t heading = studied.rfind("Study");
    ASSERT_NE(heading, std::string::npos);
    EXPECT_NE(studied.find("layer 1 friction angle swings the largest moment most", heading), std::string::npos);
}

}  // namespace
