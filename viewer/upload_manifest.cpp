#include "viewer/upload_manifest.h"

#include <cstdlib>

namespace viewer {
namespace {

constexpr std::size_t kMaxLine = 512;

// A value on one line: line ends and other control bytes (possible in a tester's identity) become
// '?'; the length is bounded.
std::string OneLine(const std::string& value) {
  std::string out = value.substr(0, 200);
  for (char& c : out) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  }
  return out;
}

bool SafeFileName(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return false;
  return name.find_first_of("/\\:") == std::string::npos;
}

}  // namespace

std::string ManifestText(const UploadManifest& m) {
  std::string text;
  auto line = [&text](const char* key, const std::string& value) {
    text += std::string(key) + "=" + OneLine(value) + "\r\n";
  };
  line("date", m.date);
  line("archived", m.archived);
  line("tester", m.tester);
  line("version", m.version);
  line("configuration", m.configuration);
  line("verdict", m.verdict);
  line("language", m.language);
  line("report", m.report);
  for (const auto& [name, size] : m.files) line("file", name + " " + std::to_string(size));
  return text;
}

bool ParseManifest(const std::string& text, UploadManifest& manifest) {
  manifest = UploadManifest{};
  bool seen[5] = {};
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > kMaxLine) return false;
    if (line.empty()) continue;
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos) return false;
    const std::string key = line.substr(0, eq);
    const std::string value = line.substr(eq + 1);
    if (key == "date") {
      manifest.date = value, seen[0] = true;
    } else if (key == "tester") {
      manifest.tester = value, seen[1] = true;
    } else if (key == "version") {
      manifest.version = value, seen[2] = true;
    } else if (key == "configuration") {
      manifest.configuration = value, seen[3] = true;
    } else if (key == "verdict") {
      manifest.verdict = value, seen[4] = true;
    } else if (key == "archived") {
      manifest.archived = value;
    } else if (key == "language") {
      manifest.language = value;
    } else if (key == "report") {
      manifest.report = value;
    } else if (key == "file") {
      const std::size_t blank = value.rfind(' ');
      if (blank == std::string::npos || blank + 1 >= value.size()) return false;
      const std::string name = value.substr(0, blank);
      const std::string digits = value.substr(blank + 1);
      if (!SafeFileName(name) || digits.size() > 15 ||
          digits.find_first_not_of("0123456789") != std::string::npos) {
        return false;
      }
      manifest.files.emplace_back(name, std::strtoull(digits.c_str(), nullptr, 10));
    }
  }
  for (bool s : seen) {
    if (!s) return false;
  }
  return true;
}

}  // namespace viewer
