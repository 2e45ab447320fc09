// Arbitrary bytes as a translation file and as message texts to format: the load must stay inside
// the file and a formatted message never exceeds 255 characters.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "tool/message_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string path = "/tmp/message_table_fuzz_" + std::to_string(getpid()) + ".zel";
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  tool::MessageTable table;
  if (!table.Load(path)) std::abort();

  FuzzedDataProvider in(data, size);
  std::int64_t a = in.ConsumeIntegral<std::int64_t>();
  std::int64_t b = in.ConsumeIntegral<std::int64_t>();
  std::int64_t c = in.ConsumeIntegral<std::int64_t>();
  table.Set(25, in.ConsumeRemainingBytesAsString());
  for (int i = 0; i < tool::kMessageCount; ++i) {
    if (table.Format(i, {a, b, c}).size() > tool::kMaxFormattedLength) std::abort();
  }
  return 0;
}
