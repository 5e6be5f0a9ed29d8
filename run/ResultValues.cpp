#include "run/ResultValues.h"

#include "run/AnalysisRun.h"
#include "run/ResultTables.h"

#include <filesystem>

RunOutcome LoadResultValues(const std::string& wallFile)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(ReplaceExtension(wallFile, ".tk4o"), error) || ResultsOlderThanData(wallFile))
        return {};
    return EngineRun::Analyse(wallFile);
}
