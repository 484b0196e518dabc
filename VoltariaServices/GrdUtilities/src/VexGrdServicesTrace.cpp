#include "VexGrdServicesTrace.h"

#include "VexGrdUtilitiesInputErr.h"
#include "VexMsgCatalog.h"

VexTrace& VexGrdServicesTrace() {
  static VexTrace channel("GRDSRV", "GRDSRV Trace", 1, "STDERR", 1024);
  return channel;
}

void VexGrdTraceMessage(const char* key, const std::vector<VexUnicodeString>& parameters,
                        const std::string& detail) {
  VexMsgCatalog catalog;
  catalog.LoadMsgCatalog(kVexGrdUtilitiesCatalog, nullptr);
  VexListValVexUnicodeString values;
  for (const auto& parameter : parameters) values.Append(parameter);
  std::string line = catalog.GetCatalogMsg(key).BuildMessage(&values).str();
  if (!detail.empty()) line += " (" + detail + ")";
  VexGrdServicesTrace().TraPutLN(2, line.c_str());
}
