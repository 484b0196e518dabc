#pragma once
// Tells the person what a command changed: the page shown, editor texts, list rows and combo
// lines, check marks and unit fields, which buttons became available or not, windows opened and
// closed, every message and question with its answer, the EDSA programs started, and the changes
// of the selection, the network model and the 3D viewer.
//
// Take a snapshot before a command (Begin) and print the differences after it (Report).

#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "VexProcess.h"
#include "VexUserLog.h"

class VexDialog;
class VexDocument;
class VexFrmEditor;
class VexNavigation3DViewer;

class ChangeReporter {
 public:
  ChangeReporter(VexDialog* mainWindow, VexFrmEditor& editor, VexNavigation3DViewer& viewer,
                 std::ostream& out);
  ~ChangeReporter();
  ChangeReporter(const ChangeReporter&) = delete;
  ChangeReporter& operator=(const ChangeReporter&) = delete;

  void Begin();
  void Report();

  /// What the person sees now, for the "show" command and the start of a session.
  struct View {
    std::set<std::string> windows;               // open windows, by title
    std::string page;                            // the panel's page
    std::map<std::string, std::string> fields;   // widget name -> its state, as printed
    std::set<std::string> available;             // usable push buttons
    std::string selection;                       // names of the selected objects
    std::map<std::string, std::string> model;    // node, branch or link -> what is told of it
    std::map<std::string, std::string> viewer;   // object -> colour, highlight, reframe
  };
  View Capture() const;
  /// The name a widget is printed under ("Navigator/ShowAllCheck", "NodeBranchDlg/BrToIdCmb").
  static std::string ShownName(const VexDialog& widget);

 private:
  void PrintWidgetChanges(const View& before, const View& after) const;
  void PrintModelChanges(const View& before, const View& after) const;
  /// Messages and EDSA runs, in the order they happened.
  void PrintMessagesAndRuns();
  void PrintMessage(const VexUserLogEntry& entry) const;
  void PrintRun(const VexProcessStart& run) const;

  VexDialog* mainWindow_;
  VexFrmEditor& editor_;
  VexNavigation3DViewer& viewer_;
  std::ostream& out_;
  View before_;
  int logCount_ = 0;
  int observer_ = 0;
  struct Run {
    VexProcessStart start;
    int messagesBefore;  // entries of the user log when the program started
  };
  std::vector<Run> runs_;
};
