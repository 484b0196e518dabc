#include "VexDlgPushButton.h"

void VexDlgPushButton::Push() {
  RunUserAction("push", [this] { NotifyEvent(kActivate); });
}
