#pragma once
#include "engine/SectionResult.h"
#include "engine/WallModel.h"

// The ranges the engine accepts its inputs in, and the check that its results
// are numbers.
//
// Every input has a range far beyond any real wall (a length up to 1000 km, a
// force up to 1E15 kN, a width from 1 mm to 1 km, a strain from 1E-6 to 1) but
// narrow enough that no product the method forms can overflow: a value outside
// it is an input error that names the item, so that no curve or result ever
// comes out as infinity. The ranges are stated in SI units and converted to
// the file's units (English: in, lb); in other units the wider of the two holds.

// Throws TorvikError naming the first input of the block outside its range.
void CheckInputRanges(const WallBlock& block);

// A result that claims convergence while a value is not a finite number is
// turned into a failed one whose message names the value and the node.
void CheckResultsFinite(SectionResult& result);
