#pragma once
// What the session asks of anything that keeps user data across events (the plant document):
// one user event is one transaction. The session calls BeginEvent before it dispatches an event,
// CommitEvent after the event and its deferred deletions ended normally, RollbackEvent when an
// error escaped the event. After RollbackEvent, memory and file must agree again.

class VexTransactionHandler {
 public:
  virtual ~VexTransactionHandler() = default;
  virtual void BeginEvent() = 0;
  virtual void CommitEvent() = 0;
  virtual void RollbackEvent() = 0;
};
