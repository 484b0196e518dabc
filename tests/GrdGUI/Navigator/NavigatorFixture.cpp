#include "NavigatorFixture.h"

#include "VexAECReviewBaseServices.h"
#include "VexCkeUnitFrame.h"
#include "VexCSO.h"
#include "VexHSO.h"
#include "VexIGrdNavigate.h"
#include "VexNavigBox.h"

std::string LabelOf(const VexBaseUnknown_var& object) {
  VexIGrdNavigate_var navigable(VexLeafOf(object));
  return navigable ? navigable->GetNavigationLabel().str() : "(not a network object)";
}

void NavigatorTest::OpenNavigator() {
  StartCommand();
  Ui().SelectPage("TabContainer", VexGrdPanel::kNavigatorTab);
}

VexVar<VexPlantElement> NavigatorTest::MakeStarAroundBus1() {
  MakeMasterFile();
  AddNodes({"BUS1", "BUS2", "BUS3", "BUS4"});
  AddBranch("BUS1", "BUS2");
  AddBranch("BUS1", "BUS3");
  VexVar<VexPlantElement> motor = AddElement("M1", VexElementKind::Equipment);
  LinkToNode("BUS1", VexIAECElement_var(motor));
  return motor;
}

VexINavigContainer_var NavigatorTest::Container() {
  return VexINavigContainer_var(Ui().Get<VexNavigBox>("WindowBox").GetContainer());
}

std::vector<std::string> NavigatorTest::Roots() {
  std::vector<std::string> labels;
  std::unique_ptr<VexListValVexBaseUnknown_var> roots = Container()->ListRoots();
  for (const VexBaseUnknown_var& root : *roots) labels.push_back(LabelOf(root));
  return labels;
}

std::string NavigatorTest::Drawing() { return Ui().Get<VexNavigBox>("WindowBox").DescribeState(); }

std::string NavigatorTest::LengthShown() {
  return Ui().Get<VexCkeUnitFrame>("NavBranchLenEditor").GetDisplayedText().str();
}

std::vector<std::string> NavigatorTest::Highlighted() {
  std::vector<std::string> labels;
  for (const VexBaseUnknown_var& leaf : Editor().GetHSO()->GetLeaves()) labels.push_back(LabelOf(leaf));
  return labels;
}

void NavigatorTest::SelectPaths(const std::vector<VexBaseUnknown_var>& objects) {
  std::vector<VexBaseUnknown_var> paths;
  for (const auto& object : objects) {
    paths.emplace_back(VexAECReviewBaseServices::GetPathElement(object));
  }
  Select(paths);
}

VexVar<VexPlantElement> NavigatorTest::Conduit(const std::string& name,
                                               std::vector<VexRoutePoint> points) {
  return AddElement(name, VexElementKind::Conduit, std::move(points), "Conduit");
}

VexIGrdBranch_var NavigatorTest::Branch(const std::string& from, const std::string& to) {
  return Project().SearchForBranchId(VexUnicodeString(from), VexUnicodeString(to));
}
