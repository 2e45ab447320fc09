#include "plan/field_path.h"

#include <vector>

#include "plan/cp1252.h"

namespace plan {
namespace {

bool IsTrimSpace(std::uint8_t c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

template <typename Item, typename NameOf>
std::string PartName(const std::vector<Item>& items, std::size_t index, NameOf name_of) {
  const std::string name = TrimmedText(name_of(items[index]));
  bool unique = !name.empty();
  for (std::size_t k = 0; unique && k < items.size(); ++k) {
    if (k != index && TrimmedText(name_of(items[k])) == name) unique = false;
  }
  if (!unique) return "#" + std::to_string(index);
  const std::string bytes = name;
  return DisplayText({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
}

}  // namespace

std::string TrimmedText(std::span<const std::uint8_t> field) {
  std::size_t end = 0;
  while (end < field.size() && field[end] != 0) ++end;
  std::size_t begin = 0;
  while (begin < end && IsTrimSpace(field[begin])) ++begin;
  while (end > begin && IsTrimSpace(field[end - 1])) --end;
  return std::string(field.begin() + static_cast<std::ptrdiff_t>(begin),
                     field.begin() + static_cast<std::ptrdiff_t>(end));
}

std::string ConfigurationPath(const Plan& plan, std::size_t index) {
  return "configuration[" +
         PartName(plan.configurations, index,
                  [](const Configuration& c) { return std::span<const std::uint8_t>(c.name); }) +
         "]";
}

std::string EcuPath(const Configuration& configuration, std::size_t index) {
  return ".ecu[" +
         PartName(configuration.ecus, index,
                  [](const Ecu& e) { return std::span<const std::uint8_t>(e.name); }) +
         "]";
}

std::string FramePath(const Ecu& ecu, std::size_t index) {
  return ".frame[" +
         PartName(ecu.frames, index,
                  [](const Frame& f) { return std::span<const std::uint8_t>(f.name); }) +
         "]";
}

}  // namespace plan
