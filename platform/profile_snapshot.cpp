#include "platform/profile_snapshot.h"

#include <mutex>
#include <optional>

#include "platform/file_stamp.h"
#include "platform/profile_rules.h"
#include "platform/read_whole_file.h"

namespace platform {
namespace {

struct Kept {
  std::string path;
  FileStamp stamp;
  bool trusted = false;  // the stamp alone proves the bytes unchanged
  std::string text;      // the bytes parsed, to compare with while the stamp proves nothing
  std::shared_ptr<ProfileSnapshot> snapshot;
};

std::mutex kept_mutex;
Kept kept;

}  // namespace

std::shared_ptr<const ProfileSnapshot> ProfileSnapshot::Of(const std::string& path) {
  std::lock_guard<std::mutex> lock(kept_mutex);
  // Taken before the read: a change after it shows in the next call's stamp.
  const FileStamp stamp = StampOf(path);
  const bool same_path = kept.snapshot && kept.path == path;
  if (same_path && kept.stamp == stamp && (kept.trusted || !stamp.exists)) return kept.snapshot;
  std::optional<std::string> text = stamp.exists ? ReadWholeFile(path) : std::nullopt;
  if (!text) text.emplace();
  // New times on the same bytes (a copy, a touch) keep the parse.
  if (!same_path || *text != kept.text) {
    auto snapshot = std::make_shared<ProfileSnapshot>();
    snapshot->doc_.Assign(*text);
    kept.snapshot = std::move(snapshot);
    kept.text = std::move(*text);
  }
  kept.path = path;
  kept.stamp = stamp;
  kept.trusted = stamp.exists && LongSinceChanged(stamp);
  return kept.snapshot;
}

std::string ProfileSnapshot::Read(const std::string& section, const std::string& key,
                                  const std::string& default_value, std::size_t buffer_size) const {
  return profile::ReadResult(doc_.Get(section, key), default_value, buffer_size);
}

}  // namespace platform
