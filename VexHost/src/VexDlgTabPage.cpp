#include "VexDlgTabPage.h"

#include "VexDlgTabContainer.h"

namespace {

VexDialog* RequireContainer(VexDialog* parent, const char* identifier) {
  if (!dynamic_cast<VexDlgTabContainer*>(parent)) {
    throw VexInternalError(2, "TabPageOutsideContainer", kVexHostCatalog,
                           {identifier ? identifier : ""});
  }
  return parent;
}

}  // namespace

VexDlgTabPage::VexDlgTabPage(VexDialog* parent, const char* identifier, int style)
    : VexDialog(RequireContainer(parent, identifier), identifier, style) {}

bool VexDlgTabPage::IsSelected() const {
  auto* container = dynamic_cast<VexDlgTabContainer*>(GetParent());
  return container && container->GetPage(container->GetSelectedPage()) == this;
}

bool VexDlgTabPage::IsDisplayed() const { return VexDialog::IsDisplayed() && IsSelected(); }

std::string VexDlgTabPage::DescribeState() const { return IsSelected() ? "selected" : ""; }
