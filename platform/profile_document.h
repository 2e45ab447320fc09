// One profile file as the Windows profile functions see it: parsed, changed one key at a time and
// written back whole.
//
// Those functions parse the whole file, change one key and write the whole file back normalised:
// CRLF line ends, no blank lines, blanks trimmed around names and values; only the key just
// written keeps the trailing blanks of its new value and new names until the next change re-reads
// the file. The document keeps the parsed form plus that one raw text, so a run of changes
// followed by one Emit gives the bytes of the same run of Windows calls.
//
// Lines live in an arena in their written form and names are found through open-addressing
// tables, so that adding tens of thousands of keys costs no allocation per key or per section, no
// copy when the document grows, and writing the file copies whole runs of lines at once.
// They stay because the plain design misses the figures: bench/profile_document_bench (std::string
// lines in vectors, unordered_maps by folded name) took 4x the time at 30,000 keys (min 9.8 ms
// against 2.5 ms), 4.9x at 120,000 (52.8 against 10.8) and 3.5x on the largest results file
// (12.7 against 3.6). Names and arguments are read eight bytes at a time for the same reason: with
// byte loops a conversion of the largest set took 6.2 ms instead of 5.3 (BM_Convert).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/arena.h"
#include "platform/block_array.h"

namespace platform::profile {

class Document {
 public:
  Document();
  Document(Document&&) = default;
  Document& operator=(Document&&) = default;

  static Document Parse(std::string_view text);
  // Becomes the document of `text`, reusing the memory it holds.
  void Assign(std::string_view text);
  std::string Emit() const;
  // The text Emit gives, as views into the document in order (valid until it changes), so that
  // the file can be written without first copying it whole.
  void Pieces(std::vector<std::string_view>* pieces) const;
  // Whether `text` is what Emit gives.
  bool Matches(std::string_view text) const;

  // Sets key = value as WritePrivateProfileStringA does; false when the value is already there
  // (the Windows function then leaves the file alone). `exact_text` receives the whole text to
  // write when a re-read of it would not give this document (a value holding a line end...).
  bool Set(std::string_view section, std::string_view key, std::string_view value,
           std::optional<std::string>* exact_text);

  // The value of key as GetPrivateProfileStringA finds it (before its quotes are removed); nullopt
  // when the section, the key or its '=' is missing.
  std::optional<std::string_view> Get(std::string_view section, std::string_view key) const;

 private:
  static constexpr std::uint32_t kNone = 0xFFFFFFFF;

  // One key line, kept as the bytes it is written as: name, then '=' and value when it has one,
  // then CRLF. Lines added one after another lie one after another in the arena, so writing a
  // section's run of new keys is one copy.
  struct Entry {
    const char* line;
    std::uint32_t name_size;
    std::uint32_t value_size : 31;
    std::uint32_t
        has_value : 1;   // a line without '=' is kept as it stands but is no key for reading
    std::uint32_t hash;  // of the name, for the section's key table

    std::string_view name() const { return std::string_view(line, name_size); }
    std::string_view value() const { return std::string_view(line + name_size + 1, value_size); }
    std::size_t line_size() const { return name_size + (has_value ? 1 + value_size : 0) + 2; }
  };
  // A slot of the table of sections: the section + 1 (0: free slot) and its hash, which also
  // gives the slot, so that probing and growing need not visit the sections.
  struct Slot {
    std::uint32_t item_plus_one;
    std::uint32_t hash;
  };
  // Entries of one section numbered one after another, and the section's next such run (kNone
  // after the last). Keys mostly come in runs for one section, so a section is a few runs and is
  // walked entry after entry rather than by following a link per entry.
  struct Run {
    std::uint32_t first, count, next;
  };
  struct Section {
    const char* header;  // "[name]\r\n", null for a section without name
    std::uint32_t name_size;
    std::uint32_t first_run, last_run;  // its entries, kNone when it has none
    // Its own table of the first key of each name (none before its first key): a byte per slot
    // that is 0 when free and otherwise holds seven bits of the hash, then the entries. A key not
    // yet there, the usual case, is found missing from the bytes alone, and the whole table is
    // five bytes a slot, so the tables of hundreds of sections stay in the cache.
    std::uint32_t key_count, table_size;
    std::uint8_t* key_tags;

    std::uint32_t* key_entries() const {
      return reinterpret_cast<std::uint32_t*>(key_tags + table_size);
    }

    std::string_view name() const {
      return header ? std::string_view(header + 1, name_size) : std::string_view();
    }
  };
  // The raw text the last change wrote where a re-read would trim it.
  struct LastWrite {
    std::uint32_t section, entry;
    std::optional<std::string> section_name;
    std::optional<std::string> key_name;
    std::string value;
  };

  void Clear();
  bool MarkAtStart() const;
  const char* KeepLine(std::string_view name, std::string_view value, bool has_value);
  std::uint32_t AddSection(std::string_view name);
  void AddParsedEntry(std::uint32_t section, std::string_view name, std::string_view value,
                      bool has_value);
  std::uint32_t AddEntry(std::uint32_t section, std::string_view name, std::string_view value,
                         bool has_value, std::uint32_t hash, bool first_of_name);
  void ReplaceValue(std::uint32_t entry, std::string_view value);
  // The first section or key of a name, kNone when there is none.
  std::uint32_t FindSection(std::string_view name) const;
  std::uint32_t FindEntry(std::uint32_t section, std::string_view name, std::uint32_t hash) const;
  static std::uint32_t NameHash(std::string_view name);
  void InsertSection(Slot slot);
  void InsertKey(Section& section, std::uint32_t entry, std::uint32_t hash);

  bool utf8_mark_ = false;  // a UTF-8 byte-order mark, kept at the start as Windows does
  // Parsed lines that a re-read of the written file would not find again (an empty line left by
  // a name cut at a zero byte, a nameless section whose keys join the one before): the next
  // change must start from that re-read.
  bool unstable_ = false;
  Arena text_;    // section headers and key lines
  Arena tables_;  // the sections' key tables; a table that grows leaves its old place unused
  std::vector<Section> sections_;  // [0]: the nameless one holding lines before any header
  BlockArray<Entry, 1024> entries_;
  BlockArray<Run, 256> runs_;
  std::vector<Slot> section_table_;  // the first section of each name
  std::size_t section_count_ = 0;
  std::optional<LastWrite> last_write_;
  // The section last found or added (always the first of its name): runs of keys go to one
  // section, so it is checked before the table.
  mutable std::uint32_t last_section_ = 0;
};

}  // namespace platform::profile
