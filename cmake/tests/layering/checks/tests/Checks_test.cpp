#include "engine/tests/TestWall.h"
// The checks and the verification lie side by side.
#include "verify/Cases.h"
// A helper of a higher floor's tests.
#include "run/tests/RunHelper.h"
