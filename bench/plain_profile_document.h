// The simplest storage for the profile document, for profile_document_bench to compare with the
// real one: std::string names and values, sections and lines in vectors, and unordered_maps from
// the case-folded name to the first section or line of that name. Same rules and bytes as
// platform/profile_document.cpp (Assign, Set, Get, Emit).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/profile_rules.h"

namespace bench_plain {

using namespace platform::profile;

class PlainDocument {
 public:
  PlainDocument() { Clear(); }

  void Assign(std::string_view text) {
    Clear();
    if (text.substr(0, kUtf8Mark.size()) == kUtf8Mark) {
      utf8_mark_ = true;
      text.remove_prefix(3);
    }
    std::size_t current = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
      std::size_t end = text.find_first_of("\r\n", pos);
      if (end == std::string_view::npos) end = text.size();
      std::string_view line = Trim(text.substr(pos, end - pos));
      pos = end + 1;
      if (line.empty()) continue;
      auto cut = [this](std::string_view piece) {
        piece = UpToZero(piece);
        if (!piece.empty() && IsBlank(piece.back())) unstable_ = true;
        return piece;
      };
      if (line.front() == '[') {
        std::size_t close = line.rfind(']');
        if (close != std::string_view::npos && close > 0) {
          current = AddSection(cut(Trim(line.substr(1, close - 1))));
          if (!sections_[current].has_header) unstable_ = true;
          continue;
        }
      }
      std::size_t equals = line.find('=');
      if (equals == std::string_view::npos) {
        std::string_view name = cut(line);
        if (name.empty()) unstable_ = true;
        AddLine(current, name, {}, false);
      } else {
        AddLine(current, cut(TrimRight(line.substr(0, equals))),
                cut(TrimLeft(line.substr(equals + 1))), true);
      }
    }
    if (MarkAtStart()) unstable_ = true;
  }

  std::string Emit() const {
    std::string out;
    if (utf8_mark_) out += kUtf8Mark;
    const LastWrite* last = last_write_ ? &*last_write_ : nullptr;
    for (std::size_t s = 0; s < sections_.size(); ++s) {
      const Section& section = sections_[s];
      bool last_here = last && last->section == s;
      if (last_here && last->section_name) {
        if (!last->section_name->empty()) out.append("[").append(*last->section_name).append("]\r\n");
      } else if (section.has_header) {
        out.append("[").append(section.name).append("]\r\n");
      }
      for (std::size_t i = 0; i < section.lines.size(); ++i) {
        const Line& line = section.lines[i];
        if (last_here && last->line == i) {
          out.append(last->key_name ? *last->key_name : line.name).append("=").append(last->value);
        } else {
          out.append(line.name);
          if (line.has_value) out.append("=").append(line.value);
        }
        out.append("\r\n");
      }
    }
    return out;
  }

  bool Set(std::string_view section_arg, std::string_view key_arg, std::string_view value_arg,
           std::optional<std::string>* exact_text) {
    std::string_view section_text = TrimLeft(UpToZero(section_arg));
    std::string_view key_text = TrimLeft(UpToZero(key_arg));
    std::string_view value = TrimLeft(UpToZero(value_arg));
    std::string_view section_name = TrimRight(section_text);
    std::string_view key_name = TrimRight(key_text);
    std::string_view value_kept = TrimRight(value);

    std::size_t section = FindSection(section_name);
    std::size_t line = kNone;
    if (section != kNone) line = FindLine(section, key_name);
    if (line != kNone) {
      const Line& l = sections_[section].lines[line];
      if (l.has_value && l.value == value) return false;
    }
    bool new_section = section == kNone;
    bool new_key = line == kNone;
    if (new_section) section = AddSection(section_name);
    if (new_key) {
      line = AddLine(section, key_name, value_kept, true);
    } else {
      Line& l = sections_[section].lines[line];
      l.value.assign(value_kept);
      l.has_value = true;
    }
    const std::string& written_key = sections_[section].lines[line].name;
    bool rereads = unstable_ || (new_section && ReadsBackDifferently(section_text, false)) ||
                   (new_key && ReadsBackDifferently(key_text, true)) ||
                   (!written_key.empty() && written_key.front() == '[') ||
                   ReadsBackDifferently(value, false) || MarkAtStart();
    bool raw_section = new_section && section_text.size() != section_name.size();
    bool raw_key = new_key && key_text.size() != key_name.size();
    if (rereads || raw_section || raw_key || value.size() != value_kept.size()) {
      LastWrite& last = last_write_.emplace();
      last.section = section;
      last.line = line;
      if (raw_section) last.section_name = std::string(section_text);
      if (raw_key) last.key_name = std::string(key_text);
      last.value = std::string(value);
    } else {
      last_write_.reset();
    }
    exact_text->reset();
    if (rereads) {
      *exact_text = Emit();
      Assign(**exact_text);
    }
    return true;
  }

  std::optional<std::string_view> Get(std::string_view section, std::string_view key) const {
    section = Trim(UpToZero(section));
    key = Trim(UpToZero(key));
    std::size_t s = FindSection(section);
    if (s == kNone) return std::nullopt;
    std::size_t l = FindLine(s, key);
    if (l == kNone || !sections_[s].lines[l].has_value) return std::nullopt;
    return sections_[s].lines[l].value;
  }

 private:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  struct Line {
    std::string name, value;
    bool has_value;
  };
  struct Section {
    std::string name;
    bool has_header;
    std::vector<Line> lines;
    std::unordered_map<std::string, std::size_t> keys;  // folded name -> first line of it
  };
  struct LastWrite {
    std::size_t section, line;
    std::optional<std::string> section_name, key_name;
    std::string value;
  };

  static bool ReadsBackDifferently(std::string_view text, bool is_key) {
    if (is_key && !text.empty() && text.front() == '[') return true;
    for (char c : text) {
      if (c == '\r' || c == '\n' || (is_key && c == '=')) return true;
    }
    return false;
  }

  const std::string& Folded(std::string_view name) const {
    folded_.assign(name);
    for (char& c : folded_) c = FoldLetter(c);
    return folded_;
  }

  void Clear() {
    utf8_mark_ = false;
    unstable_ = false;
    sections_.clear();
    section_index_.clear();
    last_write_.reset();
    sections_.push_back(Section{std::string(), false, {}, {}});
    section_index_.emplace(std::string(), 0);
  }

  bool MarkAtStart() const {
    if (utf8_mark_ || sections_[0].lines.empty()) return false;
    return std::string_view(sections_[0].lines[0].name).substr(0, kUtf8Mark.size()) == kUtf8Mark;
  }

  std::size_t FindSection(std::string_view name) const {
    auto it = section_index_.find(Folded(name));
    return it == section_index_.end() ? kNone : it->second;
  }
  std::size_t FindLine(std::size_t section, std::string_view name) const {
    const auto& keys = sections_[section].keys;
    auto it = keys.find(Folded(name));
    return it == keys.end() ? kNone : it->second;
  }

  std::size_t AddSection(std::string_view name) {
    std::size_t id = sections_.size();
    sections_.push_back(Section{std::string(name), !name.empty(), {}, {}});
    section_index_.emplace(Folded(name), id);  // keeps the first of the name
    return id;
  }
  std::size_t AddLine(std::size_t section, std::string_view name, std::string_view value,
                      bool has_value) {
    Section& s = sections_[section];
    std::size_t id = s.lines.size();
    s.lines.push_back(Line{std::string(name), has_value ? std::string(value) : std::string(),
                           has_value});
    s.keys.emplace(Folded(name), id);
    return id;
  }

  bool utf8_mark_ = false;
  bool unstable_ = false;
  std::vector<Section> sections_;
  std::unordered_map<std::string, std::size_t> section_index_;
  std::optional<LastWrite> last_write_;
  mutable std::string folded_;
};

}  // namespace bench_plain
