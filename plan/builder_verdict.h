// What the configuration builder itself (Quillink's, in config/) makes of a source, so that this
// program never calls good what Quillink would refuse, and shows the menus Quillink would send.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace plan {

// True when the builder reads `source` whole and would write an image from it.
bool BuilderAccepts(std::string_view source);

// The tester's menu table as the builder makes it from `source` (70-byte entries, links as
// byte offsets); empty when the builder refuses the source.
std::vector<std::uint8_t> BuilderMenuEntries(std::string_view source);

}  // namespace plan
