#include "quillink/help_text.h"

namespace quillink {

std::string HelpText(HelpSystem system) {
  const bool windows = system == HelpSystem::kWindows;
  const std::string name = windows ? "Quillink.exe" : "quillink";
  std::string text = "Usage: " + name + " MODE\n";
  text += "   or: " + name + " FILE -OPTION [-OPTION ...]\n";
  text += "   or: " + name + " --help\n";
  text +=
      "\n"
      "Runs one job with the tester; files are read and written in the current folder.\n"
      "\n"
      "Modes:\n"
      "  LECTURE_INFO     read the tester's information into VersionTr.zel and judge it\n"
      "                   ([EtatVersion] Etat in Tr.ini: 1 usable, 0 wrong version,\n"
      "                   2 other tester, 3 missing capability, -1 failed)\n"
      "  GENERATION_BIN   upload the results: VersionTr.zel, ResBin.zel, CfgBin.zel,\n"
      "                   MenuBin.zel, AcqBin.zel, then Results.log\n"
      "  ECRITURE         build MenuCfg.h86 from TransfertVersTR.zel and send it\n"
      "  MAJAPPLI FILE    send the firmware FILE (Intel HEX) with -A -D -C -R\n"
      "\n"
      "Options of a job text (FILE, then options each after a blank):\n"
      "  -B   start with the BOOT erase record        -A   start with the APPLICATION erase "
      "record\n"
      "  -D   start with the DATA erase record        -U   start with the record 0E\n"
      "  -R   end with the record 09                  -C   send the record 0A before the end\n"
      "  -F   upload the results                      -IG  read the information into FILE\n"
      "  -IL  same as -IG                             -t   write what is read as hexadecimal "
      "text\n"
      "  -READ[ADDRESS,LENGTH]   read LENGTH bytes from ADDRESS (hexadecimal) into FILE\n"
      "  Without an option, FILE is sent as it stands.\n"
      "\n"
      "Needs InfoTrfTR.zel (the translated messages) in the current folder.\n"
      "\n";
  if (windows) {
    text +=
        "The window closes by itself after an information read; after an upload, a send or\n"
        "a failure it stays with its result until closed with its close box.\n";
  } else {
    text +=
        "The progress closes by itself after an information read; after an upload, a send or\n"
        "a failure it stays with its result until closed with Esc (or Enter). On a terminal\n"
        "it is drawn in place; into a file or a pipe it is written as one line per change of\n"
        "state.\n";
  }
  text +=
      "\n"
      "Exit status:\n"
      "  0        the job succeeded\n"
      "  1 to 12  the tester could not be opened (1 also: Tr.ini cannot be written)\n"
      "  13       the memory read failed\n"
      "  14       the information read or the results upload failed, or no results\n"
      "  15       the file could not be sent\n"
      "  254      InfoTrfTR.zel missing\n"
      "  255      missing parameters, nothing run\n"
      "\n";
  text += "Environment: QUILLINK_SIMULATOR=STATE_FILE talks to a simulated tester (see ";
  text += windows ? "testersim.exe" : "testersim";
  text +=
      ");\n"
      "HALVEN_UNATTENDED=[LOG_FILE] never waits for a person (boxes are appended to LOG_FILE).\n"
      "\n"
      // HALVEN_VERSION: the project's version, given by cmake/packaging.cmake.
      "Halven tester PC suite " HALVEN_VERSION "\n";
  return text;
}

}  // namespace quillink
