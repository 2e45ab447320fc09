// Developer entry: writes the five tester images of the largest image set into the current folder,
// for timing decode_results and the programs on it by hand.
#include <cstdio>
#include <filesystem>

#include "tests/decoder/largest_image_set.h"

int main() {
  decoder_test::Build(decoder_test::LargestImageSet()).Write(std::filesystem::current_path());
  std::printf("images of the largest set written\n");
  return 0;
}
