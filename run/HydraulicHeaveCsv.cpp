#include "run/HydraulicHeaveCsv.h"

#include "checks/HydraulicHeave.h"
#include "run/ResultTables.h"
#include "units/NumberFormat.h"

std::string HydraulicHeaveCsv(const std::vector<WallFileBlock>& blocks, const TWallSettings& settings)
{
    std::string rows;
    const bool staged = !blocks.empty() && blocks.front().block.stageCount > 1;
    for (std::size_t k = 0; k < blocks.size(); ++k) {
        const WallBlock& b = blocks[k].block;
        const TWallSettings inFile = settings.InFileUnits(b.unitSystem);
        const int stage = staged ? static_cast<int>(k) + 1 : 0;
        const checks::HydraulicHeave c =
            checks::CheckHydraulicHeave(b, engine::StageWaterInput(inFile, stage), inFile.water.factors);
        if (!c.shown)
            continue;
        const std::string unit = engine::UnitLabelsFor(b.unitSystem).stress;
        rows += CsvField(blocks[k].heading) + "," + WaterRegimeName(inFile.water.Stage(stage > 0 ? stage : 1).regime);
        if (c.applies) {
            for (double v : {c.exitGradient, c.criticalGradient, c.gradientUtilisation, c.excessPorePressure,
                             c.prismWeight, c.prismUtilisation, c.gammaDst, c.gammaStb})
                rows += "," + FormatGeneral(v, 10);
            rows += std::string(",") + (c.passed ? "yes" : "no") + "," + CsvField(unit) + ",\r\n";
        } else {
            rows += ",,,,,,,,,," + CsvField(c.note) + "\r\n";
        }
    }
    if (rows.empty())
        return {};
    return "Hydraulic heave,Water,Exit gradient i,Critical gradient i_c,Utilisation of i,Excess pore pressure at the "
           "toe S,Prism weight G',Utilisation of the prism,gamma_G;dst,gamma_G;stb,Passed,Unit of S and G',Note\r\n" +
           rows;
}
