#include "model/ProgramData.h"

#include "model/MainWindowHost.h"
#include "model/UnitSwitch.h"
#include "model/WallTableRows.h"
#include "tables/WallTables.h"

#include <algorithm>
#include <cctype>

namespace {

std::unique_ptr<TProgramData>& OpenWallSlot()
{
    static std::unique_ptr<TProgramData> wall;
    return wall;
}

}  // namespace

std::unique_ptr<TProgramData> TProgramData::CreateNew(MainWindowHost& host)
{
    host.CloseAllChildren();
    std::unique_ptr<TProgramData> wall(new TProgramData(host));
    // The member defaults are the new wall's; SwitchUnits(1) also brings the
    // tables, which may still be in the last wall's system, back to English.
    wall->SwitchUnits(1);
    EmptyAllTables(host.Tables());
    PadToMinRows(host.Tables());
    host.SetModified(false);
    wall->StageFilesCurrent = true;
    return wall;
}

int TProgramData::FormatForPath(const std::string& path)
{
    const auto slash = path.find_last_of("/\\");
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return 1;
    std::string extension = path.substr(dot);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".tkd" ? 2 : 1;
}

void TProgramData::SwitchUnits(int system)
{
    system = ClampUnitSystem(system);
    const ScalarFactors f = ScalarSwitchFactors(unitSystem_, system);
    if (f.Length != 1 || f.Force != 1) {
        const long double L = f.Length;
        const long double F = f.Force;
        for (long double* length : {&IncrementLength, &MaxDeflection, &ClosureTolerance, &WallHeight,
                                    &WaterDepthBackfill, &WaterDepthExcavation, &ActiveWidth, &PyWidth,
                                    &LegacySurcharge.Distance, &LegacySurcharge.StripWidth})
            *length *= L;
        LegacySurcharge.PointLoad *= F;
        LegacySurcharge.LineLoad *= F / L;
        TopSurcharge *= F / (L * L);
        LegacySurcharge.StripLoad *= F / (L * L);
    }
    unitSystem_ = system;
    host_.Tables().SetUnitSystem(system);
    host_.UnitsSwitched.Raise();
}

TProgramData* OpenWall()
{
    return OpenWallSlot().get();
}

void ReplaceOpenWall(std::unique_ptr<TProgramData> wall)
{
    OpenWallSlot().reset();
    OpenWallSlot() = std::move(wall);
}
