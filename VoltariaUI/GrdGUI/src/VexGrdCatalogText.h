#pragma once
// Catalog texts and reports for the panel's frames. A frame can be built without a panel (a lone
// frame in a test): its texts are then empty and its reports untitled.

#include "VexUnicodeString.h"

class VexGrdPanel;

VexUnicodeString VexGrdCatalogText(VexGrdPanel* panel, const char* key);

/// Shows `message` as a report of `kind` titled with the text of `titleKey`; returns the answer.
int VexGrdDisplayReport(VexGrdPanel* panel, int kind, const VexUnicodeString& message,
                        const char* titleKey);
