#include "tool/profile_writer.h"

#include <cstdio>
#include <cstdlib>

#include "platform/file_replace.h"
#include "platform/message_box.h"
#include "platform/profile.h"
#include "platform/read_whole_file.h"

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
  if (mode_ == KeyWrites::kEachKey || !doc_) {
    if (!platform::WriteProfileString(section, key, value, path_)) FailProfileWrite();
    if (mode_ == KeyWrites::kEachKey) return;
    // The document starts from what the system's function's next call would read.
    std::optional<std::string> text = platform::ReadWholeFile(path_);
    if (!text) FailProfileWrite();
    doc_ = profile::Document::Parse(*text);
    exact_text_.reset();
    dirty_ = false;
    return;
  }
  if (doc_->Set(section, key, value, &exact_text_)) dirty_ = true;
}

void ProfileWriter::Flush() {
  if (!doc_) return;
  const bool ok =
      !dirty_ || platform::ReplaceFileContent(path_, exact_text_ ? *exact_text_ : doc_->Emit());
  doc_.reset();
  exact_text_.reset();
  dirty_ = false;
  if (!ok) FailProfileWrite();
}

}  // namespace tool
