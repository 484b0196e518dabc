#pragma once
// One record of the panel's node and branch registry.

#include "VexList.h"
#include "VexUnicodeString.h"

class VexGrdNodeBrData {
 public:
  /// `idClass` 1 node, 2 branch; `id` the node or branch identifier ("from->to");
  /// `assocStatus` 1 when plant elements are linked, else 0.
  VexGrdNodeBrData(int idClass, VexUnicodeString id, int assocStatus);

  int GetIdClass() const { return idClass_; }
  const VexUnicodeString& GetId() const { return id_; }
  int GetAssocStatus() const { return assocStatus_; }

 private:
  int idClass_;
  VexUnicodeString id_;
  int assocStatus_;
};

using VexListPtrVexGrdNodeBrData = VexListPtr<VexGrdNodeBrData>;
