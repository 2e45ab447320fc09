#include "quillink/job_text.h"

#include <array>
#include <utility>

namespace quillink {

namespace {

constexpr std::array<std::pair<std::string_view, std::uint32_t>, 10> kOptionTexts = {{
    {"-B", testerlink::kOptionBootErase},
    {"-A", testerlink::kOptionApplicationErase},
    {"-D", testerlink::kOptionDataErase},
    {"-U", testerlink::kOptionSequenceRecord},
    {"-R", testerlink::kOptionRecordAfterEnd},
    {"-C", testerlink::kOptionRecordBeforeEnd},
    {"-F", testerlink::kOptionResultsUpload},
    {"-IG", testerlink::kOptionInformationG},
    {"-IL", testerlink::kOptionInformationL},
    {"-t", testerlink::kOptionTextDump},
}};

constexpr std::string_view kMemoryReadOption = "-READ[";

bool IsWhiteSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The text strictly between positions `open` and `close` (empty when they are out of order).
std::string_view Between(std::string_view text, std::size_t open, std::size_t close) {
  if (close <= open) return {};
  return text.substr(open + 1, close - open - 1);
}

}  // namespace

std::string_view TrimWhiteSpace(std::string_view text) {
  while (!text.empty() && IsWhiteSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsWhiteSpace(text.back())) text.remove_suffix(1);
  return text;
}

bool ScanHex(std::string_view text, std::uint32_t* value) {
  std::size_t i = 0;
  while (i < text.size() && IsWhiteSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  // "0x" is a prefix only when a digit follows; otherwise the "0" is the value.
  if (i + 2 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
      HexDigit(text[i + 2]) >= 0) {
    i += 2;
  }
  std::uint32_t result = 0;
  std::size_t digits = 0;
  for (; i < text.size() && HexDigit(text[i]) >= 0; ++i, ++digits) {
    result = (result << 4) | static_cast<std::uint32_t>(HexDigit(text[i]));
  }
  if (digits == 0) return false;
  *value = negative ? 0u - result : result;
  return true;
}

JobTextError ParseJobText(std::string_view job_text, JobRequest* request) {
  const std::string_view text = TrimWhiteSpace(job_text);
  const std::size_t split = text.find(" -");
  if (split == std::string_view::npos) return JobTextError::kNoOptions;
  const std::string_view file_part = TrimWhiteSpace(text.substr(0, split));
  if (file_part.size() > testerlink::kMaxFileNameLength) return JobTextError::kFileNameTooLong;
  const std::string_view options = text.substr(split + 1);

  JobRequest parsed;
  for (const auto& [option, bit] : kOptionTexts) {
    if (options.find(option) != std::string_view::npos) parsed.option_flags |= bit;
  }
  if (options.find(kMemoryReadOption) != std::string_view::npos) {
    const std::size_t open = options.find('[');
    const std::size_t comma = options.find(',');
    const std::size_t close = options.find(']');
    if (open != std::string_view::npos && comma != std::string_view::npos &&
        close != std::string_view::npos) {
      (void)ScanHex(Between(options, open, comma), &parsed.address);
      (void)ScanHex(Between(options, comma, close), &parsed.length);
      parsed.option_flags |= testerlink::kOptionMemoryRead;
    }
  }
  parsed.file_name = std::string(file_part);
  *request = std::move(parsed);
  return JobTextError::kNone;
}

}  // namespace quillink
