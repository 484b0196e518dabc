// When the host program must start the EDSA command again: after a transaction undone as a whole,
// and after network changes made outside the panel; never after the panel's own changes.
#include <gtest/gtest.h>

#include <functional>

#include "PanelStaleness.h"
#include "TestFolder.h"
#include "VexDocument.h"
#include "VexDocumentTransaction.h"
#include "VexGrdProject.h"

namespace {

struct StalenessCase {
  const char* name;
  bool throughThePanel;
  bool commit;         // false: the transaction is rolled back
  bool changeNetwork;  // false: only a plant element changes
  const char* reason;  // the start of the reason; null for none
};

void PrintTo(const StalenessCase& c, std::ostream* out) { *out << c.name; }

class PanelStalenessTest : public ::testing::TestWithParam<StalenessCase> {};

}  // namespace

TEST_P(PanelStalenessTest, TellsWhetherThePanelStillShowsThePlant) {
  const StalenessCase& c = GetParam();
  TestFolder folder;
  auto document = VexDocument::Create(VexUnicodeString((folder / "plant.vxd").string()));
  VexGrdProject project(document.get());
  PanelStaleness staleness(*document);

  staleness.Before(c.throughThePanel);
  {
    VexDocumentTransaction transaction(*document);
    if (c.changeNetwork) {
      project.CreateNode(VexUnicodeString("BUS1"));
    } else {
      document->CreateElement("C-1", "Conduit", VexElementKind::Conduit);
    }
    if (c.commit) transaction.Commit();
  }
  const auto reason = staleness.Reason();
  if (!c.reason) {
    EXPECT_FALSE(reason) << *reason;
  } else {
    ASSERT_TRUE(reason);
    EXPECT_EQ(reason->rfind(c.reason, 0), 0u) << *reason;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Commands, PanelStalenessTest,
    ::testing::Values(
        StalenessCase{"PanelChangeSaved", true, true, true, nullptr},
        StalenessCase{"PanelChangeUndone", true, false, true, "The last change could not be saved"},
        StalenessCase{"ElementChangeUndone", true, false, false,
                      "The last change could not be saved"},
        StalenessCase{"OutsideNetworkChange", false, true, true, "The network or its links"},
        StalenessCase{"OutsideElementChange", false, true, false, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });
