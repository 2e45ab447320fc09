// The largest consistent image set that fits the areas: 255 type-1 configurations with all four
// tests run, four ECUs each with their signal results, and as many frames as still fit the
// configuration image (46,090 keys, 843 KB of Results.log).
#pragma once

#include <string>
#include <vector>

#include "tests/decoder/image_fixture.h"

namespace decoder_test {

inline ImageSetSpec LargestImageSet() {
  ImageSetSpec spec;
  const std::size_t cfg_room = 65535 - 74 - 255 * 114 - 255 * 4 * 32;
  std::size_t frames_left = cfg_room / 40;
  for (int c = 0; c < 255; ++c) {
    ConfigSpec config = Config("Configuration " + std::to_string(c), "Complement", "VCC 12V");
    for (int e = 0; e < 4; ++e) {
      std::vector<FrameSpec> frames;
      if (frames_left > 0) {
        frames.push_back({0x100u + static_cast<std::uint32_t>(e), "Trame"});
        --frames_left;
      }
      config.ecus.push_back(Ecu("Calculateur " + std::to_string(e), frames));
    }
    config.result = AllRun();
    spec.configs.push_back(config);
  }
  return spec;
}

}  // namespace decoder_test
