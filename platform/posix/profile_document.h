// One profile file as the Windows profile functions see it: parsed, changed one key at a time and
// written back whole.
//
// Those functions parse the whole file, change one key and write the whole file back normalised:
// CRLF line ends, no blank lines, blanks trimmed around names and values; only the key just
// written keeps the trailing blanks of its new value and new names until the next change re-reads
// the file. The document keeps the parsed form plus that one raw text, so a run of changes
// followed by one Emit gives the bytes of the same run of Windows calls.
//
// Texts live in an append-only arena and keys are found through small open-addressing tables, so
// that adding tens of thousands of keys costs no allocation per key.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace platform::profile {

class Document {
 public:
  Document();
  Document(Document&&) = default;
  Document& operator=(Document&&) = default;

  static Document Parse(std::string_view text);
  std::string Emit() const;

  // Sets key = value as WritePrivateProfileStringA does; false when the value is already there
  // (the Windows function then leaves the file alone). `exact_text` receives the whole text to
  // write when a re-read of it would not give this document (a value holding a line end...).
  bool Set(std::string_view section, std::string_view key, std::string_view value,
           std::optional<std::string>* exact_text);

  // The value of key as GetPrivateProfileStringA finds it (before its quotes are removed); nullopt
  // when the section, the key or its '=' is missing.
  std::optional<std::string_view> Get(std::string_view section, std::string_view key) const;

 private:
  struct Entry {
    std::string_view name;
    std::string_view value;
    std::uint32_t section;
    bool has_value;  // a line without '=' is kept as it stands but is no key for reading
  };
  // The first key of each name in a section: its entry + 1 (0: free slot) and its hash, which
  // also gives the slot, so that probing and growing need not visit the entries.
  struct Slot {
    std::uint32_t entry_plus_one;
    std::uint32_t hash;
  };
  // Each section has its own small key table: a run of keys for one section stays in the cache.
  struct Section {
    std::string_view name;
    std::vector<std::uint32_t> entries;
    std::vector<Slot> key_table = std::vector<Slot>(64, Slot{0, 0});
    std::size_t key_count = 0;
  };
  struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const;
  };
  struct NameEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
  };
  // The raw text the last change wrote where a re-read would trim it.
  struct LastWrite {
    std::uint32_t entry;
    std::optional<std::string> section_name;
    std::optional<std::string> key_name;
    std::string value;
  };

  std::string_view Keep(std::string_view text);
  std::uint32_t AddSection(std::string_view name);
  void AddParsedEntry(std::uint32_t section, std::string_view name, std::string_view value,
                      bool has_value);
  std::uint32_t AddEntry(std::uint32_t section, std::string_view name, std::string_view value,
                         bool has_value, std::uint32_t hash, bool first_of_name);
  std::optional<std::uint32_t> FindSection(std::string_view name) const;
  std::optional<std::uint32_t> FindEntry(std::uint32_t section, std::string_view name,
                                         std::uint32_t hash) const;
  static std::uint32_t KeyHash(std::string_view name);
  static void GrowTable(Section& section);

  bool utf8_mark_ = false;  // a UTF-8 byte-order mark, kept at the start as Windows does
  // Parsed lines that a re-read of the written file would not find again (an empty line left by
  // a name cut at a zero byte, a nameless section whose keys join the one before): the next
  // change must start from that re-read.
  bool unstable_ = false;
  std::vector<std::unique_ptr<char[]>> chunks_;
  std::size_t chunk_used_ = 0, chunk_size_ = 0;
  std::vector<Section> sections_;  // [0]: the nameless one holding lines before any header
  std::vector<Entry> entries_;
  std::unordered_map<std::string_view, std::uint32_t, NameHash, NameEqual> section_index_;
  std::optional<LastWrite> last_write_;
  // The section last found or added (always the first of its name): runs of keys go to one
  // section, so it is checked before the index.
  mutable std::uint32_t last_section_ = 0;
};

}  // namespace platform::profile
