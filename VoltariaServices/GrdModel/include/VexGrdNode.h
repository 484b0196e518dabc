#pragma once
// A node of the network model (implementation of VexIGrdNode and VexIGrdNavigate).

#include "VexGrdNetworkObject.h"
#include "VexIGrdNode.h"
#include "VexObjectPool.h"

class VexGrdNode : public VexGrdNetworkObject, public VexIGrdNode {
 public:
  VexGrdNode(VexGrdNetworkModel* model, std::int64_t rowId, VexUnicodeString id)
      : VexGrdNetworkObject(model, rowId), id_(std::move(id)) {}

  VexUnicodeString GetNodeId() override { return id_; }
  const VexUnicodeString& Id() const { return id_; }
  std::unique_ptr<VexListValVexIGrd3DComponent_var> GetLinkedComponents() override {
    return NewComponentList();
  }
  /// The branches that start or end here (creation order), then the linked elements.
  std::unique_ptr<VexListValVexIGrdNavigate_var> GetNeighbours() override;
  VexUnicodeString GetNavigationLabel() override { return id_; }

  // A network holds them by the million: see VexObjectPool.
  VEX_POOLED_CLASS(VexGrdNode)

 protected:
  ~VexGrdNode() override = default;

 private:
  VexUnicodeString id_;
};
