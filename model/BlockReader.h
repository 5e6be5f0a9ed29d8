#pragma once
#include "model/FileLayout.h"
#include "units/Units.h"

#include <cstdint>
#include <string>
#include <vector>

class TGridTable;
class TProgramData;
class TWordReader;
class WallTables;

// Which block is read; the option flags follow from the header a little
// differently for each.
enum class TBlockRole {
    First,     // the first block of a data file
    LongTerm,  // the long-term block after the marker 9
    Stage,     // the one block of a stage file, read into the open wall
};

// Reads one block (title line, header, line 3, sections S1 to S9) of a data
// file or stage file into a wall and its document's input tables. Every count is
// checked against what the rest of the file can hold before a row is made, so
// a damaged file is an input error, never a huge allocation.
class TBlockReader {
public:
    // A reader of blocks from `reader` into `wall`.
    TBlockReader(TProgramData& wall, TWordReader& reader);

    // Reads one block, starting with its title line (for the long-term block,
    // the caller first passes over the rest of the marker line). EInOutError on bad input;
    // the values read before the error stay in the wall and tables.
    void ReadBlock(TFileLayout layout, TBlockRole role);

    // Reads a row count that needs at least `wordsPerRow` words per row;
    // EInOutError naming the line and item when it is negative or larger than
    // the rest of the file can hold.
    std::int32_t ReadCount(int wordsPerRow);

private:
    void ReadHeader();
    void DeriveOptionFlags(std::int32_t earthPressure, std::int32_t pyCurves);
    void ReadRestraints();
    void ReadStiffness();
    void ReadConcentratedLoads();
    void ReadSprings();
    void ReadPyModifiers();
    void ReadDistributedLoads(TGridTable& table, const char* name);
    void ReadWallConfiguration();
    void ReadSurcharges();
    void ReadSoilLayers(TGridTable& table, const char* name);
    void ReadSoilParameters(TGridTable& parameters, int soilType, int row);
    void ReadVersion20Parameters(TGridTable& parameters, int soilType);
    void ReadExternalPyCurves();
    void ReadMeiCurves();

    // A real of the file in the units of column `column` of the table or
    // template `tableName` (in unit system `units`); an input error when the
    // table's value would lie beyond the range of every value.
    long double ReadTableReal(const char* tableName, int column, UnitSystem units);
    // Words left from the reader's position to the end of the file.
    long long RemainingWords() const;
    // An EInOutError naming the word last read.
    [[noreturn]] void Fail(const std::string& what) const;

    TProgramData& wall_;
    TWordReader& reader_;
    WallTables& tables_;
    TFileLayout layout_ = TFileLayout::Current;
    TBlockRole role_ = TBlockRole::First;
    std::int32_t earthPressure_ = 0;
    std::int32_t pyCurves_ = 0;
};

// Reads the blocks of a data file of layout `layout` into `wall` and the
// host's tables: the first block and, after the marker 9, the long-term block.
// EInOutError on bad input; what was read before the error stays.
void ReadDataFileBlocks(TProgramData& wall, TWordReader& reader, TFileLayout layout);
