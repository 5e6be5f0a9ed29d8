// The evaluator of typed entries: a value, or an error; never a value beyond
// the range of every value.
#include <cstdlib>
#include <string>

#include "fuzz/FuzzSupport.h"
#include "units/EvaluateEntry.h"
#include "units/TorvikError.h"
#include "units/ValueRange.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 4096)
        return 0;
    try {
        const long double value = EvaluateEntry(std::string(reinterpret_cast<const char*>(data), size));
        fuzz::RequireFinite(value, "entry");
        if (!InValueRange(value)) {
            std::fprintf(stderr, "entry beyond the range of every value\n");
            std::abort();
        }
    } catch (const TorvikError&) {
    }
    return 0;
}
