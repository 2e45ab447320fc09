// A profile file and a run of writes: the document changed in memory and emitted once must give
// the bytes of re-reading and rewriting the file at every write, as the Windows functions do.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "profile/document.h"

using profile::Document;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  std::string initial = in.ConsumeRandomLengthString(4096);

  std::string reread_text = initial;
  Document deferred = Document::Parse(initial);
  std::optional<std::string> deferred_exact;
  bool changed = false;
  while (in.remaining_bytes() > 0) {
    std::string section = in.ConsumeRandomLengthString(16);
    std::string key = in.ConsumeRandomLengthString(16);
    std::string value = in.ConsumeRandomLengthString(32);
    // C strings on the way to the Windows functions: no zero byte inside.
    for (std::string* s : {&section, &key, &value})
      s->resize(s->find('\0') == s->npos ? s->size() : s->find('\0'));

    // One document assigned the file again and again.
    static Document reread;
    reread.Assign(reread_text);
    std::optional<std::string> exact;
    if (reread.Set(section, key, value, &exact)) reread_text = exact ? *exact : reread.Emit();
    if (deferred.Set(section, key, value, &deferred_exact)) changed = true;

    Document reparsed = Document::Parse(reread_text);
    std::optional<std::string_view> a = reparsed.Get(section, key);
    std::optional<std::string_view> b = deferred.Get(section, key);
    if (a.has_value() != b.has_value() || (a && *a != *b)) std::abort();
  }
  std::string deferred_text = !changed         ? initial
                              : deferred_exact ? *deferred_exact
                                               : deferred.Emit();
  if (deferred_text != reread_text) std::abort();
  return 0;
}
