#pragma once
// A branch of the electrical network, from one node identifier to another. Its ends are kept as
// identifiers: a branch may name a node that the model does not hold.

#include <memory>

#include "VexIGrd3DComponent.h"

class VexIGrdBranch : public virtual VexBaseUnknown {
 public:
  VEX_DECLARE_INTERFACE(VexIGrdBranch);
  virtual VexUnicodeString GetFromNodeId() = 0;
  virtual VexUnicodeString GetToNodeId() = 0;
  /// The branch identifier: from, "->", to.
  virtual VexUnicodeString GetBranchId() = 0;
  /// A new list of the plant elements linked to the branch, in link order; the caller owns it.
  virtual std::unique_ptr<VexListValVexIGrd3DComponent_var> GetLinkedComponents() = 0;
  /// The length, in the unit of GetUnitCode; 0 until set.
  virtual double GetLength() = 0;
  /// Stores the length in the document (inside the current transaction).
  virtual void SetLength(double length) = 0;
  /// The EDSA unit code of the length ("FT", "KM", "MT"); empty until one is stored.
  virtual VexUnicodeString GetUnitCode() = 0;
};
VEX_DEFINE_INTERFACE(VexIGrdBranch);

using VexListValVexIGrdBranch_var = VexListVal<VexIGrdBranch_var>;
