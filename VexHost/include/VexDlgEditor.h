#pragma once
// A one-line text field.

#include "VexDialog.h"

class VexDlgEditor : public VexDialog {
 public:
  VexDlgEditor(VexDialog* parent, const char* identifier, int style = 0)
      : VexDialog(parent, identifier, style) {}
  const char* GetKindName() const override { return "VexDlgEditor"; }

  /// Replaces the text; `notify` 1 also sends the edit-modify notification. The maximum width
  /// limits only what a person types.
  void SetText(const VexUnicodeString& text, int notify = 0);
  VexUnicodeString GetText() const { return text_; }
  /// Empties the field without notification.
  void ClearLine() { SetText(VexUnicodeString()); }
  /// Most characters a person can type; 0 or less: no limit.
  void SetMaxCharacterWidth(int characters) {
    maxCharacters_ = characters;
    NotifyChange(VexDialogChange::State);
  }
  int GetMaxCharacterWidth() const { return maxCharacters_; }
  void SetVisibleTextWidth(int characters) { visibleWidth_ = characters; }
  int GetVisibleTextWidth() const { return visibleWidth_; }
  VexNotification* GetEditModifyNotification() { return EventNotification(kModify); }

  /// A person replaces the field's content with `text` and confirms it: the text, cut at the
  /// maximum width as the field would refuse further characters, then one modify notification.
  void TypeText(const VexUnicodeString& text);
  std::string DescribeState() const override;

 protected:
  ~VexDlgEditor() override = default;

 private:
  static constexpr const char* kModify = "EditModify";
  VexUnicodeString text_;
  int maxCharacters_ = 0;
  int visibleWidth_ = 0;
};
