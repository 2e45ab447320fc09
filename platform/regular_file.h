// Opening files that must be plain files, such as those of the archive: a FIFO would make a reader
// wait forever, a device or a folder give bytes that were never written there, a link lead out.
#pragma once

#include <cstdio>
#include <string>

namespace platform {

enum class FileKind { kMissing, kRegular, kOther };

// What lies at `path`, a link counted as kOther (not followed).
FileKind KindOf(const std::string& path);

// Opens `path` for binary reading only when it is a regular file, never waiting on what it is
// (Linux opens without blocking and checks the opened file). nullptr otherwise, with `kind` set to
// kMissing (nothing there, or it cannot be opened) or kOther.
std::FILE* OpenRegularFile(const std::string& path, FileKind& kind);

}  // namespace platform
