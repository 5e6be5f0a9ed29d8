#pragma once
#include <string>

// The evaluator behind every typed number. The text is an arithmetic
// expression (2*12.5, sqrt(2), 5!, $1F); every intermediate result goes back
// into the text with 18 significant digits, which fixes the precision of
// chained operations (1/3 is the value of 0.333333333333333333).
//
// A text that is not a valid expression raises EAssignError with a message
// beginning "Entry could not be evaluated:" and a carriage return. An
// arithmetic fault (division by zero, an invalid operation, an overflow)
// raises EMathError; infinity and NaN never come out, nor a value beyond
// the range of every value (units/ValueRange.h).
long double EvaluateEntry(const std::string& text);
