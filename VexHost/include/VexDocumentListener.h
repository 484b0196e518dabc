#pragma once
// Told about changes of a document that a holder of its data must follow (the network model).

class VexBaseUnknown;
class VexDocument;
class VexPlantElement;

class VexDocumentListener {
 public:
  virtual ~VexDocumentListener() = default;
  /// A transaction (an event or a nested step) was rolled back: the file and the document's
  /// elements are as they were when it began. Reload whatever you keep of the file.
  virtual void OnRolledBack(VexDocument& document) = 0;
  /// `element` was deleted: its rows, and rows of other tables that cascade from it, are gone.
  /// Called inside the transaction; a rollback brings the element back (OnRolledBack follows).
  virtual void OnElementDeleted(VexDocument& document, VexPlantElement& element);
  /// `object`, kept by a service of the document, was deleted (VexDocument::AnnounceDeletion).
  virtual void OnObjectDeleted(VexDocument& document, VexBaseUnknown& object);
};
