#include "decoder/image_area.h"

#include <gtest/gtest.h>

#include <string>

#include "formats/config_records.h"

namespace {

// An area of capacity 200 loaded with up to `limit` of `size` bytes, as the decoder loads a file.
decoder::ImageArea Loaded(std::size_t size, std::size_t limit) {
  decoder::ImageArea area(200);
  area.Load(std::string(size, 'x').substr(0, limit));
  return area;
}

TEST(ImageArea, LoadsUpToItsCapacity) {
  EXPECT_EQ(Loaded(50, 100).loaded().size(), 50u);
  EXPECT_EQ(Loaded(150, 100).loaded().size(), 100u);
  EXPECT_EQ(Loaded(300, 1000).loaded().size(), 200u);  // the capacity
}

TEST(ImageArea, ResolvesOnlyRecordsWhollyInsideTheLoadedBytes) {
  decoder::ImageArea area = Loaded(120, 200);
  area.set_base_address(65536);
  const std::uint8_t* start = area.loaded().data();
  struct Case {
    std::uint32_t link;
    std::size_t size;
    const std::uint8_t* expected;
  } cases[] = {
      {65616, 40, start + 80},  // the base address designates offset 0
      {65616, 41, nullptr},     // one byte past the loaded bytes
      {65536, 120, start},      // the whole image
      {65535, 4, nullptr},      // below the base address
      {0, 4, nullptr},          // below the base address
      {formats::kNoLink, 1, nullptr},
      {0xFFFFFFF0, 4, nullptr},  // far past the end, no wrap-around
  };
  for (const Case& c : cases) {
    EXPECT_EQ(area.Resolve(c.link, c.size), c.expected) << c.link << " size " << c.size;
  }
}

}  // namespace
