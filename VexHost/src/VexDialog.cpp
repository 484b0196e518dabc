#include "VexDialog.h"

#include <algorithm>

#include "VexDlgNotification.h"
#include "VexDlgWindow.h"
#include "VexResourceFile.h"
#include "VexSession.h"

namespace {

std::vector<VexDialogObserver*>& ChangeObservers() {
  static std::vector<VexDialogObserver*> observers;
  return observers;
}

}  // namespace

VexDialog::VexDialog(VexDialog* parent, const char* identifier, int style)
    : VexCommand(identifier, parent), parent_(parent), style_(style) {
  if (parent_) parent_->AddChild(this);
}

void VexDialog::AddChangeObserver(VexDialogObserver* observer) {
  if (observer) ChangeObservers().push_back(observer);
}

void VexDialog::RemoveChangeObserver(VexDialogObserver* observer) {
  std::erase(ChangeObservers(), observer);
}

void VexDialog::NotifyChange(VexDialogChange change, VexDialog* child) {
  // A copy: an observer may subscribe or leave while it is told.
  std::vector<VexDialogObserver*> observers = ChangeObservers();
  for (VexDialogObserver* observer : observers) observer->OnDialogChanged(*this, change, child);
}

void VexDialog::NotifyListChange(VexListChange change, int row) {
  std::vector<VexDialogObserver*> observers = ChangeObservers();
  for (VexDialogObserver* observer : observers) observer->OnListChanged(*this, change, row);
}

VexDialog::~VexDialog() {
  // Creation order: a widget built earlier (a tab frame) may still reach one built later (a
  // dialog it opened) from its destructor, never the reverse.
  while (!children_.empty()) {
    VexDialog* child = children_.front();
    children_.erase(children_.begin());
    child->parent_ = nullptr;
    NotifyChange(VexDialogChange::ChildRemoved, child);
    child->Release();
  }
  if (parent_) parent_->RemoveChild(this);
  NotifyChange(VexDialogChange::Destroyed);
}

void VexDialog::AddChild(VexDialog* child) {
  children_.push_back(child);
  child->AddRef();
  NotifyChange(VexDialogChange::ChildAdded, child);
}

void VexDialog::RemoveChild(VexDialog* child) {
  if (std::erase(children_, child) > 0) NotifyChange(VexDialogChange::ChildRemoved, child);
}

void VexDialog::DetachFromParent() {
  VexDialog* parent = parent_;
  if (!parent) return;
  auto found = std::find(parent->children_.begin(), parent->children_.end(), this);
  if (found == parent->children_.end()) return;
  parent->children_.erase(found);
  parent_ = nullptr;
  parent->NotifyChange(VexDialogChange::ChildRemoved, this);
  Release();
}

VexDlgWindow* VexDialog::GetFatherWindow() const {
  for (VexDialog* above = parent_; above; above = above->parent_) {
    if (above->IsWindow()) return static_cast<VexDlgWindow*>(above);
  }
  return nullptr;
}

void VexDialog::SetSensitivity(int sensitivity) {
  if (sensitivity != kSensitive && sensitivity != kInsensitive) {
    ThrowBadValue("SetSensitivity", sensitivity);
  }
  if (sensitivity_ == sensitivity) return;
  sensitivity_ = sensitivity;
  NotifyChange(VexDialogChange::Sensitivity);
}

void VexDialog::SetVisibility(int visibility) {
  if (visibility != kShown && visibility != kHidden) ThrowBadValue("SetVisibility", visibility);
  if (visibility_ == visibility) return;
  visibility_ = visibility;
  NotifyChange(VexDialogChange::Visibility);
}

bool VexDialog::IsUsable() const {
  for (const VexDialog* widget = this; widget; widget = widget->parent_) {
    if (widget->sensitivity_ != kSensitive || !widget->IsDisplayed()) return false;
  }
  return true;
}

void VexDialog::SetTitle(const VexUnicodeString& title) {
  title_ = title;
  hasTitle_ = true;
  NotifyChange(VexDialogChange::Title);
}

VexUnicodeString VexDialog::GetTitle() const {
  if (hasTitle_) return title_;
  for (const VexDialog* owner = this; owner; owner = owner->parent_) {
    for (int level = 0;; ++level) {
      const char* resource = owner->GetResourceFileName(level);
      if (!resource || !*resource) break;
      auto labels = VexResourceFile::Load(std::string(resource) + ".labels");
      if (!labels) continue;
      if (auto text = labels->Find(GetName())) return VexUnicodeString(*text);
    }
  }
  return {};
}

void VexDialog::SetCursor(int cursor) {
  if (cursor_ == cursor) return;
  cursor_ = cursor;
  NotifyChange(VexDialogChange::Cursor);
}

const char* VexDialog::GetResourceFileName(int) const { return ""; }

void VexDialog::SetIconName(const char* name, const char*, const char*, const char*) {
  // Alternates serve displays that lack the main icon; the tree keeps the name it shows.
  iconName_ = name ? name : "";
}

void VexDialog::SetGridConstraints(int column, int row, int columnSpan, int rowSpan,
                                   int justification) {
  grid_ = {column, row, columnSpan, rowSpan, justification};
}

void VexDialog::SetVerticalAttachment(int line, int attachment, VexDialog* widget) {
  attachments_.push_back({line, attachment, widget});
}

VexDialog* VexDialog::FindChild(const char* identifier) const {
  if (!identifier) return nullptr;
  for (VexDialog* child : children_) {
    if (std::string(child->GetName()) == identifier) return child;
    if (VexDialog* found = child->FindChild(identifier)) return found;
  }
  return nullptr;
}

VexDialog* VexDialog::FindPath(const std::string& path) const {
  const VexDialog* current = this;
  std::size_t start = 0;
  while (current && start <= path.size()) {
    std::size_t slash = path.find('/', start);
    std::string part = path.substr(start, slash == std::string::npos ? std::string::npos
                                                                      : slash - start);
    if (!part.empty()) current = current->FindChild(part.c_str());
    if (slash == std::string::npos) break;
    start = slash + 1;
  }
  return const_cast<VexDialog*>(current);
}

std::string VexDialog::GetPathName() const {
  return parent_ ? parent_->GetPathName() + "/" + GetName() : GetName();
}

VexNotification* VexDialog::EventNotification(const char* eventName) {
  VexNotification_var& event = events_[eventName];
  if (!event) event = VexNotification_var(new VexDlgNotification(eventName));
  return event.get();
}

void VexDialog::NotifyEvent(const char* eventName) {
  GetCallbackManager()->DispatchCallbacks(EventNotification(eventName), this);
}

void VexDialog::RunUserAction(const char* action, const std::function<void()>& body) {
  std::string description = std::string(action) + " " + GetPathName();
  if (!IsUsable()) {
    throw VexInputError(1, "WidgetNotUsable", kVexHostCatalog, {VexUnicodeString(description)});
  }
  VexSession::GetSession().RunEvent(description.c_str(), body);
}

void VexDialog::ThrowBadValue(const char* operation, long value) const {
  VexUnicodeString number;
  number.ConvertNumToString(static_cast<int>(value));
  throw VexInternalError(2, "WidgetValueInvalid", kVexHostCatalog,
                         {VexUnicodeString(GetPathName()), operation, number});
}

std::string VexDialog::Quote(const VexUnicodeString& text) {
  std::string quoted = "\"";
  for (char c : text.str()) {
    if (c == '"' || c == '\\') quoted += '\\';
    if (c == '\n') {
      quoted += "\\n";
      continue;
    }
    quoted += c;
  }
  return quoted + "\"";
}
