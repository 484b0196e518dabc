#include "GrdGuiFixture.h"

#include "VexApplicationFrame.h"
#include "VexCSO.h"
#include "VexDlgMultiList.h"
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

void GrdGuiTest::UseDocumentCopy(const std::filesystem::path& source, const std::string& name) {
  CloseDocument();
  const std::filesystem::path copy = folder_ / name;
  std::filesystem::copy_file(source, copy, std::filesystem::copy_options::overwrite_existing);
  workspace_ = VexWorkspace::Open(VexUnicodeString(copy.string()), false);
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

std::string GrdGuiTest::LastMessage(std::size_t fromEnd) {
  const auto& entries = VexSession::GetSession().GetUserLog().GetEntries();
  if (entries.size() <= fromEnd) return "(no such message)";
  const VexUserLogEntry& entry = entries[entries.size() - 1 - fromEnd];
  return std::to_string(entry.kind) + "|" + entry.title.str() + "|" + entry.text.str();
}

int GrdGuiTest::MessageCount() { return VexSession::GetSession().GetUserLog().GetCount(); }

std::vector<std::string> GrdGuiTest::Rows(const std::string& path) {
  auto& list = Ui().Get<VexDlgMultiList>(path);
  std::vector<std::string> rows;
  for (int row = 0; row < list.GetLineCount(); ++row) {
    std::string cells;
    for (int column = 0; column < list.GetColumnCount(); ++column) {
      VexUnicodeString cell;
      list.GetColumnItem(column, cell, row);
      cells += (column ? "|" : "") + cell.str();
    }
    rows.push_back(cells);
  }
  return rows;
}

void GrdGuiTest::ChooseRow(const std::string& path, int column, const std::string& text) {
  auto& list = Ui().Get<VexDlgMultiList>(path);
  for (int row = 0; row < list.GetLineCount(); ++row) {
    VexUnicodeString cell;
    list.GetColumnItem(column, cell, row);
    if (cell.str() == text) return Ui().SelectRows(path, {row});
  }
  FAIL() << path << " has no row reading " << text;
}

std::vector<std::string> GrdGuiTest::Texts(const VexListValVexUnicodeString* list) {
  std::vector<std::string> texts;
  for (int i = 1; list && i <= list->Size(); ++i) texts.push_back((*list)[i].str());
  return texts;
}

int GrdGuiTest::OpenWindows(const char* name) const {
  int count = 0;
  for (const VexDialog* child : Panel().GetChildren()) count += std::string(child->GetName()) == name;
  return count;
}

std::string GrdGuiTest::ReadSettingElsewhere(const char* kind, const std::string& key, int count) {
  ScopedEnv documentSettings("VEX_SETTINGS_DIR",
                             (VexSettingRepository::GetSettingsDirectory() /
                              VexSettingRepository::GetDocumentFolder(Document().GetPath().str()))
                                 .string());
  std::string output;
  int status = RunProgram(TestProgram("settings_tool"),
                          {"read", "EdsaProject", kind, key, std::to_string(count)}, {}, &output);
  return status == 0 ? output : "settings_tool failed";
}

void GrdGuiTest::InEvent(const std::function<void()>& event) {
  VexSession::GetSession().RunEvent("test", event);
}
