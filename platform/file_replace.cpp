#include "platform/file_replace.h"

#include <cstdio>

#include "platform/error_text.h"
#include "platform/native_path.h"

namespace platform {
namespace {

// Removes a temporary that will not be used, keeping the error that made it useless.
void Discard(const std::string& temporary) {
  const int code = LastErrorCode();
  std::remove(NativePath(temporary).c_str());
  RestoreLastError(code);
}

}  // namespace

bool CommitTemporary(const std::string& temporary, const std::string& path,
                     std::uint64_t expected_size) {
  const std::int64_t size = FileSize(temporary);
  if (size < 0 || static_cast<std::uint64_t>(size) != expected_size) {
    // A complete-looking write that came out short: a full disk the C runtime did not report.
    if (size >= 0) SetDiskFullError();
    Discard(temporary);
    return false;
  }
  if (!RenameOver(temporary, path)) {
    Discard(temporary);
    return false;
  }
  return true;
}

bool ReplaceFileContent(const std::string& path, std::string_view bytes) {
  return ReplaceFileContent(path, std::span<const std::string_view>(&bytes, 1));
}

bool ReplaceFileContent(const std::string& path, std::span<const std::string_view> pieces) {
  std::string temporary;
  std::FILE* file = CreateTemporaryBeside(path, temporary);
  if (file == nullptr) return false;
  bool ok = true;
  std::uint64_t size = 0;
  for (std::string_view piece : pieces) {
    ok = ok && std::fwrite(piece.data(), 1, piece.size(), file) == piece.size();
    size += piece.size();
  }
  ok = std::fclose(file) == 0 && ok;
  if (!ok) {
    Discard(temporary);
    return false;
  }
  return CommitTemporary(temporary, path, size);
}

}  // namespace platform
