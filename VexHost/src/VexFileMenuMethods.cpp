#include "VexFileMenuMethods.h"

#include "VexError.h"
#include "VexFmuDocChooser.h"

VexIFmuDocChooser* VexFileMenuMethods::CreateDocChooser(VexDialog* parent, const char* name,
                                                        int style1, int style2,
                                                        VexBaseUnknown* initialDocument) {
  if (initialDocument) {
    throw VexInternalError(2, "ChooserInitialDocument", kVexHostCatalog, {name ? name : ""});
  }
  VexIFmuDocChooser* chooser = new VexFmuDocChooser(parent, name, style1, style2);
  chooser->AddRef();
  return chooser;
}
