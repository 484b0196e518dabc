#include "VexDlgPushItem.h"

void VexDlgPushItem::Choose() {
  RunUserAction("choose", [this] { NotifyEvent(kActivate); });
}
