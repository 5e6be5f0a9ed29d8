#pragma once
#include "model/DiskStamp.h"
#include "model/ProcessMark.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class TWallDocument;

// Autosave and recovery. While a wall has unsaved changes, the running
// program keeps its whole state (WallState.h: the data file text or every
// stage's working copy, the settings, the current stage) in a recovery folder
// of its own under the user's state folder, never beside the wall. A save, a
// new or opened wall and a normal end remove it; after a crash it stays, and
// the next start offers it. Folder names carry the mark of the process that
// owns them ("<mark>-<number>"), so that an instance never offers the
// recovery of another one that still runs.

// The folder that holds the recovery folders: "Orvane/TORVIK/recovery" in
// $XDG_STATE_HOME, else in ~/.local/state (%LOCALAPPDATA% on Windows).
std::string RecoveryBaseFolder();

// What one recovery file holds.
struct TRecoveryRecord {
    // The wall's data file; the untitled name for a wall never saved.
    std::string fileName;
    bool untitled = false;
    // When it was written, in seconds since 1970.
    std::int64_t savedAt = 0;
    // The data file as the instance last read or wrote it.
    TDiskStamp diskStamp;
    // The undo history's position and step count at the time.
    std::size_t undoPosition = 0;
    std::size_t undoSteps = 0;
    // The wall's state (TakeWallState).
    std::string state;
};

// The text of a recovery file, with a checksum of its contents.
std::string RecoveryText(const TRecoveryRecord& record);
// Reads a recovery file's text. EInOutError saying what is wrong when it is
// damaged, cut short or of another kind.
TRecoveryRecord ParseRecovery(const std::string& text);

// The recovery folder of this instance: made at the first Write, removed by
// Remove and when the object goes.
class TAutosave {
public:
    explicit TAutosave(std::string base = RecoveryBaseFolder());
    ~TAutosave();
    TAutosave(const TAutosave&) = delete;
    TAutosave& operator=(const TAutosave&) = delete;

    // Writes the document's present state (TWallDocument::PresentState), its
    // file name, disk stamp and undo position, stamped `now`, replacing the
    // last autosave atomically. EInOutError when it cannot be written.
    void Write(const TWallDocument& document, std::int64_t now);
    // Removes the recovery folder (nothing is left to recover); errors are ignored.
    void Remove();
    // The recovery folder; empty while none was written.
    const std::string& Folder() const { return folder_; }
    // Takes the stale recovery folder `folder` over for this instance: it is
    // renamed into a name of this instance's mark, so that no other instance
    // offers it while this one runs, and it is offered again after this
    // instance ends (Keep for Later). The new path; empty when another
    // instance took it first.
    std::string Claim(const std::string& folder);

private:
    std::string NewFolderName() const;

    std::string base_;
    TProcessMark mark_;
    std::string folder_;
};

// The name of the recovery file in a recovery folder.
extern const char* const RecoveryFileName;

// A recovery folder whose instance no longer runs.
struct TStaleRecovery {
    std::string folder;
    TRecoveryRecord record;
    // Why it cannot be recovered; empty when its file was read whole.
    std::string problem;
};

// The recovery folders in `base` whose instance no longer runs, oldest
// autosave first. Temporary files of writes that were cut off are removed
// first; a folder left with nothing in it (killed before its first autosave
// finished) is removed. Folders of running instances, and those set aside,
// are left alone.
std::vector<TStaleRecovery> FindStaleRecoveries(const std::string& base);

// Puts the recovered state into `document`: the wall becomes the autosaved
// one with its file name and disk stamp, modified, without undo steps.
// EInOutError when the state cannot be put back.
void RecoverWall(TWallDocument& document, const TRecoveryRecord& record);

// What the recovered state differs in from the wall's files on disk, one
// sentence each (empty when it is what they hold). The state is put back into
// a document of its own; EInOutError when that fails or reports a problem
// (the recovery does not open).
std::vector<std::string> RecoveryDifferences(const TRecoveryRecord& record);

// The start-up question for a recovery: which wall, when it was autosaved,
// what differs from the file on disk, and what Recover, Keep for Later and
// Discard do.
std::string RecoveryQuestion(const TRecoveryRecord& record, const std::vector<std::string>& differences);

// Renames a recovery folder that cannot be recovered to "damaged-" and its
// name beside it, where no later start offers it; the new path (the old one
// when the rename failed).
std::string SetRecoveryAside(const std::string& folder);
// The message that reports a damaged recovery and where it was kept.
std::string DamagedRecoveryMessage(const std::string& keptAt, const std::string& problem);

// Removes a recovery folder with everything in it; errors are ignored.
void DiscardRecovery(const std::string& folder);
