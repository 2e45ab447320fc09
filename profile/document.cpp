#include "profile/document.h"

namespace profile {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool IsBlank(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return u == ' ' || (u >= '\t' && u <= '\r') || u == 0x1A;
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

// What the Windows functions see of an argument, or of a name or value in the file.
std::string_view UpToZero(std::string_view s) { return s.substr(0, s.find('\0')); }

// Names compare with A to Z folded to a to z, nothing else.
char Folded(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

// Whether text written as given (a new section's or key's name, a value) would read back
// otherwise: a line end splits it, a key's '=' or leading '[' changes what the line is.
bool ReadsBackDifferently(std::string_view text, bool is_key) {
  if (is_key && !text.empty() && text.front() == '[') return true;
  for (char c : text) {
    if (c == '\r' || c == '\n' || (is_key && c == '=')) return true;
  }
  return false;
}

}  // namespace

std::size_t Document::NameHash::operator()(std::string_view name) const {
  std::size_t h = 14695981039346656037ull;  // FNV-1a over the folded bytes
  for (char c : name) h = (h ^ static_cast<unsigned char>(Folded(c))) * 1099511628211ull;
  return h;
}

bool Document::SameName::operator()(std::string_view a, std::string_view b) const {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Folded(a[i]) != Folded(b[i])) return false;
  }
  return true;
}

void Document::Clear() {
  utf8_mark_ = false;
  unstable_ = false;
  sections_.clear();
  section_index_.clear();
  last_write_.reset();
  sections_.push_back(Section{std::string(), false, {}});
  section_index_.emplace(std::string(), 0);
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
    text.remove_prefix(kUtf8Mark.size());
  }
  std::size_t current = 0;
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

std::string Document::Emit() const {
  std::string out;
  if (utf8_mark_) out += kUtf8Mark;
  const LastWrite* last = last_write_ ? &*last_write_ : nullptr;
  for (std::size_t s = 0; s < sections_.size(); ++s) {
    const Section& section = sections_[s];
    const bool last_here = last != nullptr && last->section == s;
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

bool Document::Set(std::string_view section_arg, std::string_view key_arg,
                   std::string_view value_arg, std::optional<std::string>* exact_text) {
  std::string_view section_text = TrimLeft(UpToZero(section_arg));
  std::string_view key_text = TrimLeft(UpToZero(key_arg));
  std::string_view value = TrimLeft(UpToZero(value_arg));
  std::string_view section_name = TrimRight(section_text);
  std::string_view key_name = TrimRight(key_text);
  std::string_view value_kept = TrimRight(value);

  std::size_t section = FindSection(section_name);
  std::size_t line = section == kNone ? kNone : FindLine(section, key_name);
  if (line != kNone) {
    const Line& found = sections_[section].lines[line];
    if (found.has_value && found.value == value) return false;
  }
  const bool new_section = section == kNone;
  const bool new_key = line == kNone;
  if (new_section) section = AddSection(section_name);
  if (new_key) {
    line = AddLine(section, key_name, value_kept, true);
  } else {
    Line& found = sections_[section].lines[line];
    found.value.assign(value_kept);
    found.has_value = true;
  }
  // Found names are written as stored, which reads back the same, except a stored key that begins
  // with '[' (an unclosed header line): with a ']' in its new value it becomes a section header.
  const std::string& written_key = sections_[section].lines[line].name;
  const bool rereads = unstable_ || (new_section && ReadsBackDifferently(section_text, false)) ||
                       (new_key && ReadsBackDifferently(key_text, true)) ||
                       (!written_key.empty() && written_key.front() == '[') ||
                       ReadsBackDifferently(value, false) || MarkAtStart();
  const bool raw_section = new_section && section_text.size() != section_name.size();
  const bool raw_key = new_key && key_text.size() != key_name.size();
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
    // Rare: the next change starts from what a re-read of the written text finds.
    *exact_text = Emit();
    Assign(**exact_text);
  }
  return true;
}

std::optional<std::string_view> Document::Get(std::string_view section,
                                              std::string_view key) const {
  const std::size_t s = FindSection(Trim(UpToZero(section)));
  if (s == kNone) return std::nullopt;
  const std::size_t l = FindLine(s, Trim(UpToZero(key)));
  if (l == kNone || !sections_[s].lines[l].has_value) return std::nullopt;
  return sections_[s].lines[l].value;
}

std::string Document::Read(std::string_view section, std::string_view key,
                           std::string_view default_value, std::size_t buffer_size) const {
  if (buffer_size == 0) return std::string();
  std::string_view text;
  if (std::optional<std::string_view> found = Get(section, key)) {
    text = *found;
  } else {
    text = UpToZero(default_value);
    while (text.size() > 1 && text.back() == ' ') text.remove_suffix(1);
  }
  if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
      text.back() == text.front()) {
    text = text.substr(1, text.size() - 2);
  }
  return std::string(text.substr(0, buffer_size - 1));
}

// Whether the written text would begin with the bytes of a UTF-8 mark that the document does not
// hold as one (a first line beginning with them): a re-read takes them for the mark.
bool Document::MarkAtStart() const {
  if (utf8_mark_ || sections_[0].lines.empty()) return false;
  return std::string_view(sections_[0].lines[0].name).substr(0, kUtf8Mark.size()) == kUtf8Mark;
}

std::size_t Document::FindSection(std::string_view name) const {
  auto it = section_index_.find(name);
  return it == section_index_.end() ? kNone : it->second;
}

std::size_t Document::FindLine(std::size_t section, std::string_view name) const {
  const std::vector<Line>& lines = sections_[section].lines;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (SameName()(lines[i].name, name)) return i;
  }
  return kNone;
}

std::size_t Document::AddSection(std::string_view name) {
  const std::size_t id = sections_.size();
  sections_.push_back(Section{std::string(name), !name.empty(), {}});
  section_index_.try_emplace(std::string(name), id);  // keeps the first of the name
  return id;
}

std::size_t Document::AddLine(std::size_t section, std::string_view name, std::string_view value,
                              bool has_value) {
  Section& s = sections_[section];
  const std::size_t id = s.lines.size();
  s.lines.push_back(
      Line{std::string(name), has_value ? std::string(value) : std::string(), has_value});
  return id;
}

}  // namespace profile
