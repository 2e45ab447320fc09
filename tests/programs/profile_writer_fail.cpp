// Test helper: writes a key to argv[1], turns that file into a folder so that the next write (or
// the flush) fails, then would write a key to argv[2]: the writer must end the run before that.
#include <filesystem>

#include "tool/profile_writer.h"

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  tool::ProfileWriter writer;
  writer.SetPath(argv[1]);
  writer.WriteKey("A", "k", "1");
  std::filesystem::remove(argv[1]);
  std::filesystem::create_directory(argv[1]);
  writer.WriteKey("A", "j", "2");
  writer.Flush();
  writer.SetPath(argv[2]);
  writer.WriteKey("B", "k", "3");
  writer.Flush();
  return 0;
}
