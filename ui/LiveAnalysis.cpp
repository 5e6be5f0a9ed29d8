#include "ui/LiveAnalysis.h"

#include <QMetaObject>

TLiveAnalysis::TLiveAnalysis(QObject* parent) : QObject(parent), worker_([this] { Work(); }) {}

TLiveAnalysis::~TLiveAnalysis()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
        waiting_.reset();
    }
    wake_.notify_one();
    worker_.join();
}

long TLiveAnalysis::Start(TLiveInput input, std::optional<double> checksTarget)
{
    TLiveJob job;
    job.input = std::make_shared<const TLiveInput>(std::move(input));
    job.folder = folder_.Path();
    job.keep = keep_;
    job.checks = checksTarget.has_value();
    job.target = checksTarget.value_or(checks::kDefaultTarget);
    job.generation = ++generation_;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        waiting_ = std::move(job);
    }
    wake_.notify_one();
    return generation_;
}

void TLiveAnalysis::Cancel()
{
    std::lock_guard<std::mutex> lock(mutex_);
    waiting_.reset();
    // Results still arriving carry lower generations than any job to come.
    delivered_ = ++generation_;
}

void TLiveAnalysis::Work()
{
    for (;;) {
        TLiveJob job;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || waiting_.has_value(); });
            if (stopping_)
                return;
            job = std::move(*waiting_);
            waiting_.reset();
        }
        const TLiveResult result = RunLiveJob(job);
        Post(result);
        // The checks follow the graphs, unless a newer change is waiting.
        if (job.checks && result.ok && !NewerWaiting())
            Post(RunLiveChecks(job, result));
    }
}

bool TLiveAnalysis::NewerWaiting()
{
    std::lock_guard<std::mutex> lock(mutex_);
    return stopping_ || waiting_.has_value();
}

void TLiveAnalysis::Post(TLiveResult result)
{
    // Handed to the owner's thread; dropped with this object if it goes first.
    QMetaObject::invokeMethod(
        this, [this, result = std::move(result)] { Deliver(result); }, Qt::QueuedConnection);
}

void TLiveAnalysis::Deliver(const TLiveResult& result)
{
    // A newer change was made meanwhile: its own result follows.
    if (result.generation != generation_)
        return;
    if (!result.checked)
        delivered_ = result.generation;
    if (handler_)
        handler_(result);
    emit ResultShown();
}
