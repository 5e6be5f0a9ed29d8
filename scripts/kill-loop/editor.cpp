// The two halves of the autosave kill loop (scripts/autosave-kill-loop.sh),
// built against the program's own libraries so that they autosave and recover
// exactly as it does.
//   editor edit WALL BASE   opens the staged wall as the program does and edits
//                           it without end: a change every few milliseconds in
//                           a random stage (the target safety factor carries
//                           the number of the change), each stage switch
//                           autosaved at once as the main window does, and
//                           an autosave into BASE every
//                           second; after each autosave it prints the number of
//                           the change it holds;
//   editor check WALL BASE LAST
//                           finds the autosave the killed editor left in BASE,
//                           which must read whole, recover and name WALL, and
//                           hold change LAST or a later one; then discards it.
//                           One line of what it found; exit 1 when a check failed.
#include "model/BatchHost.h"
#include "model/ProgramData.h"
#include "model/Recovery.h"
#include "model/StageFiles.h"
#include "model/WallSettings.h"
#include "units/TorvikError.h"

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <random>
#include <string>
#include <thread>

namespace fs = std::filesystem;

namespace {

int Edit(const std::string& path, const std::string& base)
{
    BatchHost document;
    document.Open(path, TFileLayout::Current);
    TProgramData& wall = document.Wall();
    OpenStagedWall(wall);
    document.ResetHistory();
    document.SetModified(false);
    TAutosave autosave(base);
    std::mt19937 random(std::random_device{}());
    auto next = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    for (long n = 1;; ++n) {
        const int stage = 1 + static_cast<int>(random() % static_cast<unsigned>(wall.StageCount));
        if (SelectStage(wall, stage)) {
            document.TakeUndoState();
            if (document.IsModified())
                autosave.Write(document, std::time(nullptr));
        }
        wall.MaxDeflection = 100 + static_cast<long double>(random() % 1000);
        // The target safety factor, which the settings keep whatever the stage, carries the change's number.
        TWallSettings settings = document.Settings();
        settings.targetSafetyFactor = 1.5 + 0.001 * static_cast<double>(n);
        document.SetSettings(settings);
        document.RecordChange("Edit");
        document.SetModified(true);
        if (std::chrono::steady_clock::now() >= next) {
            autosave.Write(document, std::time(nullptr));
            std::cout << n << std::endl;
            next += std::chrono::seconds(1);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2 + random() % 18));
    }
}

int Check(const std::string& path, const std::string& base, long last)
{
    int found = 0, failed = 0;
    long held = 0;
    for (const TStaleRecovery& stale : FindStaleRecoveries(base)) {
        ++found;
        std::string problem = stale.problem;
        if (problem.empty()) {
            try {
                RecoveryDifferences(stale.record);
                BatchHost recovered;
                RecoverWall(recovered, stale.record);
                if (!recovered.prompt.shown.empty())
                    problem = recovered.prompt.shown.front();
                else if (recovered.Wall().FileName != path)
                    problem = "it names " + recovered.Wall().FileName;
                else {
                    held = std::lround((recovered.Settings().targetSafetyFactor - 1.5) / 0.001);
                    if (held < last)
                        problem = "it holds change " + std::to_string(held) + ", older than the last autosave " +
                                  std::to_string(last);
                }
            } catch (const TorvikError& e) {
                problem = e.what();
            }
        }
        if (!problem.empty()) {
            ++failed;
            std::cout << "FAILED " << stale.folder << ": " << problem << " ";
        }
        DiscardRecovery(stale.folder);
    }
    int left = 0;
    std::error_code error;
    for (fs::directory_iterator it(base, error); !error && it != fs::directory_iterator(); it.increment(error))
        ++left;
    std::cout << "autosaves=" << found << " holding-change=" << held << " failed=" << failed << " folders-left=" << left
              << std::endl;
    return failed == 0 && found <= 1 && left == 0 && (last == 0 || found == 1) ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[])
{
    const std::string mode = argc > 1 ? argv[1] : "";
    try {
        if (mode == "edit" && argc == 4)
            return Edit(argv[2], argv[3]);
        if (mode == "check" && argc == 5)
            return Check(argv[2], argv[3], std::atol(argv[4]));
    } catch (const TorvikError& e) {
        std::cerr << e.what() << std::endl;
        return 1;
    }
    std::cerr << "usage: editor edit WALL BASE | editor check WALL BASE LAST" << std::endl;
    return 2;
}
