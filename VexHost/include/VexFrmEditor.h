#pragma once
// The editor of one open plant document: its selection sets and its 3D viewers. The host program
// opens one editor per document and makes one of them current; module code finds it with
// GetCurrentEditor. An editor must be destroyed before its document.

#include <memory>
#include <vector>

#include "VexCSO.h"
#include "VexDocumentListener.h"
#include "VexHSO.h"
#include "VexISO.h"
#include "VexNavigation3DViewer.h"

class VexDocument;

class VexFrmEditor : public VexDocumentListener {
 public:
  explicit VexFrmEditor(VexDocument& document);
  /// Stops being the current editor and closes its viewers.
  ~VexFrmEditor() override;
  VexFrmEditor(const VexFrmEditor&) = delete;
  VexFrmEditor& operator=(const VexFrmEditor&) = delete;

  /// The current editor, or null when none is.
  static VexFrmEditor* GetCurrentEditor();
  void MakeCurrent();

  VexDocument* GetDocument() const { return document_; }
  VexCSO* GetCSO() { return &cso_; }
  VexHSO* GetHSO() { return &hso_; }
  VexISO* GetISO() { return &iso_; }

  /// A new 3D viewer, owned by the editor and listed last in its interactive set.
  VexNavigation3DViewer* Open3DViewer(const VexUnicodeString& name);
  void Close3DViewer(VexNavigation3DViewer* viewer);

  /// Reframes every viewer of the editor on `object`.
  void ReframeOnObject(const VexBaseUnknown_var& object);

  /// A deleted element leaves the selection sets and the viewers.
  void OnElementDeleted(VexDocument& document, VexPlantElement& element) override;
  /// A deleted network object leaves the selection sets, as a deleted element does.
  void OnObjectDeleted(VexDocument& document, VexBaseUnknown& object) override;
  /// Elements that a rollback removed from the document leave the sets and the viewers.
  void OnRolledBack(VexDocument& document) override;

 private:
  void Forget(const VexBaseUnknown_var& object);
  void ForgetDetachedElements(VexXSO& set);

  VexDocument* document_;
  VexCSO cso_;
  VexHSO hso_;
  VexISO iso_;
  std::vector<std::unique_ptr<VexNavigation3DViewer>> viewers_;
};
