// The contextual menu of the Navigator page: its entries by object kind, association and results,
// and what each entry does to the model, the view and EDSA.
#include "EdsaRunLog.h"
#include "NavigatorFixture.h"
#include "VexDlgCombo.h"
#include "VexDlgContextualMenu.h"
#include "VexDlgSelectorList.h"
#include "VexCSO.h"
#include "VexGrdPanel.h"
#include "VexHSO.h"
#include "VexNavigation3DViewer.h"
#include "VexSession.h"

namespace {

using Entries = std::vector<std::string>;

class NavigatorMenuTest : public NavigatorTest {
 protected:
  // BUS1 is linked to motor M1, BUS1->BUS2 to conduits C1 and C2; BUS2 has no elements.
  void SetUp() override {
    master_ = MakeMasterFile();
    AddNodes({"BUS1", "BUS2"});
    AddBranch("BUS1", "BUS2");
    motor_ = AddElement("M1", VexElementKind::Equipment);
    LinkToNode("BUS1", VexIAECElement_var(motor_));
    for (const char* name : {"C1", "C2"}) {
      LinkToBranch("BUS1", "BUS2", VexIAECElement_var(Conduit(name, {{0, 0, 0}, {500, 0, 0}})));
    }
    OpenNavigator();
  }

  VexBaseUnknown_var Node(const char* id) {
    return VexBaseUnknown_var(Project().SearchForNodeId(VexUnicodeString(id)));
  }
  /// Asks the menu on `object`; returns its entries as "identifier=text", separators bare.
  Entries MenuOn(const VexBaseUnknown_var& object) {
    EXPECT_TRUE(VexSession::GetSession().RequestContextMenu(object));
    Entries entries;
    VexDlgContextualMenu* menu = VexSession::GetSession().GetContextMenu();
    if (!menu) return entries;
    for (VexDialog* entry : menu->GetChildren()) {
      std::string text = entry->GetTitle().str();
      entries.push_back(std::string(entry->GetName()) + (text.empty() ? "" : "=" + text));
    }
    return entries;
  }
  void Choose(const VexBaseUnknown_var& object, const char* entry) {
    MenuOn(object);
    Ui().ChooseMenuItem(entry);
  }
  /// Text results for BUS1 and BUS1->BUS2, read as the Results page does.
  void ProduceTextResults() {
    Folder().Write("plant.txr", "[BUS1]\nVoltage 0.98 pu\n\nAngle -2.1 deg\n[BUS1->BUS2]\nI 120 A\n");
    InEvent([&] { Project().AnalyzeTextAnnotation(); });
  }
  std::string T(const char* key) { return Text(key).str(); }
  Entries AnalyzerLines() {
    return LinesOf(Ui().Get<VexDlgSelectorList>("ResultAnalyzerDlg/TxtNodeBrSelList"));
  }

  std::string master_;
  VexVar<VexPlantElement> motor_;
};

TEST_F(NavigatorMenuTest, EntriesDependOnKindAssociationAndResults) {
  const std::string editBus2 = "NewCtxMenu=" + T("GrdGUI_CtxMenu_EditNode") + "BUS2";
  const std::string deleteNode = "CtxDelAttr=" + T("GrdGUI_CtxMenu_DeleteNode");
  const std::string results = "ViewTxtRslt=" + T("GrdGUI_CtxMenu_ViewTxtResults");
  const std::string reframe = "CtxNdBrReframeMenu=" + T("GrdGUI_CtxMenu_ReframeRelated");

  // An associated node's menu shows in the menu_delete scenario's transcript.
  EXPECT_EQ(MenuOn(Node("BUS2")), Entries({editBus2, "CtxSep2", deleteNode}));
  EXPECT_EQ(MenuOn(VexBaseUnknown_var(motor_)),
            Entries({"NewCtxMenu=" + T("GrdGUI_CtxMenu_ReframeObject")}));

  ProduceTextResults();
  // Offered whenever the project has text results, even for a node without any.
  EXPECT_EQ(MenuOn(Node("BUS2")), Entries({editBus2, "CtxSep1", results, "CtxSep2", deleteNode}));
  EXPECT_EQ(MenuOn(VexBaseUnknown_var(Branch("BUS1", "BUS2"))),
            Entries({"NewCtxMenu=" + T("GrdGUI_CtxMenu_EditBranch") + "BUS1->BUS2", "CtxSep1",
                     results, "CtxSep2", "CtxUnlinkAttrMenu=" + T("GrdGUI_CtxMenu_UnlinkBranch"),
                     "CtxSep3", "CtxDelAttr=" + T("GrdGUI_CtxMenu_DeleteBranch"), "CtxSep4",
                     reframe}));
}

TEST_F(NavigatorMenuTest, WithoutAMasterFileTheMenuIsEmpty) {
  InEvent([&] { Project().SetMasterFilePath(VexUnicodeString()); });
  EXPECT_TRUE(MenuOn(Node("BUS1")).empty());
  EXPECT_EQ(VexSession::GetSession().GetContextMenu(), nullptr) << "an empty menu ends at once";
}

TEST_F(NavigatorMenuTest, UnlinkKeepsTheBranchAndDropsItFromTheLinkedList) {
  Choose(VexBaseUnknown_var(Branch("BUS1", "BUS2")), "CtxUnlinkAttrMenu");
  ASSERT_TRUE(Branch("BUS1", "BUS2"));
  EXPECT_EQ(Branch("BUS1", "BUS2")->GetLinkedComponents()->Size(), 0);
  EXPECT_TRUE(Rows("BranchMultiList").empty());
}

TEST_F(NavigatorMenuTest, ADeletedBranchLeavesTheSelectionAndNeverComesBackAsARoot) {
  const VexBaseUnknown_var branch(Branch("BUS1", "BUS2"));
  Ui().SelectPage("TabContainer", VexGrdPanel::kResultsTab);
  SelectPaths({branch, Node("BUS2")});
  Editor().GetHSO()->AddElement(branch);
  Ui().SelectPage("TabContainer", VexGrdPanel::kNavigatorTab);
  ASSERT_EQ(Roots(), Entries({"BUS1->BUS2", "BUS2"}));

  Choose(branch, "CtxDelAttr");
  ASSERT_FALSE(Branch("BUS1", "BUS2"));
  Entries selected;
  for (const auto& leaf : Editor().GetCSO()->GetLeaves()) selected.push_back(LabelOf(leaf));
  EXPECT_EQ(selected, Entries({"BUS2"}));
  EXPECT_TRUE(Highlighted().empty());
  Ui().SelectPage("TabContainer", VexGrdPanel::kResultsTab);
  Ui().SelectPage("TabContainer", VexGrdPanel::kNavigatorTab);
  EXPECT_EQ(Roots(), Entries({"BUS2"}));
}

TEST_F(NavigatorMenuTest, EditStartsEdsaOnTheNodeOrTheBranchEnds) {
  // The programs start without waiting, so each run is awaited before the next starts.
  Choose(VexBaseUnknown_var(Branch("BUS1", "BUS2")), "NewCtxMenu");
  ASSERT_EQ(WaitForEdsaRuns(Folder() / "edsa-runs.log", 1).size(), 1u);
  Choose(Node("BUS2"), "NewCtxMenu");
  std::vector<EdsaRun> runs = WaitForEdsaRuns(Folder() / "edsa-runs.log", 2);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].program, "winedsa.exe");
  EXPECT_EQ(runs[0].arguments, Entries({master_, "/branch", "BUS1", "BUS2"}));
  EXPECT_EQ(runs[1].arguments, Entries({master_, "/node", "BUS2"}));
}

TEST_F(NavigatorMenuTest, TextResultsOpenInOneAnalyzerAtATimeHoweverItCloses) {
  ProduceTextResults();
  Choose(Node("BUS1"), "ViewTxtRslt");
  auto& combo = Ui().Get<VexDlgCombo>("TxtNdBrCombo");
  EXPECT_EQ(LinesOf(combo), Entries({"BUS1", "BUS1->BUS2"}));
  EXPECT_EQ(combo.GetSelect(), 0);
  EXPECT_FALSE(combo.IsUsable()) << "the person reads the lines of the object they clicked";
  EXPECT_EQ(AnalyzerLines(), Entries({"Voltage 0.98 pu", "Angle -2.1 deg"})) << "no empty rows";
  Choose(VexBaseUnknown_var(Branch("BUS1", "BUS2")), "ViewTxtRslt");
  EXPECT_EQ(OpenWindows("ResultAnalyzerDlg"), 1) << "the open analyzer still shows BUS1";
  EXPECT_EQ(AnalyzerLines().size(), 2u);

  // However it is closed, its opener destroys it and the next one opens.
  for (auto close : {&VexUiDriver::PressOK, &VexUiDriver::PressCancel, &VexUiDriver::CloseWindow}) {
    (Ui().*close)("ResultAnalyzerDlg");
    EXPECT_FALSE(Ui().Exists("ResultAnalyzerDlg"));
    Choose(Node("BUS2"), "ViewTxtRslt");  // a node without results: nothing to preselect
    EXPECT_EQ(Ui().Get<VexDlgCombo>("TxtNdBrCombo").GetSelect(), -1);
    EXPECT_TRUE(AnalyzerLines().empty());
  }
  EXPECT_EQ(MessageCount(), 0);
}

TEST_F(NavigatorMenuTest, ReframeShowsTheLinkedElementsHighlighted) {
  Choose(VexBaseUnknown_var(Branch("BUS1", "BUS2")), "CtxNdBrReframeMenu");
  EXPECT_EQ(Highlighted(), Entries({"C1", "C2"}));
  Entries framed;
  for (const auto& object : Viewer().GetReframedObjects()) framed.push_back(LabelOf(object));
  EXPECT_EQ(framed, Entries({"C1", "C2"}));

  Choose(VexBaseUnknown_var(motor_), "NewCtxMenu");
  EXPECT_EQ(Highlighted(), Entries({"M1"}));
  ASSERT_EQ(Viewer().GetReframedObjects().size(), 1u);
  EXPECT_EQ(LabelOf(Viewer().GetReframedObjects()[0]), "M1");
}

}  // namespace
