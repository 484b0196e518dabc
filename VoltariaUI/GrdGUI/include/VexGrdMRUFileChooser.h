#pragma once
// A small non-modal dialog listing file paths in one column, from which the user picks one. It
// knows nothing of what the paths are: the Project tab opens it on its recent master files, the
// Cables tab on its recent cable-pull and wire-sizing files. However it is closed, it tells its
// opener with a VexGrdMRUFileChosen notification; the opener reads the picked entry and destroys
// the dialog.

#include "VexFrmDialog.h"
#include "VexMetaObject.h"
#include "VexNotification.h"

class VexDlgFrame;
class VexDlgMultiList;
class VexGrdPanel;

/// Sent by the chooser when it is confirmed, cancelled or closed.
class VexGrdMRUFileChosen : public VexNotification {
  VEX_DECLARE_CLASS(VexGrdMRUFileChosen);

 protected:
  ~VexGrdMRUFileChosen() override = default;
};

class VexGrdMRUFileChooser : public VexFrmDialog {
 public:
  /// `father` is the opening frame; the dialog hangs under its father window. `panel` gives the
  /// catalog texts (may be null).
  VexGrdMRUFileChooser(VexDialog* father, VexGrdPanel* panel,
                       const VexListValVexUnicodeString entries);
  const char* GetResourceFileName(int level) const override;

  /// The entry selected last; empty when none was, or after Cancel.
  void GetSelectedEntry(VexUnicodeString& entry);
  /// Replaces the lines of the list with the non-empty entries.
  void UpdateList(const VexListValVexUnicodeString entries);

  void SelOK(VexCommand* sender, VexNotification* notification, void* clientData);
  void SelCancel(VexCommand* sender, VexNotification* notification, void* clientData);
  void ChooseEntry(VexCommand* sender, VexNotification* notification, void* clientData);

 protected:
  ~VexGrdMRUFileChooser() override;

 private:
  void InitializePrivateData();
  void Announce();

  VexGrdPanel* _pPanel;
  VexDlgFrame* _pListFrame;
  VexDlgMultiList* _pFileList;
  VexUnicodeString _selectedEntry;
};
