#include "VexUiDriver.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>

#include "VexDialogText.h"
#include "VexDlgCheckButton.h"
#include "VexDlgCombo.h"
#include "VexDlgDialog.h"
#include "VexDlgEditor.h"
#include "VexDlgMultiList.h"
#include "VexDlgPushButton.h"
#include "VexDlgTabContainer.h"
#include "VexDlgWindow.h"
#include "VexScriptedUser.h"
#include "VexSession.h"

VexDialog& VexUiDriver::Find(const std::string& path) const {
  VexDialog* widget = root_ ? root_->FindPath(path) : nullptr;
  if (!widget) {
    throw VexInputError(1, "WidgetNotFound", kVexHostCatalog,
                        {VexUnicodeString(path), VexUnicodeString(root_ ? root_->GetPathName()
                                                                        : std::string("(no root)"))});
  }
  return *widget;
}

bool VexUiDriver::Exists(const std::string& path) const {
  return root_ && root_->FindPath(path) != nullptr;
}

void VexUiDriver::ThrowWrongKind(const VexDialog& widget, const std::string& path,
                                 const char* wanted) const {
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> readable(abi::__cxa_demangle(wanted, nullptr, nullptr, &status),
                                                 std::free);
  throw VexInputError(1, "WidgetOfOtherKind", kVexHostCatalog,
                      {VexUnicodeString(path), widget.GetKindName(),
                       status == 0 && readable ? readable.get() : wanted});
}

void VexUiDriver::Push(const std::string& path) { Get<VexDlgPushButton>(path).Push(); }

void VexUiDriver::Type(const std::string& path, const VexUnicodeString& text) {
  Get<VexDlgEditor>(path).TypeText(text);
}

void VexUiDriver::SelectRows(const std::string& path, const std::vector<int>& rows) {
  Get<VexDlgMultiList>(path).SelectRowsByUser(rows);
}

void VexUiDriver::SelectLine(const std::string& path, int row) {
  Get<VexDlgCombo>(path).SelectLineByUser(row);
}

void VexUiDriver::SelectLine(const std::string& path, const VexUnicodeString& text) {
  Get<VexDlgCombo>(path).SelectLineByUser(text);
}

void VexUiDriver::Check(const std::string& path, bool checked) {
  Get<VexDlgCheckButton>(path).SetCheckedByUser(checked);
}

void VexUiDriver::SelectPage(const std::string& path, int page) {
  Get<VexDlgTabContainer>(path).SelectPageByUser(page);
}

void VexUiDriver::PressOK(const std::string& path) { Get<VexDlgDialog>(path).PressOK(); }

void VexUiDriver::PressCancel(const std::string& path) { Get<VexDlgDialog>(path).PressCancel(); }

void VexUiDriver::CloseWindow(const std::string& path) { Get<VexDlgWindow>(path).CloseWindow(); }

void VexUiDriver::ChooseMenuItem(const char* identifier) {
  VexSession::GetSession().ChooseContextMenuItem(identifier);
}

VexScriptedUser& VexUiDriver::ScriptedUser() {
  auto* user = dynamic_cast<VexScriptedUser*>(&VexSession::GetSession().GetUser());
  if (!user) throw VexInternalError(2, "UserNotScripted", kVexHostCatalog, {});
  return *user;
}

void VexUiDriver::AnswerYes() { ScriptedUser().QueueYes(); }

void VexUiDriver::AnswerNo() { ScriptedUser().QueueNo(); }

void VexUiDriver::AnswerFile(const VexUnicodeString& path) { ScriptedUser().QueueFile(path); }

void VexUiDriver::CancelFileChoice() { ScriptedUser().QueueFileCancel(); }

std::string VexUiDriver::Render(const std::string& path) const {
  return VexRenderDialogText(&Find(path));
}
