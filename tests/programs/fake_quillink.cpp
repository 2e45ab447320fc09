// A stand-in for the communication tool in tests of the results application. Copied next to the
// application under the tool's name, it does what its script "fake_quillink.txt" (in the current
// directory, one key=value per line) tells it, and appends its arguments to "fake_quillink.log":
//   etat=TEXT          LECTURE_INFO writes [EtatVersion] Etat = TEXT into .\Tr.ini ("none": no
//   write) identity=TEXT      VersionTr.zel identity (default Quarnetik); major=N, minor=N;
//   no_version=1 results=PATH       GENERATION_BIN copies PATH to Results.log; acquisition=PATH to
//   AcqBin.zel
//   write_pause_ms=N   GENERATION_BIN leaves Results.log empty that long before writing it, as the
//                      decoder does while it converts
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <thread>

#include "platform/profile.h"

namespace {

std::map<std::string, std::string> ReadScript() {
  std::map<std::string, std::string> script;
  std::ifstream in("fake_quillink.txt", std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::size_t eq = line.find('=');
    if (eq != std::string::npos) script[line.substr(0, eq)] = line.substr(eq + 1);
  }
  return script;
}

std::string Get(const std::map<std::string, std::string>& script, const std::string& key,
                const std::string& fallback) {
  auto it = script.find(key);
  return it == script.end() ? fallback : it->second;
}

bool CopyFile(const std::string& from, const std::string& to) {
  std::ifstream in(from, std::ios::binary);
  if (!in) return false;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::ofstream out(to, std::ios::binary | std::ios::trunc);
  out << bytes;
  return static_cast<bool>(out);
}

void WriteVersion(const std::map<std::string, std::string>& script) {
  unsigned char record[64] = {};
  std::string identity = Get(script, "identity", "Quarnetik");
  for (std::size_t i = 0; i < identity.size() && i < 20; ++i) {
    record[i] = static_cast<unsigned char>(identity[i]);
  }
  record[20] = static_cast<unsigned char>(std::atoi(Get(script, "major", "3").c_str()));
  record[21] = static_cast<unsigned char>(std::atoi(Get(script, "minor", "1").c_str()));
  record[32] = 4;  // capability bit 2
  if (std::FILE* f = std::fopen("VersionTr.zel", "wb")) {
    std::fwrite(record, 1, sizeof record, f);
    std::fclose(f);
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::string args;
  for (int i = 1; i < argc; ++i) args += (i > 1 ? " " : "") + std::string(argv[i]);
  std::ifstream translation("InfoTrfTR.zel", std::ios::binary);
  if (std::FILE* log = std::fopen("fake_quillink.log", "ab")) {
    std::fprintf(log, "%s translation=%s\n", args.c_str(), translation ? "yes" : "no");
    std::fclose(log);
  }
  auto script = ReadScript();
  if (args == "LECTURE_INFO") {
    if (Get(script, "no_version", "0") != "1") WriteVersion(script);
    std::string etat = Get(script, "etat", "1");
    if (etat != "none" && !platform::WriteProfileString("EtatVersion", "Etat", etat, ".\\Tr.ini")) {
      return 1;
    }
  } else if (args == "GENERATION_BIN") {
    std::string results = Get(script, "results", "");
    if (const int pause = std::atoi(Get(script, "write_pause_ms", "0").c_str()); pause > 0) {
      if (std::FILE* emptied = std::fopen("Results.log", "wb")) std::fclose(emptied);
      std::this_thread::sleep_for(std::chrono::milliseconds(pause));
    }
    if (!results.empty() && !CopyFile(results, "Results.log")) return 2;
    std::string acquisition = Get(script, "acquisition", "");
    if (!acquisition.empty() && !CopyFile(acquisition, "AcqBin.zel")) return 2;
  }
  return 0;
}
