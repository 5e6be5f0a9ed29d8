// The column definition stream: read into a table; what was read is written
// again and must read back to the same bytes.
#include <cstdlib>
#include <vector>

#include "fuzz/FuzzSupport.h"
#include "tables/GridTable.h"
#include "units/TorvikError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TTableScope scope;
    TGridTable table(scope);
    try {
        table.ReadColumns(data, size);
    } catch (const TorvikError&) {
        return 0;
    }
    fuzz::CheckTable(table);
    const std::vector<std::uint8_t> written = table.WriteColumns();
    TGridTable copy(scope);
    try {
        copy.ReadColumns(written.data(), written.size());
    } catch (const TorvikError& error) {
        std::fprintf(stderr, "written columns cannot be read: %s\n", error.what());
        std::abort();
    }
    if (copy.WriteColumns() != written) {
        std::fprintf(stderr, "columns read back differ\n");
        std::abort();
    }
    return 0;
}
