#pragma once
#include "study/Study.h"

#include <QObject>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

// A study run in the background for the Study window: the study's own worker
// threads analyse, and its progress and its result come to the thread that
// started it (the window's) as queued calls, progress at most four times a
// second, so that the window stays responsive however fast the analyses go.
class TStudyRun : public QObject {
public:
    explicit TStudyRun(QObject* parent = nullptr);
    // Stops a study still running and waits for its threads.
    ~TStudyRun() override;

    // Called in the starting thread with the latest progress.
    void OnProgress(std::function<void(const study::Progress&)> progress) { progress_ = std::move(progress); }
    // Called in the starting thread when the study ends: its result (rows
    // done so far when cancelled), or none with the reason it could not run.
    void OnFinished(std::function<void(std::shared_ptr<const study::StudyResult>, const std::string&)> finished)
    {
        finished_ = std::move(finished);
    }

    // Starts the study; false while another runs. `jobs` as in study::RunOptions.
    bool Start(study::StudyDefinition definition, study::StudyWall wall, int jobs = 0);
    // Asks the running study to stop soon; the rows done are kept.
    void Cancel() { cancel_ = true; }
    bool Running() const { return running_; }

private:
    void Report(const study::Progress& progress);
    void Join();

    std::function<void(const study::Progress&)> progress_;
    std::function<void(std::shared_ptr<const study::StudyResult>, const std::string&)> finished_;
    std::thread thread_;
    std::atomic<bool> cancel_{false};
    bool running_ = false;
    std::mutex reportLock_;
    std::chrono::steady_clock::time_point lastReport_;
};
