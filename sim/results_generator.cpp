#include "sim/results_generator.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <vector>

#include "formats/bytes.h"
#include "formats/config_records.h"
#include "formats/memory_map.h"
#include "formats/result_records.h"

namespace sim {
namespace {

namespace cr = formats::cfg_record;
namespace er = formats::ecu_record;
namespace res = formats::result_record;
namespace ecures = formats::ecu_result_record;

// The tester lays its result records back to back, each as long as the part the tool reads.
constexpr std::uint32_t kResultRecordSize = res::kUsedSize;
constexpr std::uint32_t kEcuResultRecordSize = ecures::kUsedSize;
// The area opens with the u32 link to the first result record; the records follow it.
constexpr std::uint32_t kFirstRecordOffset = formats::kFirstResultRecord + 4;
// The tool loads at most 0xFFFF bytes of the results: they must fit within them.
constexpr std::uint32_t kReadableResults = 0xFFFF;

constexpr std::uint32_t kMarkGreater = 1u << 29;  // value printed with ">"
constexpr std::uint8_t kDLevelL1Passed = 1u << ecures::kBitDL1;
constexpr std::uint8_t kAllSignalStatesPassed =
    (1u << ecures::kBitRL1) | (1u << ecures::kBitRL2) | kDLevelL1Passed | (1u << ecures::kBitDL2) |
    (1u << ecures::kBitDebit) | (1u << ecures::kBitTestSt);
constexpr std::size_t kL1Gnd = 2;  // of the short-circuit pairs L1/VCC, L2/VCC, L1/GND, ...
constexpr std::uint8_t kShortL1Gnd = 1u << kL1Gnd;
constexpr std::uint8_t kVitesse = 50;      // 5.0 ns/m
constexpr std::uint16_t kBitRate = 5000;   // 500.0 kbit/s
constexpr std::uint16_t kLengthMax = 100;  // metres

// Deterministic on every platform (the standard distributions are not).
class Random {
 public:
  explicit Random(std::uint32_t seed) : state_(seed * 2654435761u + 0x9E3779B9u) {}
  std::uint32_t Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
  }
  std::uint32_t Range(std::uint32_t low, std::uint32_t high) {
    return low + Next() % (high - low + 1);
  }
  bool OneIn(std::uint32_t n) { return Next() % n == 0; }

 private:
  std::uint32_t state_;
};

struct Ecu {
  std::uint32_t offset;
};

struct Config {
  std::uint32_t offset;
  std::uint8_t type;
  std::vector<Ecu> ecus;
};

bool RecordFits(std::uint32_t link, std::uint32_t size) {
  return link != formats::kNoLink && link <= formats::kConfigSize &&
         size <= formats::kConfigSize - link;
}

// Walks the configuration tree by its counts, checking every link against the area.
bool WalkConfigurations(std::span<const std::uint8_t> area, std::vector<Config>* configs,
                        std::string* error) {
  const std::uint8_t count = area[formats::cfg_header::kNbrRes];
  std::uint32_t link = formats::ReadU32LE(area.data() + formats::cfg_header::kFirstCfg);
  if (count == 0 || link == formats::kNoLink) {
    *error = "the tester holds no configuration (send one, or use testersim load)";
    return false;
  }
  for (std::uint32_t c = 0; c < count; ++c) {
    if (!RecordFits(link, cr::kSize)) {
      *error = "configuration " + std::to_string(c) + " lies outside the configuration area";
      return false;
    }
    const std::uint8_t* record = area.data() + link;
    Config config{link, record[cr::kCfgType], {}};
    std::uint32_t ecu_link = formats::ReadU32LE(record + cr::kFirstEcu);
    for (std::uint32_t e = 0; e < record[cr::kCfgNbrEcu]; ++e) {
      if (!RecordFits(ecu_link, er::kSize)) {
        *error = "ECU " + std::to_string(e) + " of configuration " + std::to_string(c) +
                 " lies outside the configuration area";
        return false;
      }
      config.ecus.push_back({ecu_link});
      ecu_link = formats::ReadU32LE(area.data() + ecu_link + er::kNext);
    }
    configs->push_back(std::move(config));
    link = formats::ReadU32LE(record + cr::kNext);
  }
  return true;
}

// A threshold pair from the configuration, or the default when it is missing (0xFF) or inverted.
std::pair<std::uint8_t, std::uint8_t> Limits(const std::uint8_t* cfg, std::size_t min_offset,
                                             std::size_t max_offset, std::uint8_t low,
                                             std::uint8_t high) {
  std::uint8_t min = cfg[min_offset], max = cfg[max_offset];
  if (min == 0xFF || max == 0xFF || min > max) return {low, high};
  return {min, max};
}

std::uint8_t LevelIn(Random& random, std::pair<std::uint8_t, std::uint8_t> limits) {
  return static_cast<std::uint8_t>(random.Range(limits.first, limits.second));
}

void WriteEcuResult(const std::uint8_t* cfg, bool fails, Random& random, std::uint8_t* out) {
  const auto r_l1 = Limits(cfg, cr::kSeuilMinRL1, cr::kSeuilMaxRL1, 20, 30);
  const auto r_l2 = Limits(cfg, cr::kSeuilMinRL2, cr::kSeuilMaxRL2, 20, 30);
  const auto d_l1 = Limits(cfg, cr::kSeuilMinDL1, cr::kSeuilMaxDL1, 30, 45);
  const auto d_l2 = Limits(cfg, cr::kSeuilMinDL2, cr::kSeuilMaxDL2, 5, 20);
  out[ecures::kValRL1] = LevelIn(random, r_l1);
  out[ecures::kValRL2] = LevelIn(random, r_l2);
  out[ecures::kValDL1] = LevelIn(random, d_l1);
  out[ecures::kValDL2] = LevelIn(random, d_l2);
  if (fails) {  // the D level of L1 falls out of its range
    out[ecures::kValDL1] = d_l1.first >= 5
                               ? static_cast<std::uint8_t>(d_l1.first - 5)
                               : static_cast<std::uint8_t>(std::min(d_l1.second + 5, 254));
  }
  for (std::size_t offset : {ecures::kValRiseL1, ecures::kValRiseL2, ecures::kValDownL1,
                             ecures::kValDownL2}) {  // rise and fall times, ns
    formats::WriteU16LE(out + offset, static_cast<std::uint16_t>(random.Range(40, 120)));
  }
  out[ecures::kValOscL1] = static_cast<std::uint8_t>(random.Range(0, 8));
  out[ecures::kValOscL2] = static_cast<std::uint8_t>(random.Range(0, 8));
  // A sound bus gives no measurement errors: a non-zero value reports a problem on L2.
  for (std::size_t offset : {ecures::kValErrMesRL1, ecures::kValErrMesRL2, ecures::kValErrMesDL1,
                             ecures::kValErrMesDL2}) {
    formats::WriteU16LE(out + offset, 0);
  }
  formats::WriteU16LE(out + ecures::kValDebit,
                      static_cast<std::uint16_t>(kBitRate - 20 + random.Range(0, 40)));
  // A failed ECU was still tested: its overall bit stays set, only the D level of L1 fails.
  out[ecures::kEtat] = fails ? static_cast<std::uint8_t>(kAllSignalStatesPassed & ~kDLevelL1Passed)
                             : kAllSignalStatesPassed;
}

struct LengthTest {
  std::uint16_t measured;
  std::uint16_t maximum;
};

void WriteResult(const std::uint8_t* cfg, const ResultOptions& options, const LengthTest& length,
                 Random& random, std::uint8_t* out) {
  auto run = [&](TestKind kind) { return options.skipped.count(kind) == 0; };
  const bool wiring_fails = options.fail_wiring || (!options.all_pass && random.OneIn(5));
  const bool screening_fails = options.fail_screening || (!options.all_pass && random.OneIn(5));

  formats::WriteU16LE(out + res::kValVcc,
                      static_cast<std::uint16_t>(random.Range(235, 250)));  // 24 V
  formats::WriteU16LE(out + res::kValDebitConf, kBitRate);
  formats::WriteU16LE(out + res::kTolDebit, 50);
  if (run(TestKind::kWiring)) {
    for (std::size_t i = 0; i < 6; ++i) {  // no short circuit: far above every threshold
      formats::WriteU32LE(out + res::kValCcL1Vcc + 4 * i,
                          kMarkGreater | random.Range(10000, 15000));
    }
    std::uint16_t low = formats::ReadU16LE(cfg + cr::kSeuilBasRL1L2);
    std::uint16_t high = formats::ReadU16LE(cfg + cr::kSeuilHautRL1L2);
    if (low == 0xFFFF || high == 0xFFFF || low > high) low = 550, high = 650;
    formats::WriteU32LE(out + res::kValRL1L2, random.Range(low, high));
    out[res::kEtatRL1L2] = 1;  // resistance passed; no open circuit (kEtatCoL1L2 stays 0)
    if (wiring_fails) {
      formats::WriteU32LE(out + res::kValCcL1Vcc + 4 * kL1Gnd,
                          random.Range(5, 40));  // L1-GND: 0.5 to 4 ohms
      out[res::kEtatCc] = kShortL1Gnd;
    }
    out[res::kTestsFaisceau] = 1;
  }
  if (run(TestKind::kSignal)) out[res::kTestsElectriques] = 1;
  if (run(TestKind::kLength)) {
    formats::WriteU16LE(out + res::kLongueurMax, length.maximum);
    formats::WriteU16LE(out + res::kDebit, kBitRate);
    formats::WriteU16LE(out + res::kLongueurMes, length.measured);
    out[res::kVitesse] = kVitesse;
    out[res::kResultLongueur] = length.measured <= length.maximum ? 1 : 2;
    out[res::kTestLongueur] = 1;
  }
  if (run(TestKind::kScreening)) {
    formats::WriteU32LE(out + res::kSeuilCoBlindage, 10);  // 1.0 ohm
    formats::WriteU32LE(out + res::kMesCoBlindage,
                        screening_fails ? kMarkGreater | 99999 : random.Range(2, 8));
    out[res::kResultBlindage] = screening_fails ? 2 : 1;
    out[res::kTestBlindage] = 1;
  }
}

// A reflection curve: the launch pulse, a low line, and the step of the open cable end at the
// entry whose distance first reaches the measured length (138.5 / Vitesse metres per entry).
void WriteCurve(std::uint16_t measured, Random& random, std::uint8_t* area) {
  std::fill_n(area, formats::kAcquisitionSize, std::uint8_t{0xFF});
  const std::uint32_t step = (measured * kVitesse * 2u + 276u) / 277u;
  const std::uint32_t points = std::min<std::uint32_t>(formats::kAcquisitionSize / 4,
                                                       std::max<std::uint32_t>(200, 2 * step + 40));
  std::uint32_t remaining = 150;  // of the reflection still to rise
  for (std::uint32_t k = 0; k < points; ++k) {
    std::uint32_t level;
    if (k < 4) {
      level = 240 - 40 * k;
    } else if (k < step) {
      level = 60 + random.Range(0, 6);
    } else {
      remaining = remaining * 3 / 4;
      level = 60 + (150 - remaining) + random.Range(0, 6);
    }
    std::uint8_t* entry = area + 4 * k;
    formats::WriteU16LE(entry, static_cast<std::uint16_t>(k));
    entry[2] = static_cast<std::uint8_t>(level);
    entry[3] = static_cast<std::uint8_t>(level & 0xFE);
  }
}

}  // namespace

bool GenerateResults(const ResultOptions& options, TesterState* state, std::string* error) {
  const std::span<const std::uint8_t> config_area(state->memory.data() + formats::kConfigAddress,
                                                  formats::kConfigSize);
  std::vector<Config> configs;
  if (!WalkConfigurations(config_area, &configs, error)) return false;

  std::uint32_t total = kFirstRecordOffset;
  for (const Config& config : configs) {
    total += kResultRecordSize;
    if (config.type == 1)
      total += kEcuResultRecordSize * static_cast<std::uint32_t>(config.ecus.size());
  }
  if (total > kReadableResults) {
    *error = "the results of this configuration do not fit the results area";
    return false;
  }

  Random random(options.seed);
  LengthTest length;
  length.measured =
      static_cast<std::uint16_t>(options.length_m ? options.length_m : random.Range(20, 90));
  const bool length_fails = options.fail_length || (!options.all_pass && random.OneIn(5));
  length.maximum = length_fails ? static_cast<std::uint16_t>(length.measured * 3 / 4)
                                : std::max(kLengthMax, length.measured);

  std::vector<std::uint8_t> results(total, 0);
  std::uint32_t cursor = kFirstRecordOffset;
  formats::WriteU32LE(results.data() + formats::kFirstResultRecord,
                      formats::kResultsAddress + cursor);
  for (std::size_t c = 0; c < configs.size(); ++c) {
    const Config& config = configs[c];
    const std::uint8_t* cfg = config_area.data() + config.offset;
    std::uint8_t* record = results.data() + cursor;
    WriteResult(cfg, options, length, random, record);
    cursor += kResultRecordSize;
    formats::WriteU32LE(record + res::kFirstEcuResult, formats::kNoLink);
    if (config.type == 1 && !config.ecus.empty()) {
      formats::WriteU32LE(record + res::kFirstEcuResult, formats::kResultsAddress + cursor);
      for (std::uint32_t e = 0; e < config.ecus.size(); ++e) {
        std::uint8_t* ecu = results.data() + cursor;
        const bool fails = options.fail_ecus.count(e) > 0 || (!options.all_pass && random.OneIn(5));
        WriteEcuResult(cfg, fails, random, ecu);
        cursor += kEcuResultRecordSize;
        const bool last = e + 1 == config.ecus.size();
        formats::WriteU32LE(ecu + ecures::kNext,
                            last ? formats::kNoLink : formats::kResultsAddress + cursor);
      }
    }
    const bool last = c + 1 == configs.size();
    formats::WriteU32LE(record + res::kNext,
                        last ? formats::kNoLink : formats::kResultsAddress + cursor);
  }

  std::fill_n(state->memory.begin() + formats::kResultsAddress, formats::kResultsSize,
              std::uint8_t{0xFF});
  std::copy(results.begin(), results.end(), state->memory.begin() + formats::kResultsAddress);
  std::uint8_t* acquisition = state->memory.data() + formats::kAcquisitionAddress;
  if (options.skipped.count(TestKind::kLength) == 0) {
    WriteCurve(length.measured, random, acquisition);
  } else {
    std::fill_n(acquisition, formats::kAcquisitionSize, std::uint8_t{0xFF});
  }
  SetResultsArea(state, formats::kResultsAddress, total);
  SetAcquisitionArea(state, formats::kAcquisitionAddress,
                     static_cast<std::uint16_t>(formats::kAcquisitionSize));
  return true;
}

}  // namespace sim
