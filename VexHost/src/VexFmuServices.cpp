#include "VexFmuServices.h"

#include "VexFmuDocumentId.h"

int VexFmuServices::RetreivePath(const VexBaseUnknown_var& documentId, VexUnicodeString& path) {
  auto* document = dynamic_cast<VexFmuDocumentId*>(documentId.get());
  if (!document) return 1;
  path = document->GetPath();
  return 0;
}
