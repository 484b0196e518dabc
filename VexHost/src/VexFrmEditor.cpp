#include "VexFrmEditor.h"

#include <algorithm>

#include "VexDocument.h"
#include "VexPathElement.h"

namespace {

VexFrmEditor* currentEditor = nullptr;

}  // namespace

VexFrmEditor::VexFrmEditor(VexDocument& document) : document_(&document) {
  document.AddListener(this);
}

VexFrmEditor::~VexFrmEditor() {
  if (currentEditor == this) currentEditor = nullptr;
  document_->RemoveListener(this);
}

VexFrmEditor* VexFrmEditor::GetCurrentEditor() { return currentEditor; }

void VexFrmEditor::MakeCurrent() { currentEditor = this; }

VexNavigation3DViewer* VexFrmEditor::Open3DViewer(const VexUnicodeString& name) {
  viewers_.push_back(std::make_unique<VexNavigation3DViewer>(*this, name));
  iso_.Add3DViewer(viewers_.back().get());
  return viewers_.back().get();
}

void VexFrmEditor::Close3DViewer(VexNavigation3DViewer* viewer) {
  iso_.Remove3DViewer(viewer);
  std::erase_if(viewers_, [&](const auto& owned) { return owned.get() == viewer; });
}

void VexFrmEditor::ReframeOnObject(const VexBaseUnknown_var& object) {
  for (const auto& viewer : viewers_) viewer->ReframeOn(object);
}

void VexFrmEditor::Forget(const VexBaseUnknown_var& object) {
  cso_.RemoveElement(object);
  hso_.RemoveElement(object);
  iso_.RemoveElement(object);
}

void VexFrmEditor::OnElementDeleted(VexDocument& /*document*/, VexPlantElement& element) {
  Forget(VexBaseUnknown_var(&element));
  for (const auto& viewer : viewers_) viewer->DropHiddenObjects();
}

void VexFrmEditor::OnObjectDeleted(VexDocument& /*document*/, VexBaseUnknown& object) {
  Forget(VexBaseUnknown_var(&object));
  for (const auto& viewer : viewers_) viewer->DropHiddenObjects();
}

void VexFrmEditor::ForgetDetachedElements(VexXSO& set) {
  for (const auto& leaf : set.GetLeaves()) {
    VexIAECElement_var element(leaf);
    if (element && element->GetDocument() != document_) Forget(leaf);
  }
}

void VexFrmEditor::OnRolledBack(VexDocument& /*document*/) {
  ForgetDetachedElements(cso_);
  ForgetDetachedElements(hso_);
  ForgetDetachedElements(iso_);
  for (const auto& viewer : viewers_) viewer->DropHiddenObjects();
}
