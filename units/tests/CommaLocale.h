#pragma once
#include <clocale>
#include <locale>
#include <stdexcept>
#include <string>

// For its lifetime, a locale whose decimal separator is a comma: German under
// its Linux or its Windows name. The C library always takes it; the global
// C++ locale too where the C++ library has named locales (MinGW's has none).
// The previous C locale and the classic C++ locale are restored at the end.
class CommaLocale {
public:
    CommaLocale()
    {
        const char* previous = std::setlocale(LC_ALL, nullptr);
        previous_ = previous ? previous : "C";
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "German_Germany.1252"}) {
            if (std::setlocale(LC_ALL, name)) {
                active_ = true;
                break;
            }
        }
        if (!active_)
            return;
        try {
            std::locale::global(std::locale(std::setlocale(LC_ALL, nullptr)));
        } catch (const std::runtime_error&) {
        }
    }
    ~CommaLocale()
    {
        std::locale::global(std::locale::classic());
        std::setlocale(LC_ALL, previous_.c_str());
    }
    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;

    bool Active() const { return active_; }

private:
    std::string previous_;
    bool active_ = false;
};
