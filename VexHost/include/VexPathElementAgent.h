#pragma once
// An agent that acquires an object picked in the viewer, or the object of a contextual-menu
// request: with kVexBehaviorPickAcquisition it takes picks, with kVexBehaviorContextMenu menu
// requests; both only of objects that offer its element type (an interface name; empty: any).

#include <string>

#include "VexAcquisitionAgent.h"

class VexPathElementAgent : public VexAcquisitionAgent {
 public:
  explicit VexPathElementAgent(const char* name, const char* elementType = nullptr,
                               int behavior = 0);

  void SetElementType(const char* interfaceName) { elementType_ = interfaceName ? interfaceName : ""; }
  const std::string& GetElementType() const { return elementType_; }

  /// The object picked (or asked a menu on) last.
  VexBaseUnknown_var GetValue() const { return value_; }
  /// The plant element that the pick carried; the picked object itself when it carried none.
  VexBaseUnknown_var GetElementValue() const { return element_ ? element_ : value_; }

  /// Offers a pick; returns true when the agent took it (and fired).
  bool OfferPick(const VexBaseUnknown_var& object, const VexBaseUnknown_var& element);
  /// Offers a contextual-menu request with its fresh menu; true when taken (and fired).
  bool OfferContextMenu(const VexBaseUnknown_var& object, VexDlgContextualMenu* menu);

 protected:
  ~VexPathElementAgent() override = default;

 private:
  bool Takes(const VexBaseUnknown_var& object, int behavior) const;

  std::string elementType_;
  VexBaseUnknown_var value_;
  VexBaseUnknown_var element_;
};
