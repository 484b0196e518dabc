#pragma once
// A contextual-menu request on an object, shown as a QMenu at the pointer: the session hands the
// request to the agents; the entries of the menu the module fills become the menu's actions; the
// person's choice (or dismissal) goes back to the session, each as one event.

#include <QPoint>

#include "VexBaseUnknown.h"

class QWidget;
class VexDlgContextualMenu;
class QMenu;

/// Asks for the menu of `object` and shows it at `globalAt`; false when no agent offered one.
bool VexQtOfferContextMenu(const VexBaseUnknown_var& object, QWidget* parent, const QPoint& globalAt);
/// The QMenu for the session's open menu: one action per entry, named by its identifier.
void VexQtFillMenu(QMenu& menu, const VexDlgContextualMenu& entries);
