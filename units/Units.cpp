#include "units/Units.h"

#include <cstring>

namespace {

// Indexes into BasicUnits().
enum BasicIndex { kF, kF1, kF2, kL, kL1, kL2, kF4, kF5, kL3, kF6 };

long double Power(long double base, int exponent)
{
    long double result = 1;
    for (int i = 0; i < exponent; ++i)
        result *= base;
    return result;
}

// The exponent digit at `pos`, or 1 when there is none; a dimension string
// holds one digit, never a longer number.
int ExponentAt(const std::string& side, std::size_t pos)
{
    if (pos < side.size() && side[pos] >= '0' && side[pos] <= '9')
        return side[pos] - '0';
    return 1;
}

int ForceIndex(char digit)
{
    switch (digit) {
    case '1': return kF1;
    case '2': return kF2;
    case '4': return kF4;
    case '5': return kF5;
    case '6': return kF6;
    default: return kF;
    }
}

int LengthIndex(char digit)
{
    switch (digit) {
    case '1': return kL1;
    case '2': return kL2;
    case '3': return kL3;
    default: return kL;
    }
}

// One side of a fraction: an optional force term "F[code][^exp]" followed by a
// separator, then an optional length term "L[code][^exp]".
long double SideFactor(std::string side)
{
    const auto& units = BasicUnits();
    long double force = 1;
    if (!side.empty() && side[0] == 'F') {
        if (side.size() < 2 || !std::strchr("012456", side[1]))
            side.insert(1, "0");
        const int index = ForceIndex(side[1]);
        std::size_t consumed = 3;
        int exponent = 1;
        if (side.size() > 2 && side[2] == '^') {
            exponent = ExponentAt(side, 3);
            consumed = 5;
        }
        force = Power(units[index].factor, exponent);
        side.erase(0, std::min(consumed, side.size()));
    }
    long double length = 1;
    if (!side.empty() && side[0] == 'L') {
        if (side.size() < 2 || !std::strchr("0123", side[1]))
            side.insert(1, "0");
        const int index = LengthIndex(side[1]);
        // The exponent sits behind "L", the code digit and "^".
        const int exponent = side.size() >= 3 ? ExponentAt(side, 3) : 1;
        length = Power(units[index].factor, exponent);
    }
    return force * length;
}

// Replaces every occurrence of `code`, going on behind each inserted label.
void ReplaceAll(std::string& text, const std::string& code, const std::string& label)
{
    for (std::size_t at = text.find(code); at != std::string::npos; at = text.find(code, at + label.size()))
        text.replace(at, code.size(), label);
}

const char* Label(int index, UnitSystem system)
{
    return BasicUnits()[index].labels[UnitSystemCode(system) - 1];
}

}  // namespace

const std::array<BasicUnit, 10>& BasicUnits()
{
    static const std::array<BasicUnit, 10> units{{
        {"F", {"lbs", "kN", "F"}, 224.8089237L},
        {"F1", {"kips", "kN", "F"}, 0.2248089237L},
        {"F2", {"tons", "kN", "F"}, 0.1124044745L},
        {"L", {"in", "m", "L"}, 39.37007874L},
        {"L1", {"in", "mm", "L"}, 0.03937007874L},
        {"L2", {"ft", "m", "L"}, 3.280839895L},
        {"F4", {"lb-sec2/in", "Mg", "M"}, 5.7101483L},
        {"F5", {"sec", "sec", "T"}, 1.0L},
        {"L3", {"rad", "rad", "L"}, 1.0L},
        {"F6", {"slug", "Mg", "F"}, 68.364249L},
    }};
    return units;
}

UnitSystem NormalizeUnitSystem(int code)
{
    if (code < UnitSystemCode(UnitSystem::English))
        return UnitSystem::English;
    if (code > UnitSystemCode(UnitSystem::Generic))
        return UnitSystem::Generic;
    return static_cast<UnitSystem>(code);
}

long double DimensionFactor(const std::string& dimension)
{
    const auto slash = dimension.find('/');
    if (slash == std::string::npos)
        return SideFactor(dimension);
    return SideFactor(dimension.substr(0, slash)) / SideFactor(dimension.substr(slash + 1));
}

long double ConversionFactor(UnitSystem fromSystem, UnitSystem toSystem, const std::string& dimension)
{
    if (fromSystem == UnitSystem::English && toSystem == UnitSystem::SI)
        return 1 / DimensionFactor(dimension);
    if (fromSystem == UnitSystem::SI && toSystem == UnitSystem::English)
        return DimensionFactor(dimension);
    return 1;
}

std::string UnitLabel(const std::string& dimension, UnitSystem system)
{
    // Longer codes first, so that "F2" is not taken for "F" followed by a 2.
    static const int order[] = {kF2, kF1, kF4, kF5, kF6, kF, kL3, kL2, kL1, kL};
    std::string text = dimension;
    for (int index : order)
        ReplaceAll(text, BasicUnits()[index].code, Label(index, system));
    return text;
}

std::string EntryUnitLabel(const std::string& units, UnitSystem system)
{
    if (system == UnitSystem::Generic)
        return units;
    std::string text = units;
    auto replaceFirstFound = [&](std::initializer_list<int> codes, int fallback) {
        for (int index : codes) {
            if (text.find(BasicUnits()[index].code) != std::string::npos) {
                ReplaceAll(text, BasicUnits()[index].code, Label(index, system));
                return;
            }
        }
        ReplaceAll(text, BasicUnits()[fallback].code, Label(fallback, system));
    };
    replaceFirstFound({kF6, kF5, kF4, kF2, kF1}, kF);
    replaceFirstFound({kL2, kL1, kL3}, kL);
    return text;
}

std::string ComboUnitLabel(const std::string& units, UnitSystem system)
{
    if (system == UnitSystem::Generic)
        return units;
    std::string text = units;
    ReplaceAll(text, "F", Label(kF, system));
    ReplaceAll(text, "L", Label(kL, system));
    return text;
}
