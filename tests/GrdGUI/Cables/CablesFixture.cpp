#include "CablesFixture.h"

#include <algorithm>

#include "VexDlgEditor.h"
#include "VexDocumentTransaction.h"
#include "VexGrdPanel.h"

VexBaseUnknown_var CablesTest::AddRouteElement(const std::string& name, VexElementKind kind,
                                               std::vector<VexRoutePoint> points, double diameter) {
  auto element =
      AddElement(name, kind, std::move(points), std::string(VexElementKindName(kind)) + " 3 in");
  if (diameter > 0) {
    VexDocumentTransaction transaction(Document());
    Document().SetNumberAttribute(*element, "CableDiameter", diameter);
    transaction.Commit();
  }
  return VexBaseUnknown_var(element);
}

CablesTest::Route CablesTest::AddRoute1() {
  auto first = AddRouteElement("CD101", VexElementKind::Conduit, {{0, 0, 0}, {6000, 0, 0}}, 41.2);
  auto second =
      AddRouteElement("CD102", VexElementKind::Conduit, {{6000, 0, 0}, {6000, 4000, 0}}, 41.2);
  auto third = AddRouteElement("CD103", VexElementKind::Conduit,
                               {{6000, 4000, 0}, {6000, 4000, 3000}}, 41.2);
  return {third, first, second};
}

void CablesTest::StartOnCablesTab(const Route& selection) {
  MakeMasterFile();
  StartCommand();
  Select(selection);
  Ui().SelectPage("TabContainer", VexGrdPanel::kCablesTab);
}

VexGrdCableFrm& CablesTest::Tab() { return Ui().Get<VexGrdCableFrm>("Cables_Frame"); }

std::string CablesTest::PathIn(const std::string& name) const {
  return (std::filesystem::canonical(Folder().Path()) / name).string();
}

std::string CablesTest::Editor(const char* identifier) {
  return Ui().Get<VexDlgEditor>(identifier).GetText().str();
}

std::string CablesTest::ReportText(const std::string& text) {
  return "1|" + Text("GrdGUI_CableTab_ErrorDialogTitle").str() + "|" + text;
}

std::string CablesTest::CreateQuestion(const std::string& named) {
  return "4|" + Text("GrdGUI_CableTab_ErrorDialogTitle").str() + "|" +
         Text("GrdGUI_UnableToFindFile").str() + named + Text("GrdGUI_CreateNewFile").str();
}

std::vector<EdsaRun> CablesTest::Runs(std::size_t count) {
  return WaitForEdsaRuns(Folder() / "edsa-runs.log", count);
}

std::vector<std::string> CablesTest::CablePullModes(std::size_t count) {
  std::vector<std::string> modes;
  for (const EdsaRun& run : Runs(count)) {
    auto mode = std::find(run.arguments.begin(), run.arguments.end(), "/mode");
    if (run.program == "cablpull.exe" && mode != run.arguments.end() &&
        mode + 1 != run.arguments.end()) {
      modes.push_back(*(mode + 1));
    }
  }
  std::sort(modes.begin(), modes.end());
  return modes;
}

void CablesTest::Browse(const char* button, const std::string& path) {
  Ui().AnswerFile(VexUnicodeString(path));
  Ui().Push(button);
}
