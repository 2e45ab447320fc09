#include "plan/builder_verdict.h"

#include <memory>
#include <span>

#include "config/menu_cfg_converter.h"
#include "config/source_reader.h"

namespace plan {
namespace {

using Result = config::MenuCfgConverter::SourceResult;

Result Read(config::MenuCfgConverter& converter, std::string_view source) {
  config::SourceReader reader(std::span<const std::uint8_t>(
      reinterpret_cast<const std::uint8_t*>(source.data()), source.size()));
  return converter.ReadSource(reader);
}

}  // namespace

bool BuilderAccepts(std::string_view source) {
  auto converter = std::make_unique<config::MenuCfgConverter>();
  return Read(*converter, source) == Result::kReady;
}

std::vector<std::uint8_t> BuilderMenuEntries(std::string_view source) {
  auto converter = std::make_unique<config::MenuCfgConverter>();
  if (Read(*converter, source) != Result::kReady) return {};
  converter->BuildMenuTree();
  const auto entries = converter->MenuEntries();
  return {entries.begin(), entries.end()};
}

}  // namespace plan
