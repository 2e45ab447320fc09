#include "tool/profile_writer.h"

#include <cstdio>
#include <cstdlib>

#include "platform/message_box.h"
#include "platform/profile.h"

namespace tool {

void FailProfileWrite() {
  platform::ShowMessageBox(
      "Erreur \xE9"
      "criture fichier r\xE9"
      "sultat\nWrite result file error",
      "Quillink", platform::BoxIcon::kNone);
  // At once: nothing else of the run may reach a file after the failing key.
  std::fflush(nullptr);
  std::_Exit(1);
}

ProfileWriter::~ProfileWriter() { Flush(); }

void ProfileWriter::SetPath(std::string path) {
  if (path != path_) Flush();
  path_ = std::move(path);
}

void ProfileWriter::WriteKey(const std::string& section, const std::string& key,
                             const std::string& value) {
  const bool written = mode_ == KeyWrites::kEachKey
                           ? platform::WriteProfileString(section, key, value, path_)
                           : platform::WriteProfileStringDeferred(section, key, value, path_);
  if (!written) FailProfileWrite();
}

void ProfileWriter::Flush() {
  if (!platform::FlushProfileWrites()) FailProfileWrite();
}

}  // namespace tool
