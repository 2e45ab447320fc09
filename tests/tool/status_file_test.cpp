#include "tool/status_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/process.h"
#include "platform/profile.h"
#include "tests/fakes/small_disk.h"
#include "tests/fakes/temp_folder.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> Version(const std::string& identity, std::uint8_t major,
                                  std::uint16_t capabilities, std::size_t size = 40) {
  std::vector<std::uint8_t> bytes(std::max<std::size_t>(size, 40), 0);
  std::copy(identity.begin(), identity.end(), bytes.begin());
  bytes[20] = major;
  bytes[21] = 7;
  bytes[32] = static_cast<std::uint8_t>(capabilities);
  bytes[33] = static_cast<std::uint8_t>(capabilities >> 8);
  bytes.resize(size);
  return bytes;
}

// Runs each test in a fresh current folder, where ".\Tr.ini" and "VersionTr.zel" lie.
class StatusFile : public ::testing::Test {
 protected:
  std::optional<std::string> TrIni() {
    std::ifstream in(folder_.path() / "Tr.ini", std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  fakes::TempFolder folder_{fakes::TempFolder::kCurrent};
};

TEST_F(StatusFile, VersionCheckWritesEtat) {
  struct Case {
    const char* name;
    int job_result;
    std::optional<std::vector<std::uint8_t>> version_file;
    const char* expected;
  } cases[] = {
      {"good tester", 0, Version("Quarnetik", 3, 0x0004), "1"},
      {"other bits set too", 0, Version("Quarnetik", 3, 0xFFFF), "1"},
      {"capability bit missing", 0, Version("Quarnetik", 3, 0xFFFB), "3"},
      {"other identity", 0, Version("Quarnetix", 3, 0x0004), "2"},
      {"identity in another case", 0, Version("quarnetik", 3, 0x0004), "2"},
      {"identity without terminator", 0, Version("QuarnetikQuarnetikQu", 3, 0x0004), "2"},
      {"other identity, other major: identity not examined", 0, Version("Other", 2, 0), "0"},
      {"major 4", 0, Version("Quarnetik", 4, 0x0004), "0"},
      {"30-byte file: bits read as 0", 0, Version("Quarnetik", 3, 0x0004, 30), "3"},
      {"empty file", 0, std::vector<std::uint8_t>{}, "0"},
      {"huge file", 0, Version("Quarnetik", 3, 0x0004, 1 << 20), "1"},
      {"failed job, old file present", 1, Version("Quarnetik", 3, 0x0004), "-1"},
      {"parameters missing", -1, std::nullopt, "-1"},
      {"no file after a good job: Etat kept", 0, std::nullopt, "-1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(platform::WriteProfileString("EtatVersion", "Etat", "-1", ".\\Tr.ini"));
    fs::remove(folder_.path() / "VersionTr.zel");
    if (c.version_file) {
      std::ofstream(folder_.path() / "VersionTr.zel", std::ios::binary)
          .write(reinterpret_cast<const char*>(c.version_file->data()),
                 static_cast<std::streamsize>(c.version_file->size()));
    }
    tool::ProfileWriter writer;
    tool::WriteVersionState(c.job_result, "VersionTr.zel", writer);
    EXPECT_EQ(TrIni(), "[EtatVersion]\r\nEtat=" + std::string(c.expected) + "\r\n");
    EXPECT_EQ(platform::ReadProfileString("EtatVersion", "Etat", "erreur", 10, ".\\Tr.ini"),
              c.expected);
  }
}

TEST_F(StatusFile, NoVersionFileAfterAGoodJobWritesNothing) {
  tool::ProfileWriter writer;
  EXPECT_FALSE(tool::WriteVersionState(0, "VersionTr.zel", writer));
  EXPECT_FALSE(TrIni());
}

TEST_F(StatusFile, ResultsUploadMarkJoinsTheStatusFile) {
  ASSERT_TRUE(platform::WriteProfileString("EtatVersion", "Etat", "1", ".\\Tr.ini"));
  tool::ProfileWriter writer;
  tool::MarkResultsUploadStart(writer);
  EXPECT_EQ(TrIni(), "[EtatVersion]\r\nEtat=1\r\n[CheminFichier]\r\nResultat=0\r\n");
}

// An empty Tr.ini must not pass for the key written (the Windows runtime under Wine reports success
// on a full disk): the tool ends as after a failed key write.
TEST(StatusFileFullDisk, AKeyTheDiskCannotHoldEndsTheToolWithOne) {
  fakes::SmallDisk disk;
  if (!disk.ready()) GTEST_SKIP() << disk.why_not();
  ASSERT_TRUE(disk.FillLeaving(0));
  const std::string previous = platform::CurrentFolder();
  ASSERT_TRUE(platform::SetCurrentFolder(disk.path().string()));
  EXPECT_EXIT(
      {
        tool::ProfileWriter writer;
        tool::MarkResultsUploadStart(writer);
        std::_Exit(0);
      },
      testing::ExitedWithCode(1), "");
  ASSERT_TRUE(platform::SetCurrentFolder(previous));
}

TEST(VersionRecord, ParsesTheFieldsAndZeroesWhatIsMissing) {
  std::vector<std::uint8_t> bytes = {'Q', 'u', 'a', 'r', 'n', 'e', 't', 'i', 'k', 0, 'x', 'x', 'x',
                                     'x', 'x', 'x', 'x', 'x', 'x', 'x', 3, 12, 0x00, 0x00, 0x0C,
                                     0x00,                    // results address
                                                              // 0x0C0000
                                     0x00, 0x02, 0x00, 0x00,  // results length 0x200
                                     0xAA, 0xBB,              // not used
                                     0x04, 0x01,              // capabilities 0x0104
                                     0x00, 0x00, 0x0D, 0x00,  // acquisition address
                                     0x34, 0x12, 0xEE};       // acquisition length, byte 40
  formats::VersionRecord v = formats::VersionRecord::Parse(bytes);
  EXPECT_EQ(v.identity, "Quarnetik");
  EXPECT_EQ(v.major, 3);
  EXPECT_EQ(v.minor, 12);
  EXPECT_EQ(v.results_address, 0x0C0000u);
  EXPECT_EQ(v.results_length, 0x200u);
  EXPECT_EQ(v.capabilities, 0x0104);
  EXPECT_EQ(v.acquisition_address, 0x0D0000u);
  EXPECT_EQ(v.acquisition_length, 0x1234);

  formats::VersionRecord cut = formats::VersionRecord::Parse(std::span(bytes).first(33));
  EXPECT_EQ(cut.capabilities, 0x0004);  // its high byte is not in the record
  EXPECT_EQ(cut.acquisition_address, 0u);
  EXPECT_EQ(cut.acquisition_length, 0);
  EXPECT_EQ(formats::VersionRecord::Parse(std::string_view()).identity, "");
}

}  // namespace
