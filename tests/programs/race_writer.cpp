// One of several processes writing the same file at once, for the concurrency test of whole-file
// replacement: `race_writer PATH ID ROUNDS` writes PATH ROUNDS times with the content of writer ID
// and after each write reads the file back. Exit status 0 when every read found one writer's
// whole content and every failed write said why; 1 on a mixed or cut file; 2 on a failure without
// a reason; 64 on a wrong command line. Prints "written N failed M".
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/error_text.h"
#include "platform/file_replace.h"

namespace {

// 96 KiB: larger than one write of the C runtime, so that a mix of two writers would show.
constexpr std::size_t kBodySize = 96 * 1024;

std::string Content(int id) {
  return "writer " + std::to_string(id) + "\n" +
         std::string(kBodySize, static_cast<char>('a' + id)) + "\nend " + std::to_string(id) + "\n";
}

bool Whole(const std::string& bytes) {
  for (int id = 0; id < 26; ++id) {
    if (bytes == Content(id)) return true;
  }
  return false;
}

std::string ReadAll(const std::string& path) {
  std::string bytes;
  if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
    std::fclose(f);
  }
  return bytes;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) return 64;
  const std::string path = argv[1];
  const int id = std::atoi(argv[2]);
  const int rounds = std::atoi(argv[3]);
  if (id < 0 || id >= 26 || rounds < 0) return 64;
  const std::string content = Content(id);
  int written = 0, failed = 0, status = 0;
  for (int round = 0; round < rounds; ++round) {
    if (platform::ReplaceFileContent(path, content)) {
      ++written;
    } else {
      ++failed;
      // Windows refuses a rename over a file another process has open: a failure, said as one.
      if (platform::LastErrorText().empty()) status = 2;
    }
    const std::string bytes = ReadAll(path);
    if (!bytes.empty() && !Whole(bytes)) {
      std::printf("round %d: a mixed file of %zu bytes\n", round, bytes.size());
      status = 1;
    }
  }
  std::printf("written %d failed %d\n", written, failed);
  return status;
}
