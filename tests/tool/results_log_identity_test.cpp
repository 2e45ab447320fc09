// The deferred writes give the bytes of the same keys written one at a time through
// WriteProfileString (on Windows the system's own function, which re-reads and rewrites the file
// at every key): the decoder's Results.log of small and large image sets, from no file and over an
// existing file with other keys.
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "tests/decoder/decoder_harness.h"
#include "tests/decoder/largest_image_set.h"

namespace {

using decoder_test::ImageSetSpec;
using tool::KeyWrites;

struct Key {
  std::string section, key, value;
};

// The keys of a file the decoder wrote, in file order (its values hold no line ends).
std::vector<Key> KeysOf(const std::string& text) {
  std::vector<Key> keys;
  std::string section;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find("\r\n", pos);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(pos, end - pos);
    pos = end + 2;
    if (!line.empty() && line.front() == '[') {
      section = line.substr(1, line.size() - 2);
    } else if (std::size_t eq = line.find('='); eq != std::string::npos) {
      keys.push_back({section, line.substr(0, eq), line.substr(eq + 1)});
    }
  }
  return keys;
}

// Where two texts first differ, for a readable failure on files of hundreds of KB.
std::string FirstDifference(const std::string& a, const std::string& b) {
  std::size_t i = 0;
  while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
  return "sizes " + std::to_string(a.size()) + " and " + std::to_string(b.size()) +
         ", first difference at " + std::to_string(i) + ": \"" + a.substr(i < 40 ? 0 : i - 40, 80) +
         "\" / \"" + b.substr(i < 40 ? 0 : i - 40, 80) + "\"";
}

// The text with the conversion date (to the second, so two runs may differ) taken out.
std::string WithoutDate(std::string text) {
  const std::size_t at = text.find("\r\nDate=");
  if (at != std::string::npos) text.erase(at + 7, text.find("\r\n", at + 7) - (at + 7));
  return text;
}

ImageSetSpec SetOf(int configurations, int ecus) {
  using namespace decoder_test;
  ImageSetSpec spec;
  for (int c = 0; c < configurations; ++c) {
    ConfigSpec config = Config("Configuration " + std::to_string(c), "Complement", "VCC 12V");
    for (int e = 0; e < ecus; ++e) {
      config.ecus.push_back(Ecu("Calculateur " + std::to_string(e), {{0x100u + e, "Trame"}}));
    }
    config.result = AllRun();
    spec.configs.push_back(config);
  }
  return spec;
}

class ResultsLogIdentity : public decoder_test::DecoderHarness {
 protected:
  std::string ConvertWith(KeyWrites mode) {
    tool::ProfileWriter writer(mode);
    decoder::ResultDecoder decoder(writer, display_);
    EXPECT_TRUE(decoder.Convert());
    return ReadFile("Results.log");
  }

  std::string WriteOver(const std::string& initial, const std::vector<Key>& keys, KeyWrites mode) {
    // A new name each time: the Windows functions keep what they learnt of a file.
    const std::string name = "Over" + std::to_string(next_name_++) + ".log";
    WriteFile(name, initial);
    {
      tool::ProfileWriter writer(mode);
      writer.SetPath(".\\" + name);
      for (const Key& k : keys) writer.WriteKey(k.section, k.key, k.value);
    }
    return ReadFile(name);
  }

  int next_name_ = 0;
};

TEST_F(ResultsLogIdentity, DeferredWritesGiveTheBytesOfKeyByKeyWrites) {
  std::vector<std::pair<const char*, ImageSetSpec>> sets = {
      {"one configuration", SetOf(1, 2)},
      {"hundreds of sections", SetOf(30, 1)},
  };
  // Key by key through the Windows functions the largest set takes six minutes or more under
  // Wine: run by hand, with HALVEN_LARGEST_IDENTITY set, and compared from no file only.
  const bool largest = std::getenv("HALVEN_LARGEST_IDENTITY") != nullptr;
  if (largest) sets = {{"largest set", decoder_test::LargestImageSet()}};
  for (const auto& [name, spec] : sets) {
    SCOPED_TRACE(name);
    decoder_test::Build(spec).Write(dir_);
    const std::string each = WithoutDate(ConvertWith(KeyWrites::kEachKey));
    const std::string deferred = WithoutDate(ConvertWith(KeyWrites::kDeferred));
    ASSERT_FALSE(each.empty());
    EXPECT_TRUE(deferred == each) << FirstDifference(deferred, each);
    if (largest) continue;

    // Over a file holding other keys, one of the decoder's keys with another value, and a
    // section of the decoder's named in other letter case.
    const std::vector<Key> keys = KeysOf(each);
    ASSERT_FALSE(keys.empty());
    std::string lower = keys.front().section;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const std::string initial = "; autre\r\n[Autre]\r\n  x = 1 \r\n[" + lower + "]\r\n" +
                                keys.front().key + "=ancienne\r\nvieille=1\r\n";
    const std::string each_over = WriteOver(initial, keys, KeyWrites::kEachKey);
    const std::string deferred_over = WriteOver(initial, keys, KeyWrites::kDeferred);
    EXPECT_TRUE(deferred_over == each_over) << FirstDifference(deferred_over, each_over);
    EXPECT_EQ(each_over.substr(0, 24), "; autre\r\n[Autre]\r\nx=1\r\n[");
  }
}

}  // namespace
