#include "run/AnalysisRun.h"

#include "units/TorvikError.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <fstream>
#include <limits.h>
#include <unistd.h>

const char* const EngineLibraryName = "Torvik2013_DLL.DLL";
const char* const ReinitializeMessage = "Attempt to reinitialize DLL";
const char* const InitializeFailedMessage = "Attempt to initialize DLL failed";
const char* const CompletedMessage =
    "Computations are completed. Please, check output file for results or error messages.";

namespace {

// The loaded engine of the current run; it exists only between loading and releasing.
void* EngineLibrary = nullptr;

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
    char buffer[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0)
        return ".";
    std::string path(buffer, static_cast<size_t>(n));
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

TEngineCall CallEngine(const std::string& dataFileName, const std::string& programDirectory)
{
    std::string directory = programDirectory;
    if (directory.size() > 1 && (directory.back() == '/' || directory.back() == '\\'))
        directory.pop_back();
    if (chdir(directory.c_str()) != 0)
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

    const std::string path = directory + "/" + EngineLibraryName;
    EngineLibrary = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    using Entry = void (*)(std::int32_t);
    Entry entry = EngineLibrary ? reinterpret_cast<Entry>(dlsym(EngineLibrary, "_ITORVIK")) : nullptr;
    if (!entry) {
        if (EngineLibrary)
            dlclose(EngineLibrary);
        EngineLibrary = nullptr;
        return TEngineCall::LoadFailed;
    }
    entry(6);
    dlclose(EngineLibrary);
    EngineLibrary = nullptr;
    std::remove("names.dat");
    return TEngineCall::Completed;
}
