// The built tool in each mode against the simulated tester: files written, the status file, the
// boxes shown and the tester's memory and trace afterwards.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "tests/config/source_builder.h"
#include "tests/e2e/quillink_fixture.h"

namespace e2e {
namespace {

// Address -> byte of the data records of an Intel HEX text (types 00, 02 and 04).
std::map<std::uint32_t, std::uint8_t> HexMemory(const std::string& hex) {
  std::map<std::uint32_t, std::uint8_t> memory;
  std::uint32_t base = 0;
  std::size_t start = 0;
  auto byte_at = [](const std::string& line, std::size_t index) {
    return static_cast<std::uint8_t>(std::stoul(line.substr(1 + 2 * index, 2), nullptr, 16));
  };
  while (start < hex.size()) {
    std::size_t end = hex.find('\n', start);
    if (end == std::string::npos) end = hex.size();
    std::string line = hex.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() < 11 || line[0] != ':') continue;
    const std::uint8_t count = byte_at(line, 0);
    const std::uint32_t offset = byte_at(line, 1) << 8 | byte_at(line, 2);
    const std::uint8_t type = byte_at(line, 3);
    if (type == 0x00) {
      for (std::uint8_t i = 0; i < count; ++i) memory[base + offset + i] = byte_at(line, 4 + i);
    } else if (type == 0x02) {
      base = (byte_at(line, 4) << 8 | byte_at(line, 5)) << 4;
    } else if (type == 0x04) {
      base = static_cast<std::uint32_t>(byte_at(line, 4) << 8 | byte_at(line, 5)) << 16;
    }
  }
  return memory;
}

std::string Hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%X", value);
  return text;
}

// One Intel HEX record with its checksum.
std::string Record(std::uint16_t address, std::uint8_t type,
                   const std::vector<std::uint8_t>& data) {
  std::vector<std::uint8_t> bytes = {static_cast<std::uint8_t>(data.size()),
                                     static_cast<std::uint8_t>(address >> 8),
                                     static_cast<std::uint8_t>(address), type};
  bytes.insert(bytes.end(), data.begin(), data.end());
  std::uint8_t sum = 0;
  std::string text = ":";
  char digits[3];
  for (std::uint8_t b : bytes) {
    sum = static_cast<std::uint8_t>(sum + b);
    std::snprintf(digits, sizeof digits, "%02X", b);
    text += digits;
  }
  std::snprintf(digits, sizeof digits, "%02X", static_cast<std::uint8_t>(0x100 - sum));
  return text + digits + "\r\n";
}

class QuillinkModes : public QuillinkRun {
 protected:
  // `length` bytes of the simulator's memory from `address`.
  std::string Peek(std::uint32_t address, std::uint32_t length) {
    EXPECT_TRUE(RunTestersim("peek tester.sim " + Hex(address) + " " + Hex(length) + " peek.bin"));
    return ReadFile("peek.bin");
  }
  // Sends the sample configuration with mode ECRITURE; returns the image's memory map.
  std::map<std::uint32_t, std::uint8_t> SendSampleConfiguration() {
    WriteFile("TransfertVersTR.zel",
              config_test::BuildSource(config_test::SampleSource(
                  {config_test::SampleConfig(0, 1, 3, 2), config_test::SampleConfig(1, 0, 2, 1)})));
    EXPECT_EQ(RunQuillink("ECRITURE"), 0);
    return HexMemory(ReadFile("MenuCfg.h86"));
  }
};

TEST_F(QuillinkModes, InformationReadMarksAUsableTester) {
  NewTester();
  WriteTranslationFile();
  WriteFile("Tr.ini", "[EtatVersion]\r\nEtat=-1\r\n");
  EXPECT_EQ(RunQuillink("LECTURE_INFO"), 0);
  EXPECT_EQ(TrIni("EtatVersion", "Etat"), "1");
  const std::string reply = ReadFile("VersionTr.zel");
  ASSERT_GE(reply.size(), 40u);
  EXPECT_EQ(reply.substr(0, 10), std::string("Quarnetik\0", 10));
  EXPECT_EQ(reply[20], 3);
  EXPECT_EQ(WrittenRecords(), (std::vector<std::string>{":0000000DF3", ":0000000FF1"}));
  EXPECT_EQ(Boxes(), "");
}

TEST_F(QuillinkModes, InformationReadJudgesTheTester) {
  struct Case {
    const char* tester_options;
    const char* fault;  // testersim fault, or empty
    const char* etat;
  };
  const Case cases[] = {
      {" --version 2.9", "", "0"},
      {" --identity Quarnetic", "", "2"},
      {" --identity Other --version 4.0", "", "0"},
      {" --caps 3", "", "3"},
      {" --caps 0xFFFB", "", "3"},
      {"", "testers 0", "-1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.tester_options) + c.fault);
    NewTester(c.tester_options);
    if (*c.fault) {
      ASSERT_TRUE(RunTestersim(std::string("fault tester.sim ") + c.fault));
    }
    WriteTranslationFile();
    // A good tester's reply from an earlier run must not count after a failed read.
    std::string earlier(40, '\0');
    earlier.replace(0, 9, "Quarnetik");
    earlier[20] = 3;
    earlier[32] = 4;
    WriteFile("VersionTr.zel", earlier);
    const int status = RunQuillink("LECTURE_INFO");
    EXPECT_EQ(status == 0, std::string(c.etat) != "-1") << status;
    EXPECT_EQ(TrIni("EtatVersion", "Etat"), c.etat);
    EXPECT_EQ(Boxes(), "");
  }
}

TEST_F(QuillinkModes, ResultsUploadWritesTheImagesAndTheResultsFile) {
  NewTester();
  WriteTranslationFile();
  SendSampleConfiguration();
  ASSERT_TRUE(RunTestersim("results tester.sim --seed 7"));
  WriteFile("Tr.ini", "[EtatVersion]\r\nEtat=1\r\n");

  EXPECT_EQ(RunQuillink("GENERATION_BIN"), 0);
  EXPECT_EQ(TrIni("CheminFichier", "Resultat"), ".\\Tr.ini");
  EXPECT_EQ(TrIni("EtatVersion", "Etat"), "1");
  EXPECT_EQ(ReadFile("CfgBin.zel"), Peek(0xE0000, 0xFFFF));
  EXPECT_EQ(ReadFile("MenuBin.zel"), Peek(0x819CA, 0x50000));
  EXPECT_EQ(ReadFile("AcqBin.zel"), Peek(0xD2000, 0xE000));
  const std::string version = ReadFile("VersionTr.zel");
  ASSERT_GE(version.size(), 40u);
  const std::uint32_t results_length = static_cast<std::uint8_t>(version[26]) |
                                       static_cast<std::uint8_t>(version[27]) << 8 |
                                       static_cast<std::uint8_t>(version[28]) << 16;
  ASSERT_GT(results_length, 0u);
  EXPECT_EQ(ReadFile("ResBin.zel"), Peek(0xF0000, results_length));
  EXPECT_EQ(Profile("Results.log", "Configuration", "Nom"), "Installation");
  EXPECT_EQ(Profile("Results.log", "Configuration", "NbrRes"), "2");
  EXPECT_EQ(Profile("Results.log", "CfgRes001", "Cfg_Nom"), "Cfg 1");
  EXPECT_EQ(Profile("Results.log", "CfgRes000", "Cfg_NbrEcu"), "3");
  EXPECT_EQ(Boxes(), "");
}

TEST_F(QuillinkModes, ResultsUploadOfAnEmptyTesterFailsWithoutResultsFile) {
  NewTester();
  WriteTranslationFile();
  EXPECT_EQ(RunQuillink("GENERATION_BIN"), 14);
  EXPECT_EQ(TrIni("CheminFichier", "Resultat"), "0");
  EXPECT_FALSE(Exists("Results.log"));
  EXPECT_FALSE(Exists("ResBin.zel"));
  EXPECT_EQ(WrittenRecords(), (std::vector<std::string>{":0000000DF3", ":0000000FF1"}));
}

TEST_F(QuillinkModes, ConfigurationDownloadPutsTheImageInTheTester) {
  NewTester();
  WriteTranslationFile();
  const std::map<std::uint32_t, std::uint8_t> image = SendSampleConfiguration();
  ASSERT_GT(image.size(), 1000u);
  // Compare run by run of consecutive addresses.
  for (auto it = image.begin(); it != image.end();) {
    const std::uint32_t start = it->first;
    std::string expected;
    for (; it != image.end() && it->first == start + expected.size(); ++it) {
      expected += static_cast<char>(it->second);
    }
    EXPECT_EQ(Peek(start, static_cast<std::uint32_t>(expected.size())), expected)
        << "run at " << Hex(start);
  }
  const std::vector<std::string> records = WrittenRecords();
  ASSERT_GE(records.size(), 3u);
  EXPECT_EQ(records.front(), ":00000008F8");
  EXPECT_EQ(std::vector<std::string>(records.end() - 3, records.end()),
            (std::vector<std::string>{":00000001FF", ":0000000FF1", ":00000009F7"}));
  EXPECT_EQ(Boxes(), "");
}

TEST_F(QuillinkModes, ConfigurationDownloadWithoutSourceSendsNothing) {
  NewTester();
  WriteTranslationFile();
  EXPECT_EQ(RunQuillink("ECRITURE"), 15);
  EXPECT_FALSE(Exists("MenuCfg.h86"));
  EXPECT_NE(Boxes().find("TransfertVersTR.zel"), std::string::npos);
  EXPECT_EQ(WrittenRecords(), std::vector<std::string>{});
}

TEST_F(QuillinkModes, FirmwareUpdateIsFramedByEraseAndCommandRecords) {
  NewTester();
  WriteTranslationFile();
  const std::vector<std::uint8_t> code = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0};
  const std::string firmware =
      Record(0, 0x04, {0x00, 0x01}) + Record(0x2000, 0x00, code) + Record(0, 0x01, {});
  WriteFile("fw app.hex", firmware);
  EXPECT_EQ(RunQuillink("MAJAPPLI fw app.hex"), 0);
  EXPECT_EQ(Peek(0x12000, 8), std::string(code.begin(), code.end()));
  std::vector<std::string> expected = {":00000007F9", ":00000008F8"};
  for (const std::string& line : {Record(0, 0x04, {0x00, 0x01}), Record(0x2000, 0x00, code)}) {
    expected.push_back(line.substr(0, line.size() - 2));
  }
  expected.insert(expected.end(), {":00000001FF", ":0000000AF6", ":0000000FF1", ":00000009F7"});
  EXPECT_EQ(WrittenRecords(), expected);
  EXPECT_EQ(Boxes(), "");
}

TEST_F(QuillinkModes, MemoryReadWritesRawBytesOrATextDump) {
  NewTester();
  WriteTranslationFile();
  std::string bytes;
  for (int i = 0; i < 0x24; ++i) bytes += static_cast<char>(0x30 + i * 5);
  WriteFile("poke.bin", bytes);
  ASSERT_TRUE(RunTestersim("poke tester.sim E0100 poke.bin"));

  EXPECT_EQ(RunQuillink("dump.bin -READ[E0100,24]"), 0);
  EXPECT_EQ(ReadFile("dump.bin"), bytes);

  EXPECT_EQ(RunQuillink("dump.txt -READ[E0100,24] -t"), 0);
  std::string expected = "Size 36 (24h) Bytes.\r\n";
  for (std::size_t line = 0; line < bytes.size(); line += 16) {
    char text[16];
    std::snprintf(text, sizeof text, "%08X:", static_cast<unsigned>(0xE0100 + line));
    expected += text;
    std::string characters;
    for (std::size_t i = line; i < bytes.size() && i < line + 16; ++i) {
      const auto b = static_cast<std::uint8_t>(bytes[i]);
      std::snprintf(text, sizeof text, " %02X", b);
      expected += text;
      characters += b >= 0x20 && b <= 0xAF ? static_cast<char>(b) : '.';
    }
    expected += "  " + characters + "\r\n";
  }
  EXPECT_EQ(ReadFile("dump.txt"), expected);
  EXPECT_EQ(Boxes(), "");
}

}  // namespace
}  // namespace e2e
