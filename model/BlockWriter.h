#pragma once
#include "model/EarthPressure.h"

#include <string>

class TGridTable;
class TProgramData;
class WallTables;
enum class WallTable : int;

// What distinguishes one block of a data file or stage file from another.
struct TBlockOptions {
    // The block's first line: the title, or a stage file's " Stage No : " line.
    std::string FirstLine;
    // The distributed loads and soil layers come from LongDist and LongSoil
    // instead of DistLoad and NewSoil.
    bool LongTermTables = false;
    TGeneratedPressure Generated = TGeneratedPressure::Kind;
};

// Writes the blocks of the wall data file and of stage files: lines 1 to 3 and
// sections S1 to S9, each line ended by CR LF. A data file is the first block,
// the marker line and, for a long-term analysis, the long-term block and "0";
// a stage file is one block (title or " Stage No : k") followed by the line of
// its stage number. Writing changes the wall as saving does: tables of
// switched-off options are emptied, the p-y option and the moment-EI count are
// recomputed and the last stiffness row is made constant.
class TBlockWriter {
public:
    // A writer that appends to `out`.
    TBlockWriter(TProgramData& wall, std::string& out);

    // Appends one block.
    void WriteBlock(const TBlockOptions& options);
    // Appends `text` and a line end.
    void WriteLine(const std::string& text);

private:
    void PrepareOptions(const TBlockOptions& options);
    void WriteHeader();
    void WriteRestraints();
    void WriteStiffness();
    void WriteConcentratedLoads();
    void WriteSprings();
    void WritePyModifiers();
    void WriteDistributedLoads(WallTable table, const char* name);
    void WriteWallConfiguration();
    void WriteSurcharges();
    void WriteSoilLayers(WallTable table, const char* name);
    void WriteSoilParameters(TGridTable* parameters, int soilType, int row);
    void WriteExternalPyCurves();
    void WriteMeiCurves();

    // Appends cells c0 .. c1 of a row as their texts, tab-separated, as one line.
    void WriteRowTexts(TGridTable& table, int row, int firstColumn, int lastColumn);
    // The rows of a table the file holds (without the reader's padding).
    int Rows(WallTable table) const;

    TProgramData& wall_;
    WallTables& tables_;
    std::string& out_;
    int earthPressureOption_ = 0;  // header item 5 of the block being written
};
