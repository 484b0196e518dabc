#include "PanelStaleness.h"

#include "VexDocument.h"
#include "VexGrdNetworkModel.h"

void PanelStaleness::Before(bool throughThePanel) {
  throughThePanel_ = throughThePanel;
  undoneTransactions_ = document_.GetUndoneTransactionCount();
  networkChanges_ = NetworkChanges();
}

std::optional<std::string> PanelStaleness::Reason() const {
  if (document_.GetUndoneTransactionCount() != undoneTransactions_) {
    return "The last change could not be saved in the plant document and was undone.";
  }
  if (!throughThePanel_ && NetworkChanges() != networkChanges_) {
    return "The network or its links were changed outside the EDSA panel.";
  }
  return std::nullopt;
}

std::uint64_t PanelStaleness::NetworkChanges() const {
  // The model exists once the panel's project services have been made on the document.
  const VexGrdNetworkModel* model = VexGrdNetworkModel::Find(document_);
  return model ? model->GetChangeCount() : 0;
}
