#include "model/ProcessMark.h"

#include <cerrno>
#include <fstream>
#include <iterator>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <csignal>
#include <sys/types.h>
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32

// The creation time of the process, in 100 ns units since 1601; empty when unknown.
std::string StartOf(long id, bool* ended = nullptr)
{
    if (ended)
        *ended = false;  // an ended process has no handle to open
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(id));
    if (!process)
        return "";
    FILETIME created, exited, kernel, user;
    std::string start;
    if (GetProcessTimes(process, &created, &exited, &kernel, &user)) {
        const unsigned long long ticks =
            (static_cast<unsigned long long>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
        start = std::to_string(ticks);
    }
    CloseHandle(process);
    return start;
}

bool NumberInUse(long id)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(id));
    if (!process)
        return GetLastError() == ERROR_ACCESS_DENIED;
    DWORD code = 0;
    const bool running = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    CloseHandle(process);
    return running;
}

long OwnId()
{
    return static_cast<long>(GetCurrentProcessId());
}

#else

std::string FileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Field 22 of /proc/<id>/stat (the start in clock ticks since boot) and the
// first eight digits of the boot's identity, which a restart changes; empty
// where there is no /proc. `ended` tells a process that died and waits only
// for its parent to collect it (a zombie), which no longer runs.
std::string StartOf(long id, bool* ended = nullptr)
{
    const std::string stat = FileText("/proc/" + std::to_string(id) + "/stat");
    // The command name (field 2) is in parentheses and may hold spaces: fields count from its end.
    const std::size_t close = stat.rfind(')');
    if (close == std::string::npos)
        return "";
    std::size_t pos = close + 1;
    std::string field;
    for (int n = 3; n <= 22; ++n) {
        const std::size_t begin = stat.find_first_not_of(' ', pos);
        if (begin == std::string::npos)
            return "";
        const std::size_t end = stat.find(' ', begin);
        field = stat.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
        pos = end == std::string::npos ? stat.size() : end;
        if (n == 3 && ended)
            *ended = field == "Z" || field == "X";
    }
    if (field.empty() || field.find_first_not_of("0123456789") != std::string::npos)
        return "";
    std::string boot = FileText("/proc/sys/kernel/random/boot_id").substr(0, 8);
    if (boot.find_first_not_of("0123456789abcdef") != std::string::npos)
        boot.clear();
    return boot.empty() ? field : field + "b" + boot;
}

bool NumberInUse(long id)
{
    return kill(static_cast<pid_t>(id), 0) == 0 || errno != ESRCH;
}

long OwnId()
{
    return static_cast<long>(getpid());
}

#endif

}  // namespace

std::string TProcessMark::Text() const
{
    return std::to_string(id) + "_" + start;
}

bool TProcessMark::Parse(const std::string& text, TProcessMark& mark)
{
    const std::size_t bar = text.find('_');
    if (bar == 0 || bar == std::string::npos || bar > 10 || text.find_first_not_of("0123456789") != bar)
        return false;
    const std::string start = text.substr(bar + 1);
    if (start.find_first_not_of("0123456789abcdef") != std::string::npos)
        return false;
    mark.id = std::stol(text.substr(0, bar));
    mark.start = start;
    return mark.id > 0;
}

TProcessMark ThisProcessMark()
{
    TProcessMark mark;
    mark.id = OwnId();
    mark.start = StartOf(mark.id);
    return mark;
}

bool ProcessRunning(const TProcessMark& mark)
{
    if (mark.id <= 0 || !NumberInUse(mark.id))
        return false;
    if (mark.start.empty())
        return true;
    // A number used again by a later process, or one from before a restart, names another process.
    bool ended = false;
    const std::string now = StartOf(mark.id, &ended);
    return !ended && (now.empty() || now == mark.start);
}
