#include "model/Recovery.h"

#include "model/AtomicFile.h"
#include "model/BatchHost.h"
#include "model/ProgramData.h"
#include "model/SettingsFile.h"
#include "model/StageFiles.h"
#include "model/WallDocument.h"
#include "model/WallSettings.h"
#include "model/WallState.h"
#include "units/TorvikError.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <system_error>

namespace fs = std::filesystem;

const char* const RecoveryFileName = "wall.recovery";

namespace {

const char* const Heading = "TORVIK recovery 1";
const char* const AsidePrefix = "damaged-";

std::string FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool IsFile(const std::string& path)
{
    std::error_code error;
    return fs::is_regular_file(path, error);
}

// FNV-1a over the texts: a cut or changed byte shows, whatever the file system kept.
std::string Checksum(const std::string& a, const std::string& b)
{
    std::uint64_t hash = 14695981039346656037ULL;
    for (const std::string* text : {&a, &b})
        for (unsigned char c : *text) {
            hash ^= c;
            hash *= 1099511628211ULL;
        }
    char digits[17];
    std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(hash));
    return digits;
}

std::string Damaged(const std::string& what)
{
    return "The recovery file is damaged (" + what + ").";
}

std::string NextText(std::istream& in, const char* what)
{
    std::size_t size = 0;
    if (!(in >> size) || in.get() != '\n')
        throw EInOutError(Damaged(std::string("no length of the ") + what));
    std::string text(size, '\0');
    if (size > 0 && !in.read(&text[0], static_cast<std::streamsize>(size)))
        throw EInOutError(Damaged(std::string("the ") + what + " is cut short"));
    return text;
}

// Expects the word `key` at the start of the next line.
void ExpectKey(std::istream& in, const char* key)
{
    std::string word;
    if (!(in >> word) || word != key)
        throw EInOutError(Damaged(std::string("no \"") + key + "\" line"));
}

void ExpectLineEnd(std::istream& in, const char* key)
{
    if (!in || in.get() != '\n')
        throw EInOutError(Damaged(std::string("a bad \"") + key + "\" line"));
}

// The owner and number of a recovery folder's name "<mark>-<number>"; false for any other name.
bool ParseFolderName(const std::string& name, TProcessMark& mark)
{
    const std::size_t dash = name.find('-');
    if (dash == std::string::npos || dash + 1 >= name.size() ||
        name.find_first_not_of("0123456789", dash + 1) != std::string::npos)
        return false;
    return TProcessMark::Parse(name.substr(0, dash), mark);
}

std::string LocalTime(std::int64_t seconds)
{
    const std::time_t time = static_cast<std::time_t>(seconds);
    std::tm parts{};
#ifdef _WIN32
    if (const std::tm* local = std::localtime(&time))
        parts = *local;
#else
    localtime_r(&time, &parts);
#endif
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &parts);
    return text;
}

// "a", "a and b", "a, b and c".
std::string JoinWords(const std::vector<std::string>& words)
{
    std::string text;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (i > 0)
            text += i + 1 == words.size() ? " and " : ", ";
        text += words[i];
    }
    return text;
}

// The stages of the data file on disk as opening it gives them (the data
// file decides, not the stage files beside it); nothing beside it is written.
std::vector<std::string> DiskStageTexts(const std::string& dataFile)
{
    try {
        BatchHost disk;
        disk.Open(dataFile, TFileLayout::Current);
        if (disk.Wall().StageCount <= 1)
            return {};
        SplitStagedFile(disk.Wall(), dataFile);
        return StageTexts(disk.Wall());
    } catch (const TorvikError&) {
        return {};
    }
}

}  // namespace

std::string RecoveryBaseFolder()
{
    fs::path base;
#ifdef _WIN32
    if (const char* local = std::getenv("LOCALAPPDATA"); local && *local)
        base = local;
    else
        base = fs::temp_directory_path();
#else
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && *state == '/')
        base = state;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = fs::path(home) / ".local" / "state";
    else
        base = fs::temp_directory_path();
#endif
    return (base / "Orvane" / "TORVIK" / "recovery").string();
}

std::string RecoveryText(const TRecoveryRecord& record)
{
    std::ostringstream out;
    out << Heading << "\n";
    out << "saved " << record.savedAt << "\n";
    out << "untitled " << (record.untitled ? 1 : 0) << "\n";
    out << "stamp " << (record.diskStamp.exists ? 1 : 0) << " " << record.diskStamp.size << " "
        << record.diskStamp.modified << " " << record.diskStamp.fileNumber << "\n";
    out << "undo " << record.undoPosition << " " << record.undoSteps << "\n";
    out << "checksum " << Checksum(record.fileName, record.state) << "\n";
    out << record.fileName.size() << "\n" << record.fileName;
    out << record.state.size() << "\n" << record.state;
    out << "end\n";
    return out.str();
}

TRecoveryRecord ParseRecovery(const std::string& text)
{
    std::istringstream in(text);
    std::string heading;
    if (!std::getline(in, heading) || heading != Heading)
        throw EInOutError(text.empty() ? Damaged("it is empty") : Damaged("it is no recovery file of this version"));
    TRecoveryRecord record;
    ExpectKey(in, "saved");
    in >> record.savedAt;
    ExpectLineEnd(in, "saved");
    int untitled = 0;
    ExpectKey(in, "untitled");
    in >> untitled;
    ExpectLineEnd(in, "untitled");
    record.untitled = untitled != 0;
    int exists = 0;
    ExpectKey(in, "stamp");
    in >> exists >> record.diskStamp.size >> record.diskStamp.modified >> record.diskStamp.fileNumber;
    ExpectLineEnd(in, "stamp");
    record.diskStamp.exists = exists != 0;
    ExpectKey(in, "undo");
    in >> record.undoPosition >> record.undoSteps;
    ExpectLineEnd(in, "undo");
    std::string checksum;
    ExpectKey(in, "checksum");
    in >> checksum;
    ExpectLineEnd(in, "checksum");
    record.fileName = NextText(in, "file name");
    record.state = NextText(in, "wall's state");
    std::string end;
    if (!std::getline(in, end) || end != "end")
        throw EInOutError(Damaged("it is cut short"));
    if (checksum != Checksum(record.fileName, record.state))
        throw EInOutError(Damaged("its checksum does not match"));
    if (record.fileName.empty())
        throw EInOutError(Damaged("it names no wall"));
    return record;
}

TAutosave::TAutosave(std::string base) : base_(std::move(base)), mark_(ThisProcessMark())
{
}

TAutosave::~TAutosave()
{
    Remove();
}

std::string TAutosave::NewFolderName() const
{
    std::random_device seed;
    std::mt19937_64 random(seed());
    return mark_.Text() + "-" + std::to_string(random() % 1000000000ULL);
}

void TAutosave::Write(const TWallDocument& document, std::int64_t now)
{
    const TProgramData& wall = document.Wall();
    TRecoveryRecord record;
    record.fileName = wall.FileName;
    record.untitled = wall.NeverSaved();
    record.savedAt = now;
    record.diskStamp = wall.DiskStamp;
    record.undoPosition = document.History().Position();
    record.undoSteps = document.History().Steps();
    record.state = document.PresentState();
    if (folder_.empty()) {
        std::error_code error;
        fs::create_directories(base_, error);
        if (error)
            throw EInOutError("The autosave folder " + base_ + " could not be made: " + error.message());
        // Recovered walls are the user's alone.
        fs::permissions(base_, fs::perms::owner_all, error);
        const fs::path folder = fs::path(base_) / NewFolderName();
        if (!fs::create_directory(folder, error))
            throw EInOutError("The autosave folder " + folder.string() + " could not be made" +
                              (error ? ": " + error.message() : std::string(".")));
        fs::permissions(folder, fs::perms::owner_all, error);
        folder_ = folder.string();
    }
    WriteFileAtomically((fs::path(folder_) / RecoveryFileName).string(), RecoveryText(record));
}

void TAutosave::Remove()
{
    if (folder_.empty())
        return;
    DiscardRecovery(folder_);
    folder_.clear();
}

std::string TAutosave::Claim(const std::string& folder)
{
    const fs::path target = fs::path(base_) / NewFolderName();
    std::error_code error;
    // A rename succeeds once: of two instances that try, one finds the folder gone.
    fs::rename(folder, target, error);
    return error ? std::string() : target.string();
}

std::vector<TStaleRecovery> FindStaleRecoveries(const std::string& base)
{
    std::vector<TStaleRecovery> found;
    std::error_code error;
    fs::directory_iterator it(base, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        TProcessMark owner;
        std::error_code ignored;
        if (!it->is_directory(ignored) || !ParseFolderName(it->path().filename().string(), owner) ||
            ProcessRunning(owner))
            continue;
        const std::string folder = it->path().string();
        const std::string file = (it->path() / RecoveryFileName).string();
        RemoveStaleTemporaries({file});
        TStaleRecovery stale{folder, {}, {}};
        if (IsFile(file)) {
            try {
                stale.record = ParseRecovery(FileBytes(file));
            } catch (const TorvikError& e) {
                stale.problem = e.what();
            }
        } else if (fs::is_empty(it->path(), ignored)) {
            // Killed before its first autosave was written whole: nothing to recover.
            fs::remove(it->path(), ignored);
            continue;
        } else {
            stale.problem = "The recovery folder holds no recovery file.";
        }
        found.push_back(std::move(stale));
    }
    std::stable_sort(found.begin(), found.end(), [](const TStaleRecovery& a, const TStaleRecovery& b) {
        return a.record.savedAt < b.record.savedAt;
    });
    return found;
}

void RecoverWall(TWallDocument& document, const TRecoveryRecord& record)
{
    document.New();
    TProgramData& wall = document.Wall();
    wall.FileName = record.fileName;
    RestoreWallState(wall, record.state);
    wall.DiskStamp = record.diskStamp;
    document.ResetHistory();
    document.MarkNoStateSaved();
}

std::vector<std::string> RecoveryDifferences(const TRecoveryRecord& record)
{
    BatchHost scratch;
    RecoverWall(scratch, record);
    if (!scratch.prompt.shown.empty())
        throw EInOutError(scratch.prompt.shown.front());
    TProgramData& wall = scratch.Wall();
    std::vector<std::string> differences;
    if (record.untitled) {
        differences.push_back("The wall was never saved.");
        return differences;
    }
    if (!IsFile(record.fileName)) {
        differences.push_back("Its data file is no longer on disk.");
        return differences;
    }
    if (ChangedSince(record.fileName, record.diskStamp))
        differences.push_back("Its data file on disk was changed by another program since the autosave.");
    // The files as a save of the recovered wall would write them, against those on disk.
    std::vector<std::string> changed;
    std::string data;
    if (wall.StageCount > 1) {
        const std::vector<std::string> stages = OpenStageTexts(wall);
        const std::vector<std::string> before = DiskStageTexts(record.fileName);
        std::vector<std::string> stageNames;
        for (std::size_t k = 0; k < stages.size(); ++k) {
            data += stages[k];
            if (k >= before.size() || before[k] != stages[k])
                stageNames.push_back(std::to_string(k + 1));
        }
        if (before.size() != stages.size())
            changed.push_back("the number of stages");
        else if (!stageNames.empty())
            changed.push_back((stageNames.size() == 1 ? "stage " : "stages ") + JoinWords(stageNames));
    } else {
        data = wall.DataFileText();
    }
    if (FileBytes(record.fileName) != data)
        changed.insert(changed.begin(), "the data file");
    const std::string settingsPath = SettingsPathFor(record.fileName);
    const std::vector<TFileWrite> settings = SettingsFileWrites(record.fileName, scratch.Settings());
    const bool settingsOnDisk = IsFile(settingsPath);
    if (settings.empty() ? settingsOnDisk : !settingsOnDisk || FileBytes(settingsPath) != settings.front().content)
        changed.push_back("the settings (anchors, sections, design checks)");
    if (!changed.empty())
        differences.push_back("It differs from the file on disk in " + JoinWords(changed) + ".");
    return differences;
}

std::string RecoveryQuestion(const TRecoveryRecord& record, const std::vector<std::string>& differences)
{
    const fs::path path(record.fileName);
    std::string text = "TORVIK ended without saving the changes to the wall " + path.filename().string();
    if (!record.untitled)
        text += " (in " + path.parent_path().string() + ")";
    text += ". They were autosaved at " + LocalTime(record.savedAt);
    const int stage = StateStage(record.state);
    if (stage > 1)
        text += ", in stage " + std::to_string(stage);
    text += ".\n";
    for (const std::string& line : differences)
        text += "\n" + line;
    if (record.undoPosition > 0)
        text += "\nUndo then held " + std::to_string(record.undoPosition) +
                (record.undoPosition == 1 ? " change" : " changes") + " (the recovered wall starts a new history).";
    text += "\n\nRecover opens the autosaved wall with its changes, not yet saved. Keep for Later asks again at the "
            "next start. Discard deletes the autosave.";
    return text;
}

std::string SetRecoveryAside(const std::string& folder)
{
    const fs::path from(folder);
    const fs::path to = from.parent_path() / (AsidePrefix + from.filename().string());
    std::error_code error;
    fs::rename(from, to, error);
    return error ? folder : to.string();
}

std::string DamagedRecoveryMessage(const std::string& keptAt, const std::string& problem)
{
    return "An autosave of an earlier run cannot be recovered: " + problem + "\nIt was kept in " + keptAt + ".";
}

void DiscardRecovery(const std::string& folder)
{
    std::error_code error;
    fs::remove_all(folder, error);
}
