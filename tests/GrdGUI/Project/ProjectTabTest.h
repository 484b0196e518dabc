#pragma once
// The Project tab as a designer meets it: helpers over the module's session fixture.

#include <string>
#include <vector>

#include "GrdGuiFixture.h"
#include "VexDlgEditor.h"
#include "VexGrdProjFrm.h"

class ProjectTabTest : public GrdGuiTest {
 protected:
  VexGrdProjFrm& Frame() { return Ui().Get<VexGrdProjFrm>("Prj_Frame"); }

  std::string PathOf(const std::string& name) const { return (Folder() / name).string(); }
  /// A master file on disk that is not current yet; returns its path.
  std::string WriteMasterFile(const std::string& name);

  /// What the user saw for a message of display `kind` shown by the Project tab, as
  /// LastMessage() gives it.
  static std::string TabMessage(int kind, const VexUnicodeString& text);

  /// The designer keys `path` into the master-file field.
  void KeyIn(const std::string& path) { Ui().Type("MasterFileEdt", VexUnicodeString(path)); }
  std::string CurrentMaster() { return Project().GetMasterFilePath().str(); }
  std::string EditorText() { return Ui().Get<VexDlgEditor>("MasterFileEdt").GetText().str(); }
  /// 1 when the diagram, master-data and synchronize buttons are all sensitive, 0 when all are
  /// insensitive, -1 when they disagree.
  int ActionsSensitive();
  std::vector<std::string> RecentFiles() { return Texts(Frame().GetRecentMasterFiles()); }

  /// The model's nodes, then its branches ("A->B"), in creation order.
  std::vector<std::string> Model();
};
