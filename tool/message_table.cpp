// Loading the translated messages and formatting the five that carry values. The texts come from a
// file another program writes, so they are bounds-checked records and never printf formats.
#include "tool/message_table.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <limits>
#include <vector>

#include "formats/bytes.h"
#include "formats/translation_file_format.h"
#include "platform/native_path.h"

namespace tool {
namespace {

bool IsTrimmed(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string Trimmed(std::string text) {
  std::size_t end = text.size();
  while (end > 0 && IsTrimmed(text[end - 1])) --end;
  std::size_t begin = 0;
  while (begin < end && IsTrimmed(text[begin])) ++begin;
  return text.substr(begin, end - begin);
}

// A read-only file counts as missing: the file must open for reading and writing.
bool Writable(const std::string& path) {
  std::error_code error;
  auto perms = std::filesystem::status(path, error).permissions();
  if (error) return false;
  using std::filesystem::perms;
  return (perms & (perms::owner_write | perms::group_write | perms::others_write)) != perms::none;
}

}  // namespace

bool MessageTable::Load(const std::string& path) {
  std::string native = platform::NativePath(path);
  if (!std::filesystem::is_regular_file(native) || !Writable(native)) return false;
  std::fstream file(native, std::ios::in | std::ios::out | std::ios::binary);
  if (!file) return false;
  std::error_code error;
  std::uintmax_t file_size = std::filesystem::file_size(native, error);
  std::vector<char> data(
      error ? formats::kTranslationMaxFileSize
            : std::min<std::uintmax_t>(file_size, formats::kTranslationMaxFileSize));
  file.read(data.data(), static_cast<std::streamsize>(data.size()));
  data.resize(static_cast<std::size_t>(file.gcount()));

  std::size_t pos = 0;
  for (int i = 0; i < kMessageCount; ++i) {
    texts_[i].clear();
    if (data.size() - pos < formats::kTranslationCountSize) {
      pos = data.size();
      continue;
    }
    const std::size_t length = formats::TranslationTextLength(
        formats::ReadU16LE(reinterpret_cast<const std::uint8_t*>(data.data() + pos)));
    pos += formats::kTranslationCountSize;
    std::size_t available = std::min(length, data.size() - pos);
    std::string text(data.data() + pos, available);
    pos += available;
    text.resize(std::min(text.size(), text.find('\0')));
    texts_[i] = Trimmed(std::move(text));
  }
  return true;
}

const std::string& MessageTable::Text(int index) const {
  static const std::string kEmpty;
  return index >= 0 && index < kMessageCount ? texts_[index] : kEmpty;
}

void MessageTable::Set(int index, std::string text) {
  if (index >= 0 && index < kMessageCount) texts_[index] = std::move(text);
}

namespace {

// One conversion of the printf family, as far as the messages use them.
struct Conversion {
  bool left = false, plus = false, space = false, alternate = false, zero = false;
  std::size_t width = 0;
  bool has_precision = false;
  std::size_t precision = 0;
  int size = 0;  // -2 hh, -1 h, 0 int, 1 long and wider
};

// Widths beyond the longest result cannot show more: capping them keeps memory bounded.
constexpr std::size_t kMaxField = kMaxFormattedLength + 1;

std::size_t ReadNumber(const std::string& text, std::size_t* pos) {
  std::size_t n = 0;
  while (*pos < text.size() && text[*pos] >= '0' && text[*pos] <= '9') {
    n = std::min(kMaxField, n * 10 + static_cast<std::size_t>(text[*pos] - '0'));
    ++*pos;
  }
  return n;
}

std::string Integer(const Conversion& c, char type, std::int64_t value) {
  bool is_signed = type == 'd' || type == 'i';
  bool negative = false;
  std::uint64_t magnitude;
  if (is_signed) {
    std::int64_t v = c.size <= -2   ? static_cast<std::int8_t>(value)
                     : c.size == -1 ? static_cast<std::int16_t>(value)
                     : c.size == 0  ? static_cast<std::int32_t>(value)
                                    : value;
    negative = v < 0;
    magnitude = negative ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
  } else {
    std::uint64_t v = static_cast<std::uint64_t>(value);
    magnitude = c.size <= -2   ? static_cast<std::uint8_t>(v)
                : c.size == -1 ? static_cast<std::uint16_t>(v)
                : c.size == 0  ? static_cast<std::uint32_t>(v)
                               : v;
  }
  unsigned base = (type == 'x' || type == 'X') ? 16 : 10;
  const char* digits_of = type == 'X' ? "0123456789ABCDEF" : "0123456789abcdef";
  std::string digits;
  for (std::uint64_t m = magnitude; m != 0; m /= base)
    digits.insert(digits.begin(), digits_of[m % base]);
  std::size_t min_digits = c.has_precision ? c.precision : 1;
  if (digits.size() < min_digits) digits.insert(0, min_digits - digits.size(), '0');

  std::string prefix;
  if (negative) {
    prefix = "-";
  } else if (is_signed && c.plus) {
    prefix = "+";
  } else if (is_signed && c.space) {
    prefix = " ";
  }
  if (c.alternate && base == 16 && magnitude != 0) prefix += type == 'X' ? "0X" : "0x";

  std::size_t length = prefix.size() + digits.size();
  if (length >= c.width) return prefix + digits;
  std::size_t pad = c.width - length;
  if (c.left) return prefix + digits + std::string(pad, ' ');
  if (c.zero && !c.has_precision) return prefix + std::string(pad, '0') + digits;
  return std::string(pad, ' ') + prefix + digits;
}

}  // namespace

const std::string& MessageTable::Format(int index, std::initializer_list<std::int64_t> values) {
  const std::string& text = Text(index);
  const std::int64_t* next = values.begin();
  auto take = [&]() -> std::int64_t { return next != values.end() ? *next++ : 0; };
  std::string out;
  std::size_t pos = 0;
  while (pos < text.size() && out.size() <= kMaxFormattedLength) {
    if (text[pos] != '%') {
      out += text[pos++];
      continue;
    }
    std::size_t start = pos++;
    if (pos < text.size() && text[pos] == '%') {
      out += '%';
      ++pos;
      continue;
    }
    Conversion c;
    for (; pos < text.size(); ++pos) {
      char f = text[pos];
      if (f == '-')
        c.left = true;
      else if (f == '+')
        c.plus = true;
      else if (f == ' ')
        c.space = true;
      else if (f == '#')
        c.alternate = true;
      else if (f == '0')
        c.zero = true;
      else
        break;
    }
    if (pos < text.size() && text[pos] == '*') {
      ++pos;
      std::int64_t w = take();
      if (w < 0) c.left = true;
      c.width = static_cast<std::size_t>(std::min<std::uint64_t>(
          kMaxField, w < 0 ? 0 - static_cast<std::uint64_t>(w) : static_cast<std::uint64_t>(w)));
    } else {
      c.width = ReadNumber(text, &pos);
    }
    if (pos < text.size() && text[pos] == '.') {
      ++pos;
      c.has_precision = true;
      if (pos < text.size() && text[pos] == '*') {
        ++pos;
        std::int64_t p = take();
        c.has_precision = p >= 0;
        c.precision = static_cast<std::size_t>(std::clamp<std::int64_t>(p, 0, kMaxField));
      } else {
        c.precision = ReadNumber(text, &pos);
      }
    }
    while (pos < text.size()) {
      char m = text[pos];
      if (m == 'h')
        c.size = c.size < 0 ? -2 : -1;
      else if (m == 'l' || m == 'L' || m == 'j' || m == 'z' || m == 't' || m == 'q')
        c.size = 1;
      else
        break;
      ++pos;
    }
    char type = pos < text.size() ? text[pos] : '\0';
    if (type == 'd' || type == 'i' || type == 'u' || type == 'x' || type == 'X') {
      ++pos;
      out += Integer(c, type, take());
    } else {
      // Not a conversion the messages use: the text stands as it is, and no value is taken.
      out.append(text, start, pos - start);
    }
  }
  if (out.size() > kMaxFormattedLength) out.resize(kMaxFormattedLength);
  texts_[kMessageCount] = std::move(out);
  return texts_[kMessageCount];
}

}  // namespace tool
