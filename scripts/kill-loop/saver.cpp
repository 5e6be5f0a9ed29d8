// The two halves of the kill loop (scripts/kill-loop.sh), built against the
// program's own libraries so that they save and open exactly as it does.
//   saver save WALL   opens the staged wall and saves it again and again, every
//                     stage changed before each save, until it is killed;
//   saver check WALL  says what a killed save left beside the wall, opens the
//                     wall as the program does and checks that its data file
//                     and stage files agree and that no temporary file is left.
#include "model/BatchHost.h"
#include "model/ProgramData.h"
#include "model/StageFiles.h"
#include "units/TorvikError.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <set>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string Bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int Temporaries(const std::string& wall)
{
    int count = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(wall).parent_path()))
        if (entry.path().filename().string().find(".tmp") != std::string::npos)
            ++count;
    return count;
}

// Working folders of saver processes that were killed and are gone.
int FoldersOfKilledSavers()
{
    int count = 0;
    for (const auto& entry : fs::directory_iterator(fs::temp_directory_path())) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("torvik-stages-", 0) != 0)
            continue;
        const long process = std::atol(name.c_str() + 14);
        if (process > 0 && kill(static_cast<pid_t>(process), 0) != 0 && errno == ESRCH)
            ++count;
    }
    return count;
}

int Save(const std::string& path)
{
    BatchHost host;
    auto wall = TProgramData::CreateFromFile(host, path, TFileLayout::Current);
    // As the program opens a wall: its settings are those beside it.
    host.Settings() = ReadSettingsBeside(path).settings;
    OpenStagedWall(*wall);
    for (long n = 1;; ++n) {
        for (int k = 1; k <= wall->StageCount; ++k) {
            SelectStage(*wall, k);
            wall->MaxDeflection = 100 + n;
        }
        SelectStage(*wall, 1);
        SaveWall(*wall);
        std::cout << n << std::endl;
    }
}

int Check(const std::string& path)
{
    const int temporariesBefore = Temporaries(path);
    BatchHost host;
    // As the program opens a wall: stale temporary files go, the stages are split.
    RemoveStaleWallTemporaries(path);
    auto wall = TProgramData::CreateFromFile(host, path, TFileLayout::Current);
    std::string stagesBefore;
    for (int k = 1; k <= 5; ++k)
        stagesBefore += Bytes(StageFilePath(path, k));
    OpenStagedWall(*wall);
    std::string stagesAfter;
    for (int k = 1; k <= 5; ++k)
        stagesAfter += Bytes(StageFilePath(path, k));

    std::string problem;
    if (!host.prompt.shown.empty())
        problem = "message: " + host.prompt.shown.front();
    else if (wall->StageCount != 3)
        problem = "stage count " + std::to_string(wall->StageCount);
    std::string joined;
    std::set<long double> values;
    // A stage file may be missing (the first save of the example was cut off
    // before it); one that is there holds what the data file holds.
    int missing = 0;
    for (int k = 1; k <= wall->StageCount && problem.empty(); ++k) {
        const std::string stage = Bytes(StageWorkPath(*wall, k));
        if (!fs::exists(StageFilePath(path, k)))
            ++missing;
        else if (Bytes(StageFilePath(path, k)) != stage)
            problem = "stage file " + std::to_string(k) + " disagrees with the data file";
        joined += stage;
        SelectStage(*wall, k);
        values.insert(wall->MaxDeflection);
    }
    if (problem.empty() && joined != Bytes(path))
        problem = "the stages joined are not the data file";
    if (problem.empty() && values.size() != 1)
        problem = "the stages come from different saves";
    if (problem.empty() && fs::exists(StageFilePath(path, 4)))
        problem = "a stage file beyond the stage count";
    const int temporariesAfter = Temporaries(path);
    if (problem.empty() && temporariesAfter != 0)
        problem = std::to_string(temporariesAfter) + " temporary files left after the open";
    if (problem.empty() && FoldersOfKilledSavers() != 0)
        problem = "working folders of killed savers left after the open";
    std::cout << "temporaries-before=" << temporariesBefore
              << " stage-files-mended=" << (stagesBefore != stagesAfter ? 1 : 0) << " stage-files-missing=" << missing
              << " saved-value=" << (values.empty() ? 0 : static_cast<long>(*values.begin()) - 100)
              << (problem.empty() ? " ok" : " FAIL " + problem) << "\n";
    return problem.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "Usage: saver save|check WALL\n";
        return 2;
    }
    try {
        return std::string(argv[1]) == "save" ? Save(argv[2]) : Check(argv[2]);
    } catch (const TorvikError& e) {
        std::cout << "FAIL " << e.what() << "\n";
        return 1;
    }
}
