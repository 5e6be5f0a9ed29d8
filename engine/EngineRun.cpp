#include "engine/EngineRun.h"

#include "engine/BeamColumnSolver.h"
#include "engine/PlotFileWriter.h"
#include "engine/ReportWriter.h"
#include "engine/SectionBuilder.h"
#include "engine/WallFileReader.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <sstream>

namespace {

std::string Now()
{
    const std::time_t t = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm tm{};
#if defined(_WIN32)
    gmtime_s(&tm, &t);
#else
    gmtime_r(&t, &tm);
#endif
    char buffer[32];
    std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M:%S UTC", &tm);
    return buffer;
}

// Opens a file for writing, emptied (created when missing).
std::ofstream OpenEmpty(const std::string& path)
{
    std::ofstream out;
    if (!path.empty())
        out.open(path, std::ios::binary | std::ios::trunc);
    return out;
}

// Writes a whole file through its open stream and closes it; false when it cannot be written.
bool Write(std::ofstream& out, const std::string& text)
{
    if (!out.is_open())
        return false;
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    return static_cast<bool>(out);
}

std::string Trim(std::string s)
{
    while (!s.empty() && (s.back() == '\r' || s.back() == '\n' || s.back() == ' ' || s.back() == '\t'))
        s.pop_back();
    size_t start = s.find_first_not_of(" \t");
    return start == std::string::npos ? std::string() : s.substr(start);
}

}  // namespace

bool EngineRun::ReadNamesFile(const std::string& path, RunFiles& files)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::string* names[] = {&files.dataFile, &files.outputText, &files.plotFile, &files.runNotes};
    std::string line;
    for (std::string* name : names) {
        if (!std::getline(in, line))
            break;
        *name = Trim(line);
    }
    return !files.dataFile.empty() && !files.outputText.empty() && !files.plotFile.empty() &&
           !files.runNotes.empty();
}

RunOutcome EngineRun::Analyse(const std::string& dataFile)
{
    RunOutcome outcome;
    std::vector<WallFileBlock> blocks;
    try {
        blocks = WallFileReader::Read(dataFile);
    } catch (const std::exception& e) {
        outcome.fileError = std::string("The data file ") + dataFile + " cannot be read: " + e.what();
        for (char& c : outcome.fileError)
            if (c == '\r' || c == '\n')
                c = ' ';
        return outcome;
    } catch (...) {
        outcome.fileError = "The data file " + dataFile + " cannot be read.";
        return outcome;
    }
    for (WallFileBlock& b : blocks) {
        SectionRun s;
        s.heading = b.heading;
        s.block = std::move(b.block);
        try {
            s.input = SectionBuilder::Build(s.block, s.heading);
            s.built = true;
        } catch (const std::exception& e) {
            s.error = s.heading + ": " + e.what();
            s.result.status = SolveStatus::InvalidInput;
            s.result.message = s.error;
        }
        if (s.built) {
            try {
                s.result = BeamColumnSolver::Solve(s.input);
            } catch (const std::exception& e) {
                s.result = SectionResult{};
                s.result.status = SolveStatus::InvalidInput;
                s.result.message = std::string("The analysis stopped: ") + e.what();
            }
        }
        const bool inputError = !s.built;
        outcome.sections.push_back(std::move(s));
        // An input error ends the run: later stages are not analysed.
        if (inputError)
            break;
    }
    return outcome;
}

RunOutcome EngineRun::Run(const RunFiles& files)
{
    // No file of an earlier run may pass for a result of this one: the three
    // outputs are emptied now (cheaper than deleting and creating them again)
    // and written at the end; a plot data file this run does not write is removed.
    std::ofstream text = OpenEmpty(files.outputText), notes = OpenEmpty(files.runNotes), plot = OpenEmpty(files.plotFile);

    RunInfo info;
    info.dataFile = files.dataFile;
    info.outputText = files.outputText;
    info.plotFile = files.plotFile;
    info.runNotes = files.runNotes;
    info.startTime = Now();

    RunOutcome outcome = Analyse(files.dataFile);
    info.fileError = outcome.fileError;
    if (!outcome.sections.empty()) {
        info.title = outcome.sections.front().block.title;
        info.unitSystem = outcome.sections.front().block.unitSystem;
    }
    bool allOk = !outcome.sections.empty() && outcome.fileError.empty();
    for (const SectionRun& s : outcome.sections)
        allOk = allOk && s.Ok();
    if (allOk && static_cast<int>(outcome.sections.size()) < outcome.sections.front().block.stageCount)
        allOk = false;
    if (allOk) {
        try {
            outcome.plotWritten = Write(plot, PlotFileWriter::Text(outcome.sections));
            if (!outcome.plotWritten)
                info.notes.push_back("ERROR: the plot data file " + files.plotFile + " cannot be written.");
        } catch (const std::exception& e) {
            info.notes.push_back(std::string("ERROR: ") + e.what());
        }
    }
    if (!outcome.plotWritten) {
        plot.close();
        std::remove(files.plotFile.c_str());
    }
    info.plotWritten = outcome.plotWritten;
    info.endTime = Now();
    Write(text, ReportWriter::Text(info, outcome.sections));
    Write(notes, ReportWriter::Notes(info, outcome.sections));
    return outcome;
}

bool EngineRun::RunFromNamesFile()
{
    RunFiles files;
    if (!ReadNamesFile("names.dat", files))
        return false;
    Run(files);
    return true;
}
