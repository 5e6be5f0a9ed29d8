// The wall data file: the first byte picks the layout (current, version 3.0,
// version 2.0), the rest is the file. A staged wall is then split into its
// stage files, and the wall is written back as text.
#include <cstdio>
#include <string>

#include "fuzz/FuzzSupport.h"
#include "model/BatchHost.h"
#include "model/ProgramData.h"
#include "model/StageFiles.h"
#include "units/TorvikError.h"

namespace {

void CheckWall(const TProgramData& w, BatchHost& host)
{
    for (long double v : {w.IncrementLength, w.MaxDeflection, w.ClosureTolerance, w.WallHeight, w.ActiveWidth,
                          w.PyWidth, w.WaterDepthBackfill, w.WaterDepthExcavation, w.ActivePressureFactor,
                          w.BackfillSlope, w.TopSurcharge, w.LegacySurcharge.Distance, w.LegacySurcharge.PointLoad,
                          w.LegacySurcharge.LineLoad, w.LegacySurcharge.StripLoad, w.LegacySurcharge.StripWidth})
        fuzz::RequireFinite(v, "wall scalar");
    for (int t = 0; t < WallTables::Count; ++t)
        fuzz::CheckTable(host.tables.Table(t));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1 || size > 16384)
        return 0;
    static const TFileLayout layouts[] = {TFileLayout::Current, TFileLayout::Version30, TFileLayout::Version20};
    const TFileLayout layout = layouts[data[0] % 3];
    const std::string path = fuzz::TempPath(layout == TFileLayout::Current ? "wall.tk4d" : "wall.tkd");
    fuzz::WriteFile(path, data + 1, size - 1);

    // One window opens file after file: the host and its tables outlive each wall.
    static BatchHost host;
    host.prompt.shown.clear();
    auto wall = TProgramData::CreateFromFile(host, path, layout);
    CheckWall(*wall, host);
    const int stages = wall->StageCount;
    if (stages > 1 && stages <= 5) {
        try {
            OpenStagedWall(*wall);
            CheckWall(*wall, host);
        } catch (const TorvikError&) {
        }
    }
    try {
        wall->DataFileText();
    } catch (const TorvikError&) {
    }
    for (int k = 1; k <= 5; ++k)
        std::remove(StageFilePath(path, k).c_str());
    std::remove(path.c_str());
    return 0;
}
