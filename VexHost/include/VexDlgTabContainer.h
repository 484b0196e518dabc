#pragma once
// A container of tab pages; pages are numbered from 0 in creation order and one is selected (the
// first page until another is chosen).

#include <vector>

#include "VexDialog.h"

class VexDlgTabPage;

class VexDlgTabContainer : public VexDialog {
 public:
  VexDlgTabContainer(VexDialog* parent, const char* identifier, int style = 0)
      : VexDialog(parent, identifier, style) {}
  const char* GetKindName() const override { return "VexDlgTabContainer"; }

  /// Selects page `page`; `notify` 1 also sends the tab-select notification. A number without
  /// a page changes nothing and says so on the VEXHOST trace channel.
  void SetSelectedPage(int page, int notify = 0);
  /// The selected page number, -1 while the container has no page.
  int GetSelectedPage() const { return GetPageCount() == 0 ? -1 : selected_; }
  int GetPageCount() const { return static_cast<int>(Pages().size()); }
  VexDlgTabPage* GetPage(int page) const;
  VexNotification* GetTabSelectNotification() { return EventNotification(kSelect); }

  /// A person clicks the tab of page `page`; clicking the tab already selected changes nothing
  /// and sends nothing, as on screen.
  void SelectPageByUser(int page);
  std::string DescribeState() const override;

 protected:
  ~VexDlgTabContainer() override = default;

 private:
  static constexpr const char* kSelect = "TabSelect";
  /// The pages are the children that are tab pages, in creation order.
  std::vector<VexDlgTabPage*> Pages() const;

  int selected_ = 0;
};
