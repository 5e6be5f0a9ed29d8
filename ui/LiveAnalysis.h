#pragma once
#include "model/PrivateFolder.h"
#include "ui/LiveRun.h"

#include <QObject>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

// Analyse As You Edit: analyses of the wall as edited, one at a time on a
// worker thread of their own, in a private folder; the design checks, when
// asked for, follow as a second result of the same generation. Only the newest change
// counts: a job waiting to start is replaced by a newer one, and the result of
// a job that a newer one superseded is dropped. The results reach the handler
// on the thread that owns this object, so that the windows never wait.
class TLiveAnalysis : public QObject {
    Q_OBJECT
public:
    explicit TLiveAnalysis(QObject* parent = nullptr);
    // Waits for the analysis running (it takes milliseconds); a waiting one is dropped.
    ~TLiveAnalysis() override;

    // Where the results of the newest job go.
    void SetResultHandler(std::function<void(const TLiveResult&)> handler) { handler_ = std::move(handler); }
    // Starts the analysis of `input` (with the design checks at `target` when
    // given) and returns its generation. EInOutError when the private folder
    // cannot be made.
    long Start(TLiveInput input, std::optional<double> checksTarget);
    // The results of every job started so far are dropped (another wall).
    void Cancel();
    // The results of `generation` are shown: its files are kept until newer ones are.
    void Keep(long generation) { keep_ = generation; }
    // True while a job started has not given its analysis's result.
    bool Busy() const { return delivered_ < generation_; }

signals:
    // After the handler received a result (an analysis's or the checks').
    void ResultShown();

private:
    void Work();
    // True when a newer job waits (or this object is going).
    bool NewerWaiting();
    // Hands a result to the owner's thread.
    void Post(TLiveResult result);
    void Deliver(const TLiveResult& result);

    TPrivateFolder folder_{"torvik-live"};
    std::function<void(const TLiveResult&)> handler_;
    long generation_ = 0;  // of the newest job started
    long delivered_ = 0;   // of the newest result handled or dropped
    long keep_ = 0;

    std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<TLiveJob> waiting_;  // guarded by mutex_
    bool stopping_ = false;            // guarded by mutex_
    std::thread worker_;
};
