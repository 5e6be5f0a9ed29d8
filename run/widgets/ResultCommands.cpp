#include "run/widgets/ResultCommands.h"

#include "graph/GraphGeometry.h"
#include "model/AtomicFile.h"
#include "model/ProgramData.h"
#include "model/WallSettings.h"
#include "run/ResultTables.h"
#include "run/SpringTable.h"
#include "run/widgets/CalculationReport.h"
#include "units/Prompt.h"
#include "units/QuantityLabels.h"
#include "units/TorvikError.h"

#include <QApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#include <filesystem>

namespace {

// The name the user chose, with `extension` added when it has none.
std::string WithExtension(std::string name, const char* extension)
{
    if (QFileInfo(QString::fromStdString(name)).suffix().isEmpty())
        name += extension;
    return name;
}

// What was written, marked when its results are older than the data file.
std::string Marked(const std::string& what, const std::string& wallFile)
{
    return ResultsOlderThanData(wallFile) ? what + " (" + OlderResultsNote + ")" : what;
}

// The data file's name with another extension, as the dialog's first proposal.
std::string Proposal(const std::string& wallFile, const char* extension)
{
    return std::filesystem::path(wallFile).replace_extension(extension).string();
}

}  // namespace

void TResultCommands::SaveReport(const TProgramData& wall)
{
    const std::string& wallFile = wall.FileName;
    const auto chosen = prompt_.SaveFileName("Save Report", "PDF documents (*.pdf)", Proposal(wallFile, ".pdf"));
    if (!chosen)
        return;
    const std::string name = WithExtension(*chosen, ".pdf");
    QString error;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::string study = wallFile == studyWall_ ? studySummary_ : std::string();
    const bool written = TCalculationReport::Write(QString::fromStdString(wallFile), PlotReadContext(wall),
                                                   QString::fromStdString(name), TCalculationReport::DefaultPaper(),
                                                   &error, true, study);
    QApplication::restoreOverrideCursor();
    if (!written) {
        prompt_.Information("The report was not written. " + error.toStdString());
        return;
    }
    Written(Marked("The report", wallFile) + " was written to ", name);
}

void TResultCommands::SaveCsv(const TProgramData& wall)
{
    const std::string& wallFile = wall.FileName;
    TResultSet results;
    std::string error;
    if (!LoadResultTables(wallFile, PlotReadContext(wall), results, error, true)) {
        prompt_.Information(error);
        return;
    }
    const auto chosen = prompt_.SaveFileName("Save Results as CSV", "CSV files (*.csv)", Proposal(wallFile, ".csv"));
    if (!chosen)
        return;
    const std::string name = WithExtension(*chosen, ".csv");
    try {
        // The results are those of the saved wall: so are the sections of its utilisation columns.
        WriteFileAtomically(name, WallResultsCsv(results, wallFile, ReadSettingsBeside(wallFile).settings));
    } catch (const TorvikError& e) {
        prompt_.Information(e.what());
        return;
    }
    Written(Marked("The results", wallFile) + " were written to ", name);
}

void TResultCommands::Written(const std::string& what, const std::string& file)
{
    const std::string path = QFileInfo(QString::fromStdString(file)).absoluteFilePath().toStdString();
    if (status_)
        status_(what + path);
    if (prompt_.AskYesNo(what + path + ". Do you want to open the file now?") !=
        Prompt::Answer::Yes)
        return;
    const bool opened = open_ ? open_(path)
                              : QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
    if (!opened)
        prompt_.Information("No program could open " + path + ".");
}

namespace {

// The strip the results of `wall` are of, as its graphs name it.
std::string EnvelopeBasis(const TProgramData& wall)
{
    const TPlotReadContext context = PlotReadContext(wall);
    return StripBasis(context.UnitSystem, context.StripWidth);
}

}  // namespace

void TResultCommands::ShowStageEnvelope(const TProgramData& wall)
{
    TResultSet results;
    std::string error;
    if (!LoadResultTables(ResultsFile(wall), PlotReadContext(wall), results, error, true)) {
        prompt_.Information(error);
        return;
    }
    // A window of earlier results goes; the new one shows these.
    envelope_.PlotFormClosed();
    FillEnvelopeGraph(envelope_, StageEnvelope(results), results.UnitSystem, EnvelopeBasis(wall));
    envelope_.Note = ResultsNote(wall);
    if (!GraphRanges(envelope_)) {
        prompt_.Information("The stages give no envelope to draw.");
        return;
    }
    envelope_.Execute();
}

void TResultCommands::ResultsReread(const TProgramData& wall)
{
    if (!envelope_.HasPlotForm())
        return;
    TResultSet results;
    std::string error;
    if (!LoadResultTables(ResultsFile(wall), PlotReadContext(wall), results, error, true) ||
        results.Stages.size() < 2) {
        envelope_.PlotFormClosed();
        return;
    }
    FillEnvelopeGraph(envelope_, StageEnvelope(results), results.UnitSystem, EnvelopeBasis(wall));
    envelope_.Note = ResultsNote(wall);
    if (!GraphRanges(envelope_)) {
        envelope_.PlotFormClosed();
        return;
    }
    // The open window is drawn anew where it is: it neither comes to the
    // front nor takes the focus from the window being edited.
    envelope_.PlotForm()->Reload();
}

void TResultCommands::SetResultsSource(const std::string& dataFile, const std::string& note)
{
    sourceFile_ = dataFile;
    sourceNote_ = note;
    if (!sourceFile_.empty() && envelope_.Note != note) {
        envelope_.Note = note;
        if (TGraphWindow* window = envelope_.PlotForm())
            window->Reload();
    }
}

std::string TResultCommands::ResultsFile(const TProgramData& wall) const
{
    return sourceFile_.empty() ? wall.FileName : sourceFile_;
}

std::string TResultCommands::ResultsNote(const TProgramData& wall) const
{
    if (!sourceFile_.empty())
        return sourceNote_;
    return ResultsOlderThanData(wall.FileName) ? OlderResultsNote : "";
}
