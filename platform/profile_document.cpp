#include "platform/profile_document.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/profile_rules.h"

namespace platform::profile {
namespace {

// Whether text written as given (a new section's or key's name, a value) would read back
// otherwise: a line end splits it, a key's '=' or leading '[' changes what the line is.
bool ReadsBackDifferently(std::string_view text, bool is_key) {
  if (is_key && !text.empty() && text.front() == '[') return true;
  for (char c : text) {
    if (c == '\r' || c == '\n' || (is_key && c == '=')) return true;
  }
  return false;
}

// Names and arguments are read eight bytes at a time where keys come by the ten thousand.
constexpr std::uint64_t kOnes = 0x0101010101010101ull;
constexpr std::uint64_t kHighBits = 0x80 * kOnes;

std::uint64_t Word(const char* p) {
  std::uint64_t w;
  std::memcpy(&w, p, 8);
  return w;
}

// Whether no byte of an argument is below 0x0E (the zero byte and the line ends among them) and,
// for a key, none is '=': such an argument needs no cut and reads back as written (BM_Convert of
// the largest set: 6.2 ms with a byte loop and a search for the zero byte, 5.4 ms with this).
bool IsPlain(std::string_view text, bool is_key) {
  auto plain_byte = [is_key](unsigned char c) { return c >= 0x0E && !(is_key && c == '='); };
  if (text.size() < 8) return std::all_of(text.begin(), text.end(), plain_byte);
  // A word has a byte below n (at most 0x80) when (w - n * kOnes) & ~w & kHighBits is not zero.
  auto plain_word = [is_key](std::uint64_t w) {
    std::uint64_t equals = w ^ ('=' * kOnes);
    std::uint64_t below = (w - 0x0E * kOnes) & ~w;
    if (is_key) below |= (equals - kOnes) & ~equals;
    return (below & kHighBits) == 0;
  };
  for (std::size_t i = 0; i + 8 < text.size(); i += 8) {
    if (!plain_word(Word(text.data() + i))) return false;
  }
  return plain_word(Word(text.data() + text.size() - 8));  // overlaps the word before
}

// Eight bytes with A to Z turned into a to z, as FoldLetter does one byte.
std::uint64_t FoldWord(std::uint64_t w) {
  std::uint64_t low7 = w & (0x7F * kOnes);
  std::uint64_t at_least_a = low7 + (0x80 - 'A') * kOnes;
  std::uint64_t above_z = low7 + (0x80 - 'Z' - 1) * kOnes;
  std::uint64_t upper = at_least_a & ~above_z & ~w & kHighBits;
  return w | (upper >> 2);
}

}  // namespace

// Over the folded name eight bytes at a time, the last word overlapping the one before: names of
// one size that fold alike give the same words. FNV-1a byte by byte made BM_Convert 5.4 ms
// instead of 5.3 and BM_ProfileWriter/120000 20 ms instead of 13.
std::uint32_t Document::NameHash(std::string_view s) {
  std::uint64_t h = s.size() * 0x9E3779B97F4A7C15ull;
  auto mix = [&h](std::uint64_t w) {
    h = (h ^ FoldWord(w)) * 0xFF51AFD7ED558CCDull;
    h ^= h >> 32;
  };
  if (s.size() < 8) {
    std::uint64_t w = 0;
    for (char c : s) w = w << 8 | static_cast<unsigned char>(c);
    mix(w);
  } else {
    for (std::size_t i = 0; i + 8 < s.size(); i += 8) mix(Word(s.data() + i));
    mix(Word(s.data() + s.size() - 8));
  }
  // The low bits pick the slot and the top ones the tag: spread every byte to both (without this
  // the keys of one section cluster: BM_ProfileWriter/120000 took 28 ms).
  h = (h ^ (h >> 29)) * 0xBF58476D1CE4E5B9ull;
  return static_cast<std::uint32_t>(h ^ (h >> 32));
}

namespace {

// Equal names, the letters A to Z in any case. A name mostly comes spelled as it is stored, so the
// bytes are compared as they are first.
bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  if (a == b) return true;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldLetter(a[i]) != FoldLetter(b[i])) return false;
  }
  return true;
}

// Entries keep sizes in 31 bits: a name or value of 2 GiB or more (never a real profile) is cut.
std::string_view Bounded(std::string_view text) { return text.substr(0, 0x7FFFFFFF); }

constexpr std::size_t kFirstSectionTableSize = 64;
constexpr std::uint32_t kFirstKeyTableSize = 16;

// Places `slot` in an open-addressing table of `size` slots (a power of two) at `table`.
template <typename Slot>
void Place(Slot* table, std::size_t size, Slot slot) {
  std::size_t mask = size - 1;
  std::size_t i = slot.hash & mask;
  while (table[i].item_plus_one != 0) i = (i + 1) & mask;
  table[i] = slot;
}

}  // namespace

Document::Document() { Clear(); }

void Document::Clear() {
  utf8_mark_ = false;
  unstable_ = false;
  text_.Reset();
  tables_.Reset();
  sections_.clear();
  entries_.clear();
  runs_.clear();
  section_table_.assign(kFirstSectionTableSize, Slot{0, 0});
  section_count_ = 0;
  last_write_.reset();
  last_section_ = 0;
  sections_.push_back(Section{nullptr, 0, kNone, kNone, 0, 0, nullptr});
  InsertSection(Slot{1, NameHash(std::string_view())});
}

const char* Document::KeepLine(std::string_view name, std::string_view value, bool has_value) {
  std::size_t size = name.size() + (has_value ? 1 + value.size() : 0) + 2;
  char* line = text_.Allocate(size);
  char* at = line;
  if (!name.empty()) std::memcpy(at, name.data(), name.size());
  at += name.size();
  if (has_value) {
    *at++ = '=';
    if (!value.empty()) std::memcpy(at, value.data(), value.size());
    at += value.size();
  }
  at[0] = '\r';
  at[1] = '\n';
  return line;
}

void Document::InsertSection(Slot slot) {
  if (2 * (section_count_ + 1) > section_table_.size()) {
    std::vector<Slot> old(section_table_.size() * 2, Slot{0, 0});
    old.swap(section_table_);
    for (const Slot& s : old) {
      if (s.item_plus_one != 0) Place(section_table_.data(), section_table_.size(), s);
    }
  }
  Place(section_table_.data(), section_table_.size(), slot);
  ++section_count_;
}

namespace {

std::uint8_t Tag(std::uint32_t hash) { return static_cast<std::uint8_t>(0x80 | hash >> 25); }

void PlaceKey(std::uint8_t* tags, std::uint32_t* entries, std::size_t size, std::uint32_t entry,
              std::uint32_t hash) {
  std::size_t mask = size - 1;
  std::size_t i = hash & mask;
  while (tags[i] != 0) i = (i + 1) & mask;
  tags[i] = Tag(hash);
  entries[i] = entry;
}

}  // namespace

void Document::InsertKey(Section& section, std::uint32_t entry, std::uint32_t hash) {
  if (2 * (section.key_count + 1) > section.table_size) {
    const std::uint8_t* old_tags = section.key_tags;
    const std::uint32_t* old_entries = section.key_entries();
    std::uint32_t old_size = section.table_size;
    std::uint32_t size = old_size == 0 ? kFirstKeyTableSize : 2 * old_size;
    char* memory = tables_.Allocate(size * (1 + sizeof(std::uint32_t)), alignof(std::uint32_t));
    std::uint8_t* tags = reinterpret_cast<std::uint8_t*>(memory);
    std::uint32_t* entries = reinterpret_cast<std::uint32_t*>(memory + size);
    std::fill(tags, tags + size, std::uint8_t{0});
    for (std::uint32_t i = 0; i < old_size; ++i) {
      if (old_tags[i] != 0)
        PlaceKey(tags, entries, size, old_entries[i], entries_[old_entries[i]].hash);
    }
    section.key_tags = tags;
    section.table_size = size;
  }
  PlaceKey(section.key_tags, section.key_entries(), section.table_size, entry, hash);
  ++section.key_count;
}

std::uint32_t Document::AddSection(std::string_view name) {
  std::uint32_t id = static_cast<std::uint32_t>(sections_.size());
  Section section{nullptr, static_cast<std::uint32_t>(name.size()), kNone, kNone, 0, 0, nullptr};
  if (!name.empty()) {
    char* header = text_.Allocate(name.size() + 4);
    header[0] = '[';
    std::memcpy(header + 1, name.data(), name.size());
    std::memcpy(header + 1 + name.size(), "]\r\n", 3);
    section.header = header;
  }
  bool first_of_name = FindSection(name) == kNone;
  sections_.push_back(section);
  if (first_of_name) {
    InsertSection(Slot{id + 1, NameHash(name)});
    last_section_ = id;
  }
  return id;
}

void Document::AddParsedEntry(std::uint32_t section, std::string_view name, std::string_view value,
                              bool has_value) {
  std::uint32_t hash = NameHash(name);
  AddEntry(section, name, value, has_value, hash, FindEntry(section, name, hash) == kNone);
}

std::uint32_t Document::FindEntry(std::uint32_t section, std::string_view name,
                                  std::uint32_t hash) const {
  const Section& s = sections_[section];
  if (s.table_size == 0) return kNone;
  const std::uint8_t* tags = s.key_tags;
  std::uint8_t tag = Tag(hash);
  std::size_t mask = s.table_size - 1;
  for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
    if (tags[i] == 0) return kNone;
    if (tags[i] != tag) continue;
    std::uint32_t id = s.key_entries()[i];
    if (entries_[id].hash == hash && SameName(entries_[id].name(), name)) return id;
  }
}

std::uint32_t Document::FindSection(std::string_view name) const {
  if (SameName(sections_[last_section_].name(), name)) return last_section_;
  std::uint32_t hash = NameHash(name);
  std::size_t mask = section_table_.size() - 1;
  for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
    const Slot& slot = section_table_[i];
    if (slot.item_plus_one == 0) return kNone;
    if (slot.hash == hash && SameName(sections_[slot.item_plus_one - 1].name(), name)) {
      last_section_ = slot.item_plus_one - 1;
      return last_section_;
    }
  }
}

std::uint32_t Document::AddEntry(std::uint32_t section, std::string_view name,
                                 std::string_view value, bool has_value, std::uint32_t hash,
                                 bool first_of_name) {
  std::uint32_t id = static_cast<std::uint32_t>(entries_.size());
  name = Bounded(name);
  value = Bounded(value);
  entries_.push_back(
      Entry{KeepLine(name, value, has_value), static_cast<std::uint32_t>(name.size()),
            static_cast<std::uint32_t>(has_value ? value.size() : 0), has_value, hash});
  Section& s = sections_[section];
  if (s.last_run != kNone && runs_[s.last_run].first + runs_[s.last_run].count == id) {
    ++runs_[s.last_run].count;
  } else {
    std::uint32_t run = runs_.size();
    runs_.push_back(Run{id, 1, kNone});
    if (s.last_run == kNone) {
      s.first_run = run;
    } else {
      runs_[s.last_run].next = run;
    }
    s.last_run = run;
  }
  if (first_of_name) InsertKey(s, id, hash);
  return id;
}

void Document::ReplaceValue(std::uint32_t id, std::string_view value) {
  Entry& entry = entries_[id];
  value = Bounded(value);
  entry.line = KeepLine(entry.name(), value, true);
  entry.value_size = static_cast<std::uint32_t>(value.size());
  entry.has_value = true;
}

Document Document::Parse(std::string_view text) {
  Document doc;
  doc.Assign(text);
  return doc;
}

void Document::Assign(std::string_view text) {
  Clear();
  if (text.substr(0, kUtf8Mark.size()) == kUtf8Mark) {
    utf8_mark_ = true;
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
    // A name or value cut at a zero byte may end in blanks, which a re-read of the written line
    // drops: the document is then unstable.
    auto cut = [this](std::string_view piece) {
      piece = UpToZero(piece);
      if (!piece.empty() && IsBlank(piece.back())) unstable_ = true;
      return piece;
    };
    if (line.front() == '[') {
      std::size_t close = line.rfind(']');
      if (close != std::string_view::npos && close > 0) {
        current = AddSection(cut(Trim(line.substr(1, close - 1))));
        if (sections_[current].header == nullptr) unstable_ = true;
        continue;
      }
    }
    std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
      std::string_view name = cut(line);
      if (name.empty()) unstable_ = true;
      AddParsedEntry(current, name, {}, false);
    } else {
      AddParsedEntry(current, cut(TrimRight(line.substr(0, equals))),
                     cut(TrimLeft(line.substr(equals + 1))), true);
    }
  }
  if (MarkAtStart()) unstable_ = true;
}

// Whether the written text would begin with the bytes of a UTF-8 mark that the document does not
// hold as one (a first line beginning with them): a re-read takes them for the mark.
bool Document::MarkAtStart() const {
  if (utf8_mark_ || sections_[0].first_run == kNone) return false;
  std::uint32_t first = runs_[sections_[0].first_run].first;
  return entries_[first].name().substr(0, kUtf8Mark.size()) == kUtf8Mark;
}

void Document::Pieces(std::vector<std::string_view>* pieces) const {
  pieces->clear();
  const LastWrite* last = last_write_ ? &*last_write_ : nullptr;
  std::uint32_t last_section = last ? last->section : kNone;
  if (utf8_mark_) pieces->push_back(kUtf8Mark);
  // Adjacent lines in the arena make one piece.
  const char* piece = nullptr;
  std::size_t piece_size = 0;
  auto flush = [&] {
    if (piece_size != 0) pieces->emplace_back(piece, piece_size);
    piece_size = 0;
  };
  auto add = [&](const char* text, std::size_t text_size) {
    if (piece_size != 0 && piece + piece_size == text) {
      piece_size += text_size;
      return;
    }
    flush();
    piece = text;
    piece_size = text_size;
  };
  for (std::uint32_t s = 0; s < sections_.size(); ++s) {
    const Section& section = sections_[s];
    if (s == last_section && last->section_name) {
      flush();
      if (!last->section_name->empty()) {
        pieces->insert(pieces->end(), {"[", *last->section_name, "]\r\n"});
      }
    } else if (section.header) {
      add(section.header, section.name_size + 4);
    }
    for (std::uint32_t run = section.first_run; run != kNone; run = runs_[run].next) {
      std::uint32_t end = runs_[run].first + runs_[run].count;
      for (std::uint32_t id = runs_[run].first; id < end; ++id) {
        const Entry& entry = entries_[id];
        if (!last || last->entry != id) {
          add(entry.line, entry.line_size());
          continue;
        }
        flush();
        pieces->insert(pieces->end(),
                       {last->key_name ? std::string_view(*last->key_name) : entry.name(), "=",
                        last->value, "\r\n"});
      }
    }
  }
  flush();
}

std::string Document::Emit() const {
  std::vector<std::string_view> pieces;
  Pieces(&pieces);
  std::size_t size = 0;
  for (std::string_view piece : pieces) size += piece.size();
  std::string out;
  out.reserve(size);
  for (std::string_view piece : pieces) out.append(piece);
  return out;
}

bool Document::Matches(std::string_view text) const {
  std::vector<std::string_view> pieces;
  Pieces(&pieces);
  for (std::string_view piece : pieces) {
    if (text.substr(0, piece.size()) != piece) return false;
    text.remove_prefix(piece.size());
  }
  return text.empty();
}

bool Document::Set(std::string_view section_arg, std::string_view key_arg,
                   std::string_view value_arg, std::optional<std::string>* exact_text) {
  // The usual arguments hold nothing to cut and nothing that reads back otherwise.
  const bool plain =
      IsPlain(section_arg, false) && IsPlain(key_arg, true) && IsPlain(value_arg, false);
  if (!plain) {
    section_arg = UpToZero(section_arg);
    key_arg = UpToZero(key_arg);
    value_arg = UpToZero(value_arg);
  }
  std::string_view section_text = TrimLeft(section_arg);
  std::string_view key_text = TrimLeft(key_arg);
  std::string_view value = TrimLeft(value_arg);
  std::string_view section_name = TrimRight(section_text);
  std::string_view key_name = TrimRight(key_text);
  std::string_view value_kept = TrimRight(value);

  std::uint32_t section = FindSection(section_name);
  std::uint32_t entry = kNone;
  std::uint32_t hash = NameHash(key_name);
  if (section != kNone) entry = FindEntry(section, key_name, hash);
  if (entry != kNone && entries_[entry].has_value && entries_[entry].value() == value) return false;

  bool new_section = section == kNone;
  bool new_key = entry == kNone;
  if (new_section) section = AddSection(section_name);
  if (new_key) {
    entry = AddEntry(section, key_name, value_kept, true, hash, true);
  } else {
    ReplaceValue(entry, value_kept);
  }
  // Found names are written as stored, which reads back the same, except a stored key that begins
  // with '[' (an unclosed header line): with a ']' in its new value it becomes a section header.
  std::string_view written_key = entries_[entry].name();
  bool rereads = unstable_ || (!written_key.empty() && written_key.front() == '[') ||
                 MarkAtStart() ||
                 (!plain && ((new_section && ReadsBackDifferently(section_text, false)) ||
                             (new_key && ReadsBackDifferently(key_text, true)) ||
                             ReadsBackDifferently(value, false)));
  bool raw_section = new_section && section_text.size() != section_name.size();
  bool raw_key = new_key && key_text.size() != key_name.size();
  if (rereads || raw_section || raw_key || value.size() != value_kept.size()) {
    LastWrite& last = last_write_.emplace();
    last.section = section;
    last.entry = entry;
    if (raw_section) last.section_name = std::string(section_text);
    if (raw_key) last.key_name = std::string(key_text);
    last.value = std::string(value);
  } else {
    last_write_.reset();
  }
  exact_text->reset();
  if (rereads) {
    // Rare: the next change starts from what a re-read of the written text finds.
    *exact_text = Emit();
    Assign(**exact_text);
  }
  return true;
}

std::optional<std::string_view> Document::Get(std::string_view section,
                                              std::string_view key) const {
  section = Trim(UpToZero(section));
  key = Trim(UpToZero(key));
  std::uint32_t s = FindSection(section);
  if (s == kNone) return std::nullopt;
  std::uint32_t e = FindEntry(s, key, NameHash(key));
  if (e == kNone || !entries_[e].has_value) return std::nullopt;
  return entries_[e].value();
}

}  // namespace platform::profile
