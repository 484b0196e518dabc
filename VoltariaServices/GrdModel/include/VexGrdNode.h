#pragma once
// A node of the network model (implementation of VexIGrdNode).

#include "VexGrdNetworkObject.h"
#include "VexIGrdNode.h"

class VexGrdNode : public VexGrdNetworkObject, public VexIGrdNode {
 public:
  VexGrdNode(VexGrdNetworkModel* model, std::int64_t rowId, VexUnicodeString id)
      : VexGrdNetworkObject(model, rowId), id_(std::move(id)) {}

  VexUnicodeString GetNodeId() override { return id_; }
  const VexUnicodeString& Id() const { return id_; }
  std::unique_ptr<VexListValVexIGrd3DComponent_var> GetLinkedComponents() override {
    return NewComponentList();
  }

 protected:
  ~VexGrdNode() override = default;

 private:
  VexUnicodeString id_;
};
