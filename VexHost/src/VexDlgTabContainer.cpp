#include "VexDlgTabContainer.h"

#include "VexDlgTabPage.h"
#include "VexTrace.h"

namespace {

VexTrace& HostTrace() {
  static VexTrace trace("VEXHOST", "VEXHOST Trace", 1, "STDERR", 1024);
  return trace;
}

}  // namespace

void VexDlgTabContainer::SetSelectedPage(int page, int notify) {
  if (page < 0 || page >= GetPageCount()) {
    std::string line = GetPathName() + ": no page " + std::to_string(page) + " to select";
    HostTrace().TraPutLN(2, line.c_str());
    return;
  }
  selected_ = page;
  NotifyChange(VexDialogChange::Selection);
  if (notify) NotifyEvent(kSelect);
}

VexDlgTabPage* VexDlgTabContainer::GetPage(int page) const {
  std::vector<VexDlgTabPage*> pages = Pages();
  return page >= 0 && page < static_cast<int>(pages.size()) ? pages[page] : nullptr;
}

std::vector<VexDlgTabPage*> VexDlgTabContainer::Pages() const {
  std::vector<VexDlgTabPage*> pages;
  for (VexDialog* child : GetChildren()) {
    if (auto* page = dynamic_cast<VexDlgTabPage*>(child)) pages.push_back(page);
  }
  return pages;
}

void VexDlgTabContainer::SelectPageByUser(int page) {
  if (page < 0 || page >= GetPageCount()) ThrowBadValue("SelectPageByUser", page);
  RunUserAction("select a page of", [this, page] {
    if (page == selected_) return;
    selected_ = page;
    NotifyChange(VexDialogChange::Selection);
    NotifyEvent(kSelect);
  });
}

std::string VexDlgTabContainer::DescribeState() const {
  return "selected page=" + std::to_string(GetSelectedPage());
}
