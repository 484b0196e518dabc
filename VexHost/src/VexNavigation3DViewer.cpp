#include "VexNavigation3DViewer.h"

#include <algorithm>
#include <sstream>

#include "VexDocument.h"
#include "VexError.h"
#include "VexFrmEditor.h"
#include "VexPathElement.h"

namespace {

const VexBaseUnknown* KeyOf(const VexBaseUnknown_var& leaf) { return VexIdentityOf(leaf.get()); }

std::string NameOf(const VexBaseUnknown_var& leaf) {
  VexIAECElement_var element(leaf);
  return element ? element->GetName().str() : std::string("(object)");
}

std::string NamesOf(const std::vector<VexBaseUnknown_var>& objects) {
  std::string names;
  for (const auto& object : objects) names += (names.empty() ? "" : ", ") + NameOf(object);
  return names.empty() ? "-" : names;
}

}  // namespace

VexNavigation3DViewer::VexNavigation3DViewer(VexFrmEditor& editor, VexUnicodeString name)
    : editor_(editor), name_(std::move(name)) {}

std::vector<VexBaseUnknown_var> VexNavigation3DViewer::GetShownObjects() const {
  const auto& elements = editor_.GetDocument()->GetElements();
  std::vector<VexBaseUnknown_var> shown(elements.begin(), elements.end());
  for (const auto& leaf : editor_.GetISO()->GetLeaves()) shown.push_back(leaf);
  return shown;
}

bool VexNavigation3DViewer::IsShown(const VexBaseUnknown_var& object) const {
  VexBaseUnknown_var leaf = VexLeafOf(object);
  if (!leaf) return false;
  VexIAECElement_var element(leaf);
  if (element && element->GetDocument() == editor_.GetDocument()) return true;
  return editor_.GetISO()->Contains(leaf);
}

VexBaseUnknown_var VexNavigation3DViewer::RequireShown(const VexBaseUnknown_var& object) const {
  if (!IsShown(object)) {
    throw VexInternalError(3, "ViewerObjectNotShown", kVexHostCatalog,
                           {name_, VexUnicodeString(NameOf(VexLeafOf(object)))});
  }
  return VexLeafOf(object);
}

void VexNavigation3DViewer::SetColor(const VexBaseUnknown_var& object, VexColor color) {
  VexBaseUnknown_var leaf = RequireShown(object);
  colors_[KeyOf(leaf)] = Colored{leaf, color};
}

bool VexNavigation3DViewer::ResetColor(const VexBaseUnknown_var& object) {
  return colors_.erase(KeyOf(VexLeafOf(object))) > 0;
}

void VexNavigation3DViewer::ResetAllColors() { colors_.clear(); }

std::optional<VexColor> VexNavigation3DViewer::GetColor(const VexBaseUnknown_var& object) const {
  auto found = colors_.find(KeyOf(VexLeafOf(object)));
  if (found == colors_.end()) return std::nullopt;
  return found->second.color;
}

void VexNavigation3DViewer::ReframeOn(const VexXSO& objects) {
  std::vector<VexBaseUnknown_var> framed;
  for (const auto& leaf : objects.GetLeaves()) framed.push_back(RequireShown(leaf));
  if (framed.empty()) return;
  reframed_ = std::move(framed);
  ++reframeCount_;
}

void VexNavigation3DViewer::ReframeOn(const VexBaseUnknown_var& object) {
  reframed_ = {RequireShown(object)};
  ++reframeCount_;
}

std::vector<VexBaseUnknown_var> VexNavigation3DViewer::GetHighlightedObjects() const {
  std::vector<VexBaseUnknown_var> highlighted;
  for (const auto& leaf : editor_.GetHSO()->GetLeaves()) {
    if (IsShown(leaf)) highlighted.push_back(leaf);
  }
  return highlighted;
}

void VexNavigation3DViewer::DropHiddenObjects() {
  std::erase_if(colors_, [&](const auto& entry) { return !IsShown(entry.second.object); });
  std::erase_if(reframed_, [&](const VexBaseUnknown_var& leaf) { return !IsShown(leaf); });
}

std::string VexNavigation3DViewer::Describe() const {
  std::ostringstream out;
  out << "3D viewer \"" << name_ << "\"\n";
  out << "shown: " << editor_.GetDocument()->GetElementCount() << " plant elements, "
      << editor_.GetISO()->GetSize() << " other objects\n";
  out << "framed on: " << NamesOf(reframed_) << " (" << reframeCount_ << " reframes)\n";
  out << "highlighted: " << NamesOf(GetHighlightedObjects()) << '\n';
  std::vector<std::string> colored;
  for (const auto& [key, entry] : colors_) {
    colored.push_back("colour " + NameOf(entry.object) + ": " + std::to_string(entry.color.red) +
                      ' ' + std::to_string(entry.color.green) + ' ' +
                      std::to_string(entry.color.blue) + '\n');
  }
  std::sort(colored.begin(), colored.end());
  for (const auto& line : colored) out << line;
  return out.str();
}

void VexReframeOn(VexNavigation3DViewer* viewer, const VexXSO& objects) {
  if (!viewer) throw VexInternalError(3, "ViewerMissing", kVexHostCatalog);
  viewer->ReframeOn(objects);
}
