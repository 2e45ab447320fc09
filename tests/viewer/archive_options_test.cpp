// The archive's command-line options: --list alone, --render only with a report to write.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "viewer/morvane_options.h"

namespace viewer {
namespace {

TEST(ArchiveOptionsTest, RenderNeedsAFolderAndAReport) {
  const struct {
    std::vector<const char*> args;
    bool ok;
    const char* error;
  } cases[] = {
      {{"morvane", "--list"}, true, ""},
      {{"morvane", "--render", "2026-12-10_10-31-56", "--report", "a.html"}, true, ""},
      {{"morvane", "--render=Uploads/x", "--language", "de", "--report=a.txt"}, true, ""},
      {{"morvane", "--render", "x"}, false, "--render needs --report FILE"},
      {{"morvane", "--report", "a.txt", "--render"}, false, "--render needs a value"},
      {{"morvane", "--render=", "--report", "a.txt"}, false, "--render needs a folder"},
  };
  for (const auto& c : cases) {
    MorvaneOptions options;
    std::string error;
    EXPECT_EQ(ParseMorvaneOptions(static_cast<int>(c.args.size()), c.args.data(), options, error),
              c.ok)
        << c.args[1];
    EXPECT_EQ(error, c.error) << c.args[1];
  }
  MorvaneOptions options;
  std::string error;
  const char* args[] = {"morvane", "--render", "F", "--language", "fr", "--report", "r.csv"};
  ASSERT_TRUE(ParseMorvaneOptions(7, args, options, error));
  EXPECT_TRUE(options.render_given);
  EXPECT_EQ(options.render_folder, "F");
  EXPECT_EQ(options.language, 2);
  EXPECT_EQ(options.report_path, "r.csv");
  EXPECT_FALSE(options.list);
}

}  // namespace
}  // namespace viewer
