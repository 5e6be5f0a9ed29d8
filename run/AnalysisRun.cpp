#include "run/AnalysisRun.h"

#include "TorvikVersion.h"
#include "model/AtomicFile.h"
#include "model/PrivateFolder.h"
#include "run/DynamicLibrary.h"
#include "units/TorvikError.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

const char* const EngineLibraryName = EngineLibraryFileName;
const char* const ReinitializeMessage = "Attempt to reinitialize DLL";
const char* const InitializeFailedMessage = "Attempt to initialize DLL failed";
const char* const CompletedMessage =
    "Computations are completed. Please, check output file for results or error messages.";

namespace {

std::string SystemError() { return std::strerror(errno); }

namespace fs = std::filesystem;

// A folder of its own for one run, in the user's temporary folder: names.dat
// and the results the engine writes are kept there, since the program's
// directory is not writable once the program is installed for all users, and
// two runs at once never share a names.dat. The folder goes when the run ends,
// however it ends.
class RunFolder {
public:
    RunFolder() : path_(MakePrivateFolder("torvik-run-")) { }
    ~RunFolder()
    {
        std::error_code error;
        fs::remove_all(path_, error);
    }
    RunFolder(const RunFolder&) = delete;
    RunFolder& operator=(const RunFolder&) = delete;

    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

// The engine's entry that is given the run folder; the library of this
// program has it.
const char* const FolderEntryName = "TorvikRunInFolder";
const char* const ResultExtensions[] = {".tk4o", ".tk4p", ".tk4r"};

std::string FileBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

// The results the engine wrote into the run folder replace those beside the
// wall, all together; a result file of an earlier run that the engine did not
// write again goes, since it describes another input.
void PlaceResults(const fs::path& resultBase, const std::string& wall, TRunResults& results)
{
    std::vector<TFileWrite> files;
    std::vector<std::string> earlier;
    for (const char* extension : ResultExtensions) {
        const fs::path produced = resultBase.string() + extension;
        std::error_code error;
        if (fs::is_regular_file(produced, error))
            files.push_back({ReplaceExtension(wall, extension), FileBytes(produced)});
        else
            earlier.push_back(ReplaceExtension(wall, extension));
    }
    // The output text and the run notes name the files where they are kept.
    for (TFileWrite& file : files)
        if (!EndsWith(file.path, ".tk4p"))
            for (const char* extension : ResultExtensions)
                ReplaceAll(file.content, resultBase.string() + extension, ReplaceExtension(wall, extension));
    try {
        WriteFilesTogether(files);
    } catch (const EInOutError& e) {
        results.problem = e.what();
        return;
    }
    for (const TFileWrite& file : files) {
        results.written.push_back(file.path);
        results.plotWritten = results.plotWritten || EndsWith(file.path, ".tk4p");
    }
    for (const std::string& path : earlier) {
        std::error_code error;
        if (fs::exists(path, error) && !fs::remove(path, error))
            results.problem += std::string(results.problem.empty() ? "" : "\r") + "The file \"" + path +
                               "\" of an earlier run could not be deleted: " + error.message();
    }
}

}  // namespace

std::string ReplaceExtension(const std::string& fileName, const std::string& extension)
{
    const auto slash = fileName.find_last_of("/\\");
    const auto dot = fileName.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return fileName + extension;
    return fileName.substr(0, dot) + extension;
}

std::string NamesFileText(const std::string& dataFileName, const std::string& resultBase)
{
    std::string text = dataFileName + "\r\n";
    for (const char* extension : ResultExtensions)
        text += (resultBase.empty() ? ReplaceExtension(dataFileName, extension) : resultBase + extension) + "\r\n";
    return text;
}

std::string WrittenFilesText(const TRunResults& results)
{
    if (results.written.empty())
        return "No result file was written.";
    std::string text = "Written: ";
    for (std::size_t i = 0; i < results.written.size(); ++i)
        text += (i ? ", " : "") + results.written[i];
    return text + ".";
}

std::string CompletedRunMessage(const TRunResults& results)
{
    std::string text = std::string(CompletedMessage) + "\r";
    if (!results.problem.empty() && results.written.empty())
        return text + results.problem + "\rThe result files of the earlier run are unchanged.";
    text += WrittenFilesText(results);
    return results.problem.empty() ? text : text + "\r" + results.problem;
}

std::vector<std::string> RunStatusLines(const std::string& notesFile)
{
    std::ifstream in(notesFile, std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    bool inside = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line == "Status per analysis:")
            inside = true;
        else if (inside && line.empty())
            break;
        else if (inside)
            lines.push_back(line);
    }
    return lines;
}

std::string RunStatusSummary(const std::vector<std::string>& lines)
{
    if (lines.empty())
        return std::string();
    bool all = true;
    for (const std::string& l : lines)
        all = all && l.find(": converged.") != std::string::npos;
    std::string text = all ? "Every analysis converged:" : "Not every analysis converged:";
    for (const std::string& l : lines)
        text += "\r" + l;
    return text;
}

std::string ProgramDirectory()
{
    return RunningProgramDirectory();
}

TEngineCall CallEngine(const std::string& dataFileName, const std::string& programDirectory, TRunResults* results)
{
    std::string directory = programDirectory;
    if (directory.size() > 1 && (directory.back() == '/' || directory.back() == '\\'))
        directory.pop_back();
    // names.dat names the files by full path, since the run works in a folder of its own.
    std::error_code error;
    const fs::path absolute = fs::absolute(fs::path(dataFileName), error);
    const std::string wall = error ? dataFileName : absolute.string();

    RunFolder folder;
    // The results are written in the run folder first, so that a result file
    // that cannot be written never leaves a mix of two runs beside the wall.
    const fs::path resultBase = folder.Path() / "results";
    {
        std::ofstream names(folder.Path() / "names.dat", std::ios::binary | std::ios::trunc);
        names << NamesFileText(wall, resultBase.string());
        names.close();
        if (!names)
            throw EInOutError(SystemError());
    }
    // The library belongs to this run alone: loaded here, released on return.
    const DynamicLibrary library(directory + "/" + EngineLibraryName);
    // The program never changes its working directory: it gives the engine
    // the run folder. A library without that entry (of an earlier release,
    // which reads names.dat in the working directory) is not called.
    using FolderEntry = void (*)(const char*);
    const auto inFolder = reinterpret_cast<FolderEntry>(library.Symbol(FolderEntryName));
    if (!inFolder)
        return TEngineCall::LoadFailed;
    inFolder(folder.Path().string().c_str());
    TRunResults placed;
    PlaceResults(resultBase, wall, placed);
    if (results)
        *results = placed;
    return TEngineCall::Completed;
}
