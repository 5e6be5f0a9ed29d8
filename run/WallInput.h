#pragma once
#include "engine/WallFileReader.h"
#include "model/WallSettings.h"

#include <vector>

class TProgramData;

// The engine's input from the open wall, without a file: the blocks that
// saving the wall and reading its data file back would give, every value as
// the data file holds it (eight significant digits, in the units of the file).
// A staged wall gives every stage, the current one from the open wall and the
// others from their working copies; a long-term analysis gives its two cases.
// The wall and its tables are left as they are (saving would empty the tables
// of switched-off options). EInOutError when a working copy cannot be read,
// TorvikError when the wall holds what its data file could not.
std::vector<WallFileBlock> WallInput(TProgramData& wall);

// The wall's settings as an analysis of its saved files would find them.
TWallSettings WallInputSettings(const TProgramData& wall);
