#pragma once
#include <string>

// What names one running process even after its number is used again: the
// process number and its start (on Linux the start time in clock ticks since
// boot and the boot's identity; on Windows the creation time). A folder that a
// process keeps for itself carries its mark, so that another instance can tell
// whether the process that made it still runs.
struct TProcessMark {
    long id = 0;
    // Empty where the system tells no start time: then the number alone decides.
    std::string start;

    // The mark as one word without "-" or "/": the number, "_" and the start.
    std::string Text() const;
    // A mark read back from Text(); false when `text` is none.
    static bool Parse(const std::string& text, TProcessMark& mark);
};

// The mark of this process.
TProcessMark ThisProcessMark();

// Whether the process of `mark` still runs: a process of its number exists
// and, where start times are known, started when the mark says.
bool ProcessRunning(const TProcessMark& mark);
