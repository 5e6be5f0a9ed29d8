#pragma once
// Faults of the disk for tests: writes of files whose path starts with a
// prefix fail with an error number, as in a read-only folder or on a full disk.
#include "model/AtomicFile.h"

#include <string>

class WriteFaultIn {
public:
    // Writes of paths that start with `prefix` and contain `part` fail with `error`.
    WriteFaultIn(const std::string& prefix, int error, const std::string& part = "")
    {
        SetWriteFault([prefix, error, part](const std::string& path) {
            return path.rfind(prefix, 0) == 0 && path.find(part) != std::string::npos ? error : 0;
        });
    }
    ~WriteFaultIn() { SetWriteFault(nullptr); }
    WriteFaultIn(const WriteFaultIn&) = delete;
    WriteFaultIn& operator=(const WriteFaultIn&) = delete;
};
