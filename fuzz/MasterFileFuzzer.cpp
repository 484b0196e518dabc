// The master file's read-record-save cycle: read whatever file is given, record a node, a branch
// and a branch length, save, read again. What was recorded must read back, and every byte of the
// file that the recording did not concern must still be there, in order.
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "VexGrdMasterFile.h"
#include "VexGrdUtilitiesInputErr.h"

namespace {

const VexUnicodeString kNode("FZNODE");
const VexUnicodeString kFrom("FZFROM");
const VexUnicodeString kTo("FZTO");

void CheckRecorded(const std::filesystem::path& path) {
  const VexGrdMasterFile reread{VexUnicodeString(path.string())};
  if (!reread.HasNode(kNode) || !reread.HasBranch(kFrom, kTo)) {
    FuzzFinding("a recorded node or branch does not read back");
  }
  auto length = reread.GetBranchLength(kFrom, kTo);
  if (!length || length->first != 2.5 || length->second.str() != "MT") {
    FuzzFinding("a recorded branch length does not read back");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string original(reinterpret_cast<const char*>(data), size);
  const auto path = WriteFuzzInput("plant.mas", data, size);
  try {
    VexGrdMasterFile master{VexUnicodeString(path.string())};
    master.GetNetworkType();
    const bool lengthKnown = master.GetBranchLength(kFrom, kTo).has_value();
    master.AddNode(kNode);
    master.AddBranch(kFrom, kTo);
    master.SetBranchLength(kFrom, kTo, 2.5, VexUnicodeString("MT"));
    master.Save();
    CheckRecorded(path);
    // Without a length line to replace, recording only appends: the old bytes lead the new file
    // (a last line without its end may have gained one).
    const std::string saved = ReadWholeFile(path);
    if (!lengthKnown && saved.compare(0, original.size(), original) != 0) {
      FuzzFinding("recording changed bytes of the master file it did not concern");
    }
  } catch (const VexGrdUtilitiesInputErr&) {
    // Identifiers in the file may be refused when recorded; a refusal is an answer.
  }
  return 0;
}
