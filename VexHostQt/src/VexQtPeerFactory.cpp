#include "VexQtPeerFactory.h"

#include "VexCkeUnitFrame.h"
#include "VexDlgCheckButton.h"
#include "VexDlgCombo.h"
#include "VexDlgContextualMenu.h"
#include "VexDlgDialog.h"
#include "VexDlgEditor.h"
#include "VexDlgFrame.h"
#include "VexDlgLabel.h"
#include "VexDlgMultiList.h"
#include "VexDlgNotify.h"
#include "VexDlgPushButton.h"
#include "VexDlgPushItem.h"
#include "VexDlgSelectorList.h"
#include "VexDlgSeparator.h"
#include "VexDlgSeparatorItem.h"
#include "VexDlgTabContainer.h"
#include "VexDlgTabPage.h"
#include "VexNavigBox.h"
#include "VexQtContainerPeers.h"
#include "VexQtInputPeers.h"
#include "VexQtListPeers.h"
#include "VexQtNavigGraphPeer.h"
#include "VexQtWindowPeer.h"

namespace VexQtPeerFactory {

bool HasView(const VexDialog& widget) {
  if (dynamic_cast<const VexDlgNotify*>(&widget) ||
      dynamic_cast<const VexDlgContextualMenu*>(&widget) ||
      dynamic_cast<const VexDlgPushItem*>(&widget) ||
      dynamic_cast<const VexDlgSeparatorItem*>(&widget)) {
    return false;
  }
  return !widget.IsWindow() || !widget.GetChildren().empty();
}

// Most derived kinds first: a combo is also a line list, a dialog also a window.
VexQtPeer* Create(VexDialog& widget, VexQtDialogMirror& mirror) {
  if (auto* dialog = dynamic_cast<VexDlgDialog*>(&widget)) return new VexQtWindowPeer(*dialog, mirror);
  if (auto* window = dynamic_cast<VexDlgWindow*>(&widget)) return new VexQtWindowPeer(*window, mirror);
  if (auto* tabs = dynamic_cast<VexDlgTabContainer*>(&widget)) return new VexQtTabContainerPeer(*tabs, mirror);
  if (auto* page = dynamic_cast<VexDlgTabPage*>(&widget)) return new VexQtTabPagePeer(*page, mirror);
  if (auto* frame = dynamic_cast<VexDlgFrame*>(&widget)) return new VexQtFramePeer(*frame, mirror);
  if (auto* label = dynamic_cast<VexDlgLabel*>(&widget)) return new VexQtLabelPeer(*label, mirror);
  if (auto* line = dynamic_cast<VexDlgSeparator*>(&widget)) return new VexQtSeparatorPeer(*line, mirror);
  if (auto* value = dynamic_cast<VexCkeUnitFrame*>(&widget)) return new VexQtUnitFramePeer(*value, mirror);
  if (auto* editor = dynamic_cast<VexDlgEditor*>(&widget)) return new VexQtEditorPeer(*editor, mirror);
  if (auto* button = dynamic_cast<VexDlgPushButton*>(&widget)) return new VexQtPushButtonPeer(*button, mirror);
  if (auto* check = dynamic_cast<VexDlgCheckButton*>(&widget)) return new VexQtCheckButtonPeer(*check, mirror);
  if (auto* combo = dynamic_cast<VexDlgCombo*>(&widget)) return new VexQtComboPeer(*combo, mirror);
  if (auto* lines = dynamic_cast<VexDlgSelectorList*>(&widget)) return new VexQtSelectorListPeer(*lines, mirror);
  if (auto* list = dynamic_cast<VexDlgMultiList*>(&widget)) return new VexQtMultiListPeer(*list, mirror);
  if (auto* box = dynamic_cast<VexNavigBox*>(&widget)) return new VexQtNavigGraphPeer(*box, mirror);
  // A plain widget of no known kind still groups its children.
  return new VexQtFramePeer(widget, mirror);
}

}  // namespace VexQtPeerFactory
