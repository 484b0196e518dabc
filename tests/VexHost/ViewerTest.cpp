#include <gtest/gtest.h>

#include "EditorFixture.h"
#include "HostErrorExpectation.h"
#include "VexAECReviewBaseServices.h"

namespace {

class Marker : public VexBaseUnknown {};

class ViewerTest : public EditorFixture {
 protected:
  void SetUp() override {
    EditorFixture::SetUp();
    main = editor->Open3DViewer("Main");
    side = editor->Open3DViewer("Side");
  }
  VexBaseUnknown_var PathTo(const char* name) {
    return VexBaseUnknown_var(VexAECReviewBaseServices::GetPathElement(Element(name)));
  }
  static std::vector<VexBaseUnknown*> Raw(const std::vector<VexBaseUnknown_var>& objects) {
    std::vector<VexBaseUnknown*> raw;
    for (const auto& object : objects) raw.push_back(object.get());
    return raw;
  }

  VexNavigation3DViewer* main = nullptr;
  VexNavigation3DViewer* side = nullptr;
  const VexColor red{255, 0, 0};
  const VexColor blue{0, 64, 255};
};

}  // namespace

TEST_F(ViewerTest, ShowsTheDocumentsElementsAndTheInteractiveSet) {
  VexBaseUnknown_var marker(new Marker);
  EXPECT_FALSE(main->IsShown(marker));
  editor->GetISO()->AddElement(marker);
  auto shown = main->GetShownObjects();
  ASSERT_EQ(shown.size(), 5u);
  EXPECT_EQ(shown.front().get(), Element("M-101").get());
  EXPECT_EQ(shown.back().get(), marker.get());
  EXPECT_TRUE(main->IsShown(PathTo("T-3")));

  auto other = VexDocument::Create(VexUnicodeString((folder / "other.vxd").string()));
  VexDocumentTransaction transaction(*other);
  VexBaseUnknown_var stranger(other->CreateElement("X-1", "Motor", VexElementKind::Equipment));
  EXPECT_FALSE(main->IsShown(stranger));
  ExpectHostError<VexInternalError>([&] { main->SetColor(stranger, red); }, "ViewerObjectNotShown");
}

// Reframing on a set of linked elements is driven by the Navigator's menu tests.
TEST_F(ViewerTest, ReframingReachesEveryViewerAndAnEmptySetLeavesTheView) {
  editor->ReframeOnObject(Element("T-3"));
  for (auto* viewer : {main, side}) {
    EXPECT_EQ(Raw(viewer->GetReframedObjects()),
              std::vector<VexBaseUnknown*>{Element("T-3").get()});
  }
  VexHSO nothing;
  VexReframeOn(main, nothing);
  EXPECT_EQ(main->GetReframeCount(), 1);
  ExpectHostError<VexInternalError>([&] { VexReframeOn(nullptr, nothing); }, "ViewerMissing");
}

TEST_F(ViewerTest, DescribesItsStateIncludingTheEditorsHighlights) {
  editor->GetHSO()->AddElement(PathTo("C-7"));
  editor->GetHSO()->AddElement(VexBaseUnknown_var(new Marker));  // not shown: not highlighted here
  main->SetColor(Element("T-3"), blue);
  main->SetColor(Element("C-7"), red);
  editor->ReframeOnObject(Element("K-1"));
  EXPECT_EQ(main->Describe(),
            "3D viewer \"Main\"\n"
            "shown: 4 plant elements, 0 other objects\n"
            "framed on: K-1 (1 reframes)\n"
            "highlighted: C-7\n"
            "colour C-7: 255 0 0\n"
            "colour T-3: 0 64 255\n");
}

TEST_F(ViewerTest, ADeletedElementLeavesTheViewUntilItsDeletionIsRolledBack) {
  main->SetColor(Element("C-7"), red);
  editor->ReframeOnObject(Element("C-7"));
  VexBaseUnknown_var conduit = Element("C-7");
  document->BeginEvent();
  document->DeleteElement(*VexIAECElement_var(conduit));
  EXPECT_FALSE(main->IsShown(conduit));
  EXPECT_EQ(main->GetColoredCount(), 0);
  EXPECT_TRUE(main->GetReframedObjects().empty());
  document->RollbackEvent();
  EXPECT_TRUE(main->IsShown(conduit));
}
