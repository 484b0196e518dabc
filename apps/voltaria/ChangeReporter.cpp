#include "ChangeReporter.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <optional>

#include "VexCSO.h"
#include "VexCkeUnitFrame.h"
#include "VexDlgCheckButton.h"
#include "VexDlgCombo.h"
#include "VexDlgContextualMenu.h"
#include "VexDlgEditor.h"
#include "VexDlgMultiList.h"
#include "VexDlgPushButton.h"
#include "VexDlgPushItem.h"
#include "VexDlgSelectorList.h"
#include "VexDlgTabContainer.h"
#include "VexDlgTabPage.h"
#include "VexFrmEditor.h"
#include "VexGrdBranch.h"
#include "VexGrdNetworkModel.h"
#include "VexGrdNode.h"
#include "VexIAECElement.h"
#include "VexIGrdBranch.h"
#include "VexIGrdNode.h"
#include "VexNavigation3DViewer.h"
#include "VexPathElement.h"
#include "VexSession.h"

namespace {

// A list of more rows than this is told as its count and its first rows, as a large model change is.
constexpr int kFirstRows = static_cast<int>(ModelChanges::kFirstListed);
constexpr int kAllRows = std::numeric_limits<int>::max();

// How many of `count` rows a state shows when at most `limit` are asked for in full.
int RowsShown(int count, int limit) { return count <= limit ? count : kFirstRows; }

std::string Quote(const VexUnicodeString& text) { return "\"" + text.str() + "\""; }

std::string TitleOf(const VexDialog& widget) {
  std::string title = widget.GetTitle().str();
  return title.empty() ? widget.GetName() : title;
}

// `rows` holds the rows shown of `count`: all of them, or the first ones. Selected rows beyond
// those follow with their numbers, so that a pick far down a long list is still told.
std::string Rows(int count, const std::vector<std::string>& rows, const std::set<int>& selected = {},
                 const std::map<int, std::string>& selectedBeyond = {}) {
  if (count == 0) return "(empty)";
  std::string text = std::to_string(count) + (count == 1 ? " row" : " rows");
  for (std::size_t i = 0; i < rows.size(); ++i) {
    text += "\n      " + std::string(selected.count(static_cast<int>(i)) ? "* " : "  ") + rows[i];
  }
  if (static_cast<int>(rows.size()) < count) {
    text += "\n        ... " + std::to_string(count - static_cast<int>(rows.size())) + " more";
  }
  for (const auto& [row, cells] : selectedBeyond) text += "\n      * row " + std::to_string(row) + ": " + cells;
  return text;
}

std::string RowText(const VexDlgMultiList& list, int row) {
  std::string text;
  for (int column = 0; column < std::max(1, list.GetColumnCount()); ++column) {
    VexUnicodeString cell;
    list.GetColumnItem(column, cell, row);
    text += (column ? " | " : "") + cell.str();
  }
  return text;
}

std::string MultiListState(const VexDlgMultiList& list, int limit) {
  const int shown = RowsShown(list.GetLineCount(), limit);
  std::vector<std::string> rows;
  for (int row = 0; row < shown; ++row) rows.push_back(RowText(list, row));
  std::vector<int> picked(static_cast<std::size_t>(list.GetSelectCount()) + 1);
  int count = list.GetSelect(picked.data(), static_cast<int>(picked.size()));
  std::map<int, std::string> selectedBeyond;
  for (int i = 0; i < count; ++i) {
    if (picked[i] >= shown) selectedBeyond[picked[i]] = RowText(list, picked[i]);
  }
  return Rows(list.GetLineCount(), rows, std::set<int>(picked.begin(), picked.begin() + count),
              selectedBeyond);
}

std::string ComboState(const VexDlgCombo& combo) {
  std::string text = "lines:";
  for (int row = 0; row < combo.GetLineCount(); ++row) {
    VexUnicodeString line;
    combo.GetLine(row, line);
    text += (row ? " | " : " ") + line.str();
  }
  if (combo.GetLineCount() == 0) text += " (none)";
  VexUnicodeString selected;
  combo.GetLine(combo.GetSelect(), selected);
  return text + "; chosen: " + (combo.GetSelect() < 0 ? "(none)" : selected.str());
}

std::string SelectorState(const VexDlgSelectorList& list, int limit) {
  std::vector<std::string> lines;
  for (int row = 0; row < RowsShown(list.GetLineCount(), limit); ++row) {
    VexUnicodeString line;
    list.GetLine(row, line);
    lines.push_back(line.str());
  }
  return Rows(list.GetLineCount(), lines);
}

std::string MenuState(const VexDlgContextualMenu& menu) {
  std::string text;
  int position = 0;
  for (const VexDialog* item : menu.GetChildren()) {
    if (dynamic_cast<const VexDlgPushItem*>(item)) {
      text += "\n      " + std::to_string(++position) + ". " + TitleOf(*item) + "  [" + item->GetName() + "]";
    } else {
      text += "\n      ----";
    }
  }
  return text.empty() ? "(no entries)" : "entries:" + text;
}

// The state of an input widget as the person reads it; empty for widgets that show nothing.
std::string StateOf(const VexDialog& widget, int limit) {
  std::string state;
  if (auto* editor = dynamic_cast<const VexDlgEditor*>(&widget)) {
    state = Quote(editor->GetText());
  } else if (auto* combo = dynamic_cast<const VexDlgCombo*>(&widget)) {
    state = ComboState(*combo);
  } else if (auto* list = dynamic_cast<const VexDlgMultiList*>(&widget)) {
    state = MultiListState(*list, limit);
  } else if (auto* selector = dynamic_cast<const VexDlgSelectorList*>(&widget)) {
    state = SelectorState(*selector, limit);
  } else if (auto* check = dynamic_cast<const VexDlgCheckButton*>(&widget)) {
    state = check->GetState() ? "checked" : "not checked";
  } else if (auto* unit = dynamic_cast<const VexCkeUnitFrame*>(&widget)) {
    state = unit->GetDisplayedText().str();
  } else if (auto* menu = dynamic_cast<const VexDlgContextualMenu*>(&widget)) {
    state = MenuState(*menu);
  }
  if (!state.empty() && !widget.IsUsable() && !dynamic_cast<const VexDlgContextualMenu*>(&widget)) {
    state.insert(std::min(state.find('\n'), state.size()), "  (unavailable)");
  }
  return state;
}

// A widget's name as printed starts with its place: the nearest window (by identifier) or tab
// page (by title) around it, itself included.
std::optional<std::string> PlaceOf(const VexDialog& widget) {
  if (widget.IsWindow()) return widget.GetName();
  if (dynamic_cast<const VexDlgTabPage*>(&widget)) return TitleOf(widget);
  return std::nullopt;
}

void Walk(const VexDialog& widget, const std::string& place, int limit, ChangeReporter::View& view) {
  if (!widget.IsDisplayed()) return;  // a hidden widget hides its subtree; so does an unselected page
  std::string here = PlaceOf(widget).value_or(place);
  if (widget.IsWindow()) view.windows.insert(TitleOf(widget) + " (" + widget.GetName() + ")");
  if (auto* tabs = dynamic_cast<const VexDlgTabContainer*>(&widget)) {
    if (VexDlgTabPage* page = tabs->GetPage(tabs->GetSelectedPage())) view.page = TitleOf(*page);
  }
  std::string name = here + "/" + widget.GetName();
  if (dynamic_cast<const VexDlgPushButton*>(&widget)) {
    if (widget.IsUsable()) view.available.insert(name);
  } else if (std::string state = StateOf(widget, limit); !state.empty()) {
    view.fields[name] = state;
  }
  for (const VexDialog* child : widget.GetChildren()) Walk(*child, here, limit, view);
}

std::string NameOf(const VexBaseUnknown_var& object) {
  VexBaseUnknown_var leaf = VexLeafOf(object);
  if (VexIAECElement_var element{leaf}) return element->GetName().str();
  if (VexIGrdNode_var node{leaf}) return "node " + node->GetNodeId().str();
  if (VexIGrdBranch_var branch{leaf}) return "branch " + branch->GetBranchId().str();
  return "(object)";
}

void PrintSetChanges(std::ostream& out, const std::string& label, const std::set<std::string>& before,
                     const std::set<std::string>& after) {
  for (const std::string& item : after) {
    if (!before.count(item)) out << "  " << label << ": + " << item << '\n';
  }
  for (const std::string& item : before) {
    if (!after.count(item)) out << "  " << label << ": - " << item << '\n';
  }
}

// The kinds of the host's message windows (VexDlgNotify).
const char* KindName(int kind) {
  switch (kind) {
    case 1: return "information";
    case 2: return "warning";
    case 3: return "error";
    default: return "message";
  }
}

std::string Indented(const std::string& text) {
  std::string out;
  for (char c : text) out += c == '\n' ? std::string("\n      ") : std::string(1, c);
  return out;
}

std::string ArgumentText(const std::string& argument) {
  return argument.find_first_of(" \t\"") == std::string::npos ? argument : "\"" + argument + "\"";
}

}  // namespace

std::string ChangeReporter::ShownName(const VexDialog& widget) {
  const VexDialog* around = &widget;
  while (around && !PlaceOf(*around)) around = around->GetParent();
  return (around ? *PlaceOf(*around) : std::string()) + "/" + widget.GetName();
}

ChangeReporter::ChangeReporter(VexDialog* mainWindow, VexFrmEditor& editor,
                               VexNavigation3DViewer& viewer, std::ostream& out)
    : mainWindow_(mainWindow), editor_(editor), viewer_(viewer), out_(out) {
  observer_ = VexAddProcessObserver([this](const VexProcessStart& start) {
    runs_.push_back({start, VexSession::GetSession().GetUserLog().GetCount()});
  });
}

ChangeReporter::~ChangeReporter() { VexRemoveProcessObserver(observer_); }

ChangeReporter::View ChangeReporter::Capture(int mostRowsInFull) const {
  View view;
  if (mainWindow_) {
    for (const VexDialog* child : mainWindow_->GetChildren()) Walk(*child, "", mostRowsInFull, view);
  }
  // A contextual menu stands on its own, beside the windows.
  if (VexDlgContextualMenu* menu = VexSession::GetSession().GetContextMenu()) {
    view.fields["contextual menu"] = MenuState(*menu);
  }
  VexCSO* cso = editor_.GetCSO();
  for (int i = 1; i <= cso->GetSize(); ++i) view.selection += (i > 1 ? ", " : "") + NameOf((*cso)[i]);

  for (const VexBaseUnknown_var& object : viewer_.GetShownObjects()) {
    std::string state;
    if (auto color = viewer_.GetColor(object)) {
      state += "coloured " + std::to_string(color->red) + "," + std::to_string(color->green) + "," +
               std::to_string(color->blue) + " ";
    }
    if (!state.empty()) view.viewer[NameOf(object)] = state;
  }
  for (const VexBaseUnknown_var& object : viewer_.GetHighlightedObjects()) view.viewer[NameOf(object)] += "highlighted ";
  for (const VexBaseUnknown_var& object : viewer_.GetReframedObjects()) view.viewer[NameOf(object)] += "in view ";
  for (auto& [object, state] : view.viewer) state.pop_back();  // each part ends with a blank
  return view;
}

VexGrdNetworkModel& ChangeReporter::Model() const {
  return VexGrdNetworkModel::Of(*editor_.GetDocument());
}

std::shared_ptr<const ModelSnapshot> ChangeReporter::CurrentModel() const {
  if (beforeModel_ && beforeModel_->IsCurrent(Model())) return beforeModel_;
  return std::make_shared<const ModelSnapshot>(Model());
}

void ChangeReporter::Begin() {
  before_ = Capture();
  // Most commands leave the network alone: its snapshot is then the one taken after the last.
  beforeModel_ = CurrentModel();
  logCount_ = VexSession::GetSession().GetUserLog().GetCount();
  runs_.clear();
}

void ChangeReporter::Report() {
  View after = Capture();
  if (!beforeModel_) beforeModel_ = CurrentModel();
  std::shared_ptr<const ModelSnapshot> afterModel = CurrentModel();
  PrintWidgetChanges(before_, after, nullptr);
  PrintMessagesAndRuns(logCount_, runs_);
  ModelChanges(*beforeModel_, *afterModel).Print(out_, false);
  PrintViewerChanges(before_, after);
  last_ = {std::move(before_), std::move(beforeModel_), logCount_, std::move(runs_)};
  before_ = std::move(after);
  beforeModel_ = std::move(afterModel);
  logCount_ = VexSession::GetSession().GetUserLog().GetCount();
  runs_.clear();
}

void ChangeReporter::PrintLastChanges() const {
  View inFull = Capture(kAllRows);
  PrintWidgetChanges(last_.view, before_, &inFull);
  PrintMessagesAndRuns(last_.logCount, last_.runs, logCount_);
  if (last_.model && beforeModel_) ModelChanges(*last_.model, *beforeModel_).Print(out_, true);
  PrintViewerChanges(last_.view, before_);
}

void ChangeReporter::PrintWidgetChanges(const View& before, const View& after, const View* inFull) const {
  PrintSetChanges(out_, "window", before.windows, after.windows);
  if (after.page != before.page && !after.page.empty()) out_ << "  page: " << after.page << '\n';
  for (const auto& [name, state] : after.fields) {
    auto old = before.fields.find(name);
    if (old != before.fields.end() && old->second == state) continue;
    auto full = inFull ? inFull->fields.find(name) : after.fields.end();
    out_ << "  " << name << ": " << (inFull && full != inFull->fields.end() ? full->second : state) << '\n';
  }
  std::vector<std::string> gained, lost;
  for (const std::string& button : after.available) {
    if (!before.available.count(button)) gained.push_back(button);
  }
  for (const std::string& button : before.available) {
    // A button that left the screen with its page is not "unavailable": only say so when the
    // page stayed.
    if (!after.available.count(button) && after.page == before.page) lost.push_back(button);
  }
  auto list = [](const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& n : names) text += (text.empty() ? "" : ", ") + n;
    return text;
  };
  if (!gained.empty()) out_ << "  buttons available: " << list(gained) << '\n';
  if (!lost.empty()) out_ << "  buttons unavailable: " << list(lost) << '\n';
  if (after.selection != before.selection) {
    out_ << "  selection: " << (after.selection.empty() ? "(nothing)" : after.selection) << '\n';
  }
}

void ChangeReporter::PrintViewerChanges(const View& before, const View& after) const {
  for (const auto& [object, state] : after.viewer) {
    auto old = before.viewer.find(object);
    if (old == before.viewer.end() || old->second != state) out_ << "  3D view: " << object << " " << state << '\n';
  }
  for (const auto& [object, state] : before.viewer) {
    if (!after.viewer.count(object)) out_ << "  3D view: " << object << " back to normal\n";
  }
}

void ChangeReporter::PrintMessagesAndRuns(int firstEntry, const std::vector<Run>& runs, int endEntry) const {
  const auto& entries = VexSession::GetSession().GetUserLog().GetEntries();
  const std::size_t end = std::min(entries.size(), static_cast<std::size_t>(endEntry));
  std::size_t run = 0;
  for (std::size_t i = static_cast<std::size_t>(firstEntry); i <= end; ++i) {
    while (run < runs.size() && static_cast<std::size_t>(runs[run].messagesBefore) <= i) PrintRun(runs[run++].start);
    if (i < end) PrintMessage(entries[i]);
  }
  while (run < runs.size()) PrintRun(runs[run++].start);
}

void ChangeReporter::PrintMessage(const VexUserLogEntry& entry) const {
  switch (entry.form) {
    case VexUserLogEntry::Form::Message:
      out_ << "  [" << KindName(entry.kind) << "] " << entry.title << ": " << Indented(entry.text.str()) << '\n';
      break;
    case VexUserLogEntry::Form::Question:
      out_ << "  [question] " << entry.title << ": " << Indented(entry.text.str()) << "\n      -> " << entry.answer
           << '\n';
      break;
    case VexUserLogEntry::Form::FileChoice:
      out_ << "  [file chooser] " << entry.title << " -> " << entry.answer << '\n';
      break;
    case VexUserLogEntry::Form::Error:
      break;  // the interpreter reports the failed command itself
  }
}

void ChangeReporter::PrintRun(const VexProcessStart& run) const {
  out_ << "  EDSA started: " << std::filesystem::path(run.program).filename().string();
  for (std::size_t i = 1; i < run.arguments.size(); ++i) out_ << ' ' << ArgumentText(run.arguments[i]);
  out_ << '\n';
}
