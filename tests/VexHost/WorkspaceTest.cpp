#include <gtest/gtest.h>

#include "TestFolder.h"
#include "VexSession.h"
#include "VexWorkspace.h"

// The session and the document together: one user event is one transaction of the file.
TEST(VexWorkspaceTest, EventsCommitAndFailedEventsRollBackInFileAndMemory) {
  TestFolder folder;
  VexUnicodeString path((folder / "plant.vxd").string());
  VexSession& session = VexSession::GetSession();
  {
    auto workspace = VexWorkspace::Open(path, true);
    EXPECT_EQ(VexFrmEditor::GetCurrentEditor(), &workspace->GetEditor());
    VexDocument& document = workspace->GetDocument();
    session.RunEvent("create", [&] { document.CreateElement("C-101", "Conduit", VexElementKind::Conduit); });
    auto error = session.RunEvent(
        "create then fail",
        [&] {
          document.CreateElement("C-102", "Conduit", VexElementKind::Conduit);
          throw VexInputError(2, "DocumentMissing", kVexHostCatalog, {"x"});
        },
        VexSession::ErrorMode::Return);
    EXPECT_TRUE(error);
    EXPECT_EQ(document.GetElementCount(), 1) << "memory follows the rollback";
  }
  EXPECT_EQ(VexFrmEditor::GetCurrentEditor(), nullptr);
  auto reopened = VexWorkspace::Open(path, false);
  ASSERT_EQ(reopened->GetDocument().GetElementCount(), 1) << "the file holds the committed event only";
  EXPECT_EQ(reopened->GetDocument().GetElements()[0]->GetName(), VexUnicodeString("C-101"));
}
