#include "VexGrdCatalogText.h"

#include "VexGrdErrorHandler.h"
#include "VexGrdPanel.h"

VexUnicodeString VexGrdCatalogText(VexGrdPanel* panel, const char* key) {
  return panel ? panel->GetMsgCatalogString(key) : VexUnicodeString();
}

int VexGrdDisplayReport(VexGrdPanel* panel, int kind, const VexUnicodeString& message,
                        const char* titleKey) {
  VexGrdErrorHandler handler;
  return handler.DisplayErrorPnl(kind, message, VexGrdCatalogText(panel, titleKey));
}
