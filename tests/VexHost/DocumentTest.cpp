#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>

#include "HostErrorExpectation.h"
#include "TestFolder.h"
#include "VexDocument.h"
#include "VexDocumentTransaction.h"

namespace {

// Every element (identifier, name, type, kind, route, attributes) and property, one per line: a
// whole document as text, to compare its states in memory and on disk.
std::string DescribeDocument(const VexDocument& document) {
  std::ostringstream out;
  for (const auto& element : document.GetElements()) {
    out << element->Id() << ' ' << element->Name() << " (" << element->TypeText() << ", "
        << VexElementKindName(element->GetKind()) << ")";
    for (const VexRoutePoint& p : element->GetRoutePoints()) {
      out << " [" << p.x << ' ' << p.y << ' ' << p.z << ']';
    }
    for (const VexElementAttribute& a : element->GetAttributes()) {
      out << ' ' << a.name << '=';
      if (a.IsNumber()) {
        out << std::get<double>(a.value);
      } else {
        out << '"' << std::get<VexUnicodeString>(a.value) << '"';
      }
    }
    out << '\n';
  }
  for (const auto& [key, value] : document.GetProperties()) out << key << ": " << value << '\n';
  return out.str();
}

class RecordingListener : public VexDocumentListener {
 public:
  void OnRolledBack(VexDocument&) override { ++rollbacks; }
  void OnElementDeleted(VexDocument&, VexPlantElement& element) override {
    deleted.push_back(element.Name().str());
  }
  int rollbacks = 0;
  std::vector<std::string> deleted;
};

class DocumentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    document = VexDocument::Create(path);
    VexDocumentTransaction transaction(*document);
    auto motor = document->CreateElement("M-101", "Motor 250 kW", VexElementKind::Equipment);
    document->SetTextAttribute(*motor, "Tag", "Pump motor, Büro");
    auto conduit = document->CreateElement("C-7", "Conduit 50 mm", VexElementKind::Conduit);
    document->SetRoutePoints(*conduit, {{0, 0, 0}, {1500.5, 0, 0}, {1500.5, 2000, -300}});
    document->SetNumberAttribute(*conduit, "InnerDiameter", 50.0);
    document->SetNumberAttribute(*conduit, "CableDiameter", 12.5);
    auto tray = document->CreateElement("T-3", "Tray 300", VexElementKind::Tray);
    document->SetProperty("MasterFile", "/projects/plant/plant.mas");
    transaction.Commit();
  }

  void Reopen() {
    document.reset();
    document = VexDocument::Open(path);
  }
  VexVar<VexPlantElement> Named(const char* name) { return document->FindElementByName(name); }

  TestFolder folder;
  VexUnicodeString path{(folder / "plant.vxd").string()};
  std::unique_ptr<VexDocument> document;
};

}  // namespace

TEST_F(DocumentTest, CommittedChangesSurviveReopening) {
  const std::int64_t conduitId = Named("C-7")->Id();
  document->BeginEvent();
  document->RenameElement(*Named("T-3"), "T-3A");
  document->SetElementType(*Named("T-3A"), "Tray 600");
  document->SetElementKind(*Named("M-101"), VexElementKind::Other);
  EXPECT_TRUE(document->RemoveAttribute(*Named("C-7"), "CableDiameter"));
  EXPECT_FALSE(document->RemoveAttribute(*Named("C-7"), "CableDiameter"));
  document->SetNumberAttribute(*Named("C-7"), "InnerDiameter", 63.0);
  auto cable = document->CreateElement("K-1", "Cable 3x95", VexElementKind::Cable);
  document->SetRoutePoints(*cable, {{1, 2, 3}, {4, 5, 6}});
  document->SetProperty("MasterFile", "/projects/plant/plant2.mas");
  document->CommitEvent();
  const std::string committed = DescribeDocument(*document);

  Reopen();
  EXPECT_EQ(DescribeDocument(*document), committed);
  EXPECT_EQ(Named("C-7")->Id(), conduitId) << "identifiers are stable";
  EXPECT_EQ(Named("T-3A")->TypeText(), VexUnicodeString("Tray 600"));
  EXPECT_EQ(Named("C-7")->GetNumberAttribute("InnerDiameter"), 63.0);
  EXPECT_EQ(Named("C-7")->GetNumberAttribute("CableDiameter"), std::nullopt);
  EXPECT_EQ(Named("M-101")->GetTextAttribute("Tag"), VexUnicodeString("Pump motor, Büro"));
  EXPECT_EQ(Named("M-101")->GetNumberAttribute("Tag"), std::nullopt) << "a text is no number";
  EXPECT_EQ(Named("K-1")->GetRoutePoints().size(), 2u);
  EXPECT_EQ(document->GetProperty("MasterFile"), VexUnicodeString("/projects/plant/plant2.mas"));

  // Loaded once: found again as the same object, through every interface.
  VexVar<VexPlantElement> conduit = Named("C-7");
  EXPECT_EQ(document->FindElement(conduitId).get(), conduit.get());
  VexIAECElement_var asInterface(conduit);
  EXPECT_EQ(asInterface->GetTypeDescriptor()->GetTypeText(), VexUnicodeString("Conduit 50 mm"));
  EXPECT_EQ(asInterface->GetImpl(0).get(), VexBaseUnknown_var(conduit).get());
  EXPECT_EQ(document->FindElement(987654), nullptr);
}

TEST_F(DocumentTest, RolledBackEventIsGoneFromFileAndMemoryAndElementsKeepIdentity) {
  RecordingListener listener;
  document->AddListener(&listener);
  const std::string before = DescribeDocument(*document);
  VexVar<VexPlantElement> conduit = Named("C-7");
  VexVar<VexPlantElement> tray = Named("T-3");

  document->BeginEvent();
  auto created = document->CreateElement("K-9", "Cable", VexElementKind::Cable);
  document->RenameElement(*conduit, "C-7 renamed");
  document->SetRoutePoints(*conduit, {});
  document->SetNumberAttribute(*conduit, "CableDiameter", 99.0);
  document->SetProperty("MasterFile", "/elsewhere.mas");
  document->SetProperty("Other", "x");
  document->DeleteElement(*tray);
  EXPECT_EQ(tray->GetDocument(), nullptr);
  EXPECT_EQ(listener.deleted, std::vector<std::string>{"T-3"});
  document->RollbackEvent();

  EXPECT_EQ(DescribeDocument(*document), before) << "memory is back";
  EXPECT_EQ(listener.rollbacks, 1);
  EXPECT_EQ(document->FindElement(tray->Id()).get(), tray.get()) << "the same object came back";
  EXPECT_EQ(tray->GetDocument(), document.get());
  EXPECT_EQ(created->GetDocument(), nullptr) << "an element created in the event is detached";
  EXPECT_EQ(document->GetTransactionDepth(), 0);
  document->RemoveListener(&listener);

  Reopen();
  EXPECT_EQ(DescribeDocument(*document), before) << "the file is back";
}

TEST_F(DocumentTest, NestedStepRollsBackAloneInsideAnEvent) {
  RecordingListener listener;
  document->AddListener(&listener);
  document->BeginEvent();
  document->RenameElement(*Named("M-101"), "M-102");
  {
    VexDocumentTransaction step(*document);
    document->RenameElement(*Named("C-7"), "C-8");
    EXPECT_EQ(document->GetTransactionDepth(), 2);
  }  // not committed: rolled back
  EXPECT_EQ(listener.rollbacks, 1);
  EXPECT_TRUE(Named("C-7"));
  document->CommitEvent();
  document->RemoveListener(&listener);

  Reopen();
  EXPECT_TRUE(Named("M-102"));
  EXPECT_TRUE(Named("C-7"));
  EXPECT_FALSE(Named("C-8"));
}

TEST_F(DocumentTest, WrongUseIsRefusedAndChangesNothing) {
  const std::string before = DescribeDocument(*document);
  VexVar<VexPlantElement> conduit = Named("C-7");
  ExpectHostError<VexInternalError>([&] { document->RenameElement(*conduit, "X"); },
                                    "DocumentNoTransaction", path.str());
  ExpectHostError<VexInternalError>([&] { document->CommitEvent(); }, "DocumentTransactionMisuse");
  ExpectHostError<VexInternalError>([&] { document->RollbackEvent(); },
                                    "DocumentTransactionMisuse");

  auto other = VexDocument::Create(VexUnicodeString((folder / "other.vxd").string()));
  document->BeginEvent();
  ExpectHostError<VexInternalError>([&] { document->BeginEvent(); }, "DocumentTransactionMisuse");
  {
    VexDocumentTransaction transaction(*other);
    auto stranger = other->CreateElement("C-7", "Conduit", VexElementKind::Conduit);
    ExpectHostError<VexInternalError>([&] { document->DeleteElement(*stranger); },
                                      "DocumentElementUnknown");
  }
  const double nan = std::numeric_limits<double>::quiet_NaN();
  ExpectHostError<VexInputError>(
      [&] {
        document->SetRoutePoints(*conduit, {{0, 0, 0}, {nan, 1, 1}});
      },
      "ElementBadRoutePoint");
  ExpectHostError<VexInputError>(
      [&] { document->SetNumberAttribute(*conduit, "Length", INFINITY); },
      "ElementBadAttributeNumber");
  ExpectHostError<VexInputError>([&] { document->SetTextAttribute(*conduit, "", "x"); },
                                 "ElementBadAttributeName");
  document->CommitEvent();
  EXPECT_EQ(DescribeDocument(*document), before);
}

TEST_F(DocumentTest, ServicesMigrateTheirTablesOnceAndNewerFilesAreRefused) {
  const std::vector<std::string> migrations{
      "CREATE TABLE grd_node(id TEXT PRIMARY KEY, element_id INTEGER "
      "REFERENCES vex_element(id) ON DELETE CASCADE)",
      "INSERT INTO grd_node VALUES ('N1', (SELECT id FROM vex_element WHERE name = 'C-7'))"};
  EXPECT_EQ(document->EnsureSchema("GrdModel", migrations), 0);
  EXPECT_EQ(document->EnsureSchema("GrdModel", migrations), 2);
  Reopen();
  EXPECT_EQ(document->EnsureSchema("GrdModel", migrations), 2);
  auto count = [&] {
    return document->GetDatabase().QueryInteger("SELECT count(*) FROM grd_node", -1);
  };
  EXPECT_EQ(count(), 1) << "a migration runs once";

  document->BeginEvent();
  document->DeleteElement(*Named("C-7"));
  EXPECT_EQ(count(), 0) << "foreign keys are on: the link went with its element";
  document->RollbackEvent();
  EXPECT_EQ(count(), 1);

  ExpectHostError<VexInternalError>(
      [&] {
        document->EnsureSchema("GrdModel", {migrations[0], migrations[1], "CREATE TABLE ("});
      },
      "DocumentStatementFailed", path.str());
  EXPECT_EQ(document->EnsureSchema("GrdModel", migrations), 2) << "the failed step left nothing";
  ExpectHostError<VexInputError>([&] { document->EnsureSchema("GrdModel", {migrations[0]}); },
                                 "DocumentNewerSchema", path.str());
}

TEST_F(DocumentTest, AttachmentsAreOwnedAndGoBeforeTheElements) {
  struct NetworkModel : VexDocumentAttachment {
    explicit NetworkModel(VexVar<VexPlantElement> linked, bool* sawDocument)
        : linked(std::move(linked)), sawDocument(sawDocument) {}
    ~NetworkModel() override { *sawDocument = linked->GetDocument() != nullptr; }
    VexVar<VexPlantElement> linked;
    bool* sawDocument;
  };
  bool replacedSawDocument = false;
  bool closedSawDocument = false;
  document->SetAttachment("GrdModel",
                          std::make_unique<NetworkModel>(Named("C-7"), &replacedSawDocument));
  auto* model = new NetworkModel(Named("T-3"), &closedSawDocument);
  document->SetAttachment("GrdModel", std::unique_ptr<VexDocumentAttachment>(model));
  EXPECT_TRUE(replacedSawDocument) << "the replaced attachment was destroyed";
  EXPECT_EQ(document->GetAttachmentAs<NetworkModel>("GrdModel"), model);
  EXPECT_EQ(document->GetAttachment("Other"), nullptr);
  VexVar<VexPlantElement> tray = Named("T-3");
  document.reset();
  EXPECT_TRUE(closedSawDocument) << "attachments go while the elements are still attached";
  EXPECT_EQ(tray->GetDocument(), nullptr) << "an element held past its document is detached";
}
