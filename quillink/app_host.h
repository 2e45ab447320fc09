// What the tool's start routine asks of the rest of the program: the translated messages, the
// boxes, the configuration converter, the status file and the progress dialog that runs one job.
// The program wires the real parts (program_host.h); tests of the start routine record the calls.
#pragma once

#include <string>
#include <string_view>

#include "quillink/job_text.h"

namespace quillink {

class AppHost {
 public:
  virtual ~AppHost() = default;

  // Loads the message table from "InfoTrfTR.zel"; false when the file cannot be opened.
  [[nodiscard]] virtual bool LoadMessages() = 0;
  // A box with one OK button and the caption "Quillink".
  virtual void ShowBox(const std::string& text) = 0;
  // Writes "MenuCfg.h86" from "TransfertVersTR.zel"; a failure shows its own message. False when
  // this run's image could not be made (invalid source, failed write): the send must then not read
  // whatever is left under the name. A missing source or no configuration give true.
  [[nodiscard]] virtual bool BuildMenuCfg() = 0;
  // [CheminFichier] Resultat = "0" in ".\Tr.ini" (never returns when the write fails).
  virtual void MarkResultsUploadStart() = 0;
  // Makes the progress dialog current, fills the job's request fields from `request`, puts
  // `version_label` in the dialog's label, shows the dialog modally and returns the job's result
  // code once it has closed.
  virtual int RunProgressDialog(const JobRequest& request, std::string_view version_label) = 0;
  // The version check after an information job with result `result`: writes [EtatVersion] Etat.
  virtual void CheckVersion(int result) = 0;
};

}  // namespace quillink
