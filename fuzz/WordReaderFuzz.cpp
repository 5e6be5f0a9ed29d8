// The word reader on any text: words, reals, integers and whole lines in turn.
#include <string>

#include "fuzz/FuzzSupport.h"
#include "model/WordReader.h"
#include "units/TorvikError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TWordReader reader = TWordReader::FromText(std::string(reinterpret_cast<const char*>(data), size));
    const int steps = 4 * reader.LineCount() + 16;
    for (int step = 0; step < steps && !reader.AtEnd(); ++step) {
        try {
            switch (step % 4) {
            case 0: reader.ReadWord(); break;
            case 1: fuzz::RequireFinite(reader.ReadReal(), "real"); break;
            case 2: reader.ReadInteger(); break;
            default: reader.ReadLine(); break;
            }
        } catch (const TorvikError&) {
        }
    }
    return 0;
}
