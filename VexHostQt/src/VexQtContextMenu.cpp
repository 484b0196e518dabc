#include "VexQtContextMenu.h"

#include <QAction>
#include <QMenu>

#include "VexDlgContextualMenu.h"
#include "VexDlgPushItem.h"
#include "VexDlgSeparatorItem.h"
#include "VexQtPeer.h"
#include "VexQtUser.h"
#include "VexSession.h"

void VexQtFillMenu(QMenu& menu, const VexDlgContextualMenu& entries) {
  for (VexDialog* item : entries.GetChildren()) {
    if (dynamic_cast<VexDlgSeparatorItem*>(item)) {
      menu.addSeparator();
    } else if (dynamic_cast<VexDlgPushItem*>(item)) {
      VexUnicodeString title = item->GetTitle();
      QAction* action = menu.addAction(title.IsEmpty() ? QString::fromUtf8(item->GetName()) : VexQtText(title));
      action->setObjectName(QString::fromUtf8(item->GetName()));
      action->setEnabled(item->GetSensitivity() == VexDialog::kSensitive);
    }
  }
}

bool VexQtOfferContextMenu(const VexBaseUnknown_var& object, QWidget* parent, const QPoint& globalAt) {
  VexSession& session = VexSession::GetSession();
  bool offered = false;
  VexQtRunPersonAction(parent, [&] { offered = session.RequestContextMenu(object); });
  VexDlgContextualMenu* entries = session.GetContextMenu();
  if (!offered || !entries) return false;
  QMenu menu(parent);
  VexQtFillMenu(menu, *entries);
  QAction* chosen = menu.exec(globalAt);
  std::string identifier = chosen ? chosen->objectName().toStdString() : std::string();
  VexQtRunPersonAction(parent, [&] {
    if (identifier.empty()) {
      session.DismissContextMenu();
    } else {
      session.ChooseContextMenuItem(identifier.c_str());
    }
  });
  return true;
}
