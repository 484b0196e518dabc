#include "VexDocumentTransaction.h"

#include <iostream>

#include "VexDocument.h"

VexDocumentTransaction::VexDocumentTransaction(VexDocument& document)
    : document_(document), level_(document.BeginLevel()) {}

VexDocumentTransaction::~VexDocumentTransaction() {
  if (!open_) return;
  try {
    document_.RollbackLevel(level_);
  } catch (const std::exception& error) {
    // A destructor may be running because of another error: report this one, do not replace it.
    std::cerr << "voltaria: " << error.what() << '\n';
  }
}

void VexDocumentTransaction::Commit() {
  open_ = false;
  document_.CommitLevel(level_);
}

void VexDocumentTransaction::Rollback() {
  open_ = false;
  document_.RollbackLevel(level_);
}
