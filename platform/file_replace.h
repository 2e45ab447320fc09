// Replacing a file whole: the new bytes go to a temporary file beside it, created under a name of
// its own (never an existing file, folder or link), which is renamed over the old one in one step
// only once it is known complete (its size checked after closing, because the Windows C
// runtime under Wine reports a full disk neither in fwrite nor in fclose). A reader never finds a
// cut file under the name, and a failed write leaves the old file as it was. Two programs
// writing one file at once each write their own temporary: the last rename wins whole.
//
// Paths are in the programs' form (".\Results.log"); NativePath is applied here.
#pragma once

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>

namespace platform {

// A temporary name for `path`: in the same folder, so that the rename stays on one volume, and
// unique to this process and call ("<path>.<process>-<count>.partial"), so that no other
// writer's temporary and no file of the user's ("<path>.partial") is ever taken. The name is only
// proposed: a caller that creates the file itself should use CreateTemporaryBeside.
std::string TemporaryPathBeside(const std::string& path);

// Creates a new empty temporary beside `path` exclusively (never opening an existing file, and
// never through a link: O_EXCL|O_NOFOLLOW, CREATE_NEW), trying further names when one is taken,
// and opens it for binary writing. `temporary` is set to its name. nullptr with the system's
// error when none can be created.
std::FILE* CreateTemporaryBeside(const std::string& path, std::string& temporary);

// The size in bytes of the file at `path`, or -1 when there is no such file (or it is a folder).
std::int64_t FileSize(const std::string& path);

// Renames `temporary` over `path`, replacing a file there. False (the system's error set for
// LastErrorText) when it cannot, for example when `path` is a folder.
[[nodiscard]] bool RenameOver(const std::string& temporary, const std::string& path);

// Moves a complete `temporary` into place: true when it holds exactly `expected_size` bytes and
// the rename succeeded. Otherwise the temporary is removed and `path` is left untouched.
[[nodiscard]] bool CommitTemporary(const std::string& temporary, const std::string& path,
                                   std::uint64_t expected_size);

// Writes `bytes` as the whole new content of `path` through a temporary file. False when any step
// fails (the old file stays; the system's error set for LastErrorText where there is one).
[[nodiscard]] bool ReplaceFileContent(const std::string& path, std::string_view bytes);
// The same for bytes given as pieces in order, such as a profile document's text, which is then
// never copied whole.
[[nodiscard]] bool ReplaceFileContent(const std::string& path,
                                      std::span<const std::string_view> pieces);

}  // namespace platform
