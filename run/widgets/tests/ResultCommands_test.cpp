// The result commands as the main window runs them: file names asked through
// the prompt, the envelope shown in a graph window of the window area.
#include "run/widgets/ResultCommands.h"

#include "graph/widgets/PlotForm.h"
#include "model/BatchHost.h"
#include "model/ProgramData.h"
#include "units/ScriptedPrompt.h"

#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <gtest/gtest.h>

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

}  // namespace
