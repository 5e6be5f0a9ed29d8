#pragma once
#include <string>

namespace engine {

// A value for the output text's descriptions: 5 significant digits.
std::string Num(double value);

}  // namespace engine
