// Profile files on Linux, written byte for byte as the Windows functions write them (the rules are
// in profile_rules.h). A file is kept as its parsed document, cached by path and checked
// against the file's identity (inode, size, times) before use, so that reading hundreds of keys or
// writing thousands costs no re-parse per key.
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <map>
#include <mutex>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/native_path.h"
#include "platform/profile_document.h"
#include "platform/profile_rules.h"
#include "platform/system_profile.h"

namespace platform {
namespace {

using profile::Document;

struct FileIdentity {
  bool exists = false;
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  timespec modified{};
  timespec changed{};

  bool operator==(const FileIdentity& o) const {
    return exists == o.exists && device == o.device && inode == o.inode && size == o.size &&
           modified.tv_sec == o.modified.tv_sec && modified.tv_nsec == o.modified.tv_nsec &&
           changed.tv_sec == o.changed.tv_sec && changed.tv_nsec == o.changed.tv_nsec;
  }
};

FileIdentity IdentityOf(const struct stat& st) {
  FileIdentity id;
  id.exists = true;
  id.device = st.st_dev;
  id.inode = st.st_ino;
  id.size = st.st_size;
  id.modified = st.st_mtim;
  id.changed = st.st_ctim;
  return id;
}

struct CachedFile {
  Document doc;
  // The bytes the document was read from, until it is written: from then on the document (or
  // exact_text) gives the bytes on disk.
  std::optional<std::string> read_text;
  std::optional<std::string> exact_text;  // the whole text when the document cannot rebuild it
  FileIdentity identity;
  bool trusted = false;  // identity checked long enough after the last change to be sure of it
};

std::mutex cache_mutex;
std::map<std::string, CachedFile> cache;

// Reads a regular file whole; nullopt when it cannot be opened or read.
std::optional<std::string> ReadWhole(const std::string& path, FileIdentity* identity) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    return std::nullopt;
  }
  std::string text;
  char buffer[65536];
  for (;;) {
    ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0) {
      close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
    text.append(buffer, static_cast<std::size_t>(n));
  }
  fstat(fd, &st);
  *identity = IdentityOf(st);
  close(fd);
  return text;
}

FileIdentity CurrentIdentity(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return FileIdentity{};
  return IdentityOf(st);
}

// File times come from the kernel's coarse clock: a file changed again within one of its ticks
// after we looked keeps its size, inode and times. Until its last change is two ticks in the past
// (at least 10 ms), a cached file is compared byte for byte with the disk before use; a longer
// fixed wait would make a reader that starts right after the writer re-read the file per key.
long long Nanoseconds(const timespec& t) { return t.tv_sec * 1'000'000'000LL + t.tv_nsec; }

long long TimestampDoubtNs() {
  static const long long doubt = [] {
    timespec resolution{};
    long long tick = clock_getres(CLOCK_REALTIME_COARSE, &resolution) == 0 ? Nanoseconds(resolution)
                                                                           : 10'000'000LL;
    long long twice = 2 * tick;
    return twice < 10'000'000LL ? 10'000'000LL : (twice > 100'000'000LL ? 100'000'000LL : twice);
  }();
  return doubt;
}

bool LongSinceChanged(const FileIdentity& id) {
  timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  return Nanoseconds(now) - Nanoseconds(id.modified) > TimestampDoubtNs() &&
         Nanoseconds(now) - Nanoseconds(id.changed) > TimestampDoubtNs();
}

// Makes a cached file the one of `text` (read from disk, or empty), keeping the memory of its
// document for the next one: a file written again and again (a test run, a new upload) reuses it.
void Forget(CachedFile& file, std::string_view text) {
  file.doc.Assign(text);
  file.read_text.reset();
  file.exact_text.reset();
  file.identity = FileIdentity{};
  file.trusted = false;
}

// Whether `text`, just read from the file, is what the cache holds of it.
bool OnDisk(const CachedFile& file, std::string_view text) {
  if (file.read_text) return *file.read_text == text;
  if (file.exact_text) return *file.exact_text == text;
  return file.doc.Matches(text);
}

// The cached document of `path`, re-read when the file changed behind our back.
CachedFile& Load(const std::string& path) {
  auto it = cache.find(path);
  if (it != cache.end()) {
    CachedFile& file = it->second;
    FileIdentity now = CurrentIdentity(path);
    if (now == file.identity && (file.trusted || !now.exists)) return file;
  }
  CachedFile& file = cache[path];
  FileIdentity identity;
  std::optional<std::string> text = ReadWhole(path, &identity);
  if (!text) {
    Forget(file, {});
    return file;
  }
  if (!file.identity.exists || !OnDisk(file, *text)) {
    Forget(file, *text);
    file.read_text = std::move(*text);
  }
  file.identity = identity;
  file.trusted = LongSinceChanged(identity);
  return file;
}

// Overwrites in place and then cuts to length: truncating to zero first would make some file
// systems (ext4) write the file out to disk at close, which costs far more than the write itself.
// The text goes out as the document's pieces, without being copied into one buffer first.
bool WriteWhole(const std::string& path, const std::vector<std::string_view>& pieces,
                FileIdentity* identity) {
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  struct stat st;
  bool ok = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  std::vector<iovec> batch;
  std::size_t next = 0, skip = 0;  // the first piece not wholly written, and its bytes written
  off_t done = 0;
  while (ok && next < pieces.size()) {
    batch.clear();
    for (std::size_t i = next; i < pieces.size() && batch.size() < IOV_MAX; ++i) {
      std::string_view piece = pieces[i].substr(i == next ? skip : 0);
      if (!piece.empty()) batch.push_back(iovec{const_cast<char*>(piece.data()), piece.size()});
    }
    if (batch.empty()) break;
    ssize_t n = pwritev(fd, batch.data(), static_cast<int>(batch.size()), done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok = false;
      break;
    }
    done += n;
    for (std::size_t left = static_cast<std::size_t>(n); left > 0 && next < pieces.size();) {
      std::size_t rest = pieces[next].size() - skip;
      if (left < rest) {
        skip += left;
        break;
      }
      left -= rest;
      ++next;
      skip = 0;
    }
  }
  if (ok && ftruncate(fd, done) != 0) ok = false;
  if (ok && fstat(fd, &st) != 0) ok = false;
  if (close(fd) != 0) ok = false;
  if (ok) *identity = IdentityOf(st);
  return ok;
}

bool Store(const std::string& path, CachedFile& file) {
  std::vector<std::string_view> pieces;
  if (file.exact_text) {
    pieces.push_back(*file.exact_text);
  } else {
    file.doc.Pieces(&pieces);
  }
  if (WriteWhole(path, pieces, &file.identity)) {
    file.read_text.reset();
    file.trusted = false;
    return true;
  }
  cache.erase(path);  // the document holds a change that is not on disk: forget it
  return false;
}

}  // namespace

bool SystemWriteProfileString(const std::string& section, const std::string& key,
                              const std::string& value, const std::string& given_path) {
  std::lock_guard<std::mutex> lock(cache_mutex);
  std::string path = NativePath(given_path);
  CachedFile& file = Load(path);
  // Unchanged: the Windows function leaves the file as it is and succeeds.
  if (!file.doc.Set(section, key, value, &file.exact_text)) return true;
  return Store(path, file);
}

std::string SystemReadProfileString(const std::string& section, const std::string& key,
                                    const std::string& default_value, std::size_t buffer_size,
                                    const std::string& path) {
  std::lock_guard<std::mutex> lock(cache_mutex);
  CachedFile& file = Load(NativePath(path));
  return profile::ReadResult(file.doc.Get(section, key), default_value, buffer_size);
}

}  // namespace platform
