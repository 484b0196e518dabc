#include "VexFmuDocChooser.h"

#include "VexError.h"
#include "VexFmuDocumentId.h"
#include "VexSession.h"

namespace {

VexDialog* HomeOf(VexDialog* parent) {
  if (!parent || parent->IsWindow()) return parent;
  VexDialog* window = parent->GetFatherWindow();
  return window ? window : parent;
}

}  // namespace

VexFmuDocChooser::VexFmuDocChooser(VexDialog* parent, const char* name, int style1, int style2)
    : dialog_(new VexDlgDialog(HomeOf(parent), name, style1)), style1_(style1), style2_(style2) {}

VexFmuDocChooser::~VexFmuDocChooser() { VexCommandDeletion(dialog_.get()); }

void VexFmuDocChooser::SetFilters(const VexUnicodeString* texts, const VexString* patterns,
                                  int count) {
  if (count < 0 || (count > 0 && (!texts || !patterns))) {
    throw VexInternalError(2, "ChooserFiltersInvalid", kVexHostCatalog, {dialog_->GetName()});
  }
  filterTexts_.RemoveAll();
  filterPatterns_.clear();
  for (int i = 0; i < count; ++i) {
    filterTexts_.Append(texts[i]);
    filterPatterns_.push_back(patterns[i]);
  }
  currentFilter_ = 0;
}

void VexFmuDocChooser::SetCurrentFilter(int filter) {
  bool inRange = filter == 0 || (filter > 0 && filter < filterTexts_.Size());
  if (!inRange) {
    throw VexInternalError(2, "ChooserFiltersInvalid", kVexHostCatalog, {dialog_->GetName()});
  }
  currentFilter_ = filter;
}

void VexFmuDocChooser::SetVisibility(int visibility) {
  bool wasShown = dialog_->GetVisibility() == VexDialog::kShown;
  dialog_->SetVisibility(visibility);
  if (visibility != VexDialog::kShown || wasShown) return;
  VexVar<VexFmuDocChooser> self(this);
  std::string description = std::string("choose a file in ") + dialog_->GetName();
  VexSession::GetSession().PostEvent(description.c_str(), [self] { self->AskUser(); });
}

void VexFmuDocChooser::AskUser() {
  // A chooser hidden or closed before the user got to it asks nothing.
  if (dialog_->GetVisibility() != VexDialog::kShown) return;
  std::optional<VexUnicodeString> path =
      VexSession::GetSession().ChooseFile(dialog_->GetTitle(), filterTexts_);
  if (path) {
    chosen_ = VexBaseUnknown_var(new VexFmuDocumentId(*path));
    dialog_->PressOK();
  } else {
    chosen_.Reset();
    dialog_->PressCancel();
  }
}

VexListValVexBaseUnknown_var VexFmuDocChooser::GetChosenDocuments() const {
  VexListValVexBaseUnknown_var documents;
  if (chosen_) documents.Append(chosen_);
  return documents;
}
