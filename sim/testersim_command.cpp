#include "sim/testersim_command.h"

#include <charconv>
#include <cstdio>
#include <iterator>
#include <memory>
#include <optional>
#include <string_view>

#include "formats/bytes.h"
#include "formats/memory_map.h"
#include "formats/version_record_format.h"
#include "platform/file_replace.h"
#include "platform/read_whole_file.h"
#include "sim/firmware.h"
#include "sim/results_generator.h"
#include "sim/state_file.h"

namespace sim {
namespace {

constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

struct Context {
  std::ostream& out;
  std::ostream& err;
};

std::string HelpText();

int Usage(Context& c, const std::string& problem) {
  c.err << "testersim: " << problem << "\n" << HelpText();
  return kUsage;
}

int Fail(Context& c, const std::string& message) {
  c.err << "testersim: " << message << "\n";
  return kFailed;
}

std::optional<std::uint32_t> ParseNumber(std::string text, int base) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text = text.substr(2);
    base = 16;
  }
  std::uint32_t value = 0;
  const char* end = text.data() + text.size();
  auto [p, ec] = std::from_chars(text.data(), end, value, base);
  if (text.empty() || ec != std::errc() || p != end) return std::nullopt;
  return value;
}

// The file's bytes when it holds at most `limit` of them.
bool ReadWholeFile(const std::string& path, std::size_t limit, std::vector<std::uint8_t>* data) {
  const std::optional<std::string> bytes = platform::ReadWholeFile(path, limit + 1);
  if (!bytes || bytes->size() > limit) return false;
  data->assign(bytes->begin(), bytes->end());
  return true;
}

bool WriteWholeFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
  return platform::ReplaceFileContent(path,
                                      std::string_view(reinterpret_cast<const char*>(data), size));
}

// Loads STATE, lets `change` work on it, saves it when `change` succeeded.
template <typename Change>
int WithState(Context& c, const std::string& path, Change change) {
  TesterState state;
  std::string error;
  if (!LoadStateFile(path, &state, &error)) return Fail(c, error);
  int status = change(state);
  if (status != kOk) return status;
  if (!SaveStateFile(path, state, &error)) return Fail(c, error);
  return kOk;
}

int CommandNew(Context& c, const std::vector<std::string>& a) {
  Identity identity;
  for (std::size_t i = 2; i < a.size(); i += 2) {
    if (i + 1 >= a.size()) return Usage(c, "missing value after " + a[i]);
    const std::string& value = a[i + 1];
    if (a[i] == "--identity") {
      if (value.size() > formats::kIdentityWidth) return Usage(c, "identity longer than 20 bytes");
      identity.text = value;
    } else if (a[i] == "--version") {
      std::size_t dot = value.find('.');
      auto major = ParseNumber(value.substr(0, dot), 10);
      auto minor = dot == std::string::npos ? std::optional<std::uint32_t>(0)
                                            : ParseNumber(value.substr(dot + 1), 10);
      if (!major || !minor || *major > 255 || *minor > 255) {
        return Usage(c, "bad version (MAJOR.MINOR, each 0 to 255): " + value);
      }
      identity.major = static_cast<std::uint8_t>(*major);
      identity.minor = static_cast<std::uint8_t>(*minor);
    } else if (a[i] == "--caps") {
      auto caps = ParseNumber(value, 10);
      if (!caps || *caps > 0xFFFF) return Usage(c, "bad capability bits (0 to 65535): " + value);
      identity.capabilities = static_cast<std::uint16_t>(*caps);
    } else {
      return Usage(c, "unknown option " + a[i]);
    }
  }
  std::string error;
  if (!SaveStateFile(a[1], NewTesterState(identity), &error)) return Fail(c, error);
  c.out << "testersim: made " << a[1] << ": " << identity.text << " " << int{identity.major} << "."
        << int{identity.minor} << ", capabilities " << identity.capabilities << "\n";
  return kOk;
}

int CommandInfo(Context& c, const std::vector<std::string>& a) {
  if (a.size() != 3) return Usage(c, "info takes STATE FILE");
  std::vector<std::uint8_t> reply;
  if (!ReadWholeFile(a[2], formats::kInfoCapacity, &reply)) {
    return Fail(c, "cannot read " + a[2] + " (or it is longer than 2048 bytes)");
  }
  return WithState(c, a[1], [&](TesterState& s) {
    s.info = reply;
    return kOk;
  });
}

bool CheckRange(std::uint32_t address, std::uint64_t length) {
  return address <= formats::kMemorySize && length <= formats::kMemorySize - address;
}

int CommandPoke(Context& c, const std::vector<std::string>& a) {
  if (a.size() != 4) return Usage(c, "poke takes STATE ADDRESS FILE");
  auto address = ParseNumber(a[2], 16);
  if (!address) return Usage(c, "bad address " + a[2]);
  std::vector<std::uint8_t> data;
  if (!ReadWholeFile(a[3], formats::kMemorySize, &data)) return Fail(c, "cannot read " + a[3]);
  if (!CheckRange(*address, data.size())) return Fail(c, "the file does not fit in the memory");
  return WithState(c, a[1], [&](TesterState& s) {
    std::copy(data.begin(), data.end(), s.memory.begin() + *address);
    return kOk;
  });
}

int CommandPeek(Context& c, const std::vector<std::string>& a) {
  if (a.size() != 5) return Usage(c, "peek takes STATE ADDRESS LENGTH FILE");
  auto address = ParseNumber(a[2], 16);
  auto length = ParseNumber(a[3], 16);
  if (!address || !length) return Usage(c, "bad address or length");
  if (!CheckRange(*address, *length)) return Fail(c, "the range lies outside the memory");
  TesterState s;
  std::string error;
  if (!LoadStateFile(a[1], &s, &error)) return Fail(c, error);
  if (!WriteWholeFile(a[4], s.memory.data() + *address, *length)) {
    return Fail(c, "cannot write " + a[4]);
  }
  return kOk;
}

int CommandLoad(Context& c, const std::vector<std::string>& a) {
  if (a.size() != 3) return Usage(c, "load takes STATE HEXFILE");
  std::vector<std::uint8_t> text;
  if (!ReadWholeFile(a[2], 64 * 1024 * 1024, &text)) return Fail(c, "cannot read " + a[2]);
  return WithState(c, a[1], [&](TesterState& s) {
    Firmware firmware(&s);
    const std::string erase = ":00000008F8\r";
    firmware.HandleRecord({reinterpret_cast<const std::uint8_t*>(erase.data()), erase.size()});
    std::size_t line_number = 0;
    std::size_t start = 0;
    while (start < text.size()) {
      std::size_t end = start;
      while (end < text.size() && text[end] != '\n' && text[end] != '\r') ++end;
      ++line_number;
      if (end > start) {
        std::vector<std::uint8_t> record(text.begin() + start, text.begin() + end);
        record.push_back('\r');
        RecordOutcome outcome = firmware.HandleRecord(record);
        if (outcome.reply.kind != 'O') {
          char code[8];
          std::snprintf(code, sizeof code, "K-%02X", outcome.reply.code);
          return Fail(c,
                      a[2] + ":" + std::to_string(line_number) + ": record refused (" + code + ")");
        }
      }
      if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n')
        ++end;
      start = end + 1;
    }
    return kOk;
  });
}

std::optional<TestKind> ParseTest(const std::string& name) {
  if (name == "wiring") return TestKind::kWiring;
  if (name == "signal") return TestKind::kSignal;
  if (name == "screening") return TestKind::kScreening;
  if (name == "length") return TestKind::kLength;
  return std::nullopt;
}

int CommandResults(Context& c, const std::vector<std::string>& a) {
  ResultOptions options;
  for (std::size_t i = 2; i < a.size(); ++i) {
    const std::string& option = a[i];
    const bool has_value = i + 1 < a.size();
    if (option == "--all-pass") {
      options.all_pass = true;
    } else if (option == "--fail-wiring") {
      options.fail_wiring = true;
    } else if (option == "--fail-screening") {
      options.fail_screening = true;
    } else if (option == "--fail-length") {
      options.fail_length = true;
    } else if (option == "--seed" || option == "--fail-ecu" || option == "--length") {
      auto n = has_value ? ParseNumber(a[i + 1], 10) : std::nullopt;
      if (!n) return Usage(c, option + " needs a number");
      if (option == "--seed") options.seed = *n;
      if (option == "--fail-ecu") options.fail_ecus.insert(*n);
      if (option == "--length") {
        if (*n == 0 || *n > 0xFFFF) return Usage(c, "--length must be 1 to 65535 metres");
        options.length_m = *n;
      }
      ++i;
    } else if (option == "--skip") {
      auto test = has_value ? ParseTest(a[i + 1]) : std::nullopt;
      if (!test) return Usage(c, "--skip needs wiring, signal, screening or length");
      options.skipped.insert(*test);
      ++i;
    } else {
      return Usage(c, "unknown option " + option);
    }
  }
  return WithState(c, a[1], [&](TesterState& s) {
    std::string error;
    if (!GenerateResults(options, &s, &error)) return Fail(c, error);
    return kOk;
  });
}

int CommandFault(Context& c, const std::vector<std::string>& a) {
  if (a.size() < 3 || a.size() > 4) return Usage(c, "fault takes STATE NAME [VALUE]");
  const std::string& name = a[2];
  const std::optional<std::string> value =
      a.size() == 4 ? std::optional<std::string>(a[3]) : std::nullopt;
  if (name == "clear") {
    if (value) return Usage(c, "fault clear takes no value");
    return WithState(c, a[1], [&](TesterState& s) {
      s.faults = InitialFaults();
      s.name_text.clear();
      return kOk;
    });
  }
  if (name == "name" || name == "name-without-backslash" || name == "name-ending-in-backslash") {
    std::string text = name == "name-without-backslash"     ? "ZELUSB0"
                       : name == "name-ending-in-backslash" ? "\\??\\QuarnetikUsb\\"
                                                            : value.value_or("");
    if (name == "name" ? !value : value.has_value()) return Usage(c, "bad value for " + name);
    if (text.size() > 255) return Usage(c, "name longer than 255 bytes");
    return WithState(c, a[1], [&](TesterState& s) {
      s.name_text = text;
      return kOk;
    });
  }
  std::optional<Fault> fault = FindFault(name);
  if (!fault) return Usage(c, "unknown fault " + name);
  const FaultInfo& info = FaultTable()[static_cast<std::size_t>(*fault)];
  std::uint32_t number = 1;
  if (info.kind == FaultKind::kNumber && !value) return Usage(c, name + " needs a value");
  if (info.kind == FaultKind::kTimes) number = kAlways;
  if (value) {
    auto parsed = ParseNumber(*value, *fault == Fault::kRefuseCode ? 16 : 10);
    if (!parsed) return Usage(c, "bad value " + *value);
    if (*fault == Fault::kRefuseCode && *parsed > 0xFF) return Usage(c, "a code is one byte");
    number = *parsed;
  }
  return WithState(c, a[1], [&](TesterState& s) {
    s.SetFault(*fault, number);
    return kOk;
  });
}

int CommandLatency(Context& c, const std::vector<std::string>& a) {
  if (a.size() != 3) return Usage(c, "latency takes STATE MS");
  auto ms = ParseNumber(a[2], 10);
  if (!ms || *ms > 60000) return Usage(c, "bad latency (0 to 60000 ms): " + a[2]);
  return WithState(c, a[1], [&](TesterState& s) {
    s.latency_ms = *ms;
    return kOk;
  });
}

int CommandTrace(Context& c, const std::vector<std::string>& a) {
  if (a.size() != 3) return Usage(c, "trace takes STATE FILE, or STATE off");
  return WithState(c, a[1], [&](TesterState& s) {
    s.trace_path = a[2] == "off" ? "" : a[2];
    return kOk;
  });
}

int CommandShow(Context& c, const std::vector<std::string>& a) {
  if (a.size() != 2) return Usage(c, "show takes STATE");
  TesterState s;
  std::string error;
  if (!LoadStateFile(a[1], &s, &error)) return Fail(c, error);
  std::vector<std::uint8_t> record(s.info);
  record.resize(std::max<std::size_t>(record.size(), formats::kVersionRecordSize), 0);
  char line[160];
  std::snprintf(
      line, sizeof line,
      "information reply: %zu bytes\nidentity: %s\nversion: %u.%u\ncapabilities: %u\n"
      "results: %X, %X bytes\nacquisition: %X, %X bytes\n",
      s.info.size(),
      formats::ReadText(record.data() + formats::kIdentityOffset, formats::kIdentityWidth).c_str(),
      record[formats::kMajorOffset], record[formats::kMinorOffset],
      formats::ReadU16LE(record.data() + formats::kCapabilitiesOffset),
      formats::ReadU32LE(record.data() + formats::kResultsAddressOffset),
      formats::ReadU32LE(record.data() + formats::kResultsLengthOffset),
      formats::ReadU32LE(record.data() + formats::kAcquisitionAddressOffset),
      formats::ReadU16LE(record.data() + formats::kAcquisitionLengthOffset));
  c.out << line << "latency: " << s.latency_ms << " ms\n"
        << "trace: " << (s.trace_path.empty() ? "off" : s.trace_path) << "\n"
        << "name: " << (s.name_text.empty() ? kDefaultDeviceName : s.name_text) << "\n";
  const FaultValues initial = InitialFaults();
  for (const FaultInfo& f : FaultTable()) {
    std::uint32_t v = s.FaultValue(f.fault);
    if (v == initial[static_cast<std::size_t>(f.fault)]) continue;
    c.out << "fault " << f.name << " "
          << (v == kAlways && f.kind == FaultKind::kTimes ? std::string("always")
                                                          : std::to_string(v))
          << "\n";
  }
  return kOk;
}

// The commands: name, help lines (shown in this order) and what runs them.
struct Command {
  const char* name;
  const char* help;
  int (*run)(Context& c, const std::vector<std::string>& args);
};

constexpr Command kCommands[] = {
    {"new",
     "  new STATE [--identity TEXT] [--version MAJOR.MINOR] [--caps N]\n"
     "      a fresh tester: memory all FF, no results (defaults: Quarnetik, 3.1, caps 4)\n",
     CommandNew},
    {"info",
     "  info STATE FILE            the information reply becomes the bytes of FILE (up to 2048)\n",
     CommandInfo},
    {"poke", "  poke STATE ADDRESS FILE    write the bytes of FILE into memory at ADDRESS\n",
     CommandPoke},
    {"peek",
     "  peek STATE ADDRESS LENGTH FILE   write LENGTH bytes of memory from ADDRESS into FILE\n",
     CommandPeek},
    {"load",
     "  load STATE HEXFILE         DATA erase, then program the Intel HEX file (as the tool's\n"
     "                             configuration download does)\n",
     CommandLoad},
    {"results",
     "  results STATE [OPTIONS]    run tests on the configuration held and store the results\n"
     "      --seed N               measured values and random failures from N (default 1)\n"
     "      --all-pass             no random failures (only those asked for below)\n"
     "      --fail-ecu N           ECU N (from 0) fails its signal test (repeatable)\n"
     "      --fail-wiring          short circuit L1-GND\n"
     "      --fail-screening       open screen\n"
     "      --fail-length          cable longer than its maximum\n"
     "      --skip TEST            TEST not run: wiring, signal, screening or length (repeatable)\n"
     "      --length M             measured cable length in metres (decimal)\n",
     CommandResults},
    {"fault",
     "  fault STATE NAME [VALUE]   make the tester misbehave (names below)\n"
     "  fault STATE clear          no faults\n",
     CommandFault},
    {"latency",
     "  latency STATE MS           delay of every answer and data read (decimal milliseconds)\n",
     CommandLatency},
    {"trace", "  trace STATE FILE | off     append every exchange to FILE from now on, or stop\n",
     CommandTrace},
    {"show",
     "  show STATE                 print the tester's information fields, faults and settings\n",
     CommandShow},
};

std::string HelpText() {
  std::string text =
      "usage: testersim COMMAND STATE [ARGUMENTS]   (addresses and lengths in hexadecimal)\n";
  for (const Command& command : kCommands) text += command.help;
  text += "faults (N: the next N exchanges, none: always, 0: off):\n";
  for (const FaultInfo& f : FaultTable()) {
    text += "  " + std::string(f.name) +
            (f.kind == FaultKind::kNumber  ? " VALUE"
             : f.kind == FaultKind::kTimes ? " [N]"
                                           : "") +
            ": " + std::string(f.help) + "\n";
  }
  text +=
      "  name TEXT: the name the driver reports; name-without-backslash and\n"
      "      name-ending-in-backslash set the two bad names\n";
  return text;
}

}  // namespace

int RunTesterSim(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  Context c{out, err};
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "help" || args[0] == "-h")) {
    out << HelpText();
    return kOk;
  }
  if (args.size() < 2) return Usage(c, args.empty() ? "no command" : "missing STATE");
  const std::string& command = args[0];
  for (const Command& known : kCommands) {
    if (command == known.name) return known.run(c, args);
  }
  return Usage(c, "unknown command " + command);
}

}  // namespace sim
