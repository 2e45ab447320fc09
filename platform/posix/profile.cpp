// Profile files on Linux, written byte for byte as the Windows functions write them.
//
// The Windows functions parse the whole file, change one key and write the whole file back
// normalised: CRLF line ends, no blank lines, blanks trimmed around names and values, but the key
// just written keeps its value's trailing blanks (and a new name its trailing blanks) until the
// next change re-reads the file. A file is kept here as its parsed document, cached by path and
// checked against the file's identity (inode, size, times) before use, so that reading hundreds
// of keys or writing thousands costs no re-parse per key.
#include "platform/profile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <map>
#include <mutex>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/native_path.h"

namespace platform {
namespace {

// The Windows functions' white space: the C blanks and the old end-of-file mark Ctrl-Z.
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == '\x1A';
}

std::string_view TrimLeft(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  return s;
}
std::string_view TrimRight(std::string_view s) {
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}
std::string_view Trim(std::string_view s) { return TrimRight(TrimLeft(s)); }

// Names compare without regard to the case of the letters A to Z (other letters must match).
char FoldCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }
std::string Folded(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) c = FoldCase(c);
  return folded;
}

struct Entry {
  std::string name;
  std::string value;
  bool has_value = false;  // a line without '=' is kept as it stands but is no key for reading
};

struct Section {
  std::string name;
  std::vector<Entry> entries;
  std::unordered_map<std::string, std::size_t> index;  // folded name -> first entry of that name

  Entry* Find(std::string_view key) {
    auto it = index.find(Folded(key));
    return it == index.end() ? nullptr : &entries[it->second];
  }
  void Add(Entry entry) {
    index.emplace(Folded(entry.name), entries.size());
    entries.push_back(std::move(entry));
  }
};

// The text the last change wrote that a re-read would trim: it stays in the file until the next
// change rewrites the file from the parsed document.
struct LastWrite {
  std::size_t section = 0;
  std::size_t entry = 0;
  std::optional<std::string> section_name;  // set when that write created the section
  std::optional<std::string> key_name;      // set when it created the key
  std::string value;
};

struct Document {
  bool utf8_mark = false;         // a UTF-8 byte-order mark, kept at the start as Windows does
  std::vector<Section> sections;  // sections[0]: the nameless one holding lines before any header
  std::unordered_map<std::string, std::size_t> index;  // folded name -> first section of that name
  std::optional<LastWrite> last_write;

  Document() { sections.emplace_back(); }

  Section* Find(std::string_view name) {
    auto it = index.find(Folded(name));
    return it == index.end() ? nullptr : &sections[it->second];
  }
  Section& Add(std::string name) {
    index.emplace(Folded(name), sections.size());
    sections.emplace_back();
    sections.back().name = std::move(name);
    return sections.back();
  }
};

// Names and values are C strings there: a zero byte ends them.
std::string UpToZero(std::string_view s) { return std::string(s.substr(0, s.find('\0'))); }

Document Parse(std::string_view text) {
  Document doc;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") {
    doc.utf8_mark = true;
    text.remove_prefix(3);
  }
  doc.index.emplace("", 0);
  Section* current = &doc.sections[0];
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = Trim(text.substr(pos, end - pos));
    pos = end + 1;
    if (line.empty()) continue;
    if (line.front() == '[') {
      std::size_t close = line.rfind(']');
      if (close != std::string_view::npos && close > 0) {
        current = &doc.Add(UpToZero(Trim(line.substr(1, close - 1))));
        continue;
      }
    }
    Entry entry;
    std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
      entry.name = UpToZero(line);
    } else {
      entry.name = UpToZero(TrimRight(line.substr(0, equals)));
      entry.value = UpToZero(TrimLeft(line.substr(equals + 1)));
      entry.has_value = true;
    }
    current->Add(std::move(entry));
  }
  return doc;
}

std::string Emit(const Document& doc) {
  std::string out;
  if (doc.utf8_mark) out = "\xEF\xBB\xBF";
  const LastWrite* last = doc.last_write ? &*doc.last_write : nullptr;
  for (std::size_t s = 0; s < doc.sections.size(); ++s) {
    const Section& section = doc.sections[s];
    bool last_here = last && last->section == s;
    const std::string& name = last_here && last->section_name ? *last->section_name : section.name;
    if (!name.empty()) out.append("[").append(name).append("]\r\n");
    for (std::size_t e = 0; e < section.entries.size(); ++e) {
      const Entry& entry = section.entries[e];
      bool raw = last_here && last->entry == e;
      out += raw && last->key_name ? *last->key_name : entry.name;
      if (entry.has_value) out.append("=").append(raw ? last->value : entry.value);
      out += "\r\n";
    }
  }
  return out;
}

// Text whose written form a re-read would split or read otherwise than it was given.
bool ReadsBackDifferently(std::string_view section, std::string_view key, std::string_view value) {
  auto has_line_end = [](std::string_view s) { return s.find_first_of("\r\n") != s.npos; };
  return has_line_end(section) || has_line_end(key) || has_line_end(value) ||
         key.find('=') != key.npos || (!key.empty() && key.front() == '[');
}

// Applies one write as the Windows function does; false when the value is already there.
// `exact_text` receives the whole written text when the document alone cannot rebuild it.
bool Apply(Document& doc, std::string_view section_arg, std::string_view key_arg,
           std::string_view value_arg, std::optional<std::string>* exact_text) {
  std::string_view section_text = TrimLeft(section_arg);
  std::string_view key_text = TrimLeft(key_arg);
  std::string_view value = TrimLeft(value_arg);
  LastWrite last;
  Section* section = doc.Find(TrimRight(section_text));
  bool new_section = !section;
  if (new_section) last.section_name = std::string(section_text);
  Entry* entry = section ? section->Find(TrimRight(key_text)) : nullptr;
  if (entry && entry->has_value && entry->value == value) return false;
  if (new_section) section = &doc.Add(std::string(TrimRight(section_text)));
  if (!entry) {
    section->Add(Entry{std::string(TrimRight(key_text)), {}, false});
    entry = &section->entries.back();
    last.key_name = std::string(key_text);
  }
  entry->value = std::string(TrimRight(value));
  entry->has_value = true;
  last.section = static_cast<std::size_t>(section - doc.sections.data());
  last.entry = static_cast<std::size_t>(entry - section->entries.data());
  last.value = std::string(value);
  doc.last_write = std::move(last);
  exact_text->reset();
  if (ReadsBackDifferently(section_text, key_text, value)) {
    // Rare: the next change starts from what a re-read of the written text finds.
    *exact_text = Emit(doc);
    doc = Parse(**exact_text);
  }
  return true;
}

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
  std::string text;                       // the bytes the document was read from or last written as
  std::optional<std::string> exact_text;  // the whole text when the document cannot rebuild it
  FileIdentity identity;
  bool trusted = false;    // identity checked long enough after the last change to be sure of it
  bool deferring = false;  // deferred writes since the last flush: the document is the truth
  bool dirty = false;      // changes not yet on disk
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

// File times tick coarsely: a file changed again within one tick after we looked keeps its size,
// inode and times. Until its last change is this far in the past, a cached file is compared byte
// for byte with the disk before use.
constexpr long long kTimestampDoubtNs = 100'000'000;

long long Nanoseconds(const timespec& t) { return t.tv_sec * 1'000'000'000LL + t.tv_nsec; }

bool LongSinceChanged(const FileIdentity& id) {
  timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  return Nanoseconds(now) - Nanoseconds(id.modified) > kTimestampDoubtNs &&
         Nanoseconds(now) - Nanoseconds(id.changed) > kTimestampDoubtNs;
}

// The cached document of `path`, re-read when the file changed behind our back.
CachedFile& Load(const std::string& path) {
  auto it = cache.find(path);
  if (it != cache.end()) {
    CachedFile& file = it->second;
    if (file.deferring) return file;
    FileIdentity now = CurrentIdentity(path);
    if (now == file.identity && (file.trusted || !now.exists)) return file;
  }
  CachedFile& file = cache[path];
  FileIdentity identity;
  std::optional<std::string> text = ReadWhole(path, &identity);
  if (!text) {
    file = CachedFile{};
    return file;
  }
  if (!file.identity.exists || *text != file.text) {
    file = CachedFile{};
    file.doc = Parse(*text);
    file.text = std::move(*text);
  }
  file.identity = identity;
  file.trusted = LongSinceChanged(identity);
  return file;
}

bool WriteWhole(const std::string& path, const std::string& text, FileIdentity* identity) {
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  std::size_t done = 0;
  while (done < text.size()) {
    ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      close(fd);
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  struct stat st;
  bool ok = fstat(fd, &st) == 0;
  if (close(fd) != 0) ok = false;
  if (ok) *identity = IdentityOf(st);
  return ok;
}

bool Store(const std::string& path, CachedFile& file) {
  std::string text = file.exact_text ? *file.exact_text : Emit(file.doc);
  if (WriteWhole(path, text, &file.identity)) {
    file.text = std::move(text);
    file.trusted = false;
    file.dirty = false;
    return true;
  }
  cache.erase(path);  // the document holds a change that is not on disk: forget it
  return false;
}

bool Write(const std::string& section, const std::string& key, const std::string& value,
           const std::string& given_path, bool deferred) {
  std::string path = NativePath(given_path);
  std::lock_guard<std::mutex> lock(cache_mutex);
  CachedFile& file = Load(path);
  // Unchanged: the Windows function leaves the file as it is and succeeds.
  if (!Apply(file.doc, section, key, value, &file.exact_text)) return true;
  file.dirty = true;
  if (deferred && file.deferring) return true;
  if (!Store(path, file)) return false;
  if (deferred) file.deferring = true;
  return true;
}

}  // namespace

bool WriteProfileString(const std::string& section, const std::string& key,
                        const std::string& value, const std::string& path) {
  return Write(section, key, value, path, false);
}

bool WriteProfileStringDeferred(const std::string& section, const std::string& key,
                                const std::string& value, const std::string& path) {
  return Write(section, key, value, path, true);
}

bool FlushProfileWrites() {
  std::lock_guard<std::mutex> lock(cache_mutex);
  std::vector<std::string> pending;
  for (auto& [path, file] : cache) {
    if (file.deferring) {
      file.deferring = false;
      if (file.dirty) pending.push_back(path);
    }
  }
  bool ok = true;
  for (const std::string& path : pending) {
    if (!Store(path, cache[path])) ok = false;
  }
  return ok;
}

std::string ReadProfileString(const std::string& section, const std::string& key,
                              const std::string& default_value, std::size_t buffer_size,
                              const std::string& path) {
  if (buffer_size == 0) return std::string();
  std::string result;
  {
    std::lock_guard<std::mutex> lock(cache_mutex);
    CachedFile& file = Load(NativePath(path));
    Section* found_section = file.doc.Find(Trim(section));
    Entry* entry = found_section ? found_section->Find(Trim(key)) : nullptr;
    if (entry && entry->has_value) {
      result = entry->value;
    } else {
      // The default loses its trailing blanks, though never its first character.
      std::string_view def = default_value;
      while (def.size() > 1 && def.back() == ' ') def.remove_suffix(1);
      result = std::string(def);
    }
  }
  // A value in matching quotes is returned without them.
  if (result.size() >= 2 && (result.front() == '"' || result.front() == '\'') &&
      result.back() == result.front()) {
    result = result.substr(1, result.size() - 2);
  }
  if (result.size() > buffer_size - 1) result.resize(buffer_size - 1);
  return result;
}

}  // namespace platform
