#pragma once
// One record of the panel's node and branch registry.

#include "VexList.h"
#include "VexObjectPool.h"
#include "VexUnicodeString.h"

class VexGrdNodeBrData {
 public:
  /// `idClass` 1 node, 2 branch; `id` the node or branch identifier ("from->to");
  /// `assocStatus` 1 when plant elements are linked, else 0.
  VexGrdNodeBrData(int idClass, VexUnicodeString id, int assocStatus);

  int GetIdClass() const { return idClass_; }
  const VexUnicodeString& GetId() const { return id_; }
  int GetAssocStatus() const { return assocStatus_; }

  // The registry holds one for every node and branch: see VexObjectPool.
  VEX_POOLED_CLASS(VexGrdNodeBrData)

 private:
  // The two numbers side by side: 40 bytes instead of 48, a smaller heap block for each of the
  // registry's two million records on a large network.
  int idClass_;
  int assocStatus_;
  VexUnicodeString id_;
};

using VexListPtrVexGrdNodeBrData = VexListPtr<VexGrdNodeBrData>;
