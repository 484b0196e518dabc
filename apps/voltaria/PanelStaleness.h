#pragma once
// Tells when the EDSA panel no longer shows the plant as it is. The panel keeps the network's
// nodes and branches in a registry of its own, and its Associate and Navigator lists are built
// from it; only the module's own calls rebuild them. Two things leave them stale: a transaction
// rolled back as a whole after it had changed the document (a commit that failed on a full disk
// undoes what the panel already shows), and a change of the network or its links made by anything
// but the panel while the command runs. The host program then starts the command again.

#include <cstdint>
#include <optional>
#include <string>

class VexDocument;

class PanelStaleness {
 public:
  explicit PanelStaleness(VexDocument& document) : document_(document) {}

  /// Remembers the document's state before a command of the host program. `throughThePanel`:
  /// the command acts on the panel, so the network changes it makes are the module's own.
  void Before(bool throughThePanel);
  /// After the command: why the panel must be closed and opened again, or nothing.
  std::optional<std::string> Reason() const;

 private:
  std::uint64_t NetworkChanges() const;

  VexDocument& document_;
  bool throughThePanel_ = true;
  int undoneTransactions_ = 0;
  std::uint64_t networkChanges_ = 0;
};
