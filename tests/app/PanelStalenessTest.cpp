// When the host program must start the EDSA command again: after a transaction undone as a whole,
// and after network changes made outside the panel; never after the panel's own changes. And how
// the one restart request of a session is asked for and handed over.
#include <gtest/gtest.h>

#include <functional>

#include "PanelRestart.h"
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

// The session's one restart request: the first reason of an event stands, the request is handed
// over once, nested events are watched as the outer one, and a command that no longer runs has
// nothing to restart.
TEST(PanelRestartTest, OneRequestPerEventHandedOverOnce) {
  VexStateCommand_var command(new VexStateCommand("EDSA stand-in"));
  command->Start();
  PanelRestart restart(command);
  restart.Ask("The plant model was imported.", PanelRestart::Notice::InTheReport);
  restart.Ask("The network or its links were changed outside the EDSA panel.");
  auto request = restart.Take();
  ASSERT_TRUE(request);
  EXPECT_EQ(request->reason, "The plant model was imported.");
  EXPECT_EQ(request->notice, PanelRestart::Notice::InTheReport);
  EXPECT_FALSE(restart.Take());

  restart.Ask("The last change could not be saved.");
  command->Stop();
  EXPECT_FALSE(restart.Take()) << "no command runs";
  command->Start();
  EXPECT_FALSE(restart.Take()) << "the request went with the command";
}

TEST(PanelRestartTest, AnEventInsideAnotherIsWatchedAsTheOuterOne) {
  TestFolder folder;
  auto document = VexDocument::Create(VexUnicodeString((folder / "plant.vxd").string()));
  VexGrdProject project(document.get());
  VexStateCommand_var command(new VexStateCommand("EDSA stand-in"));
  command->Start();
  PanelRestart restart(command);

  restart.BeforeEvent(*document, false);  // a menu entry of the window...
  restart.BeforeEvent(*document, true);   // ...that clicks on the panel
  {
    VexDocumentTransaction transaction(*document);
    project.CreateNode(VexUnicodeString("BUS1"));
    transaction.Commit();
  }
  restart.AfterEvent();
  EXPECT_FALSE(restart.Take()) << "asked only once the outer event is over";
  restart.AfterEvent();
  auto request = restart.Take();
  ASSERT_TRUE(request);
  EXPECT_EQ(request->reason.rfind("The network or its links", 0), 0u) << request->reason;
  EXPECT_EQ(request->notice, PanelRestart::Notice::Message);
}
