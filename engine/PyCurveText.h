#pragma once
#include "units/NumberFormat.h"
#include "units/Units.h"

#include <string>
#include <type_traits>

namespace engine {

// A value for the output text's descriptions: 5 significant digits.
std::string Num(double value);

// A depth as the input dialogs show it: "12.5 ft" in English units (the file holds
// inches), "3.8 m" in SI, "3.8 L" in other units.
std::string DepthText(double z, UnitSystem unitSystem);

namespace detail {
inline void AppendPiece(std::string& out, const char* piece) { out += piece; }
inline void AppendPiece(std::string& out, const std::string& piece) { out += piece; }
template <typename T, typename = std::enable_if_t<std::is_floating_point_v<T>>>
void AppendPiece(std::string& out, T value)
{
    AppendGeneral(out, static_cast<double>(value), 5);
}
}  // namespace detail

// Texts and values (as Num writes them) joined into one description, built in
// one string instead of a temporary for every piece.
template <typename... Pieces>
std::string Describing(const Pieces&... pieces)
{
    std::string out;
    out.reserve(240);
    (detail::AppendPiece(out, pieces), ...);
    return out;
}

}  // namespace engine
