#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>

#include "TestFolder.h"
#include "VexDocument.h"
#include "VexDocumentTransaction.h"
#include "VexFrmEditor.h"
#include "VexGrdNetworkModel.h"
#include "VexGrdProject.h"
#include "VexGrdRowList.h"
#include "VexGrdUtilitiesInputErr.h"
#include "VexSqlDatabase.h"

namespace {

class NetworkModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path = (folder / "plant.vxd").string().c_str();
    document = VexDocument::Create(path);
    VexDocumentTransaction transaction(*document);
    for (const char* name : {"PUMP1", "C1", "C2"}) {
      document->CreateElement(name, "Sample", VexElementKind::Conduit);
    }
    transaction.Commit();
    project = std::make_unique<VexGrdProject>(document.get());
  }

  void Reopen() {
    project.reset();
    document.reset();
    document = VexDocument::Open(path);
    project = std::make_unique<VexGrdProject>(document.get());
  }

  VexIAECElement_var Element(const char* name) {
    return VexIAECElement_var(document->FindElementByName(name).get());
  }

  /// The nodes, then the branches, in the project's order.
  std::vector<std::string> Model() {
    std::vector<std::string> ids;
    auto nodes = project->GetLstOfNodes();
    for (const auto& node : *nodes) ids.push_back(node->GetNodeId().str());
    auto branches = project->GetLstOfBranches();
    for (const auto& branch : *branches) ids.push_back(branch->GetBranchId().str());
    return ids;
  }

  template <class Linked>
  static std::vector<std::string> LinkedNames(const Linked& object) {
    std::vector<std::string> names;
    auto components = object->GetLinkedComponents();
    for (const auto& component : *components) {
      names.push_back(VexIAECElement_var(component)->GetName().str());
    }
    return names;
  }

  int LinkRows() {
    return static_cast<int>(
        document->GetDatabase().QueryInteger("SELECT count(*) FROM grd_node_link", -1) +
        document->GetDatabase().QueryInteger("SELECT count(*) FROM grd_branch_link", -1));
  }

  TestFolder folder;
  VexUnicodeString path;
  std::unique_ptr<VexDocument> document;
  std::unique_ptr<VexGrdProject> project;
};

using Names = std::vector<std::string>;

}  // namespace

TEST_F(NetworkModelTest, CreatedLinkedAndLengthsSurviveClosingAndReopening) {
  {
    VexDocumentTransaction transaction(*document);
    project->CreateNode("BUS2");
    project->CreateNode("BUS1");
    auto branch = project->CreateBranch("BUS2", "BUS1");
    project->CreateBranch("BUS1", "BUS3");  // BUS3 does not exist: branches keep text ends
    project->LinkNode(Element("PUMP1"), project->SearchForNodeId("BUS1"));
    EXPECT_EQ(project->LinkBranch(Element("C2"), branch), 0);
    EXPECT_EQ(project->LinkBranch(Element("C1"), branch), 0);
    EXPECT_EQ(project->LinkBranch(Element("C2"), branch), 1) << "never linked twice";
    branch->SetLength(2.5);
    transaction.Commit();
  }
  Reopen();
  EXPECT_EQ(Model(), (Names{"BUS2", "BUS1", "BUS2->BUS1", "BUS1->BUS3"})) << "creation order";
  auto branch = project->SearchForBranchId("BUS2", "BUS1");
  ASSERT_TRUE(branch);
  EXPECT_EQ(LinkedNames(branch), (Names{"C2", "C1"})) << "link order";
  EXPECT_DOUBLE_EQ(branch->GetLength(), 2.5);
  EXPECT_EQ(LinkedNames(project->SearchForNodeId("BUS1")), (Names{"PUMP1"}));
  EXPECT_FALSE(project->SearchForBranchId("BUS1", "BUS2")) << "a branch has a direction";
  EXPECT_FALSE(project->SearchForNodeId("BUS3"));

  // Loaded once: the same objects everywhere, and a component is the element object itself.
  auto bus1 = project->SearchForNodeId("BUS1");
  EXPECT_EQ((*project->GetLstOfNodes())[2].get(), bus1.get());
  EXPECT_EQ(VexIAECElement_var((*bus1->GetLinkedComponents())[1]).get(), Element("PUMP1").get());
  EXPECT_EQ(VexIGrd3DComponent_var(Element("PUMP1"))->GetLinkedNodeIds(),
            VexListValVexUnicodeString{"BUS1"});
}

TEST_F(NetworkModelTest, UnlinkingAndDeletingRemoveLinksButNeverPlantElements) {
  {
    VexDocumentTransaction transaction(*document);
    auto bus1 = project->CreateNode("BUS1");
    auto bus2 = project->CreateNode("BUS2");
    auto branch = project->CreateBranch("BUS1", "BUS2");
    project->LinkNode(Element("PUMP1"), bus1);
    project->LinkNode(Element("C1"), bus2);
    project->LinkNode(Element("C2"), bus2);
    project->LinkBranch(Element("C1"), branch);
    project->LinkBranch(Element("PUMP1"), branch);
    EXPECT_EQ(project->UnLinkNode(VexIGrd3DComponent_var(Element("C1")), bus2), 0);
    EXPECT_EQ(project->UnLinkNode(VexIGrd3DComponent_var(Element("C1")), bus2), 1);
    EXPECT_EQ(LinkedNames(bus2), (Names{"C2"})) << "only that link went";

    project->DeleteNode(bus1);
    EXPECT_EQ(LinkRows(), 3);
    EXPECT_EQ(bus1->GetLinkedComponents()->Size(), 0) << "a deleted node has no links";
    EXPECT_EQ(VexIGrd3DComponent_var(Element("PUMP1"))->GetLinkedNodeIds().Size(), 0);
    EXPECT_EQ(Model(), (Names{"BUS2", "BUS1->BUS2"})) << "a deleted node leaves its branches";
    // A deleted network object leaves the selection sets in the same step.
    VexFrmEditor editor(*document);
    editor.GetCSO()->AddElement(VexBaseUnknown_var(branch.get()));
    editor.GetCSO()->AddElement(VexBaseUnknown_var(bus2.get()));
    editor.GetHSO()->AddElement(VexBaseUnknown_var(branch.get()));
    project->DeleteBranch(branch);
    EXPECT_EQ(editor.GetCSO()->GetSize(), 1) << "the deleted branch is still selected";
    EXPECT_EQ(editor.GetHSO()->GetSize(), 0) << "the deleted branch is still highlighted";
    EXPECT_EQ(LinkRows(), 1);
    document->DeleteElement(*Element("C2"));
    EXPECT_EQ(LinkedNames(bus2), Names{}) << "a deleted element takes its links along";
    transaction.Commit();
  }
  Reopen();
  EXPECT_EQ(Model(), (Names{"BUS2"}));
  EXPECT_EQ(document->GetElementCount(), 2);
  EXPECT_EQ(LinkRows(), 0);
}

TEST_F(NetworkModelTest, RollingBackAnEventRestoresTheModelInMemory) {
  VexIGrdNode_var kept;
  {
    VexDocumentTransaction transaction(*document);
    kept = project->CreateNode("BUS1");
    project->LinkNode(Element("C1"), kept);
    transaction.Commit();
  }
  document->BeginEvent();
  project->CreateNode("BUS9");
  project->UnLinkNode(VexIGrd3DComponent_var(Element("C1")), kept);
  project->CreateBranch("BUS1", "BUS9");
  document->RollbackEvent();

  EXPECT_EQ(Model(), (Names{"BUS1"}));
  EXPECT_FALSE(project->SearchForNodeId("BUS9"));
  EXPECT_EQ(project->SearchForNodeId("BUS1").get(), kept.get()) << "identity kept";
  EXPECT_EQ(LinkedNames(kept), (Names{"C1"}));

  document->BeginEvent();
  project->DeleteNode(kept);
  document->RollbackEvent();
  auto back = project->SearchForNodeId("BUS1");
  ASSERT_TRUE(back) << "a node deleted in a rolled-back event comes back";
  EXPECT_EQ(LinkedNames(back), (Names{"C1"}));
}

TEST_F(NetworkModelTest, NavigationNeighbours) {
  VexDocumentTransaction transaction(*document);
  auto bus1 = project->CreateNode("BUS1");
  project->CreateNode("BUS2");
  auto branch = project->CreateBranch("BUS1", "BUS2");
  project->CreateBranch("BUS3", "BUS1");
  project->LinkNode(Element("PUMP1"), bus1);
  project->LinkBranch(Element("C1"), branch);

  auto labels = [](const VexIGrdNavigate_var& object) {
    Names names;
    auto neighbours = object->GetNeighbours();
    for (const auto& neighbour : *neighbours) {
      names.push_back(neighbour->GetNavigationLabel().str());
    }
    return names;
  };
  EXPECT_EQ(labels(VexIGrdNavigate_var(bus1)), (Names{"BUS1->BUS2", "BUS3->BUS1", "PUMP1"}));
  EXPECT_EQ(labels(VexIGrdNavigate_var(branch)), (Names{"BUS1", "BUS2", "C1"}));
  EXPECT_EQ(labels(VexIGrdNavigate_var(project->SearchForBranchId("BUS3", "BUS1"))),
            (Names{"BUS1"}))
      << "only the ends the model holds";
  EXPECT_EQ(labels(VexIGrdNavigate_var(Element("C1"))), (Names{"BUS1->BUS2"}));

  EXPECT_EQ(VexIGrdNode_var(VexIGrdNavigate_var(bus1)->GetImpl(0)).get(), bus1.get());
  EXPECT_EQ(VexIGrdNavigate_var(Element("C1"))->GetImpl(0).get(),
            VexBaseUnknown_var(Element("C1")).get());
}

TEST_F(NetworkModelTest, BranchesAtANodeKeepCreationOrderThroughDeletionsAndRollbacks) {
  VexGrdNetworkModel& model = VexGrdNetworkModel::Of(*document);
  auto at = [&](const char* nodeId) {
    Names ids;
    for (VexGrdBranch* branch : model.GetBranchesAt(nodeId)) ids.push_back(branch->GetBranchId().str());
    return ids;
  };
  auto remove = [&](const char* from, const char* to) {
    model.DeleteBranch(*model.FindBranch(from, to));
  };
  VexDocumentTransaction transaction(*document);
  model.CreateNode("BUS1");
  for (auto [from, to] : {std::pair{"BUS1", "BUS2"}, {"BUS3", "BUS1"}, {"BUS1", "BUS1"},
                          {"BUS1", "BUS4"}, {"BUS2", "BUS3"}}) {
    model.CreateBranch(from, to);
  }
  EXPECT_EQ(at("BUS1"), (Names{"BUS1->BUS2", "BUS3->BUS1", "BUS1->BUS1", "BUS1->BUS4"}));
  EXPECT_EQ(at("BUS3"), (Names{"BUS3->BUS1", "BUS2->BUS3"})) << "a node that does not exist";

  remove("BUS3", "BUS1");  // in the middle of BUS1's branches, first of BUS3's
  EXPECT_EQ(at("BUS1"), (Names{"BUS1->BUS2", "BUS1->BUS1", "BUS1->BUS4"}));
  EXPECT_EQ(at("BUS3"), (Names{"BUS2->BUS3"}));
  remove("BUS1", "BUS4");  // the last: a branch made next goes after the one before it
  model.CreateBranch("BUS5", "BUS1");
  EXPECT_EQ(at("BUS1"), (Names{"BUS1->BUS2", "BUS1->BUS1", "BUS5->BUS1"}));
  EXPECT_EQ(at("BUS4"), Names{}) << "an identifier nothing names any more";
  remove("BUS1", "BUS2");  // the first
  remove("BUS1", "BUS1");
  EXPECT_EQ(at("BUS1"), (Names{"BUS5->BUS1"}));
  EXPECT_EQ(at("BUS2"), (Names{"BUS2->BUS3"}));
  transaction.Commit();

  document->BeginEvent();
  remove("BUS5", "BUS1");
  model.CreateBranch("BUS1", "BUS6");
  document->RollbackEvent();
  EXPECT_EQ(at("BUS1"), (Names{"BUS5->BUS1"})) << "rebuilt from the file";
  VexDocumentTransaction after(*document);
  model.CreateBranch("BUS7", "BUS1");
  EXPECT_EQ(at("BUS1"), (Names{"BUS5->BUS1", "BUS7->BUS1"}));
}

// A plant large enough that its branches are read on a second connection while the nodes are
// read on the document's own; a model loaded with an uncommitted change pending must read both on
// the document's connection, or it would miss the change.
TEST_F(NetworkModelTest, LargeNetworkLoadsAlikeWhetherBranchesAreReadAlongsideOrNot) {
  constexpr int kNodes = 40000;
  auto nodeId = [](int i) { return VexUnicodeString("B" + std::to_string(i)); };
  {
    VexGrdNetworkModel& model = VexGrdNetworkModel::Of(*document);
    VexDocumentTransaction transaction(*document);
    for (int i = 0; i < kNodes; ++i) model.CreateNode(nodeId(i));
    for (int i = 0; i < kNodes; ++i) {
      // Rings of three, every fifth branch to a node that does not exist, loops here and there.
      const VexUnicodeString to = i % 5 == 0   ? nodeId(kNodes + i)
                                  : i % 7 == 0 ? nodeId(i)
                                               : nodeId(i / 3 * 3 + (i + 1) % 3);
      VexGrdBranch& branch = *model.CreateBranch(nodeId(i), to);
      model.SetBranchLength(branch, i * 0.5);
      if (i % 3 == 0) model.SetBranchUnitCode(branch, i % 2 ? "ft" : "m");
    }
    model.DeleteBranch(*model.FindBranch(nodeId(1), nodeId(2)));
    transaction.Commit();
  }
  // Every branch with its values, and the branches at every node, in order.
  auto describe = [&] {
    VexGrdNetworkModel& model = VexGrdNetworkModel::Of(*document);
    std::vector<std::string> lines;
    int unfound = 0;
    for (VexGrdBranch* branch : model.GetBranches()) {
      if (model.FindBranch(branch->From(), branch->To()) != branch) ++unfound;
      lines.push_back(std::to_string(branch->GetRowId()) + " " + branch->GetBranchId().str() + " " +
                      std::to_string(branch->GetLength()) + " " + branch->GetUnitCode().str());
    }
    for (int i = 0; i < 2 * kNodes; ++i) {
      std::string at = nodeId(i).str() + ":";
      for (VexGrdBranch* branch : model.GetBranchesAt(nodeId(i))) {
        at += " " + branch->GetBranchId().str();
      }
      lines.push_back(at);
    }
    EXPECT_EQ(unfound, 0) << "branches not found by their ends";
    return lines;
  };
  Reopen();
  const std::vector<std::string> alongside = describe();
  EXPECT_EQ(alongside.size(), 3u * kNodes - 1);

  project.reset();
  document.reset();
  document = VexDocument::Open(path);
  document->BeginEvent();
  document->GetDatabase().Execute(
      "UPDATE grd_branch SET length = -1 WHERE from_node = 'B3';"
      "INSERT INTO grd_branch(from_node, to_node) VALUES ('B1', 'B2')");
  const std::vector<std::string> pending = describe();
  auto has = [&](const std::string& line) {
    return std::find(pending.begin(), pending.end(), line) != pending.end();
  };
  EXPECT_TRUE(has("B1: B1->B2")) << "the uncommitted branch is loaded";
  EXPECT_TRUE(has("4 B3->B4 -1.000000 ft")) << "the uncommitted length is loaded";
  document->RollbackEvent();
  EXPECT_EQ(describe(), alongside) << "reloaded on the document's connection after the rollback";
}

TEST_F(NetworkModelTest, DuplicateAndEmptyIdentifiersAreInputErrors) {
  VexDocumentTransaction transaction(*document);
  project->CreateNode("BUS1");
  project->CreateBranch("BUS1", "BUS2");
  const struct {
    const char* name;
    std::function<void()> action;
    const char* key;
  } cases[] = {
      {"node in use", [&] { project->CreateNode("BUS1"); }, "NodeExists"},
      {"branch in use", [&] { project->CreateBranch("BUS1", "BUS2"); }, "BranchExists"},
      {"empty node", [&] { project->CreateNode(""); }, "IdentifierEmpty"},
      {"empty branch end", [&] { project->CreateBranch("BUS1", ""); }, "IdentifierEmpty"},
      // Identifiers compare exactly: " BUS1" would look like BUS1 everywhere.
      {"node with a leading blank", [&] { project->CreateNode(" BUS1"); }, "IdentifierBlanks"},
      {"node with a trailing tab", [&] { project->CreateNode("BUS3\t"); }, "IdentifierBlanks"},
      {"branch end with blanks", [&] { project->CreateBranch("BUS1", " BUS3 "); }, "IdentifierBlanks"},
  };
  for (const auto& c : cases) {
    try {
      c.action();
      ADD_FAILURE() << c.name << ": no error";
    } catch (const VexGrdUtilitiesInputErr& error) {
      EXPECT_EQ(error.GetKey().str(), c.key) << c.name;
      EXPECT_EQ(error.GetSeverity(), 2) << c.name;
      if (std::string(c.key) == "IdentifierBlanks") {
        EXPECT_NE(std::string(error.what()).find("BUS"), std::string::npos) << error.what();
      }
    }
  }
  EXPECT_EQ(Model(), (Names{"BUS1", "BUS1->BUS2"}));
}

namespace {

class Counted : public VexBaseUnknown {
 public:
  explicit Counted(int value) : value(value) {}
  const int value;
};

// The values of a row list in row order.
std::vector<int> Values(const VexGrdRowList<Counted>& list) {
  std::vector<int> values;
  list.ForEach([&values](Counted& object) { values.push_back(object.value); });
  return values;
}

}  // namespace

// Many deletions make the list drop its holes; rows stay found, in order, before and after.
// The network tables as plants were made until nodes and branches lost AUTOINCREMENT: such plants
// open and change as any other, and their numbering never reuses a number.
TEST(NetworkModelFormatTest, PlantsNumberingWithAutoincrementStillOpenAndChange) {
  TestFolder folder;
  const VexUnicodeString path = (folder / "older.vxd").string().c_str();
  {
    auto document = VexDocument::Create(path);
    VexDocumentTransaction transaction(*document);
    document->GetDatabase().Execute(R"sql(
CREATE TABLE grd_node(id INTEGER PRIMARY KEY AUTOINCREMENT, identifier TEXT NOT NULL UNIQUE);
CREATE TABLE grd_branch(id INTEGER PRIMARY KEY AUTOINCREMENT, from_node TEXT NOT NULL,
  to_node TEXT NOT NULL, length REAL NOT NULL DEFAULT 0, unit_code TEXT NOT NULL DEFAULT '',
  UNIQUE (from_node, to_node));
CREATE TABLE grd_node_link(id INTEGER PRIMARY KEY AUTOINCREMENT,
  node_id INTEGER NOT NULL REFERENCES grd_node(id) ON DELETE CASCADE,
  element_id INTEGER NOT NULL REFERENCES vex_element(id) ON DELETE CASCADE,
  UNIQUE (node_id, element_id));
CREATE INDEX grd_node_link_element ON grd_node_link(element_id);
CREATE TABLE grd_branch_link(id INTEGER PRIMARY KEY AUTOINCREMENT,
  branch_id INTEGER NOT NULL REFERENCES grd_branch(id) ON DELETE CASCADE,
  element_id INTEGER NOT NULL REFERENCES vex_element(id) ON DELETE CASCADE,
  UNIQUE (branch_id, element_id));
CREATE INDEX grd_branch_link_element ON grd_branch_link(element_id);
INSERT INTO vex_schema(component, version) VALUES ('GrdModel', 1);
INSERT INTO grd_node(identifier) VALUES ('BUS1'), ('BUS2');
INSERT INTO grd_branch(from_node, to_node, length) VALUES ('BUS1', 'BUS2', 12.5);
)sql");
    transaction.Commit();
  }
  {
    auto document = VexDocument::Open(path);
    VexGrdNetworkModel& model = VexGrdNetworkModel::Of(*document);
    ASSERT_TRUE(model.FindBranch("BUS1", "BUS2"));
    EXPECT_DOUBLE_EQ(model.FindBranch("BUS1", "BUS2")->GetLength(), 12.5);
    VexDocumentTransaction transaction(*document);
    model.DeleteNode(*model.FindNode("BUS2"));
    EXPECT_EQ(model.CreateNode("BUS3")->GetRowId(), 3) << "AUTOINCREMENT never reuses 2";
    model.CreateBranch("BUS3", "BUS1");
    transaction.Commit();
  }
  auto document = VexDocument::Open(path);
  VexGrdProject project(document.get());
  auto nodes = project.GetLstOfNodes();
  ASSERT_EQ(nodes->Size(), 2);
  EXPECT_EQ((*nodes)[2]->GetNodeId().str(), "BUS3");
  EXPECT_TRUE(project.SearchForBranchId("BUS3", "BUS1"));
}

TEST(GrdRowListTest, FindsRowsInOrderThroughDeletionsAndLateRows) {
  VexGrdRowList<Counted> list;
  for (int row = 1; row <= 200; ++row) list.Add(row * 10, VexVar<Counted>(new Counted(row)));
  list.Add(15, VexVar<Counted>(new Counted(-15)));  // below the last row: put in its place
  for (int row = 2; row <= 200; ++row) {
    if (row == 100) continue;
    EXPECT_TRUE(list.Take(row * 10)) << row;
  }
  EXPECT_FALSE(list.Take(20)) << "a row is taken once";
  EXPECT_FALSE(list.Take(11)) << "a row that never was";
  EXPECT_EQ(Values(list), (std::vector<int>{1, -15, 100}));
  EXPECT_EQ(list.Size(), 3u);
  ASSERT_NE(list.Find(1000), nullptr);
  EXPECT_EQ(list.Find(1000)->value, 100);
  EXPECT_EQ(list.Find(20), nullptr);
  list.Add(2010, VexVar<Counted>(new Counted(201)));
  EXPECT_EQ(Values(list), (std::vector<int>{1, -15, 100, 201}));
}
