#include <gtest/gtest.h>

#include "EditorFixture.h"
#include "HostErrorExpectation.h"
#include "VexAECBConverter.h"
#include "VexAECReviewBaseServices.h"

namespace {

class ITestNavigate : public virtual VexBaseUnknown {
 public:
  VEX_DECLARE_INTERFACE(ITestNavigate);
  virtual int Neighbours() = 0;
};
VEX_DEFINE_INTERFACE(ITestNavigate);

// A network object of "a later library": not a plant element.
class TestNode : public ITestNavigate {
 public:
  int Neighbours() override { return 3; }
};

// That library's view of plant elements, added by extension.
class ElementNavigate : public VexExtension, public ITestNavigate {
 public:
  using VexExtension::VexExtension;
  int Neighbours() override { return 1; }
};

class SelectionTest : public EditorFixture {
 protected:
  static void SetUpTestSuite() {
    VexExtensionRegistry::Register(
        "VexPlantElement", "ITestNavigate",
        [](VexBaseUnknown* outer) -> VexExtension* { return new ElementNavigate(outer); });
  }
  void Select(const VexBaseUnknown_var& object) {
    editor->GetCSO()->AddElement(
        VexBaseUnknown_var(VexAECReviewBaseServices::GetPathElement(object)));
  }
  VexBaseUnknown_var node{new TestNode};
  VexAECBConverter converter;
};

std::vector<std::string> NamesOf(const VexListValVexBaseUnknown_var& objects) {
  std::vector<std::string> names;
  for (const auto& object : objects) names.push_back(VexIAECElement_var(object)->GetName().str());
  return names;
}

}  // namespace

TEST_F(SelectionTest, ElementsOfTheSelectionComeInSelectionOrderAsTheSameObjects) {
  Select(Element("T-3"));
  Select(node);
  Select(Element("M-101"));
  editor->GetCSO()->AddElement(Element("C-7"));  // an element itself, without a path

  auto elements = converter.GetObjectsInCSO("VexIAECElement");
  ASSERT_TRUE(elements);
  EXPECT_EQ(NamesOf(*elements), (std::vector<std::string>{"T-3", "M-101", "C-7"}));
  auto again = converter.GetObjectsInCSO("VexIAECElement");
  for (int i = 1; i <= 3; ++i) {
    EXPECT_EQ((*again)[i].get(), (*elements)[i].get()) << "one object per element";
  }
  EXPECT_TRUE((*elements)[1] == Element("T-3"));

  auto navigable = converter.GetObjectsInCSO("ITestNavigate");
  ASSERT_EQ(navigable->Size(), 4) << "elements offer it by extension, the node itself";
  EXPECT_EQ((*navigable)[2].get(), node.get());
  EXPECT_TRUE((*navigable)[1] == Element("T-3"));
  ExpectHostError<VexInternalError>([&] { converter.GetObjectsInCSO("VexIAECElemnt"); },
                                    "UnknownInterface");
}

TEST_F(SelectionTest, SetsHoldEachLeafOnceInOrder) {
  VexXSO& set = *editor->GetHSO();
  EXPECT_EQ(set.AddElement(Element("C-7")), 1);
  EXPECT_EQ(
      set.AddElement(VexBaseUnknown_var(VexAECReviewBaseServices::GetPathElement(Element("C-7")))),
      0)
      << "a path to a selected element is the same entry";
  EXPECT_EQ(set.AddElement(node), 1);
  EXPECT_EQ(set.GetSize(), 2);
  EXPECT_TRUE(set.Contains(VexBaseUnknown_var(VexAECReviewBaseServices::GetPathElement(node))));
  EXPECT_EQ(set[2].get(), node.get());
  EXPECT_EQ(set.RemoveElement(Element("C-7")), 1);
  EXPECT_EQ(set.RemoveElement(Element("C-7")), 0);
  EXPECT_EQ(set[1].get(), node.get());
  ExpectHostError<VexInternalError>([&] { set.GetElement(2); }, "ListIndexOutOfRange");
  ExpectHostError<VexInternalError>([&] { set.AddElement(nullptr); }, "SelectionNullObject");
  set.Empty();
  EXPECT_EQ(set.GetSize(), 0);
  EXPECT_FALSE(set.Contains(node));
}

TEST_F(SelectionTest, SearchObjectsAnswerForTheirLeaf) {
  Select(Element("C-7"));
  Select(node);
  editor->GetCSO()->AddElement(Element("K-1"));

  VexISearchObject_var first((*editor->GetCSO())[1]);
  ASSERT_TRUE(first);
  ITestNavigate_var viaElement(first->QueryLeafInterface(IID_ITestNavigate));
  ASSERT_TRUE(viaElement);
  EXPECT_EQ(viaElement->Neighbours(), 1);
  EXPECT_TRUE(viaElement == Element("C-7")) << "the extension is the element";
  ITestNavigate_var viaNode(
      VexISearchObject_var((*editor->GetCSO())[2])->QueryLeafInterface(IID_ITestNavigate));
  EXPECT_EQ(viaNode->Neighbours(), 3);
  EXPECT_FALSE(first->QueryLeafInterface(IID_VexISearchObject)) << "asks the leaf, not the path";
  EXPECT_FALSE(VexISearchObject_var((*editor->GetCSO())[3]))
      << "a bare element is no search object";
  EXPECT_EQ(converter.GetObjectsInCSO("ITestNavigate")->Size(), 3);
}

TEST_F(SelectionTest, PathsAreMadeOnlyForSelectableObjects) {
  EXPECT_EQ(VexAECReviewBaseServices::GetPathElement(nullptr), nullptr);
  VexPathElement_var path = VexAECReviewBaseServices::GetPathElement(Element("K-1"));
  ASSERT_TRUE(path);
  EXPECT_TRUE(path->GetLeaf() == Element("K-1"));
  EXPECT_EQ(VexAECReviewBaseServices::GetPathElement(VexBaseUnknown_var(path)).get(), path.get());

  VexBaseUnknown_var deleted = Element("K-1");
  VexDocumentTransaction transaction(*document);
  document->DeleteElement(*VexIAECElement_var(deleted));
  EXPECT_EQ(VexAECReviewBaseServices::GetPathElement(deleted), nullptr);
  transaction.Commit();
}

TEST_F(SelectionTest, DeletedAndRolledBackElementsLeaveTheSelection) {
  Select(Element("C-7"));
  Select(Element("T-3"));
  editor->GetHSO()->AddElement(Element("T-3"));
  document->BeginEvent();
  document->DeleteElement(*VexIAECElement_var(Element("T-3")));
  auto created = document->CreateElement("K-2", "Cable", VexElementKind::Cable);
  Select(VexBaseUnknown_var(created));
  EXPECT_EQ(editor->GetCSO()->GetSize(), 2) << "T-3 left, K-2 came";
  EXPECT_EQ(editor->GetHSO()->GetSize(), 0);
  document->RollbackEvent();
  EXPECT_EQ(NamesOf(*converter.GetObjectsInCSO("VexIAECElement")), std::vector<std::string>{"C-7"})
      << "K-2 no longer exists";
}
