#include "run/AnalysisRun.h"

#include "run/DynamicLibrary.h"
#include "units/TorvikError.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>

const char* const EngineLibraryName = "Torvik2013_DLL.DLL";
const char* const ReinitializeMessage = "Attempt to reinitialize DLL";
const char* const InitializeFailedMessage = "Attempt to initialize DLL failed";
const char* const CompletedMessage =
    "Computations are completed. Please, check output file for results or error messages.";

namespace {

// The loaded engine of the current run; it exists only between loading and releasing.
std::unique_ptr<DynamicLibrary> EngineLibrary;

std::string SystemError() { return std::strerror(errno); }

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
    if (!ChangeWorkingDirectory(directory))
        throw EInOutError(SystemError());
    {
        std::ofstream names("names.dat", std::ios::binary | std::ios::trunc);
        names << NamesFileText(dataFileName);
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
    std::remove("names.dat");
    return TEngineCall::Completed;
}
