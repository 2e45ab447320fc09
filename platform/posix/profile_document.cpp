#include "platform/posix/profile_document.h"

#include <algorithm>
#include <cstring>

namespace platform::profile {
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

// Names and values are C strings there: a zero byte ends them.
std::string_view UpToZero(std::string_view s) { return s.substr(0, s.find('\0')); }

// Names compare without regard to the case of the letters A to Z; other letters must match.
unsigned char Fold(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return u >= 'A' && u <= 'Z' ? static_cast<unsigned char>(u + ('a' - 'A')) : u;
}

constexpr std::uint64_t kOnes = 0x0101010101010101ull;

// Up to eight bytes as one word, the missing high bytes zero (no library call: keys come by the
// ten thousand).
std::uint64_t LoadWord(const char* p, std::size_t n) {
  std::uint64_t w = 0;
  if (n >= 8) {
    std::memcpy(&w, p, 8);
    return w;
  }
  for (std::size_t i = 0; i < n; ++i)
    w |= std::uint64_t{static_cast<unsigned char>(p[i])} << (8 * i);
  return w;
}

// Whether `s` holds the byte `a`, `b` or `c`, eight bytes at a time.
bool HasByte(std::string_view s, char a, char b, char c) {
  auto has = [](std::uint64_t w, char x) {
    std::uint64_t d = w ^ (static_cast<unsigned char>(x) * kOnes);
    return ((d - kOnes) & ~d & (0x80 * kOnes)) != 0;
  };
  std::size_t i = 0;
  for (; i + 8 <= s.size(); i += 8) {
    std::uint64_t w = LoadWord(s.data() + i, 8);
    if (has(w, a) || has(w, b) || has(w, c)) return true;
  }
  for (; i < s.size(); ++i) {
    if (s[i] == a || s[i] == b || s[i] == c) return true;
  }
  return false;
}

// Whether text written as given (a new section's or key's name, a value) would read back
// otherwise: a line end splits it, a key's '=' or leading '[' changes what the line is.
bool ReadsBackDifferently(std::string_view text, bool is_key) {
  if (!is_key) return HasByte(text, '\r', '\n', '\n');
  return HasByte(text, '\r', '\n', '=') || (!text.empty() && text.front() == '[');
}

constexpr std::size_t kChunkSize = 256 * 1024;

}  // namespace

namespace {

// Eight bytes at once with A to Z turned into a to z (bytes with the top bit set stay).
std::uint64_t FoldWord(std::uint64_t w) {
  std::uint64_t low7 = w & (0x7F * kOnes);
  std::uint64_t at_least_a = low7 + (0x80 - 'A') * kOnes;
  std::uint64_t above_z = low7 + (0x80 - 'Z' - 1) * kOnes;
  std::uint64_t upper = at_least_a & ~above_z & ~w & (0x80 * kOnes);
  return w | (upper >> 2);
}

}  // namespace

std::size_t Document::NameHash::operator()(std::string_view s) const {
  std::uint64_t h = s.size() * 0x9E3779B97F4A7C15ull;
  std::size_t i = 0;
  for (; i + 8 <= s.size(); i += 8) {
    h = (h ^ FoldWord(LoadWord(s.data() + i, 8))) * 0xFF51AFD7ED558CCDull;
    h ^= h >> 32;
  }
  if (i < s.size()) {
    h = (h ^ FoldWord(LoadWord(s.data() + i, s.size() - i))) * 0xFF51AFD7ED558CCDull;
    h ^= h >> 32;
  }
  return h;
}

bool Document::NameEqual::operator()(std::string_view a, std::string_view b) const {
  if (a.size() != b.size()) return false;
  if (a.empty() || std::memcmp(a.data(), b.data(), a.size()) == 0) return true;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Fold(a[i]) != Fold(b[i])) return false;
  }
  return true;
}

Document::Document() {
  sections_.push_back(Section{});
  section_index_.emplace(std::string_view(), 0);
}

std::string_view Document::Keep(std::string_view text) {
  if (text.empty()) return std::string_view();
  if (chunk_size_ - chunk_used_ < text.size()) {
    chunk_size_ = std::max(kChunkSize, text.size());
    chunks_.push_back(std::make_unique<char[]>(chunk_size_));
    chunk_used_ = 0;
  }
  char* at = chunks_.back().get() + chunk_used_;
  std::memcpy(at, text.data(), text.size());
  chunk_used_ += text.size();
  return std::string_view(at, text.size());
}

std::uint32_t Document::AddSection(std::string_view name) {
  std::uint32_t id = static_cast<std::uint32_t>(sections_.size());
  sections_.push_back(Section{});
  sections_.back().name = Keep(name);
  if (section_index_.emplace(sections_.back().name, id).second) last_section_ = id;
  return id;
}

void Document::AddParsedEntry(std::uint32_t section, std::string_view name, std::string_view value,
                              bool has_value) {
  std::uint32_t hash = KeyHash(name);
  AddEntry(section, name, value, has_value, hash, !FindEntry(section, name, hash));
}

std::uint32_t Document::KeyHash(std::string_view name) {
  return static_cast<std::uint32_t>(NameHash()(name));
}

void Document::GrowTable(Section& section) {
  std::vector<Slot> old(section.key_table.size() * 2, Slot{0, 0});
  old.swap(section.key_table);
  std::size_t mask = section.key_table.size() - 1;
  for (const Slot& slot : old) {
    if (slot.entry_plus_one == 0) continue;
    std::size_t i = slot.hash & mask;
    while (section.key_table[i].entry_plus_one != 0) i = (i + 1) & mask;
    section.key_table[i] = slot;
  }
}

std::optional<std::uint32_t> Document::FindEntry(std::uint32_t section, std::string_view name,
                                                 std::uint32_t hash) const {
  const std::vector<Slot>& table = sections_[section].key_table;
  std::size_t mask = table.size() - 1;
  for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
    const Slot& slot = table[i];
    if (slot.entry_plus_one == 0) return std::nullopt;
    if (slot.hash == hash && NameEqual()(entries_[slot.entry_plus_one - 1].name, name)) {
      return slot.entry_plus_one - 1;
    }
  }
}

std::optional<std::uint32_t> Document::FindSection(std::string_view name) const {
  if (NameEqual()(sections_[last_section_].name, name)) return last_section_;
  auto it = section_index_.find(name);
  if (it == section_index_.end()) return std::nullopt;
  last_section_ = it->second;
  return it->second;
}

std::uint32_t Document::AddEntry(std::uint32_t section, std::string_view name,
                                 std::string_view value, bool has_value, std::uint32_t hash,
                                 bool first_of_name) {
  std::uint32_t id = static_cast<std::uint32_t>(entries_.size());
  entries_.push_back(Entry{Keep(name), Keep(value), section, has_value});
  Section& s = sections_[section];
  s.entries.push_back(id);
  if (first_of_name) {
    if (2 * (s.key_count + 1) > s.key_table.size()) GrowTable(s);
    std::size_t mask = s.key_table.size() - 1;
    std::size_t i = hash & mask;
    while (s.key_table[i].entry_plus_one != 0) i = (i + 1) & mask;
    s.key_table[i] = Slot{id + 1, hash};
    ++s.key_count;
  }
  return id;
}

Document Document::Parse(std::string_view text) {
  Document doc;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") {
    doc.utf8_mark_ = true;
    text.remove_prefix(3);
  }
  std::uint32_t current = 0;
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
        current = doc.AddSection(UpToZero(Trim(line.substr(1, close - 1))));
        if (doc.sections_[current].name.empty()) doc.unstable_ = true;
        continue;
      }
    }
    std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
      if (UpToZero(line).empty()) doc.unstable_ = true;
      doc.AddParsedEntry(current, UpToZero(line), {}, false);
    } else {
      doc.AddParsedEntry(current, UpToZero(TrimRight(line.substr(0, equals))),
                         UpToZero(TrimLeft(line.substr(equals + 1))), true);
    }
  }
  return doc;
}

std::string Document::Emit() const {
  const LastWrite* last = last_write_ ? &*last_write_ : nullptr;
  std::uint32_t last_section = last ? entries_[last->entry].section : 0;
  std::size_t size = 3;
  for (const Section& s : sections_) size += s.name.size() + 4;
  for (const Entry& e : entries_) size += e.name.size() + e.value.size() + 3;
  if (last) size += last->value.size() + 64;
  std::string out;
  out.reserve(size);
  if (utf8_mark_) out = "\xEF\xBB\xBF";
  for (std::uint32_t s = 0; s < sections_.size(); ++s) {
    const Section& section = sections_[s];
    std::string_view name = section.name;
    if (last && last_section == s && last->section_name) name = *last->section_name;
    if (!name.empty()) out.append("[").append(name).append("]\r\n");
    for (std::uint32_t id : section.entries) {
      const Entry& entry = entries_[id];
      bool raw = last && last->entry == id;
      out.append(raw && last->key_name ? std::string_view(*last->key_name) : entry.name);
      if (entry.has_value) {
        out += '=';
        out.append(raw ? std::string_view(last->value) : entry.value);
      }
      out.append("\r\n");
    }
  }
  return out;
}

bool Document::Set(std::string_view section_arg, std::string_view key_arg,
                   std::string_view value_arg, std::optional<std::string>* exact_text) {
  std::string_view section_text = TrimLeft(section_arg);
  std::string_view key_text = TrimLeft(key_arg);
  std::string_view value = TrimLeft(value_arg);
  std::string_view section_name = TrimRight(section_text);
  std::string_view key_name = TrimRight(key_text);
  std::string_view value_kept = TrimRight(value);

  std::optional<std::uint32_t> section = FindSection(section_name);
  std::optional<std::uint32_t> entry;
  std::uint32_t hash = 0;
  if (section) {
    hash = KeyHash(key_name);
    entry = FindEntry(*section, key_name, hash);
  }
  if (entry && entries_[*entry].has_value && entries_[*entry].value == value) return false;

  LastWrite last;
  bool new_section = !section;
  bool new_key = !entry;
  if (new_section) {
    section = AddSection(section_name);
    hash = KeyHash(key_name);
    if (section_text.size() != section_name.size()) last.section_name = std::string(section_text);
  }
  if (entry) {
    entries_[*entry].value = Keep(value_kept);
    entries_[*entry].has_value = true;
  } else {
    entry = AddEntry(*section, key_name, value_kept, true, hash, true);
    if (key_text.size() != key_name.size()) last.key_name = std::string(key_text);
  }
  last.entry = *entry;
  // Found names are written as stored, which reads back the same, except a stored key that begins
  // with '[' (an unclosed header line): with a ']' in its new value it becomes a section header.
  std::string_view written_key = entries_[*entry].name;
  bool rereads = unstable_ || (new_section && ReadsBackDifferently(section_text, false)) ||
                 (new_key && ReadsBackDifferently(key_text, true)) ||
                 (!written_key.empty() && written_key.front() == '[') ||
                 ReadsBackDifferently(value, false);
  if (rereads || last.section_name || last.key_name || value.size() != value_kept.size()) {
    last.value = std::string(value);
    last_write_ = std::move(last);
  } else {
    last_write_.reset();
  }
  exact_text->reset();
  if (rereads) {
    // Rare: the next change starts from what a re-read of the written text finds.
    *exact_text = Emit();
    *this = Parse(**exact_text);
  }
  return true;
}

std::optional<std::string_view> Document::Get(std::string_view section,
                                              std::string_view key) const {
  std::optional<std::uint32_t> s = FindSection(Trim(section));
  if (!s) return std::nullopt;
  std::optional<std::uint32_t> e = FindEntry(*s, Trim(key), KeyHash(Trim(key)));
  if (!e || !entries_[*e].has_value) return std::nullopt;
  return entries_[*e].value;
}

}  // namespace platform::profile
