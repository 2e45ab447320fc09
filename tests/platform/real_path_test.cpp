#include "platform/real_path.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "tests/fakes/temp_folder.h"

namespace {

namespace fs = std::filesystem;

// The archive check of the results application in small: a folder "archive/upload" and paths
// that reach it or not, through links and "..".
TEST(RealPathTest, LinksAndDotDotAreResolvedBeforeComparing) {
  fakes::TempFolder root;
  fs::create_directories(root.path() / "archive" / "upload");
  fs::create_directories(root.path() / "elsewhere");
  std::ofstream(root.path() / "archive" / "upload" / "Results.log") << "results";
  const std::string archive = root.File("archive");
  std::error_code error;
  fs::create_directory_symlink(root.path() / "archive" / "upload", root.path() / "link", error);
  const bool links = !error;
  if (links) {
    fs::create_symlink(root.path() / "archive" / "upload" / "Results.log",
                       root.path() / "file-link", error);
  }

  const struct {
    std::string path;
    bool inside;
    bool needs_links;
  } cases[] = {
      {root.File("archive/upload/Report.html"), true, false},
      {root.File("archive"), true, false},
      {root.File("archive/missing/deeper/x.txt"), true, false},
      {root.File("elsewhere/../archive/x.txt"), true, false},
      {root.File("elsewhere/report.txt"), false, false},
      {root.File("archive-not/report.txt"), false, false},
      {root.File("link/Report.html"), true, true},
      {root.File("link/../OTHER/Results.log"), true, true},  // ".." of the link's target
      {root.File("file-link"), true, true},
  };
  for (const auto& c : cases) {
    if (c.needs_links && !links) continue;
    SCOPED_TRACE(c.path);
    EXPECT_EQ(platform::IsSameOrInside(c.path, archive), c.inside);
  }
  EXPECT_EQ(platform::RealPath(root.File("elsewhere/../archive")),
            platform::RealPath(root.File("archive")));
  EXPECT_FALSE(platform::RealPath(root.File("archive")).empty());
  if (!links) GTEST_SKIP() << "links cannot be made here: only the paths without links were tried";
}

}  // namespace
