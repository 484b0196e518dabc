// The network model's changes as the transcript tells them: the lines a person has always read
// for small changes, and a count with the first lines for large ones.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>

#include "ModelChanges.h"
#include "TestFolder.h"
#include "VexDocument.h"
#include "VexDocumentTransaction.h"
#include "VexGrdNetworkModel.h"

namespace {

class ModelChangesTest : public ::testing::Test {
 protected:
  ModelChangesTest()
      : document_(VexDocument::Create(VexUnicodeString((folder_ / "plant.vxd").string()))),
        model_(VexGrdNetworkModel::Of(*document_)) {}

  // Runs `change` in a transaction and answers what the transcript tells of it.
  template <class Change>
  std::string Told(Change change, bool inFull = false) {
    ModelSnapshot before(model_);
    VexDocumentTransaction transaction(*document_);
    change();
    transaction.Commit();
    std::ostringstream out;
    ModelChanges(before, ModelSnapshot(model_)).Print(out, inFull);
    return out.str();
  }

  static VexUnicodeString Id(const char* prefix, int i) {
    return VexUnicodeString(prefix + std::to_string(100 + i));
  }

  TestFolder folder_;
  std::unique_ptr<VexDocument> document_;
  VexGrdNetworkModel& model_;
};

TEST_F(ModelChangesTest, SmallChangesAreToldLineByLineInTheOrderOfTheirTexts) {
  std::string told = Told([&] {
    model_.CreateNode("B");
    auto a = model_.CreateNode("A");
    model_.CreateBranch("A", "B");
    auto fan = document_->CreateElement("FAN1", "Fan", VexElementKind::Equipment);
    model_.Link(*a, *fan);
  });
  EXPECT_EQ(told,
            "  model: + branch A->B\n"
            "  model: + link A - FAN1\n"
            "  model: + node A\n"
            "  model: + node B\n");

  VexGrdBranch* branch = model_.FindBranch("A", "B");
  EXPECT_EQ(Told([&] {
              model_.SetBranchUnitCode(*branch, "MT");
              model_.SetBranchLength(*branch, 13);
              model_.CreateBranch("B", "A");
            }),
            "  model: branch A->B: length 13 MT\n"
            "  model: + branch B->A\n");
  // A node deleted and made again under its identifier is no change; its lost link is.
  EXPECT_EQ(Told([&] {
              model_.DeleteNode(*model_.FindNode("A"));
              model_.CreateNode("A");
            }),
            "  model: - link A - FAN1\n");
  EXPECT_EQ(Told([] {}), "");
}

TEST_F(ModelChangesTest, LargeGroupsAreToldAsTheirCountAndFirstTenUnlessAskedInFull) {
  const int count = static_cast<int>(ModelChanges::kMostListedInFull) + 5;
  auto addNetwork = [&] {
    // Made in reverse: the first lines told are the first in text order, not in creation order.
    for (int i = count - 1; i >= 0; --i) model_.CreateNode(Id("N", i));
    for (int i = 0; i < 3; ++i) model_.CreateBranch(Id("N", i), Id("N", i + 1));
  };
  ModelSnapshot empty(model_);
  std::string told = Told(addNetwork);
  std::string expected = "  model: + branch N100->N101\n  model: + branch N101->N102\n"
                         "  model: + branch N102->N103\n"
                         "  model: + " + std::to_string(count) + " nodes, the first 10:\n";
  for (int i = 0; i < 10; ++i) expected += "  model: + node " + Id("N", i).str() + "\n";
  expected += "  model:   ... and " + std::to_string(count - 10) +
              " more (the command changes lists them all)\n";
  EXPECT_EQ(told, expected);

  std::ostringstream inFull;
  ModelChanges(empty, ModelSnapshot(model_)).Print(inFull, true);
  std::string all = inFull.str();
  EXPECT_EQ(std::count(all.begin(), all.end(), '\n'), count + 3);
  EXPECT_NE(all.find("  model: + node " + Id("N", count - 1).str() + "\n"), std::string::npos);

  std::string removed = Told([&] {
    for (int i = 0; i < count; ++i) model_.DeleteNode(*model_.FindNode(Id("N", i)));
  });
  EXPECT_EQ(removed.substr(0, removed.find('\n')),
            "  model: - " + std::to_string(count) + " nodes, the first 10:");
}

TEST_F(ModelChangesTest, ASnapshotStaysCurrentUntilTheModelChanges) {
  ModelSnapshot snapshot(model_);
  EXPECT_TRUE(snapshot.IsCurrent(model_));
  VexDocumentTransaction transaction(*document_);
  model_.CreateNode("A");
  EXPECT_FALSE(snapshot.IsCurrent(model_));
}

}  // namespace
