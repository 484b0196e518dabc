#pragma once
// An open plant document as the host presents it: the document, registered with the session so
// that each user event is one transaction, its editor (made current) and one 3D viewer.
// The host program and the module's tests open documents this way.

#include <memory>

#include "VexDocument.h"
#include "VexFrmEditor.h"
#include "VexNavigation3DViewer.h"

class VexWorkspace {
 public:
  /// Opens the document at `path`; creates it first when it does not exist and `create` is true.
  /// A file that is not a plant document is refused (VexInputError naming it).
  static std::unique_ptr<VexWorkspace> Open(const VexUnicodeString& path, bool create);
  /// Closes the editor, takes the document off the session, then closes the document.
  ~VexWorkspace();
  VexWorkspace(const VexWorkspace&) = delete;
  VexWorkspace& operator=(const VexWorkspace&) = delete;

  VexDocument& GetDocument() { return *document_; }
  VexFrmEditor& GetEditor() { return *editor_; }
  /// The viewer opened with the workspace ("3D View"), first in the editor's interactive set.
  VexNavigation3DViewer& GetViewer() { return *viewer_; }

 private:
  explicit VexWorkspace(std::unique_ptr<VexDocument> document);

  std::unique_ptr<VexDocument> document_;
  std::unique_ptr<VexFrmEditor> editor_;
  VexNavigation3DViewer* viewer_ = nullptr;  // owned by the editor
};
