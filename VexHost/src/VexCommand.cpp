#include "VexCommand.h"

#include "VexNotification.h"
#include "VexSession.h"

VexCommand::VexCommand(const char* name, VexCommand* father)
    : name_(name ? name : ""), father_(father), manager_(this) {}

VexCommand::~VexCommand() { VexCallbackManager::RemoveAllOf(this); }

int VexCommand::RemoveSubscriberCallbacks(VexCommand* publisher) {
  if (!publisher) return 0;
  return VexCallbackManager::RemoveSubscriptions(this, publisher->GetCallbackManager());
}

void VexCommand::RequestDelayedDestruction() { VexSession::GetSession().ScheduleDeletion(this); }

VexCallbackManager& VexCommand::ManagerOf(VexCommand* publisher) {
  return publisher ? *publisher->GetCallbackManager() : VexCallbackManager::AnyPublisher();
}

VexNotification* VexCommand::RequireNotification(VexNotification* notification) const {
  if (!notification) {
    throw VexInternalError(2, "CallbackWithoutNotification", kVexHostCatalog, {GetName()});
  }
  return notification;
}

const char* VexCommand::RequireClassName(const char* className) const {
  if (!className || !*className) {
    throw VexInternalError(2, "CallbackWithoutNotification", kVexHostCatalog, {GetName()});
  }
  return className;
}

void VexCommand::ThrowWrongSubscriber() const {
  throw VexInternalError(2, "CallbackOfAnotherClass", kVexHostCatalog, {GetName()});
}

void VexCommandDeletion(VexCommand* command) {
  if (command) VexSession::GetSession().ScheduleDeletion(command);
}
