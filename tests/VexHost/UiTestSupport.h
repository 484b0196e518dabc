#pragma once
// Shared pieces of the user-interface tests: a recorder of notifications and the resource path.

#include <string>
#include <vector>

#include "VexCommand.h"
#include "VexNotification.h"
#include "VexResourceFile.h"

/// Records each notification it is subscribed to as "<sender>:<event class or name>".
class NotificationRecorder : public VexCommand {
 public:
  NotificationRecorder() : VexCommand("recorder") {}
  void Record(VexCommand* sender, VexNotification* notification, void*) {
    events.push_back(std::string(sender->GetName()) + ":" + notification->IsA());
  }
  std::vector<std::string> events;
};

/// Points the resource path at the tests' dialog resources for one test.
class TestResources {
 public:
  TestResources() { VexResourceFile::SetSearchPath(VOLTARIA_UI_TEST_RESOURCES); }
};
