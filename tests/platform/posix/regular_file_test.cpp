#include "platform/regular_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/fakes/temp_folder.h"

namespace {

namespace fs = std::filesystem;

// A FIFO would make a reader wait for a writer forever: it is refused at once, like a folder,
// a device or a link.
TEST(RegularFileTest, OnlyAPlainFileOpensAndNothingElseWaits) {
  fakes::TempFolder folder;
  std::ofstream(folder.File("plain")) << "bytes";
  ASSERT_EQ(mkfifo(folder.File("fifo").c_str(), 0600), 0);
  fs::create_directory(folder.File("folder"));
  fs::create_symlink(folder.File("plain"), folder.File("link"));
  const struct {
    std::string path;
    platform::FileKind kind;
  } cases[] = {
      {folder.File("plain"), platform::FileKind::kRegular},
      {folder.File("fifo"), platform::FileKind::kOther},
      {folder.File("folder"), platform::FileKind::kOther},
      {folder.File("link"), platform::FileKind::kOther},
      {"/dev/null", platform::FileKind::kOther},
      {folder.File("missing"), platform::FileKind::kMissing},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(platform::KindOf(c.path), c.kind);
    platform::FileKind kind;
    std::FILE* f = platform::OpenRegularFile(c.path, kind);
    EXPECT_EQ(kind, c.kind);
    EXPECT_EQ(f != nullptr, c.kind == platform::FileKind::kRegular);
    if (f != nullptr) {
      char buffer[8] = {};
      EXPECT_EQ(std::fread(buffer, 1, sizeof buffer, f), 5u);
      std::fclose(f);
    }
  }
}

}  // namespace
