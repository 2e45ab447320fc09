// Where the two programs keep the files they exchange (Tr.ini, InfoTrfTR.zel, the images,
// Results.log): their own folder, unless an installation made that folder read-only.
#pragma once

#include <string>

namespace platform {

// The folder for the exchange files of the programs in `program_folder` (a folder text as
// viewer::ProgramFolder gives it, ending with its separator); the result ends with a separator too.
// Windows: `program_folder` itself (the installation is per user, so it can be written).
// Linux: `program_folder` when it can be written and lies outside /usr; otherwise the per-user data
// folder $XDG_DATA_HOME/halven (by default ~/.local/share/halven), created when missing. Falls
// back to `program_folder` when neither HOME nor an absolute XDG_DATA_HOME gives a folder or it
// cannot be created, so that the caller reports the failure to write there.
std::string ExchangeFolder(const std::string& program_folder);

// The same, saying when the data folder is needed but cannot be used: false with `folder` set to
// the folder tried (the program folder when no data folder can be named) and `reason` to the
// system's text, so that nothing is written elsewhere. True with `folder` as ExchangeFolder gives.
// The archive of uploads lies in this folder too, so that it follows the exchange files.
bool FindExchangeFolder(const std::string& program_folder, std::string& folder,
                        std::string& reason);

}  // namespace platform
