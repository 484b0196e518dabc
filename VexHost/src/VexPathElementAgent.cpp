#include "VexPathElementAgent.h"

VexPathElementAgent::VexPathElementAgent(const char* name, const char* elementType, int behavior)
    : VexAcquisitionAgent(name, behavior), elementType_(elementType ? elementType : "") {}

bool VexPathElementAgent::Takes(const VexBaseUnknown_var& object, int behavior) const {
  if (!object || !HasBehavior(behavior) || !CanFire()) return false;
  return elementType_.empty() || VexOffersInterface(object.get(), elementType_.c_str());
}

bool VexPathElementAgent::OfferPick(const VexBaseUnknown_var& object,
                                    const VexBaseUnknown_var& element) {
  if (!Takes(object, kVexBehaviorPickAcquisition)) return false;
  value_ = object;
  element_ = element;
  Fire();
  return true;
}

bool VexPathElementAgent::OfferContextMenu(const VexBaseUnknown_var& object,
                                           VexDlgContextualMenu* menu) {
  if (!Takes(object, kVexBehaviorContextMenu)) return false;
  value_ = object;
  element_ = nullptr;
  SetContextualMenu(menu);
  Fire();
  return true;
}
