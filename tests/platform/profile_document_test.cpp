// The profile document beyond what the shared table covers: a file of thousands of sections
// whose keys come in rounds, and a document assigned another text.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "profile/document.h"
#include "tests/fakes/temp_folder.h"
#include "tool/profile_writer.h"

namespace {

namespace fs = std::filesystem;
using profile::Document;

// Keys go to 1,500 sections in two rounds: every key of the second round goes back to a section
// far behind the end of the file.
TEST(ProfileDocument, AFileOfThousandsOfRunsIsWrittenWhole) {
  fakes::TempFolder folder;
  const fs::path path = folder.path() / "runs.ini";
  std::string expected;
  {
    tool::ProfileWriter writer;
    writer.SetPath(path.string());
    for (int round = 0; round < 2; ++round) {
      for (int s = 0; s < 1500; ++s) {
        writer.WriteKey("S" + std::to_string(s), "k" + std::to_string(round),
                        std::to_string(s * round));
      }
    }
  }
  for (int s = 0; s < 1500; ++s) {
    expected += "[S" + std::to_string(s) + "]\r\nk0=0\r\nk1=" + std::to_string(s) + "\r\n";
  }
  std::ostringstream text;
  {
    std::ifstream in(path, std::ios::binary);  // closed before the removal, which Windows needs
    text << in.rdbuf();
  }
  EXPECT_EQ(text.str(), expected);
}

TEST(ProfileDocument, AnAssignedDocumentIsTheSameAsAFreshOne) {
  std::string big;
  for (int s = 0; s < 300; ++s) {
    big += "[Section" + std::to_string(s) + "]\r\n";
    for (int k = 0; k < 40; ++k)
      big += "key" + std::to_string(k) + "=" + std::string(30, 'v') + "\r\n";
  }
  const std::string small = "[A]\r\nk=v\r\n[B]\r\nx=1\r\n";
  Document reused = Document::Parse(big);
  reused.Assign(small);
  Document fresh = Document::Parse(small);
  for (Document* doc : {&reused, &fresh}) {
    std::optional<std::string> exact;
    EXPECT_EQ(doc->Get("Section1", "key1"), std::nullopt);
    ASSERT_TRUE(doc->Set("a", "K", "w", &exact));
    ASSERT_TRUE(doc->Set("C", "n", "2", &exact));
  }
  EXPECT_EQ(reused.Emit(), fresh.Emit());
  EXPECT_EQ(reused.Emit(), "[A]\r\nk=w\r\n[B]\r\nx=1\r\n[C]\r\nn=2\r\n");
  reused.Assign(big);
  EXPECT_EQ(reused.Emit(), big);
}

}  // namespace
