// The plant text reader: any bytes are either read or refused with a VexInputError; a model that
// was read, written back in the format, reads again into a model that writes the same text.
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "VexError.h"
#include "VexPlantText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  QuietStandardError quiet;
  std::string written;
  try {
    written = VexWritePlantText(VexReadPlantText(bytes, "fuzz.txt"));
  } catch (const VexInputError&) {
    return 0;  // refused, naming the file and the line
  }
  std::string again;
  try {
    again = VexWritePlantText(VexReadPlantText(written, "written.txt"));
  } catch (const VexInputError&) {
    FuzzFinding("a model written in the format is refused when read back");
  }
  if (again != written) FuzzFinding("a model written in the format reads back different");
  return 0;
}
