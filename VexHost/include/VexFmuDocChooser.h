#pragma once
// The host's document chooser (see VexIFmuDocChooser). Its dialog is built under the father
// window of the widget that opens it (or under that widget when it is a window); releasing the
// chooser's last reference destroys the dialog after the current event.

#include <string>
#include <vector>

#include "VexDlgDialog.h"
#include "VexIFmuDocChooser.h"

class VexFmuDocChooser : public VexIFmuDocChooser {
 public:
  VexFmuDocChooser(VexDialog* parent, const char* name, int style1, int style2);

  void SetFilters(const VexUnicodeString* texts, const VexString* patterns, int count) override;
  void SetCurrentFilter(int filter) override;
  void SetVisibility(int visibility) override;
  VexDlgDialog* GetDialog() override { return dialog_.get(); }
  int HasChosenDocument() const override { return chosen_ ? 1 : 0; }
  VexListValVexBaseUnknown_var GetChosenDocuments() const override;

  const VexListValVexUnicodeString& GetFilterTexts() const { return filterTexts_; }
  int GetCurrentFilter() const { return currentFilter_; }
  /// The raw style values given at creation.
  int GetStyle1() const { return style1_; }
  int GetStyle2() const { return style2_; }

 protected:
  ~VexFmuDocChooser() override;

 private:
  void AskUser();

  VexVar<VexDlgDialog> dialog_;  // also a widget of the parent's tree
  int style1_;
  int style2_;
  VexListValVexUnicodeString filterTexts_;
  std::vector<VexString> filterPatterns_;
  int currentFilter_ = 0;
  VexBaseUnknown_var chosen_;
};
