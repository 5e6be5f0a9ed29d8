#pragma once
#include <ostream>

// Test names show a case's text in quotes, with control characters escaped.
inline void PrintText(const char* text, std::ostream* os)
{
    *os << '"';
    for (const char* c = text; *c; ++c) {
        if (static_cast<unsigned char>(*c) < 32)
            *os << "\\x" << std::hex << static_cast<int>(*c) << std::dec;
        else
            *os << *c;
    }
    *os << '"';
}
