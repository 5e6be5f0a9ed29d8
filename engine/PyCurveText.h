#pragma once
#include <string>

namespace engine {

// A value for the output text's descriptions: 5 significant digits.
std::string Num(double value);

// A depth as the input dialogs show it: "12.5 ft" in English units (the file holds
// inches), "3.8 m" in SI, "3.8 L" in other units.
std::string DepthText(double z, int unitSystem);

}  // namespace engine
