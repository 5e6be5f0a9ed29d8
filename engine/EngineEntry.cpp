// The exported entry points of the engine library. "_ITORVIK" is called with
// the value 6 and finds its files in names.dat in the working directory;
// "TorvikRunInFolder" is given the folder that holds names.dat, so that a
// caller never changes its working directory and runs in two folders may go
// side by side. Nothing escapes a call: every exception is caught here, and no
// state is kept between calls.
#include "engine/EngineRun.h"

#include <cstdint>

#if defined(_WIN32)
// The program calls the entry with the stdcall convention (the callee removes the argument).
#define TORVIK_EXPORT extern "C" __declspec(dllexport)
#define TORVIK_CALL __stdcall
#else
#define TORVIK_EXPORT extern "C" __attribute__((visibility("default")))
#define TORVIK_CALL
#endif

TORVIK_EXPORT void TORVIK_CALL _ITORVIK(std::int32_t code)
{
    (void)code;  // the program always passes 6; the engine needs no mode
    try {
        EngineRun::RunFromNamesFile();
    } catch (...) {
        // A fault that got this far must not take the program down with it.
    }
}

TORVIK_EXPORT void TORVIK_CALL TorvikRunInFolder(const char* runFolder)
{
    if (!runFolder)
        return;
    try {
        EngineRun::RunInFolder(runFolder);
    } catch (...) {
        // As above: the caller survives whatever went wrong.
    }
}
