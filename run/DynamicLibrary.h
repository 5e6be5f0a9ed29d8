#pragma once
#include <string>

// The platform's dynamic libraries, loaded by path: dlopen/dlsym/dlclose on
// POSIX systems, LoadLibraryA/GetProcAddress/FreeLibrary on Windows.
class DynamicLibrary {
public:
    // Loads the library at `path`; Loaded() tells whether that worked.
    explicit DynamicLibrary(const std::string& path);
    // Releases the library.
    ~DynamicLibrary();
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;

    // True when the library was loaded.
    bool Loaded() const { return handle_ != nullptr; }
    // The address of the exported symbol `name`, or nullptr.
    void* Symbol(const char* name) const;

private:
    void* handle_ = nullptr;
};

// The directory of the running program, without a trailing separator.
std::string RunningProgramDirectory();
