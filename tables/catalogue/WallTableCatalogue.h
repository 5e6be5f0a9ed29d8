#pragma once
#include <cstddef>
#include <cstdint>

// One input table of the wall as the catalogue stores it: the table's own
// properties and its column definitions as a typed-value stream. The entries
// are generated at build time from tables/catalogue/wall_tables.json.
struct WallTableDefinition {
    const char* Name;             // component name, e.g. "NewSoil"
    std::int32_t Identifier;      // number by which tables refer to each other
    const char* Caption;          // title of the editor window
    std::int32_t MinRows;         // minimum number of rows
    std::int32_t MaxRows;         // row limit of the editor, 0 for none
    bool HardwiredButton;         // how older sub-table column layouts resolve
    const char* TopLeft;          // top-left header cell of the editor grid
    const char* Comments;         // text under the grid, lines separated by '\r'
    const char* HelpPicture;      // name of the picture under the grid, empty for none
    const std::uint8_t* Columns;  // column count, then kind and definition per column
    std::size_t ColumnsSize;      // bytes at Columns
};

// The input tables of a wall, in the order in which they are created.
extern const WallTableDefinition WallTableCatalogue[];

// Number of entries of WallTableCatalogue.
extern const std::size_t WallTableCatalogueSize;
