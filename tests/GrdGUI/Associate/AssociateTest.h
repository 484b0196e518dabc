#pragma once
// The Associate tab as a designer meets it: a document with plant elements and a network, an EDSA
// master file, the EDSA command running and the Associate page shown over a selection.

#include <string>
#include <vector>

#include "GrdGuiFixture.h"

class AssociateTest : public GrdGuiTest {
 protected:
  /// A conduit of the document, with a type text.
  VexVar<VexPlantElement> Conduit(const std::string& name);
  /// Selects `elements`, starts the command on a project with a master file and shows the page.
  void OpenPage(const std::vector<VexVar<VexPlantElement>>& elements);

  /// The rows of the list at `path` under the Associate page, cells joined with '|'.
  std::vector<std::string> Rows(const std::string& path);
  /// Whether a person could use the widget at `path` (sensitive, shown, with its ancestors).
  bool Usable(const std::string& path);
  /// Selects the row of the list at `path` whose column `column` shows `text`.
  void SelectRowShowing(const std::string& path, int column, const std::string& text);

  /// Names of the elements linked to the node / branch, in link order.
  std::vector<std::string> LinkedToNode(const std::string& id);
  std::vector<std::string> LinkedToBranch(const std::string& from, const std::string& to);
  /// The lines of the current master file.
  std::vector<std::string> MasterFileLines();
  /// Number of create dialogs under the panel.
  int OpenDialogCount();

  std::string masterFile_;
};
