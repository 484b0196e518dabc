// The EDSA result readers: the same bytes read as a text result file and as a colour result
// file, then every identifier they list asked for its lines and its colour.
#include <cstdint>

#include "FuzzSupport.h"
#include "VexError.h"
#include "VexGrdColorResultFile.h"
#include "VexGrdTextResultFile.h"

namespace {

template <class Reader, class Ask>
void ReadAndAsk(const std::filesystem::path& path, Ask ask) {
  try {
    const Reader results = Reader::Read(VexUnicodeString(path.string()));
    const VexListValVexUnicodeString ids = results.GetIdentifiers();
    for (int i = 1; i <= ids.Size(); ++i) {
      if (!ask(results, ids[i])) FuzzFinding("a listed identifier has no results");
    }
  } catch (const VexInputError&) {
    // A malformed file may be reported to the user; that is an answer, not a finding.
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ReadAndAsk<VexGrdTextResultFile>(
      WriteFuzzInput("plant.txr", data, size),
      [](const VexGrdTextResultFile& results, const VexUnicodeString& id) {
        results.GetLines(id);
        return true;  // a section may hold no lines
      });
  ReadAndAsk<VexGrdColorResultFile>(
      WriteFuzzInput("plant.clr", data, size),
      [](const VexGrdColorResultFile& results, const VexUnicodeString& id) {
        VexGrdRgb rgb;
        return results.GetColor(id, &rgb) && rgb.red >= 0 && rgb.red <= 255 && rgb.green >= 0 &&
               rgb.green <= 255 && rgb.blue >= 0 && rgb.blue <= 255;
      });
  return 0;
}
