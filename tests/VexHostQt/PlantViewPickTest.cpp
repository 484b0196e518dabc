// A person's clicks on the plant view in a whole EDSA session, drawn under Xvfb: a plain click is
// the command language's pick (the module makes the element the whole selection and shows its
// neighbourhood), Ctrl+click only adds to the selection, and a right click on an element linked
// to the network shows the module's contextual menu, whose entry acts as `entry` does.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "ModalAnswers.h"
#include "NavigatorFixture.h"
#include "TestPlant.h"
#include "VexCSO.h"
#include "VexDlgContextualMenu.h"
#include "VexDlgPushItem.h"
#include "VexNavigation3DViewer.h"
#include "VexPlacement.h"
#include "VexQtPlantView.h"
#include "VexSession.h"

namespace {

using Names = std::vector<std::string>;

class PlantViewPickTest : public NavigatorTest {
 protected:
  // Motor M1 is linked to BUS1, conduits C1 and C2 to BUS1->BUS2; cabinet CAB to nothing.
  void SetUp() override {
    MakeMasterFile();
    AddNodes({"BUS1", "BUS2"});
    AddBranch("BUS1", "BUS2");
    LinkToNode("BUS1", VexIAECElement_var(Placed("M1", {{0, 0, 0}, 1000, 1000, 1500})));
    Placed("CAB", {{6000, 0, 0}, 1000, 800, 2000});
    LinkToBranch("BUS1", "BUS2", VexIAECElement_var(Conduit("C1", {{1000, 500, 100}, {4000, 500, 100}})));
    LinkToBranch("BUS1", "BUS2", VexIAECElement_var(Conduit("C2", {{4000, 500, 100}, {4000, 3000, 100}})));
    OpenNavigator();
    view = std::make_unique<VexQtPlantView>();
    view->resize(900, 600);
    view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    view->ShowEditor(Editor(), Viewer());
    answers = std::make_unique<ModalAnswers>();
  }
  void TearDown() override {
    EXPECT_TRUE(answers->Problems().isEmpty()) << answers->Problems().join("\n").toStdString();
    answers.reset();
    view.reset();
    QApplication::processEvents();
  }

  VexVar<VexPlantElement> Placed(const std::string& name, const VexPlacement& placement) {
    auto element = AddElement(name, VexElementKind::Equipment);
    InEvent([&] { VexSetPlacement(Document(), *element, placement); });
    return element;
  }
  /// A person's click with `button` where the element `name` shows.
  void ClickOn(const std::string& name, Qt::MouseButton button, Qt::KeyboardModifiers modifiers = {}) {
    std::optional<QPoint> at = VisiblePointOf(*view, SceneIndexOf(*view->GetScene(), name));
    ASSERT_TRUE(at) << name << " is not to be seen";
    ASSERT_NE(PlantWindow(), nullptr);
    QTest::mouseClick(PlantWindow(), button, modifiers, *at);
  }
  Names Selection() {
    Names names;
    for (const VexBaseUnknown_var& leaf : Editor().GetCSO()->GetLeaves()) names.push_back(LabelOf(leaf));
    return names;
  }
  /// What the session shows after a pick: the selection, the Navigator's roots and highlighted
  /// objects, and the Associate page's list of picked elements.
  Names Outcome() {
    Names outcome = Selection();
    outcome.push_back("|");
    for (const std::string& root : Roots()) outcome.push_back(root);
    outcome.push_back("|");
    for (const std::string& object : Highlighted()) outcome.push_back(object);
    outcome.push_back("|");
    for (const std::string& row : Rows("LstOfSelObj")) outcome.push_back(row);
    return outcome;
  }
  /// The open contextual menu's entries as "identifier=text", in order.
  static Names SessionMenu() {
    Names entries;
    VexDlgContextualMenu* menu = VexSession::GetSession().GetContextMenu();
    for (VexDialog* item : menu ? menu->GetChildren() : std::vector<VexDialog*>{}) {
      if (dynamic_cast<VexDlgPushItem*>(item)) entries.push_back(std::string(item->GetName()) + "=" + item->GetTitle().str());
    }
    return entries;
  }
  static Names Shown(QMenu& menu) {
    Names entries;
    for (QAction* action : menu.actions()) {
      if (!action->isSeparator()) entries.push_back(action->objectName().toStdString() + "=" + action->text().toStdString());
    }
    return entries;
  }

  std::unique_ptr<VexQtPlantView> view;
  std::unique_ptr<ModalAnswers> answers;
};

}  // namespace

TEST_F(PlantViewPickTest, APlainClickIsThePickOfTheCommandLanguage) {
  // The command language's pick of C1 first, from a selection of two other elements.
  SelectPaths({VexBaseUnknown_var(Document().FindElementByName("C2")), VexBaseUnknown_var(Document().FindElementByName("CAB"))});
  ASSERT_TRUE(VexSession::GetSession().Pick(VexBaseUnknown_var(Document().FindElementByName("C1")),
                                            VexBaseUnknown_var(Document().FindElementByName("C1"))));
  Names picked = Outcome();
  ASSERT_EQ(Selection(), Names{"C1"}) << "the module makes the picked element the whole selection";

  // The same from the same selection, by a click.
  SelectPaths({VexBaseUnknown_var(Document().FindElementByName("C2")), VexBaseUnknown_var(Document().FindElementByName("CAB"))});
  ClickOn("C1", Qt::LeftButton);
  EXPECT_EQ(Outcome(), picked);

  // Ctrl+click adds and sends no pick: the Navigator and the picked list stay as they were.
  ClickOn("CAB", Qt::LeftButton, Qt::ControlModifier);
  Names added = picked;
  added.insert(added.begin() + 1, "CAB");
  EXPECT_EQ(Outcome(), added);
}

TEST_F(PlantViewPickTest, ARightClickOnALinkedElementShowsTheModulesMenu) {
  Names offered, shown;
  answers->ExpectMenu([&](QMenu& menu) -> QAction* {
    offered = SessionMenu();
    shown = Shown(menu);
    for (QAction* action : menu.actions()) {
      if (action->objectName() == "NewCtxMenu") return action;
    }
    return nullptr;
  });
  ClickOn("M1", Qt::RightButton);
  ASSERT_TRUE(answers->Settle());
  EXPECT_FALSE(offered.empty()) << "the module offered no entry for a linked motor";
  EXPECT_EQ(shown, offered);
  // Its one entry reframes on the motor, highlighted, as `entry NewCtxMenu` does.
  EXPECT_EQ(Highlighted(), Names{"M1"});
  ASSERT_EQ(Viewer().GetReframedObjects().size(), 1u);
  EXPECT_EQ(LabelOf(Viewer().GetReframedObjects()[0]), "M1");
  EXPECT_EQ(VexSession::GetSession().GetContextMenu(), nullptr);

  // On a conduit of the branch, seen again after "Fit all", closed without a choice: the
  // session's menu ends and nothing acts.
  QTest::mouseClick(view->findChild<QToolButton*>("FitAllButton"), Qt::LeftButton);
  answers->ExpectMenu([&](QMenu& menu) -> QAction* {
    offered = SessionMenu();
    shown = Shown(menu);
    return nullptr;
  });
  ClickOn("C1", Qt::RightButton);
  ASSERT_TRUE(answers->Settle());
  EXPECT_EQ(shown, offered);
  EXPECT_EQ(VexSession::GetSession().GetContextMenu(), nullptr);
  EXPECT_EQ(Highlighted(), Names{"M1"});

  // Beside every element there is nothing to ask a menu for: none shows.
  QPoint corner(2, 2);
  ASSERT_FALSE(view->ElementAt(corner));
  QTest::mouseClick(PlantWindow(), Qt::RightButton, {}, corner);
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
  EXPECT_EQ(VexSession::GetSession().GetContextMenu(), nullptr);
}
