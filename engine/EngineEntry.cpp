// The exported entry point of the engine library. It is called with the value 6
// and finds its files in names.dat in the working directory. Nothing escapes the
// call: every exception is caught here, and no state is kept between calls.
#include "engine/EngineRun.h"

#include <cstdint>

extern "C" __attribute__((visibility("default"))) void _ITORVIK(std::int32_t code)
{
    (void)code;  // the program always passes 6; the engine needs no mode
    try {
        EngineRun::RunFromNamesFile();
    } catch (...) {
        // A fault that got this far must not take the program down with it.
    }
}
