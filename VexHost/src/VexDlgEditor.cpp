#include "VexDlgEditor.h"

void VexDlgEditor::SetText(const VexUnicodeString& text, int notify) {
  text_ = text;
  NotifyChange(VexDialogChange::State);
  if (notify) NotifyEvent(kModify);
}

void VexDlgEditor::TypeText(const VexUnicodeString& text) {
  RunUserAction("type in", [this, text] {
    bool cut = maxCharacters_ > 0 && text.GetLengthInChar() > maxCharacters_;
    text_ = cut ? text.SubString(0, maxCharacters_) : text;
    NotifyChange(VexDialogChange::State);
    NotifyEvent(kModify);
  });
}

std::string VexDlgEditor::DescribeState() const { return "text=" + Quote(text_); }
