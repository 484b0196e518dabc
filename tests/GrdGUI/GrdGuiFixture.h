#pragma once
// A whole EDSA session for a test, as a designer would have it: a plant document on disk in a
// private folder, its editor and 3D viewer, a private settings folder, the stand-in EDSA folder,
// a scripted user, and the EDSA command started by the session with its panel shown.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TestFolder.h"
#include "VexGrdCmd.h"
#include "VexGrdPanel.h"
#include "VexGrdProject.h"
#include "VexScriptedUser.h"
#include "VexUiDriver.h"
#include "VexWorkspace.h"

class GrdGuiTest : public ::testing::Test {
 protected:
  GrdGuiTest();
  ~GrdGuiTest() override;

  /// Starts the EDSA command as the host does: created, graph built, activated (type 0).
  void StartCommand();
  /// Ends the command by the panel's Cancel, as a person closing it would.
  void ClosePanel();
  bool CommandRunning() const;

  /// Without a document the panel has no project; call before StartCommand.
  void CloseDocument() {
    setupProject_.reset();
    workspace_.reset();
  }
  /// Makes a copy of the document `source`, named `name` in the test's folder, the test's
  /// document; call before StartCommand.
  void UseDocumentCopy(const std::filesystem::path& source, const std::string& name = "plant.vxd");

  VexGrdPanel& Panel() const;
  /// The panel's project once the command runs; before, project services of the test's own on
  /// the same document (both see one network model).
  VexGrdProject& Project();
  VexUiDriver& Ui() { return *ui_; }
  VexScriptedUser& User();
  VexDocument& Document() { return workspace_->GetDocument(); }
  VexFrmEditor& Editor() { return workspace_->GetEditor(); }
  VexNavigation3DViewer& Viewer() { return workspace_->GetViewer(); }
  const TestFolder& Folder() const { return folder_; }

  /// A plant element made in its own transaction; linear kinds get the given route (mm).
  VexVar<VexPlantElement> AddElement(const std::string& name, VexElementKind kind,
                                     std::vector<VexRoutePoint> route = {},
                                     const std::string& type = "Element");
  /// Nodes, branches ("A->B") and links made through the project services in one transaction.
  void AddNodes(const std::vector<std::string>& ids);
  void AddBranch(const std::string& from, const std::string& to);
  void LinkToNode(const std::string& node, VexIAECElement_var element);
  void LinkToBranch(const std::string& from, const std::string& to, VexIAECElement_var element);
  /// Makes `elements` the current selection, in this order.
  void Select(const std::vector<VexBaseUnknown_var>& elements);
  /// An EDSA master file in the test folder, made current in the project.
  std::string MakeMasterFile(const std::string& name = "plant.mas");

  /// Runs `event` as one user event (one document transaction), as the host runs callbacks.
  static void InEvent(const std::function<void()>& event);

  /// Texts of the module's catalog.
  static VexUnicodeString Text(const char* key);
  /// The message shown to the user `fromEnd` entries before the last, as "kind|title|text".
  static std::string LastMessage(std::size_t fromEnd = 0);
  static int MessageCount();

  /// The rows of the list at `path`, each as its cells joined with '|'.
  std::vector<std::string> Rows(const std::string& path);
  /// A person selects the row of the list at `path` whose cell `column` reads `text`.
  void ChooseRow(const std::string& path, int column, const std::string& text);
  /// The lines of a combo or a selector list, in row order.
  template <class Widget>
  static std::vector<std::string> LinesOf(const Widget& widget) {
    std::vector<std::string> lines;
    for (int row = 0; row < widget.GetLineCount(); ++row) {
      VexUnicodeString line;
      widget.GetLine(row, line);
      lines.push_back(line.str());
    }
    return lines;
  }
  static std::vector<std::string> Texts(const VexListValVexUnicodeString* list);
  /// How many windows named `name` the panel holds open.
  int OpenWindows(const char* name) const;
  /// A setting of the document's "EdsaProject" read as a later run of the host would: by another
  /// process, from the document's own settings folder.
  std::string ReadSettingElsewhere(const char* kind, const std::string& key, int count);

 private:
  TestFolder folder_;
  ScopedEnv settings_;
  ScopedEnv edsa_;
  std::unique_ptr<VexWorkspace> workspace_;
  std::unique_ptr<VexGrdProject> setupProject_;
  VexGrdCmd* command_ = nullptr;  // held by the session while it runs
  std::unique_ptr<VexUiDriver> ui_;
};
