// One INI ("profile") file as the Windows profile functions (GetPrivateProfileStringA,
// WritePrivateProfileStringA) see it: parsed, changed one key at a time and written back whole.
// This file and document.cpp hold every rule of those functions that the project follows; both
// builds go through it (the Linux profile functions, the tool's results file, Morvane's reader).
//
// The rules:
// - Arguments are C strings: a section, key, value or default is cut at its first zero byte.
// - White space is the C blanks (space, \t \n \v \f \r) and the old end-of-file mark Ctrl-Z;
//   lines, names and values are trimmed of it when the file is read.
// - Section and key names compare with A to Z in any case; other bytes (0xC9, 0xE9) must match.
//   Only the first section of a name, and in it the first key of a name, is found.
// - A UTF-8 byte-order mark at the start of the file is kept there and is not part of a name.
// - Writing: the whole file is parsed, one key changed and the whole file written back
//   normalised: CRLF line ends, no blank lines, blanks trimmed around names and values; only the
//   key just written keeps the trailing blanks of its new value and new names until the next change
//   re-reads the file. A new section goes at the end of the file, a new key at the end of its
//   section, an existing key is replaced in place; an unchanged value leaves the file alone.
// - Reading: the value found, else the default less its trailing spaces (never its first byte);
//   then a pair of matching quotes around the whole text removed; then cut to buffer_size - 1.
//
// The document keeps the parsed form plus that one raw text, so a run of changes followed by one
// Emit gives the bytes of the same run of Windows calls.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace profile {

class Document {
 public:
  Document() { Clear(); }

  static Document Parse(std::string_view text);
  // Becomes the document of `text`.
  void Assign(std::string_view text);
  std::string Emit() const;

  // Sets key = value as WritePrivateProfileStringA does; false when the value is already there
  // (the Windows function then leaves the file alone). `exact_text` receives the whole text to
  // write when a re-read of it would not give this document (a value holding a line end...).
  bool Set(std::string_view section, std::string_view key, std::string_view value,
           std::optional<std::string>* exact_text);

  // The value of key as GetPrivateProfileStringA finds it (before its quotes are removed); nullopt
  // when the section, the key or its '=' is missing.
  std::optional<std::string_view> Get(std::string_view section, std::string_view key) const;

  // The text GetPrivateProfileStringA gives for key with this default and buffer size.
  std::string Read(std::string_view section, std::string_view key, std::string_view default_value,
                   std::size_t buffer_size) const;

 private:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  // Names as the Windows functions compare them (A to Z in any case), so that a name is looked up
  // as it is given, without a folded copy.
  struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const;
  };
  struct SameName {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
  };
  // Name (as first spelled) -> the first section of that name.
  using NameIndex = std::unordered_map<std::string, std::size_t, NameHash, SameName>;

  struct Line {
    std::string name, value;
    bool has_value;  // a line without '=' is kept as it stands but is no key for reading
  };
  struct Section {
    std::string name;
    bool has_header;  // false for the lines before any header, and for a section named ""
    // Searched from the first: sections hold tens of keys, and the first of a name is the one
    // found.
    std::vector<Line> lines;
  };
  // The raw text the last change wrote where a re-read would trim it.
  struct LastWrite {
    std::size_t section, line;
    std::optional<std::string> section_name, key_name;
    std::string value;
  };

  void Clear();
  bool MarkAtStart() const;
  std::size_t FindSection(std::string_view name) const;
  std::size_t FindLine(std::size_t section, std::string_view name) const;
  std::size_t AddSection(std::string_view name);
  std::size_t AddLine(std::size_t section, std::string_view name, std::string_view value,
                      bool has_value);

  bool utf8_mark_ = false;  // a UTF-8 byte-order mark, kept at the start as Windows does
  // Parsed lines that a re-read of the written file would not find again (an empty line left by
  // a name cut at a zero byte, a nameless section whose keys join the one before): the next
  // change must start from that re-read.
  bool unstable_ = false;
  std::vector<Section> sections_;  // [0]: the nameless one holding lines before any header
  NameIndex section_index_;
  std::optional<LastWrite> last_write_;
};

}  // namespace profile
