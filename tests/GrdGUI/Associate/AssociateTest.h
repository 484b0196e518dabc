#pragma once
// The Associate tab as a designer meets it: a document with plant elements and a network, an EDSA
// master file, the EDSA command running and the Associate page shown over a selection.

#include <string>
#include <vector>

#include "GrdGuiFixture.h"

class AssociateTest : public GrdGuiTest {
 protected:
  /// A conduit of the document, with a type text.
  VexVar<VexPlantElement> Conduit(const std::string& name) {
    return AddElement(name, VexElementKind::Conduit, {}, "Conduit 50 mm");
  }
  /// Selects `elements`, starts the command on a project with a master file and shows the page.
  void OpenPage(const std::vector<VexVar<VexPlantElement>>& elements);
  /// Whether a person could use the widget at `path` (sensitive, shown, with its ancestors).
  bool Usable(const std::string& path) { return Ui().Find(path).IsUsable(); }
  /// Names of the elements linked to the node / branch, in link order.
  std::vector<std::string> LinkedToNode(const std::string& id);
  std::vector<std::string> LinkedToBranch(const std::string& from, const std::string& to);
  bool MasterFileHas(const std::string& line) {
    return Folder().Read("plant.mas").find(line + "\n") != std::string::npos;
  }
};
