#pragma once
#include "engine/WallModel.h"

#include <string>
#include <vector>

class TWordReader;

// One block of the data file with its place in the run.
struct WallFileBlock {
    std::string heading;  // "Stage 2 of 3", "Short-term case", "Long-term case" or "Analysis"
    WallBlock block;
};

// Reads the wall data file in the current layout straight into the engine's
// input, in the units of the file: one block, a short-term and a long-term
// block, or the blocks of a staged file. EInOutError (naming the line and item)
// when the file cannot be read.
class WallFileReader {
public:
    // Every block of the file, in order.
    static std::vector<WallFileBlock> Read(const std::string& path);
    // Every block of the data file that `reader` stands at the start of.
    static std::vector<WallFileBlock> Read(TWordReader& reader);
    // One block (title line, header, line 3 and the sections after it) from
    // the reader's position; the reader then stands after the block's last section.
    static WallBlock ReadBlock(TWordReader& reader);
};
