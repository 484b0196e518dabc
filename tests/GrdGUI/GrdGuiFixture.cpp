#include "GrdGuiFixture.h"

#include "VexApplicationFrame.h"
#include "VexCSO.h"
#include "VexDocumentTransaction.h"
#include "VexDlgWindow.h"
#include "VexIGrdBranch.h"
#include "VexIGrdNode.h"
#include "VexMsgCatalog.h"
#include "VexSession.h"
#include "VexSettingRepository.h"

GrdGuiTest::GrdGuiTest()
    : settings_("VEX_SETTINGS_DIR", (folder_ / "settings").string()),
      edsa_("VOLTARIA_EDSA_HOME", VOLTARIA_TEST_EDSA_DIR) {
  VexSettingRepository::ForgetLoadedRepositories();
  VexSession::GetSession().SetUser(std::make_unique<VexScriptedUser>());
  VexSession::GetSession().GetUserLog().Clear();
  workspace_ = VexWorkspace::Open(VexUnicodeString((folder_ / "plant.vxd").string()), true);
}

GrdGuiTest::~GrdGuiTest() {
  if (CommandRunning()) VexSession::GetSession().CancelCommand(command_);
  ui_.reset();
  setupProject_.reset();
  workspace_.reset();
  VexSettingRepository::ForgetLoadedRepositories();
}

void GrdGuiTest::StartCommand() {
  command_ = fctCreateVexGrdCmd();
  ASSERT_NE(command_, nullptr);
  VexSession::GetSession().StartCommand(VexStateCommand_var(command_));
  ui_ = std::make_unique<VexUiDriver>(&Panel());
}

void GrdGuiTest::ClosePanel() { Ui().PressCancel(); }

bool GrdGuiTest::CommandRunning() const {
  return command_ && VexSession::GetSession().GetActiveCommandCount() > 0 && command_->IsRunning();
}

VexGrdPanel& GrdGuiTest::Panel() const {
  VexDialog* window = VexApplicationFrame::GetFrame()->GetMainWindow();
  auto* panel = dynamic_cast<VexGrdPanel*>(window->FindChild("VexGrdPanel"));
  if (!panel) throw std::runtime_error("no EDSA panel under the main window");
  return *panel;
}

VexGrdProject& GrdGuiTest::Project() {
  if (CommandRunning()) {
    VexGrdProject* project = Panel().GetProject();
    if (!project) throw std::runtime_error("the panel has no project");
    return *project;
  }
  if (!setupProject_) setupProject_ = std::make_unique<VexGrdProject>(&Document());
  return *setupProject_;
}

VexScriptedUser& GrdGuiTest::User() {
  return dynamic_cast<VexScriptedUser&>(VexSession::GetSession().GetUser());
}

VexVar<VexPlantElement> GrdGuiTest::AddElement(const std::string& name, VexElementKind kind,
                                               std::vector<VexRoutePoint> route,
                                               const std::string& type) {
  VexDocumentTransaction transaction(Document());
  auto element = Document().CreateElement(VexUnicodeString(name), VexUnicodeString(type), kind);
  if (!route.empty()) Document().SetRoutePoints(*element, std::move(route));
  transaction.Commit();
  return element;
}

void GrdGuiTest::AddNodes(const std::vector<std::string>& ids) {
  VexDocumentTransaction transaction(Document());
  for (const std::string& id : ids) Project().CreateNode(VexUnicodeString(id));
  transaction.Commit();
}

void GrdGuiTest::AddBranch(const std::string& from, const std::string& to) {
  VexDocumentTransaction transaction(Document());
  Project().CreateBranch(VexUnicodeString(from), VexUnicodeString(to));
  transaction.Commit();
}

void GrdGuiTest::LinkToNode(const std::string& node, VexIAECElement_var element) {
  VexDocumentTransaction transaction(Document());
  Project().LinkNode(element, Project().SearchForNodeId(VexUnicodeString(node)));
  transaction.Commit();
}

void GrdGuiTest::LinkToBranch(const std::string& from, const std::string& to,
                              VexIAECElement_var element) {
  VexDocumentTransaction transaction(Document());
  Project().LinkBranch(element,
                       Project().SearchForBranchId(VexUnicodeString(from), VexUnicodeString(to)));
  transaction.Commit();
}

void GrdGuiTest::Select(const std::vector<VexBaseUnknown_var>& elements) {
  VexCSO* cso = Editor().GetCSO();
  cso->Empty();
  for (const auto& element : elements) cso->AddElement(element);
}

std::string GrdGuiTest::MakeMasterFile(const std::string& name) {
  std::string path = (folder_ / name).string();
  VexDocumentTransaction transaction(Document());
  Project().CreateNewMasterFile(VexUnicodeString(path), VexUnicodeString(".mas"));
  Project().SetMasterFilePath(VexUnicodeString(path));
  transaction.Commit();
  return path;
}

VexUnicodeString GrdGuiTest::Text(const char* key) {
  VexMsgCatalog catalog;
  catalog.LoadMsgCatalog("VexGrdGUIMsgCatalog", nullptr);
  return catalog.GetCatalogMsg(key).BuildMessage(nullptr);
}

std::string GrdGuiTest::LastMessage() {
  VexUserLogEntry entry = VexSession::GetSession().GetUserLog().GetLast();
  return std::to_string(entry.kind) + "|" + entry.title.str() + "|" + entry.text.str();
}

int GrdGuiTest::MessageCount() { return VexSession::GetSession().GetUserLog().GetCount(); }

void GrdGuiTest::InEvent(const std::function<void()>& event) {
  VexSession::GetSession().RunEvent("test", event);
}
