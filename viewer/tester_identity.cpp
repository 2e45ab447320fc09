#include "viewer/tester_identity.h"

#include <cstdio>

#include "platform/native_path.h"

namespace viewer {
namespace {

constexpr std::size_t kIdentityWidth = 20;
constexpr std::size_t kMajorOffset = 20;
constexpr std::size_t kMinorOffset = 21;

}  // namespace

TesterIdentity TesterIdentityFrom(const std::string& bytes) {
  TesterIdentity identity;
  if (bytes.size() <= kMinorOffset) return identity;
  identity.known = true;
  std::size_t n = 0;
  while (n < kIdentityWidth && bytes[n] != 0) ++n;
  identity.name = bytes.substr(0, n);
  identity.major = static_cast<unsigned char>(bytes[kMajorOffset]);
  identity.minor = static_cast<unsigned char>(bytes[kMinorOffset]);
  return identity;
}

TesterIdentity ReadTesterIdentity(const std::string& path) {
  std::string bytes(44, '\0');
  std::FILE* f = std::fopen(platform::NativePath(path).c_str(), "rb");
  if (f == nullptr) return {};
  bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f));
  std::fclose(f);
  return TesterIdentityFrom(bytes);
}

}  // namespace viewer
