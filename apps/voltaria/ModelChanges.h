#pragma once
// The network model's changes as the person reads them in the transcript.
//
// A snapshot holds the model's nodes and branches as counted handles, with only what can change
// on an object kept by value (a branch's length and unit, the names of the linked elements): a
// million nodes cost a few megabytes, not a text per object. Two snapshots are compared by
// walking both in creation order, so a command that changed nothing of a large network costs
// nothing and one that changed little costs one pass.
//
// Lines read "model: + node BUS5", "model: - link BUS4 - FAN1", "model: branch A->B: length 13
// MT", sorted by the text after the sign. A group of more than kMostListedInFull changes of one
// kind (nodes, branches, links) and one sign is told as its count and its first kFirstListed
// lines; asked for in full, every line is printed.

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "VexGrdBranch.h"
#include "VexGrdNode.h"

class VexGrdNetworkModel;

class ModelSnapshot {
 public:
  ModelSnapshot() = default;
  /// The state of `model` now.
  explicit ModelSnapshot(const VexGrdNetworkModel& model);

  /// True when `model` cannot have changed since this snapshot was taken of it.
  bool IsCurrent(const VexGrdNetworkModel& model) const;

 private:
  friend class ModelChanges;
  struct NodeState {
    VexVar<VexGrdNode> node;
    std::size_t firstLink;  // into linkNames: this object's links run to the next object's first
  };
  struct BranchState {  // 24 bytes: a million branches take 24 MB
    VexVar<VexGrdBranch> branch;
    std::uint32_t firstLink;
    std::uint32_t unitCode;  // see VexGrdUnitCodes
    double length;
  };
  static const VexUnicodeString& UnitCodeOf(const BranchState& state) {
    return VexGrdUnitCodes::Of(state.unitCode);
  }

  const VexGrdNetworkModel* model_ = nullptr;
  std::uint64_t changeCount_ = 0;
  std::vector<NodeState> nodes_;
  std::vector<BranchState> branches_;
  std::vector<VexUnicodeString> linkNames_;  // names of the linked elements, object by object
};

class ModelChanges {
 public:
  static constexpr std::size_t kMostListedInFull = 20;
  static constexpr std::size_t kFirstListed = 10;

  /// Both snapshots must outlive the comparison.
  ModelChanges(const ModelSnapshot& before, const ModelSnapshot& after);

  bool IsEmpty() const;
  /// Prints the changes, summarising large groups unless `inFull`.
  void Print(std::ostream& out, bool inFull) const;

 private:
  // A changed node or branch is its place in one snapshot; its text is made only when it is
  // printed, so a million added nodes cost a few megabytes. A changed link is its text, kept in
  // linkTexts_ (a snapshot of null).
  struct Item {
    const ModelSnapshot* snapshot;
    std::uint32_t index;
  };
  enum Kind { kBranch, kLink, kNode, kKindCount };  // the order in which kinds print
  struct KindChanges {
    std::vector<Item> added;
    std::vector<Item> changed;  // same key, other detail
    std::vector<Item> removed;
  };

  void CompareNodes();
  void CompareBranches();
  /// The links of an object in both snapshots, by the names of the linked elements.
  void CompareLinks(const std::string& owner, std::size_t oldFirst, std::size_t oldEnd,
                    std::size_t newFirst, std::size_t newEnd);
  void AddLinks(std::vector<Item>& items, const ModelSnapshot& snapshot, const std::string& owner,
                std::size_t first, std::size_t end);
  /// A key both removed and added (an object deleted and made again) did not change.
  void Cancel(Kind kind);
  void PrintAddedAndChanged(std::ostream& out, Kind kind, bool inFull) const;
  void PrintGroup(std::ostream& out, Kind kind, const char* sign, std::vector<Item> items,
                  bool inFull) const;
  std::string KeyOf(Kind kind, const Item& item) const;
  std::string DetailOf(Kind kind, const Item& item) const;
  /// Orders items of one kind by their texts.
  std::function<bool(const Item&, const Item&)> KeyLess(Kind kind) const;
  /// Orders the first `first` items by their texts.
  void SortByKey(Kind kind, std::vector<Item>& items, std::size_t first) const;

  const std::string& LinkText(const Item& item) const { return linkTexts_[item.index]; }
  Item NewLink(std::string text);

  const ModelSnapshot& before_;
  const ModelSnapshot& after_;
  KindChanges kinds_[kKindCount];
  std::vector<std::string> linkTexts_;
};
