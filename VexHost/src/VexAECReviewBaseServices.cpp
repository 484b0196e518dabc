#include "VexAECReviewBaseServices.h"

#include "VexIAECElement.h"

VexPathElement_var VexAECReviewBaseServices::GetPathElement(VexBaseUnknown_var object) {
  if (!object) return nullptr;
  if (VexPathElement_var path(object); path) return path;
  VexIAECElement_var element(object);
  if (element && !element->GetDocument()) return nullptr;
  return VexPathElement_var(new VexPathElement(std::move(object)));
}
