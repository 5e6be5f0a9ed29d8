#pragma once
#include "engine/WallModel.h"

#include <string>
#include <vector>

// One block of the data file with its place in the run.
struct WallFileBlock {
    std::string heading;  // "Stage 2 of 3", "Short-term case", "Long-term case" or "Analysis"
    WallBlock block;
};

// Reads the wall data file in the current layout with the program's own block
// reader into a wall and input tables of its own, and takes each block out in
// the units of the file: one block, a short-term and a long-term block, or the
// blocks of a staged file. EInOutError (naming the line and item) when the file
// cannot be read.
class WallFileReader {
public:
    // Every block of the file, in order.
    static std::vector<WallFileBlock> Read(const std::string& path);
};
