// Message catalogs and dialog resources: parse whatever file is given, then build every message
// with parameters, as the catalog does when a text is shown.
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "VexMsgCatalog.h"
#include "VexResourceFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto path = WriteFuzzInput("Fuzz.catalog", data, size);
  const VexResourceFile file = VexResourceFile::Parse(path);
  VexListValVexUnicodeString parameters;
  parameters.Append(VexUnicodeString("first"));
  parameters.Append(VexUnicodeString("{1}"));
  for (const auto& [key, text] : file.Entries()) {
    if (file.Find(key) != text) FuzzFinding("an entry is not found under its own key");
    VexMsg(key, text, true).BuildMessage(&parameters);
    VexMsg(key, text, true).BuildMessage(nullptr);
  }
  return 0;
}
