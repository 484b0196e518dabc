#include "ScriptInterpreter.h"

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <fstream>
#include <set>
#include <sstream>

#include "ChangeReporter.h"
#include "CommandWords.h"
#include "PanelRestart.h"
#include "TerminalUser.h"
#include "VexAECReviewBaseServices.h"
#include "VexApplicationFrame.h"
#include "VexCSO.h"
#include "VexDialogText.h"
#include "VexDlgContextualMenu.h"
#include "VexDlgMultiList.h"
#include "VexDlgPushItem.h"
#include "VexDlgTabContainer.h"
#include "VexDlgTabPage.h"
#include "VexDlgWindow.h"
#include "VexError.h"
#include "VexGrdBranch.h"
#include "VexGrdNetworkModel.h"
#include "VexGrdNode.h"
#include "VexParmDictionary.h"
#include "VexProcess.h"
#include "VexSession.h"
#include "VexUiDriver.h"
#include "VexWorkspace.h"

namespace {

int ParseNumber(const std::string& text, const char* what) {
  std::size_t used = 0;
  int value = 0;
  try {
    value = std::stoi(text, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used != text.size()) throw std::invalid_argument(std::string(what) + " must be a number, not \"" + text + "\"");
  return value;
}

bool IsYes(const std::string& word) {
  if (word == "yes" || word == "y" || word == "on") return true;
  if (word == "no" || word == "n" || word == "off") return false;
  throw std::invalid_argument("say yes or no (on or off), not \"" + word + "\"");
}

}  // namespace

ScriptInterpreter::ScriptInterpreter(VexWorkspace& workspace, PanelRestart& restart,
                                     TerminalUser& user, ChangeReporter& reporter, std::ostream& out)
    : workspace_(workspace), restart_(restart), user_(user), reporter_(reporter), out_(out) {
  DefineCommands();
  processObserver_ = VexAddProcessObserver([this](const VexProcessStart& start) { started_.push_back(start); });
}

ScriptInterpreter::~ScriptInterpreter() { VexRemoveProcessObserver(processObserver_); }

void ScriptInterpreter::Define(const std::string& name, std::string usage, std::string help,
                               int minArguments, Handler handler, bool reportsChanges) {
  commands_[name] = {std::move(usage), std::move(help), minArguments, std::move(handler), reportsChanges};
  order_.push_back(name);
}

void ScriptInterpreter::DefineCommands() {
  auto ui = [this](const std::string& name) { return VexUiDriver(&Widget(name)); };
  Define("help", "help [command]", "list the commands, or explain one", 0,
         [this](const auto& a) { Help(a); }, false);
  Define("show", "show [widget]", "show what the panel shows now, or one widget in detail", 0,
         [this](const auto& a) { Show(a); }, false);
  Define("tab", "tab <page>", "click a tab: Project, Associate, Navigator, Analysis, Results, Cables", 1,
         [this](const auto& a) { Tab(a); });
  Define("push", "push <button>", "push a button, e.g. push Synchronize", 1,
         [ui](const auto& a) { ui(a[1]).Push(""); });
  Define("type", "type <editor> <text>", "type a text into an editor (\"\" empties it)", 1,
         [ui, this](const auto& a) { ui(a[1]).Type("", VexUnicodeString(Rest(a, 2))); });
  Define("check", "check <check button> on|off", "tick or untick a check button", 2,
         [ui](const auto& a) { ui(a[1]).Check("", IsYes(a[2])); });
  Define("select", "select <list> <row> [<row> ...]|none",
         "select rows of a list: numbers from 0, or a cell's text, or A->B", 2,
         [this](const auto& a) { Select(a); });
  Define("choose", "choose <combo> <line text>|#<row>", "choose a line of a combo", 2,
         [ui, this](const auto& a) {
           std::string line = Rest(a, 2);
           if (line.size() > 1 && line[0] == '#') {
             ui(a[1]).SelectLine("", ParseNumber(line.substr(1), "the row"));
           } else {
             ui(a[1]).SelectLine("", VexUnicodeString(line));
           }
         });
  Define("elements", "elements <name> [<name> ...]|none", "select plant elements by name in the 3D view", 1,
         [this](const auto& a) { Elements(a); });
  Define("pick", "pick <object>", "pick a node, a branch (A->B) or a plant element in the 3D view", 1,
         [this](const auto& a) {
           VexBaseUnknown_var object = FindObject(Rest(a, 1));
           if (!VexSession::GetSession().Pick(object, object)) out_ << "  (nothing took the pick)\n";
         });
  Define("menu", "menu <object>", "ask for the contextual menu of a node, a branch or an element", 1,
         [this](const auto& a) {
           if (!VexSession::GetSession().RequestContextMenu(FindObject(Rest(a, 1)))) {
             out_ << "  (nothing offers a menu for it here)\n";
           }
         });
  Define("entry", "entry <number>|<identifier>|<text>", "choose an entry of the open contextual menu", 1,
         [this](const auto& a) { Entry(a); });
  Define("dismiss", "dismiss", "close the contextual menu without choosing", 0,
         [](const auto&) { VexSession::GetSession().DismissContextMenu(); });
  Define("answer", "answer yes|no", "answer the next question", 1,
         [this](const auto& a) { IsYes(a[1]) ? user_.QueueYes() : user_.QueueNo(); }, false);
  Define("file", "file <path>|cancel", "choose this file in the next file chooser (or cancel it)", 1,
         [this](const auto& a) {
           std::string path = Rest(a, 1);
           if (path == "cancel") {
             user_.QueueFileCancel();
           } else {
             user_.QueueFile(VexUnicodeString(path));
           }
         }, false);
  Define("ok", "ok [dialog]", "press OK of a dialog (default: the panel)", 0,
         [ui, this](const auto& a) { ui(Rest(a, 1)).PressOK(""); });
  Define("cancel", "cancel [dialog]", "press Cancel of a dialog (default: the panel)", 0,
         [ui, this](const auto& a) { ui(Rest(a, 1)).PressCancel(""); });
  Define("close", "close [window]", "click the close box of a window (default: the panel)", 0,
         [ui, this](const auto& a) { ui(Rest(a, 1)).CloseWindow(""); });
  Define("unit", "unit <symbol>", "work in this length unit: mm, cm, m, km, in, ft, yd, mi", 1,
         [this](const auto& a) {
           VexParmDictionary::SetCurrentUnit("LENGTH", a[1].c_str());
           out_ << "  length unit: " << a[1] << '\n';
         }, false);
  Define("model", "model", "print the network: nodes, branches and their plant elements", 0,
         [this](const auto&) { PrintModel(); }, false);
  Define("viewer", "viewer", "print the 3D view: colours, highlights, what is in view", 0,
         [this](const auto&) { out_ << workspace_.GetViewer().Describe(); }, false);
  Define("log", "log", "print every message and question so far", 0,
         [this](const auto&) { out_ << VexSession::GetSession().GetUserLog().ToText(); }, false);
  Define("changes", "changes", "print all the last command changed: every list row, every model change", 0,
         [this](const auto&) { reporter_.PrintLastChanges(); }, false);
  Define("runs", "runs", "print the EDSA runs of this session in the order they started, with the times EDSA recorded", 0,
         [this](const auto&) { PrintRuns(); }, false);
  Define("import", "import <model file>",
         "import plant elements from an IFC model or a plant text file (again: update them)", 1,
         [this](const auto& a) { Import(a); });
  Define("echo", "echo <text>", "print a line (for comments in a transcript)", 0,
         [this](const auto& a) { out_ << Rest(a, 1) << '\n'; }, false);
  Define("quit", "quit", "close the panel (its settings are saved) and end the session", 0,
         [](const auto&) {}, false);
}

// '#' starts a comment at the start of the line or as a word of its own ("# why"), so that
// "#2" can name a row.
std::vector<std::string> ScriptInterpreter::SplitWords(const std::string& line) {
  return SplitCommandWords(line);
}

std::string ScriptInterpreter::Rest(const std::vector<std::string>& args, std::size_t from) const {
  std::string text;
  for (std::size_t i = from; i < args.size(); ++i) text += (i > from ? " " : "") + args[i];
  return text;
}

// The plant folder is put in after the line is split, so that blanks, quotes or '#' in the
// folder's name stay inside the word that names it.
void ScriptInterpreter::Expand(std::vector<std::string>& words) const {
  std::string folder = std::filesystem::path(workspace_.GetDocument().GetPath().str()).parent_path().string();
  const std::string mark = kPlantFolder;
  for (std::string& word : words) {
    for (std::size_t at = word.find(mark); at != std::string::npos; at = word.find(mark, at + folder.size())) {
      word.replace(at, mark.size(), folder);
    }
  }
}

ScriptInterpreter::Outcome ScriptInterpreter::Execute(const std::string& line) {
  lastError_.clear();
  try {
    std::vector<std::string> words = SplitWords(line);
    Expand(words);
    if (words.empty()) return Outcome::Done;
    auto command = commands_.find(words[0]);
    if (command == commands_.end()) {
      throw std::invalid_argument("unknown command \"" + words[0] + "\" (type help for the list)");
    }
    if (static_cast<int>(words.size()) - 1 < command->second.minArguments) {
      throw std::invalid_argument("usage: " + command->second.usage);
    }
    if (words[0] == "quit") return Outcome::Quit;
    bool report = command->second.reportsChanges;
    if (report) reporter_.Begin();
    try {
      command->second.handler(words);
      programRuns_.AwaitEnds();  // the next command reads finished results
    } catch (...) {
      programRuns_.AwaitEnds();
      if (report) reporter_.Report();  // what the failed action showed before it failed
      throw;
    }
    if (report) reporter_.Report();
    return Outcome::Done;
  } catch (const VexError& error) {
    std::string key = error.GetKey().str();
    if (key == "UnexpectedQuestion" || key == "UnexpectedFileChoice") {
      lastError_ = std::string(error.what()) +
                   " - queue the answer first (answer yes|no, or file <path>|cancel)";
    } else {
      lastError_ = error.what();
    }
  } catch (const std::exception& error) {
    lastError_ = error.what();
  }
  out_ << "error: " << lastError_ << '\n';
  return Outcome::Failed;
}

bool ScriptInterpreter::ActsOnThePanel(const std::string& name) {
  static const std::set<std::string> panelCommands{"tab",  "push",  "type",  "check",   "select",
                                                   "choose", "pick", "menu", "entry", "dismiss",
                                                   "ok",   "cancel", "close"};
  return panelCommands.contains(name);
}

bool ScriptInterpreter::IsPanelOpen() const { return restart_.IsCommandRunning(); }

void ScriptInterpreter::ClosePanel() {
  if (!IsPanelOpen()) return;
  reporter_.Begin();
  VexUiDriver(&Panel()).PressCancel();
  reporter_.Report();
}

VexDialog& ScriptInterpreter::Panel() const {
  VexDialog* panel = VexApplicationFrame::GetFrame()->GetMainWindow()->FindChild("VexGrdPanel");
  if (!panel || !IsPanelOpen()) throw std::runtime_error("the EDSA panel is closed");
  return *panel;
}

namespace {

bool IsOnScreen(const VexDialog& widget) {
  for (const VexDialog* around = &widget; around; around = around->GetParent()) {
    if (!around->IsDisplayed()) return false;
  }
  return true;
}

void CollectWidgets(VexDialog& widget, std::vector<VexDialog*>& all) {
  all.push_back(&widget);
  for (VexDialog* child : widget.GetChildren()) CollectWidgets(*child, all);
}

}  // namespace

VexDialog& ScriptInterpreter::Widget(const std::string& name) const {
  VexDialog& panel = Panel();
  if (name.empty()) return panel;
  std::vector<VexDialog*> all, named;
  CollectWidgets(panel, all);
  bool isPath = name.find('/') != std::string::npos;
  for (VexDialog* widget : all) {
    if (isPath ? ChangeReporter::ShownName(*widget) == name : widget->GetName() == name) {
      named.push_back(widget);
    }
  }
  if (named.size() > 1) {
    std::vector<VexDialog*> shown;
    std::copy_if(named.begin(), named.end(), std::back_inserter(shown),
                 [](const VexDialog* widget) { return IsOnScreen(*widget); });
    if (shown.size() == 1) return *shown.front();
    std::string choices;
    for (const VexDialog* widget : named) {
      choices += (choices.empty() ? "" : ", ") + ChangeReporter::ShownName(*widget);
    }
    throw std::invalid_argument("\"" + name + "\" names " + std::to_string(named.size()) +
                                " widgets: " + choices + "; say which one");
  }
  if (named.size() == 1) return *named.front();
  return VexUiDriver(&panel).Find(name);  // an identifier path; else the error naming it
}

VexBaseUnknown_var ScriptInterpreter::FindObject(const std::string& name) const {
  VexGrdNetworkModel& model = VexGrdNetworkModel::Of(workspace_.GetDocument());
  std::size_t arrow = name.find("->");
  if (arrow != std::string::npos) {
    if (VexGrdBranch* branch = model.FindBranch(VexUnicodeString(name.substr(0, arrow)),
                                                VexUnicodeString(name.substr(arrow + 2)))) {
      return VexBaseUnknown_var(branch);
    }
    throw std::invalid_argument("no branch " + name + " in the network");
  }
  if (VexGrdNode* node = model.FindNode(VexUnicodeString(name))) return VexBaseUnknown_var(node);
  if (auto element = workspace_.GetDocument().FindElementByName(VexUnicodeString(name))) {
    return VexBaseUnknown_var(element);
  }
  throw std::invalid_argument("no node, branch or plant element called " + name);
}

void ScriptInterpreter::Help(const std::vector<std::string>& args) {
  if (args.size() > 1) {
    auto command = commands_.find(args[1]);
    if (command == commands_.end()) throw std::invalid_argument("no command \"" + args[1] + "\"");
    out_ << command->second.usage << "\n  " << command->second.help << '\n';
    return;
  }
  out_ << "Commands (one a line; \"quotes\" group words; # starts a comment):\n";
  for (const std::string& name : order_) {
    const Command& command = commands_.at(name);
    out_ << "  " << command.usage << std::string(command.usage.size() < 38 ? 38 - command.usage.size() : 1, ' ')
         << command.help << '\n';
  }
  out_ << "Widgets are named as show prints them (Navigator/ShowAllCheck) or by their identifiers;\n"
       << "an identifier several pages share means the one on the page shown.\n"
       << kPlantFolder << " in a line stands for the folder of the plant document.\n";
}

void ScriptInterpreter::Show(const std::vector<std::string>& args) {
  if (args.size() > 1) {
    out_ << VexRenderDialogText(&Widget(Rest(args, 1)));
    return;
  }
  ChangeReporter::View view = reporter_.Capture();
  out_ << "  page: " << view.page << '\n';
  for (const auto& [name, state] : view.fields) out_ << "  " << name << ": " << state << '\n';
  std::string buttons;
  for (const std::string& button : view.available) buttons += (buttons.empty() ? "" : ", ") + button;
  out_ << "  buttons available: " << (buttons.empty() ? "(none)" : buttons) << '\n';
  out_ << "  selection: " << (view.selection.empty() ? "(nothing)" : view.selection) << '\n';
}

void ScriptInterpreter::Tab(const std::vector<std::string>& args) {
  auto& tabs = VexUiDriver(&Panel()).Get<VexDlgTabContainer>("TabContainer");
  std::string wanted = args[1];
  for (int page = 0; page < tabs.GetPageCount(); ++page) {
    VexDialog* tab = tabs.GetPage(page);
    std::string id = tab->GetName();
    if (wanted == std::to_string(page) || wanted == id || wanted + "Tab" == id ||
        tab->GetTitle().Compare(VexUnicodeString(wanted)) != 0) {
      VexUiDriver(&Panel()).SelectPage("TabContainer", page);
      return;
    }
  }
  throw std::invalid_argument("no tab \"" + wanted + "\" (Project, Associate, Navigator, Analysis, Results, Cables)");
}

// A row is named by its number, by the text of one of its cells, or by its cells from the second
// on joined with "->" (a branch row "X | BUS1 | BUS2" is "BUS1->BUS2").
int ScriptInterpreter::RowOf(const VexDlgMultiList& list, const std::string& name) const {
  if (!name.empty() && name.find_first_not_of("0123456789") == std::string::npos) return ParseNumber(name, "a row");
  for (int row = 0; row < list.GetLineCount(); ++row) {
    std::string joined;
    for (int column = 0; column < list.GetColumnCount(); ++column) {
      VexUnicodeString cell;
      list.GetColumnItem(column, cell, row);
      if (cell.str() == name) return row;
      if (column > 0 && !cell.IsEmpty()) joined += (joined.empty() ? "" : "->") + cell.str();
    }
    if (joined == name) return row;
  }
  throw std::invalid_argument("the list " + std::string(list.GetName()) + " has no row \"" + name + "\"");
}

void ScriptInterpreter::Select(const std::vector<std::string>& args) {
  VexDialog& widget = Widget(args[1]);
  auto& list = VexUiDriver(&widget).Get<VexDlgMultiList>("");
  std::vector<int> rows;
  if (args[2] != "none") {
    for (std::size_t i = 2; i < args.size(); ++i) {
      int row = RowOf(list, args[i]);
      if (row >= list.GetLineCount()) {
        throw std::invalid_argument("the list " + args[1] + " has no row " + args[i] + " (it has " +
                                    std::to_string(list.GetLineCount()) + ", numbered from 0)");
      }
      rows.push_back(row);
    }
  }
  VexUiDriver(&widget).SelectRows("", rows);
}

void ScriptInterpreter::Elements(const std::vector<std::string>& args) {
  VexCSO* cso = workspace_.GetEditor().GetCSO();
  std::vector<VexBaseUnknown_var> chosen;
  if (args[1] != "none") {
    for (std::size_t i = 1; i < args.size(); ++i) {
      auto element = workspace_.GetDocument().FindElementByName(VexUnicodeString(args[i]));
      if (!element) throw std::invalid_argument("no plant element called " + args[i]);
      chosen.push_back(VexBaseUnknown_var(VexAECReviewBaseServices::GetPathElement(VexBaseUnknown_var(element))));
    }
  }
  cso->Empty();
  for (const auto& path : chosen) cso->AddElement(path);
}

void ScriptInterpreter::Entry(const std::vector<std::string>& args) {
  VexDlgContextualMenu* menu = VexSession::GetSession().GetContextMenu();
  if (!menu) throw std::runtime_error("no contextual menu is open (ask for one with menu <object>)");
  std::string wanted = Rest(args, 1);
  int position = 0;
  for (VexDialog* item : menu->GetChildren()) {
    if (!dynamic_cast<VexDlgPushItem*>(item)) continue;
    ++position;
    if (wanted == std::to_string(position) || wanted == item->GetName() ||
        item->GetTitle().Compare(VexUnicodeString(wanted)) != 0) {
      VexSession::GetSession().ChooseContextMenuItem(item->GetName());
      return;
    }
  }
  throw std::invalid_argument("the menu has no entry \"" + wanted + "\"");
}

void ScriptInterpreter::PrintModel() {
  VexGrdNetworkModel& model = VexGrdNetworkModel::Of(workspace_.GetDocument());
  auto names = [](std::unique_ptr<VexListValVexIGrd3DComponent_var> components) {
    std::string text;
    if (components) {
      for (const auto& component : *components) {
        if (VexIAECElement_var element{component}) text += (text.empty() ? "" : ", ") + element->GetName().str();
      }
    }
    return text.empty() ? std::string("(no plant element)") : text;
  };
  out_ << "  " << model.GetNodeCount() << " nodes, " << model.GetBranchCount() << " branches\n";
  for (VexGrdNode* node : model.GetNodes()) {
    out_ << "  node " << node->GetNodeId() << ": " << names(node->GetLinkedComponents()) << '\n';
  }
  for (VexGrdBranch* branch : model.GetBranches()) {
    out_ << "  branch " << branch->GetBranchId();
    if (!branch->GetUnitCode().IsEmpty()) out_ << " " << branch->GetLength() << " " << branch->GetUnitCode();
    out_ << ": " << names(branch->GetLinkedComponents()) << '\n';
  }
}

namespace {

// A run as the stand-in EDSA programs record it: program name and arguments, separated by tabs.
std::string RecordKey(const VexProcessStart& start) {
  std::string key = std::filesystem::path(start.program).filename().string();
  for (std::size_t i = 1; i < start.arguments.size(); ++i) key += "\t" + start.arguments[i];
  return key;
}

// The runs recorded in `log`: record key -> the times recorded under it, in file order.
std::map<std::string, std::vector<std::string>> ReadRunLog(const std::filesystem::path& log) {
  std::map<std::string, std::vector<std::string>> records;
  std::ifstream in(log);
  for (std::string record; std::getline(in, record);) {
    std::size_t lastTab = record.rfind('\t');
    if (lastTab == std::string::npos) continue;
    records[record.substr(0, lastTab)].push_back(record.substr(lastTab + 1));
  }
  return records;
}

}  // namespace

// The EDSA programs run on their own and side by side, so their records come in whatever order
// they got to them: the runs are listed in the order this session started them, each with the
// time its record gives. Each command has waited for the programs it started.
void ScriptInterpreter::PrintRuns() {
  programRuns_.AwaitEnds();
  if (started_.empty()) {
    out_ << "  no EDSA program was started in this session\n";
    return;
  }
  // The stand-in programs record beside the master file, their first argument.
  std::map<std::filesystem::path, std::map<std::string, std::vector<std::string>>> logs;
  std::map<std::string, std::size_t> used;
  for (const VexProcessStart& start : started_) {
    std::filesystem::path log = start.arguments.size() > 1
                                    ? std::filesystem::path(start.arguments[1]).parent_path() / "edsa-runs.log"
                                    : std::filesystem::path("edsa-runs.log");
    if (!logs.count(log)) logs[log] = ReadRunLog(log);
    const std::string key = RecordKey(start);
    const std::vector<std::string>& times = logs[log][key];
    std::size_t occurrence = used[log.string() + "\n" + key]++;
    std::string line = key;
    std::replace(line.begin(), line.end(), '\t', ' ');
    out_ << "  " << line << "  ("
         << (occurrence < times.size() ? times[occurrence] : "no record in " + log.string()) << ")\n";
  }
}
