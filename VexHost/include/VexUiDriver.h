#pragma once
// Drives the widget tree as a person would, for tests and the host program's scripts. Widgets are
// named by identifier paths under a root ("ProjectTab/MasterFileEdt"; intermediate frames may be
// left out, see VexDialog::FindPath). Each action is one session event; errors are rethrown.
//
//     VexUiDriver ui(panel);
//     ui.SelectPage("TabContainer", 0);
//     ui.AnswerYes();
//     ui.Type("MasterFileEdt", "/plant/net.mas");
//     EXPECT_EQ(ui.Get<VexDlgEditor>("MasterFileEdt").GetText(), "/plant/net.mas");

#include <string>
#include <typeinfo>
#include <vector>

#include "VexDialog.h"
#include "VexError.h"

class VexScriptedUser;

class VexUiDriver {
 public:
  /// Drives the tree under `root` (observed, not owned).
  explicit VexUiDriver(VexDialog* root) : root_(root) {}

  /// The widget at `path` ("" the root itself); an error naming the path when there is none.
  VexDialog& Find(const std::string& path) const;
  /// The widget at `path` as kind W; an error naming both kinds when it is another kind.
  template <class W>
  W& Get(const std::string& path) const {
    VexDialog& widget = Find(path);
    W* typed = dynamic_cast<W*>(&widget);
    if (!typed) ThrowWrongKind(widget, path, typeid(W).name());
    return *typed;
  }
  bool Exists(const std::string& path) const;

  void Push(const std::string& path);
  void Type(const std::string& path, const VexUnicodeString& text);
  void SelectRows(const std::string& path, const std::vector<int>& rows);
  void SelectLine(const std::string& path, int row);
  void SelectLine(const std::string& path, const VexUnicodeString& text);
  void Check(const std::string& path, bool checked);
  void SelectPage(const std::string& path, int page);
  /// OK, Cancel and the close box of the dialog or window at `path` ("" the root).
  void PressOK(const std::string& path = "");
  void PressCancel(const std::string& path = "");
  void CloseWindow(const std::string& path = "");
  /// Chooses the entry `identifier` of the open contextual menu.
  void ChooseMenuItem(const char* identifier);

  /// Queue the user's next answers (the session's user must be a VexScriptedUser).
  void AnswerYes();
  void AnswerNo();
  void AnswerFile(const VexUnicodeString& path);
  void CancelFileChoice();

  /// The text rendering of the widget at `path` ("" the root).
  std::string Render(const std::string& path = "") const;

 private:
  static VexScriptedUser& ScriptedUser();
  [[noreturn]] void ThrowWrongKind(const VexDialog& widget, const std::string& path,
                                   const char* wanted) const;

  VexDialog* root_;
};
