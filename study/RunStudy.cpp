#include "study/Study.h"

#include "model/AtomicFile.h"
#include "study/Realisation.h"
#include "study/RowsFile.h"
#include "study/Sampler.h"
#include "units/TorvikError.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <set>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

namespace study {
namespace {

using Clock = std::chrono::steady_clock;

// The study's folder: its definition, and its rows appended as they finish.
class StudyFolder {
public:
    StudyFolder(const std::string& folder, const StudyDefinition& study, const std::string& header,
                std::size_t inputs)
        : folder_(folder)
    {
        if (folder.empty())
            return;
        std::error_code error;
        fs::create_directories(folder, error);
        if (error)
            throw EInOutError("The folder " + folder + " cannot be made: " + error.message() + ".");
        CheckDefinition(study);
        const std::string rows = Path(kRowsFile);
        if (fs::exists(rows)) {
            RowsRead read = ReadRows(rows, inputs);
            if (CsvHeader(read.inputs, read.outputs) != header)
                throw EInOutError("The rows file " + rows + " holds other columns than this study computes.");
            // A line cut short by an interruption is written again.
            fs::resize_file(rows, read.wholeBytes);
            done_ = std::move(read.rows);
        }
        out_.open(rows, std::ios::binary | std::ios::app);
        if (!out_)
            throw EInOutError("The rows file " + rows + " cannot be written.");
        if (fs::file_size(rows) == 0)
            Write(header);
    }

    std::string Path(const char* name) const { return (fs::path(folder_) / name).string(); }
    bool Open() const { return !folder_.empty(); }
    // The rows an earlier run into the folder wrote.
    std::vector<Row>& Done() { return done_; }

    void Write(const std::string& text)
    {
        if (!Open())
            return;
        out_ << text;
        out_.flush();
        if (!out_)
            throw EInOutError("The rows file " + Path(kRowsFile) + " cannot be written (is the disk full?).");
    }

private:
    // The folder's definition must be the study's: rows of another study
    // would be taken for this one's.
    void CheckDefinition(const StudyDefinition& study)
    {
        const std::string path = Path(kStudyFile), text = StudyText(study);
        if (!fs::exists(path)) {
            WriteFileAtomically(path, text);
            return;
        }
        std::ifstream in(path, std::ios::binary);
        std::ostringstream held;
        held << in.rdbuf();
        if (StudyText(ParseStudy(held.str(), path)) != text)
            throw EInOutError("The folder " + folder_ + " holds the rows of another study (" + path +
                              "); give another folder.");
    }

    std::string folder_;
    std::ofstream out_;
    std::vector<Row> done_;
};

// The indices this run computes: its shard's, less those already done.
std::vector<long> ToDo(long total, const RunOptions& options, const std::vector<Row>& done)
{
    std::set<long> have;
    for (const Row& r : done) {
        if (r.index >= total || r.index % options.shards != options.shard - 1 || !have.insert(r.index).second)
            throw EInOutError("The rows file holds row " + std::to_string(r.index) +
                              ", which is no row of this shard or is repeated.");
    }
    std::vector<long> todo;
    for (long i = options.shard - 1; i < total; i += options.shards)
        if (!have.count(i))
            todo.push_back(i);
    return todo;
}

void CheckOptions(const RunOptions& o)
{
    if (o.jobs < 0)
        throw TorvikError("The number of jobs must be 0 (every core) or more.");
    if (o.shards < 1 || o.shard < 1 || o.shard > o.shards)
        throw TorvikError("The shard must be K/N with 1 <= K <= N.");
}

int Workers(const RunOptions& o, std::size_t rows)
{
    int n = o.jobs > 0 ? o.jobs : static_cast<int>(std::thread::hardware_concurrency());
    return static_cast<int>(std::max<std::size_t>(1, std::min<std::size_t>(std::max(n, 1), rows)));
}

// The rows computed by the workers, written to the folder as they come.
struct Collected {
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<Row> rows;
    int running = 0;
    std::string error;  // a row that could not be written stops the run
};

void Report(const RunOptions& o, long done, long total, long fresh, long remaining, Clock::time_point start)
{
    if (!o.progress)
        return;
    Progress p;
    p.done = done;
    p.total = total;
    p.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    p.perSecond = p.seconds > 0 ? fresh / p.seconds : 0;
    p.secondsLeft = p.perSecond > 0 ? remaining / p.perSecond : 0;
    o.progress(p);
}

}  // namespace

StudyResult RunStudy(const StudyDefinition& given, const StudyWall& wall, const RunOptions& options)
{
    CheckOptions(options);
    const StudyDefinition study = ResolveParameters(given, wall);
    StudyResult result;
    result.inputs = InputColumns(study, wall);
    const OutputLayout layout = Outputs(study, wall);
    result.outputs = layout.columns;
    StudyFolder folder(options.outFolder, study, CsvHeader(result.inputs, result.outputs), result.inputs.size());
    const long total = RealisationCount(study);
    const std::vector<long> todo = ToDo(total, options, folder.Done());
    const long shardRows = static_cast<long>(todo.size() + folder.Done().size());

    const Sampler sampler(study);
    Collected got;
    got.rows = std::move(folder.Done());
    std::atomic<std::size_t> next{0};
    const auto stop = [&] { return options.cancel && options.cancel->load(); };
    const auto work = [&] {
        for (std::size_t k; !stop() && (k = next++) < todo.size();) {
            Row row = Realise(study, layout, wall, todo[k], sampler.Inputs(todo[k]));
            const std::string line = CsvLine(row);
            std::lock_guard<std::mutex> lock(got.mutex);
            try {
                folder.Write(line);
            } catch (const std::exception& e) {
                got.error = e.what();
                next = todo.size();
            }
            got.rows.push_back(std::move(row));
            got.changed.notify_all();
        }
        std::lock_guard<std::mutex> lock(got.mutex);
        --got.running;
        got.changed.notify_all();
    };

    const Clock::time_point start = Clock::now();
    const long before = static_cast<long>(got.rows.size());
    std::vector<std::thread> pool;
    const int workers = Workers(options, todo.size());
    got.running = workers;
    for (int i = 0; i < workers; ++i)
        pool.emplace_back(work);
    {
        std::unique_lock<std::mutex> lock(got.mutex);
        while (got.running > 0) {
            got.changed.wait_for(lock, std::chrono::milliseconds(250), [&] { return got.running == 0; });
            const long done = static_cast<long>(got.rows.size());
            // The workers go on while the progress is shown.
            lock.unlock();
            Report(options, done, shardRows, done - before, shardRows - done, start);
            lock.lock();
        }
    }
    for (std::thread& t : pool)
        t.join();
    if (!got.error.empty())
        throw EInOutError(got.error);

    result.rows = std::move(got.rows);
    std::sort(result.rows.begin(), result.rows.end(), [](const Row& a, const Row& b) { return a.index < b.index; });
    result.cancelled = static_cast<long>(result.rows.size()) < shardRows;
    result.summary = Summarise(study, result.outputs, result.rows);
    if (folder.Open() && !result.cancelled)
        WriteFileAtomically(folder.Path(kSummaryFile), SummaryJson(study, result));
    return result;
}

}  // namespace study
