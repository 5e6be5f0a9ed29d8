#pragma once
#include <string>

// Replaces the file at `path` with `content` (bytes as given) so that a failure
// never harms the file that was there: the content goes to a new file beside
// the target, is flushed to the disk, and only then renamed over the target.
// A link is followed, and the file keeps its access rights. Throws EInOutError naming the file and carrying the system's message; the
// temporary file is removed on failure.
void WriteFileAtomically(const std::string& path, const std::string& content);
