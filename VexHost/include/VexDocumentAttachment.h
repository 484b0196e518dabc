#pragma once
// Base of the objects that a service hangs on a document ("the network model of this document").
// The document owns them and destroys them first when it closes, while its elements and its
// database connection still exist.

class VexDocumentAttachment {
 public:
  virtual ~VexDocumentAttachment() = default;
};
