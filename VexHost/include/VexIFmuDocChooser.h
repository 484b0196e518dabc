#pragma once
// A document chooser: a filtered file-choice dialog. Showing it (SetVisibility(2)) asks the
// session's user for a file after the current event; the answer sets the chosen document and
// dispatches the dialog's OK notification, or dispatches its Cancel notification.

#include "VexBaseUnknown.h"
#include "VexString.h"
#include "VexUnicodeString.h"

class VexDlgDialog;

class VexIFmuDocChooser : public virtual VexBaseUnknown {
 public:
  VEX_DECLARE_INTERFACE(VexIFmuDocChooser);

  /// Filters as parallel lists: texts shown ("Cable Pull Data (*.cpd)") and patterns ("*.cpd").
  virtual void SetFilters(const VexUnicodeString* texts, const VexString* patterns, int count) = 0;
  /// The filter in use, 0 to count - 1.
  virtual void SetCurrentFilter(int filter) = 0;
  /// 2 shows the chooser (the user is asked after the current event), 4 hides it.
  virtual void SetVisibility(int visibility) = 0;
  /// The chooser's dialog, publisher of the OK and Cancel notifications.
  virtual VexDlgDialog* GetDialog() = 0;
  /// 1 when the user chose a document, else 0.
  virtual int HasChosenDocument() const = 0;
  /// The chosen documents' identifiers (VexFmuServices::RetreivePath gives their paths).
  virtual VexListValVexBaseUnknown_var GetChosenDocuments() const = 0;
};
VEX_DEFINE_INTERFACE(VexIFmuDocChooser);
