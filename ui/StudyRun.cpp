#include "ui/StudyRun.h"

#include <QMetaObject>

#include <exception>

namespace {

// The least time between two progress reports to the window.
constexpr std::chrono::milliseconds kReportInterval(200);

}  // namespace

TStudyRun::TStudyRun(QObject* parent) : QObject(parent) {}

TStudyRun::~TStudyRun()
{
    cancel_ = true;
    Join();
}

void TStudyRun::Join()
{
    if (thread_.joinable())
        thread_.join();
}

bool TStudyRun::Start(study::StudyDefinition definition, study::StudyWall wall, int jobs)
{
    if (running_)
        return false;
    Join();  // the thread of the study before has ended: its result came
    cancel_ = false;
    running_ = true;
    lastReport_ = std::chrono::steady_clock::now() - kReportInterval;
    thread_ = std::thread([this, definition = std::move(definition), wall = std::move(wall), jobs] {
        std::shared_ptr<const study::StudyResult> result;
        std::string error;
        try {
            study::RunOptions options;
            options.jobs = jobs;
            options.cancel = &cancel_;
            options.progress = [this](const study::Progress& p) { Report(p); };
            result = std::make_shared<const study::StudyResult>(study::RunStudy(definition, wall, options));
        } catch (const std::exception& e) {
            error = e.what();
        }
        // Delivered in the window's thread; dropped when this object is gone by then.
        QMetaObject::invokeMethod(
            this,
            [this, result, error] {
                running_ = false;
                if (finished_)
                    finished_(result, error);
            },
            Qt::QueuedConnection);
    });
    return true;
}

void TStudyRun::Report(const study::Progress& progress)
{
    {
        std::lock_guard<std::mutex> lock(reportLock_);
        const auto now = std::chrono::steady_clock::now();
        if (now - lastReport_ < kReportInterval)
            return;
        lastReport_ = now;
    }
    QMetaObject::invokeMethod(
        this,
        [this, progress] {
            if (running_ && progress_)
                progress_(progress);
        },
        Qt::QueuedConnection);
}
