#pragma once
// A branch of the network model (implementation of VexIGrdBranch and VexIGrdNavigate).

#include "VexGrdNetworkObject.h"
#include "VexGrdUnitCodes.h"
#include "VexIGrdBranch.h"
#include "VexObjectPool.h"

class VexGrdBranch : public VexGrdNetworkObject, public VexIGrdBranch {
 public:
  VexGrdBranch(VexGrdNetworkModel* model, std::int64_t rowId, VexUnicodeString from,
               VexUnicodeString to)
      : VexGrdNetworkObject(model, rowId), from_(std::move(from)), to_(std::move(to)) {}

  VexUnicodeString GetFromNodeId() override { return from_; }
  VexUnicodeString GetToNodeId() override { return to_; }
  VexUnicodeString GetBranchId() override { return from_ + "->" + to_; }
  const VexUnicodeString& From() const { return from_; }
  const VexUnicodeString& To() const { return to_; }
  std::unique_ptr<VexListValVexIGrd3DComponent_var> GetLinkedComponents() override {
    return NewComponentList();
  }
  double GetLength() override { return length_; }
  /// Stores the length in the document; a branch no longer in a model is an internal error.
  void SetLength(double length) override;
  VexUnicodeString GetUnitCode() override { return VexGrdUnitCodes::Of(unitCode_); }
  /// The unit code's number in VexGrdUnitCodes.
  std::uint32_t GetUnitCodeNumber() const { return unitCode_; }

  /// The from and to nodes that the model holds, then the linked elements.
  std::unique_ptr<VexListValVexIGrdNavigate_var> GetNeighbours() override;
  VexUnicodeString GetNavigationLabel() override { return GetBranchId(); }

  // A network holds them by the million: see VexObjectPool.
  VEX_POOLED_CLASS(VexGrdBranch)

 protected:
  ~VexGrdBranch() override = default;

 private:
  friend class VexGrdNetworkModel;

  VexUnicodeString from_;
  VexUnicodeString to_;
  double length_ = 0;
  std::uint32_t unitCode_ = 0;  // see VexGrdUnitCodes
  // The next branch at the same node identifier, in creation order, one chain per end (a branch
  // from a node to itself is in one chain): the model's index of branches by node keeps only the
  // first and last of each chain, with no allocation per node.
  VexGrdBranch* nextAtFrom_ = nullptr;
  VexGrdBranch* nextAtTo_ = nullptr;
};
