#pragma once
// Tells the person what a command changed: the page shown, editor texts, list rows and combo
// lines, check marks and unit fields, which buttons became available or not, windows opened and
// closed, every message and question with its answer, the EDSA programs started, and the changes
// of the selection, the network model and the 3D viewer.
//
// Take a snapshot before a command (Begin) and print the differences after it (Report).

#include <limits>
#include <map>
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "ModelChanges.h"
#include "VexProcess.h"
#include "VexUserLog.h"

class VexDialog;
class VexDocument;
class VexFrmEditor;
class VexGrdNetworkModel;
class VexNavigation3DViewer;

class ChangeReporter {
 public:
  ChangeReporter(VexDialog* mainWindow, VexFrmEditor& editor, VexNavigation3DViewer& viewer,
                 std::ostream& out);
  ~ChangeReporter();
  ChangeReporter(const ChangeReporter&) = delete;
  ChangeReporter& operator=(const ChangeReporter&) = delete;

  void Begin();
  /// Prints what changed since Begin; a list or a group of model changes larger than 20 is told
  /// as its count and its first 10.
  void Report();
  /// Prints again what the last Report told, with every list row and every model change.
  void PrintLastChanges() const;

  /// What the person sees now, for the "show" command and the start of a session.
  struct View {
    std::set<std::string> windows;               // open windows, by title
    std::string page;                            // the panel's page
    std::map<std::string, std::string> fields;   // widget name -> its state, as printed
    std::set<std::string> available;             // usable push buttons
    std::string selection;                       // names of the selected objects
    std::map<std::string, std::string> viewer;   // object -> colour, highlight, reframe
  };
  /// Lists of more than `mostRowsInFull` rows show their first 10.
  View Capture(int mostRowsInFull = static_cast<int>(ModelChanges::kMostListedInFull)) const;
  /// The name a widget is printed under ("Navigator/ShowAllCheck", "NodeBranchDlg/BrToIdCmb").
  static std::string ShownName(const VexDialog& widget);

 private:
  struct Run {
    VexProcessStart start;
    int messagesBefore;  // entries of the user log when the program started
  };

  VexGrdNetworkModel& Model() const;
  /// The model's snapshot: the last one taken while the model has not changed since (most
  /// commands leave the network alone), else a new one.
  std::shared_ptr<const ModelSnapshot> CurrentModel() const;
  /// `inFull`, when given, restates each changed widget with all its rows.
  void PrintWidgetChanges(const View& before, const View& after, const View* inFull) const;
  void PrintViewerChanges(const View& before, const View& after) const;
  /// Messages from the user log's entry `firstEntry` on, and EDSA runs, in the order they happened.
  void PrintMessagesAndRuns(int firstEntry, const std::vector<Run>& runs,
                            int endEntry = std::numeric_limits<int>::max()) const;
  void PrintMessage(const VexUserLogEntry& entry) const;
  void PrintRun(const VexProcessStart& run) const;

  VexDialog* mainWindow_;
  VexFrmEditor& editor_;
  VexNavigation3DViewer& viewer_;
  std::ostream& out_;
  View before_;
  std::shared_ptr<const ModelSnapshot> beforeModel_;
  int logCount_ = 0;
  int observer_ = 0;
  std::vector<Run> runs_;
  // What the last Report started from, for PrintLastChanges.
  struct LastCommand {
    View view;
    std::shared_ptr<const ModelSnapshot> model;
    int logCount = 0;
    std::vector<Run> runs;
  } last_;
};
