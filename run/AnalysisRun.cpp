#include "run/AnalysisRun.h"

#include "run/DynamicLibrary.h"
#include "units/TorvikError.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <system_error>

const char* const EngineLibraryName = "Torvik2013_DLL.DLL";
const char* const ReinitializeMessage = "Attempt to reinitialize DLL";
const char* const InitializeFailedMessage = "Attempt to initialize DLL failed";
const char* const CompletedMessage =
    "Computations are completed. Please, check output file for results or error messages.";

namespace {

// The loaded engine of the current run; it exists only between loading and releasing.
std::unique_ptr<DynamicLibrary> EngineLibrary;

std::string SystemError() { return std::strerror(errno); }

namespace fs = std::filesystem;

// A folder of its own for one run, in the user's temporary folder: the engine
// reads names.dat from its working directory, and the program's directory is
// not writable once the program is installed for all users; two runs at once
// never share a names.dat. The folder and the previous working directory are
// given back when the run ends, however it ends.
class RunFolder {
public:
    RunFolder()
    {
        std::error_code error;
        previous_ = fs::current_path(error);
        const fs::path base = fs::temp_directory_path(error);
        if (error)
            throw EInOutError(error.message());
        std::random_device seed;
        std::mt19937_64 random(seed());
        for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
            const fs::path candidate = base / ("torvik-run-" + std::to_string(random() % 1000000000000ULL));
            if (fs::create_directory(candidate, error))
                path_ = candidate;
            else if (error)
                throw EInOutError(error.message());
        }
        if (path_.empty())
            throw EInOutError("No run folder could be made in " + base.string());
        if (!ChangeWorkingDirectory(path_.string())) {
            const std::string message = SystemError();
            fs::remove_all(path_, error);
            throw EInOutError(message);
        }
    }
    ~RunFolder()
    {
        std::error_code error;
        if (!previous_.empty())
            ChangeWorkingDirectory(previous_.string());
        fs::remove_all(path_, error);
    }
    RunFolder(const RunFolder&) = delete;
    RunFolder& operator=(const RunFolder&) = delete;

private:
    fs::path previous_;
    fs::path path_;
};

}  // namespace

std::string ReplaceExtension(const std::string& fileName, const std::string& extension)
{
    const auto slash = fileName.find_last_of("/\\");
    const auto dot = fileName.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return fileName + extension;
    return fileName.substr(0, dot) + extension;
}

std::string NamesFileText(const std::string& dataFileName)
{
    return dataFileName + "\r\n" + ReplaceExtension(dataFileName, ".tk4o") + "\r\n" +
           ReplaceExtension(dataFileName, ".tk4p") + "\r\n" + ReplaceExtension(dataFileName, ".tk4r") + "\r\n";
}

std::string ProgramDirectory()
{
    return RunningProgramDirectory();
}

TEngineCall CallEngine(const std::string& dataFileName, const std::string& programDirectory)
{
    std::string directory = programDirectory;
    if (directory.size() > 1 && (directory.back() == '/' || directory.back() == '\\'))
        directory.pop_back();
    // names.dat names the files by full path, since the run works in a folder of its own.
    std::error_code error;
    const fs::path absolute = fs::absolute(fs::path(dataFileName), error);
    const std::string wall = error ? dataFileName : absolute.string();

    RunFolder folder;
    {
        std::ofstream names("names.dat", std::ios::binary | std::ios::trunc);
        names << NamesFileText(wall);
        names.close();
        if (!names)
            throw EInOutError(SystemError());
    }
    if (EngineLibrary)
        return TEngineCall::AlreadyLoaded;

    EngineLibrary = std::make_unique<DynamicLibrary>(directory + "/" + EngineLibraryName);
    using Entry = void (*)(std::int32_t);
    const auto entry = reinterpret_cast<Entry>(EngineLibrary->Symbol("_ITORVIK"));
    if (!entry) {
        EngineLibrary.reset();
        return TEngineCall::LoadFailed;
    }
    entry(6);
    EngineLibrary.reset();
    return TEngineCall::Completed;
}
