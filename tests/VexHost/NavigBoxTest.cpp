#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "VexDlgDialog.h"
#include "VexGraphContextNotification.h"
#include "VexINavigContainer.h"
#include "VexINavigateObject.h"
#include "VexImplViewer.h"
#include "VexNavigBox.h"
#include "VexNavigContainer.h"

namespace {

// A small network: each node knows its neighbours.
class Node : public VexINavigateObject {
 public:
  explicit Node(const char* name) : name_(name) {}
  std::unique_ptr<VexListValVexBaseUnknown_var> GetNavigationChildren() override {
    auto children = std::make_unique<VexListValVexBaseUnknown_var>();
    for (Node* n : neighbours) children->Append(VexBaseUnknown_var(n));
    return children;
  }
  VexUnicodeString GetNavigationLabel() override { return name_; }
  void SetNavigationParent(VexBaseUnknown_var parent) { parent_ = parent.get(); }
  std::vector<Node*> neighbours;

 private:
  VexUnicodeString name_;
  VexBaseUnknown* parent_ = nullptr;
};

}  // namespace

TEST(NavigBoxTest, ShowsRootsAndChildrenToTheDepthWithoutDuplicates) {
  VexVar<VexDlgDialog> window(new VexDlgDialog(nullptr, "Window"));
  auto* box = new VexNavigBox(window.get(), "WindowBox", nullptr, 1, "DUDUzodavu", 350, 200,
                              nullptr, nullptr);
  VexVar<Node> a(new Node("A")), b(new Node("B")), c(new Node("C"));
  a->neighbours = {b.get(), c.get()};
  b->neighbours = {a.get(), c.get()};
  box->GetController()->SetDepth(2);
  VexVar<VexINavigContainer> container(box->GetContainer());
  ASSERT_TRUE(container);
  VexVar<VexImplViewer>(box->GetContainer())->GetGraph()->setHorizontalCentered(1);
  container->AddRoot(VexBaseUnknown_var(a));
  container->AddRoot(VexBaseUnknown_var(b));
  EXPECT_EQ(box->DescribeState(), "style=1 size=350x200");  // nothing drawn before the update
  container->UpdateDisplay();
  EXPECT_EQ(box->DescribeState(), "style=1 size=350x200\nA\n  B\n  C\nB\n  A\n  C");
  box->GetController()->SetNoDuplicate(1);
  container->UpdateDisplay();
  EXPECT_EQ(box->DescribeState(), "style=1 size=350x200\nA\n  B\n  C");
  EXPECT_EQ(container->ListRoots()->Size(), 2);
  container->RemoveAllRoots();
  container->UpdateDisplay();
  EXPECT_EQ(box->DescribeState(), "style=1 size=350x200");
}

namespace {

class DrawingCounter : public VexNavigObserver {
 public:
  void OnNavigationDrawn(VexNavigContainer& container) override {
    ++drawings;
    lastCount = container.GetDrawnObjects().size();
  }
  int drawings = 0;
  std::size_t lastCount = 0;
};

}  // namespace

TEST(NavigBoxTest, EachDrawingIsToldToObserversWithTheTreeAsObjects) {
  VexVar<VexNavigContainer> container(new VexNavigContainer);
  VexVar<Node> a(new Node("A")), b(new Node("B")), c(new Node("C"));
  a->neighbours = {b.get(), c.get()};
  container->GetController()->SetDepth(2);
  DrawingCounter counter;
  container->AddDrawObserver(&counter);
  container->AddRoot(VexBaseUnknown_var(a));
  container->AddRoot(VexBaseUnknown_var(c));
  EXPECT_EQ(counter.drawings, 0);  // roots show only with the next drawing
  container->UpdateDisplay();
  EXPECT_EQ(counter.drawings, 1);
  const auto& drawn = container->GetDrawnObjects();
  ASSERT_EQ(drawn.size(), 4u);  // A, B and C under it, then the root C
  EXPECT_EQ(drawn[0].label, "A");
  EXPECT_EQ(drawn[0].parent, -1);
  EXPECT_EQ(drawn[2].label, "C");
  EXPECT_EQ(drawn[2].parent, 0);
  EXPECT_EQ(drawn[2].level, 2);
  EXPECT_EQ(drawn[3].object, VexBaseUnknown_var(c));
  EXPECT_EQ(drawn[3].parent, -1);
  container->RemoveDrawObserver(&counter);
  container->RemoveAllRoots();
  container->UpdateDisplay();
  EXPECT_EQ(counter.drawings, 1);
  EXPECT_TRUE(container->GetDrawnObjects().empty());
}

namespace {

class MenuListener : public VexCommand {
 public:
  void OnContext(VexCommand*, VexNotification* notification, void*) {
    auto* context = dynamic_cast<VexGraphContextNotification*>(notification);
    asked = context ? context->GetObject() : nullptr;
  }
  VexBaseUnknown_var asked;
};

}  // namespace

TEST(NavigBoxTest, AMenuRequestInTheGraphReachesSubscribersOfAnySender) {
  VexVar<VexDlgDialog> window(new VexDlgDialog(nullptr, "Window"));
  window->SetVisibility(VexDialog::kShown);
  auto* box = new VexNavigBox(window.get(), "WindowBox", nullptr, 1, "", 10, 10, nullptr, nullptr);
  VexVar<MenuListener> listener(new MenuListener);
  listener->AddAnalyseNotificationCB(nullptr, VexGraphContextNotification::ClassName(),
                                     &MenuListener::OnContext, nullptr);
  VexBaseUnknown_var node(new Node("N1"));
  box->RequestContextByUser(node);
  EXPECT_EQ(listener->asked, node);
}
