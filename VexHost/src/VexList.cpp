#include "VexList.h"

#include "VexUnicodeString.h"

namespace vex_detail {

void ThrowListIndexError(int position, int size) {
  VexUnicodeString index;
  index.ConvertNumToString(position, "%d");
  VexUnicodeString count;
  count.ConvertNumToString(size, "%d");
  throw VexInternalError(3, "ListIndexOutOfRange", kVexHostCatalog, {index, count});
}

}  // namespace vex_detail
