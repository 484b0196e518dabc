#include "ModelChanges.h"

#include <algorithm>
#include <functional>
#include <string_view>
#include <unordered_set>

#include "VexGrdNetworkModel.h"

namespace {

const char* const kPluralNames[] = {"branches", "links", "nodes"};

std::string LengthText(double length, const VexUnicodeString& unitCode) {
  if (unitCode.IsEmpty()) return "";
  VexUnicodeString text;
  text.ConvertNumToString(length, "%.4g");
  return "length " + text.str() + " " + unitCode.str();
}

std::string LinkKey(const std::string& owner, std::string_view elementName) {
  return "link " + owner + " - " + std::string(elementName);
}

// Orders two branches by from + "->" + to, the text they print under, without making it.
bool JoinedLess(const VexGrdBranch& a, const VexGrdBranch& b) {
  const std::string_view left[] = {a.From().str(), "->", a.To().str()};
  const std::string_view right[] = {b.From().str(), "->", b.To().str()};
  std::size_t i = 0, j = 0, p = 0, q = 0;
  for (;;) {
    while (i < 3 && p == left[i].size()) ++i, p = 0;
    while (j < 3 && q == right[j].size()) ++j, q = 0;
    if (i == 3 || j == 3) return i == 3 && j < 3;
    if (left[i][p] != right[j][q]) {
      return static_cast<unsigned char>(left[i][p]) < static_cast<unsigned char>(right[j][q]);
    }
    ++p, ++q;
  }
}

struct EndsHash {
  std::size_t operator()(const std::pair<std::string_view, std::string_view>& ends) const {
    std::hash<std::string_view> hash;
    return hash(ends.first) * 31 + hash(ends.second);
  }
};

// Walks two lists held in creation order (row identifiers ascending) side by side: `common` for
// an object in both, `gone` and `made` for one in only one of them. An object that a rollback
// brought back under its old row is another object: gone, then made.
template <class State, class Common, class Gone, class Made>
void Merge(const std::vector<State>& before, const std::vector<State>& after, Common common,
           Gone gone, Made made) {
  auto object = [](const State& state) {
    if constexpr (requires { state.node; }) {
      return state.node.get();
    } else {
      return state.branch.get();
    }
  };
  std::size_t i = 0, j = 0;
  while (i < before.size() || j < after.size()) {
    if (j == after.size() ||
        (i < before.size() && object(before[i])->GetRowId() < object(after[j])->GetRowId())) {
      gone(i++);
    } else if (i == before.size() || object(after[j])->GetRowId() < object(before[i])->GetRowId()) {
      made(j++);
    } else if (object(before[i]) == object(after[j])) {
      common(i++, j++);
    } else {
      gone(i++);
      made(j++);
    }
  }
}

// The names of one object's linked elements, each once, in order.
std::vector<std::string_view> NameSet(const std::vector<VexUnicodeString>& names, std::size_t first,
                                      std::size_t end) {
  std::vector<std::string_view> set;
  for (std::size_t i = first; i < end; ++i) set.emplace_back(names[i].str());
  std::sort(set.begin(), set.end());
  set.erase(std::unique(set.begin(), set.end()), set.end());
  return set;
}

}  // namespace

// Snapshot --------------------------------------------------------------------------------------

ModelSnapshot::ModelSnapshot(const VexGrdNetworkModel& model)
    : model_(&model), changeCount_(model.GetChangeCount()) {
  nodes_.reserve(static_cast<std::size_t>(model.GetNodeCount()));
  for (VexGrdNode* node : model.GetNodes()) {
    nodes_.push_back({VexVar<VexGrdNode>(node), linkNames_.size()});
    for (const auto& element : node->GetLinks()) linkNames_.push_back(element->GetName());
  }
  branches_.reserve(static_cast<std::size_t>(model.GetBranchCount()));
  for (VexGrdBranch* branch : model.GetBranches()) {
    branches_.push_back({VexVar<VexGrdBranch>(branch), static_cast<std::uint32_t>(linkNames_.size()),
                         branch->GetUnitCodeNumber(), branch->GetLength()});
    for (const auto& element : branch->GetLinks()) linkNames_.push_back(element->GetName());
  }
}

bool ModelSnapshot::IsCurrent(const VexGrdNetworkModel& model) const {
  return model_ == &model && changeCount_ == model.GetChangeCount();
}

// Comparing -------------------------------------------------------------------------------------

ModelChanges::ModelChanges(const ModelSnapshot& before, const ModelSnapshot& after)
    : before_(before), after_(after) {
  if (before.model_ == after.model_ && before.changeCount_ == after.changeCount_) return;
  CompareNodes();
  CompareBranches();
  for (int kind = 0; kind < kKindCount; ++kind) Cancel(static_cast<Kind>(kind));
}

ModelChanges::Item ModelChanges::NewLink(std::string text) {
  linkTexts_.push_back(std::move(text));
  return {nullptr, static_cast<std::uint32_t>(linkTexts_.size() - 1)};
}

void ModelChanges::AddLinks(std::vector<Item>& items, const ModelSnapshot& snapshot,
                            const std::string& owner, std::size_t first, std::size_t end) {
  for (std::string_view name : NameSet(snapshot.linkNames_, first, end)) {
    items.push_back(NewLink(LinkKey(owner, name)));
  }
}

void ModelChanges::CompareLinks(const std::string& owner, std::size_t oldFirst, std::size_t oldEnd,
                                std::size_t newFirst, std::size_t newEnd) {
  if (oldFirst == oldEnd && newFirst == newEnd) return;  // the common case: never linked
  auto was = NameSet(before_.linkNames_, oldFirst, oldEnd);
  auto is = NameSet(after_.linkNames_, newFirst, newEnd);
  for (std::string_view name : is) {
    if (!std::binary_search(was.begin(), was.end(), name)) {
      kinds_[kLink].added.push_back(NewLink(LinkKey(owner, name)));
    }
  }
  for (std::string_view name : was) {
    if (!std::binary_search(is.begin(), is.end(), name)) {
      kinds_[kLink].removed.push_back(NewLink(LinkKey(owner, name)));
    }
  }
}

void ModelChanges::CompareNodes() {
  auto linkEnd = [](const ModelSnapshot& snapshot, std::size_t i) {
    return i + 1 < snapshot.nodes_.size() ? snapshot.nodes_[i + 1].firstLink
           : snapshot.branches_.empty()   ? snapshot.linkNames_.size()
                                          : snapshot.branches_.front().firstLink;
  };
  KindChanges& nodes = kinds_[kNode];
  Merge(
      before_.nodes_, after_.nodes_,
      [&](std::size_t i, std::size_t j) {
        if (linkEnd(before_, i) == before_.nodes_[i].firstLink &&
            linkEnd(after_, j) == after_.nodes_[j].firstLink) {
          return;
        }
        CompareLinks(after_.nodes_[j].node->GetNodeId().str(), before_.nodes_[i].firstLink,
                     linkEnd(before_, i), after_.nodes_[j].firstLink, linkEnd(after_, j));
      },
      [&](std::size_t i) {
        nodes.removed.push_back({&before_, static_cast<std::uint32_t>(i)});
        AddLinks(kinds_[kLink].removed, before_, before_.nodes_[i].node->GetNodeId().str(),
                 before_.nodes_[i].firstLink, linkEnd(before_, i));
      },
      [&](std::size_t j) {
        nodes.added.push_back({&after_, static_cast<std::uint32_t>(j)});
        AddLinks(kinds_[kLink].added, after_, after_.nodes_[j].node->GetNodeId().str(),
                 after_.nodes_[j].firstLink, linkEnd(after_, j));
      });
}

void ModelChanges::CompareBranches() {
  auto linkEnd = [](const ModelSnapshot& snapshot, std::size_t i) {
    return i + 1 < snapshot.branches_.size() ? snapshot.branches_[i + 1].firstLink
                                             : snapshot.linkNames_.size();
  };
  KindChanges& branches = kinds_[kBranch];
  Merge(
      before_.branches_, after_.branches_,
      [&](std::size_t i, std::size_t j) {
        const auto& was = before_.branches_[i];
        const auto& is = after_.branches_[j];
        const VexUnicodeString& oldUnit = before_.UnitCodeOf(was);
        const VexUnicodeString& newUnit = after_.UnitCodeOf(is);
        if ((was.length != is.length || oldUnit != newUnit) &&
            LengthText(is.length, newUnit) != LengthText(was.length, oldUnit)) {
          branches.changed.push_back({&after_, static_cast<std::uint32_t>(j)});
        }
        if (linkEnd(before_, i) == was.firstLink && linkEnd(after_, j) == is.firstLink) return;
        CompareLinks(is.branch->GetBranchId().str(), was.firstLink, linkEnd(before_, i),
                     is.firstLink, linkEnd(after_, j));
      },
      [&](std::size_t i) {
        branches.removed.push_back({&before_, static_cast<std::uint32_t>(i)});
        const auto& was = before_.branches_[i];
        AddLinks(kinds_[kLink].removed, before_, was.branch->GetBranchId().str(), was.firstLink,
                 linkEnd(before_, i));
      },
      [&](std::size_t j) {
        branches.added.push_back({&after_, static_cast<std::uint32_t>(j)});
        const auto& is = after_.branches_[j];
        AddLinks(kinds_[kLink].added, after_, is.branch->GetBranchId().str(), is.firstLink,
                 linkEnd(after_, j));
      });
}

void ModelChanges::Cancel(Kind kind) {
  std::vector<Item>& added = kinds_[kind].added;
  std::vector<Item>& removed = kinds_[kind].removed;
  if (added.empty() || removed.empty()) return;
  // Nodes and branches are told apart by their identifiers, links by their texts; each side is
  // looked up in a set of the other side's keys, views into the snapshots or the items.
  using Ends = std::pair<std::string_view, std::string_view>;
  auto endsOf = [&](const Item& item) -> Ends {
    if (kind == kNode) return {item.snapshot->nodes_[item.index].node->Id().str(), {}};
    if (kind == kBranch) {
      const VexGrdBranch& branch = *item.snapshot->branches_[item.index].branch;
      return {branch.From().str(), branch.To().str()};
    }
    return {LinkText(item), {}};
  };
  std::unordered_set<Ends, EndsHash> removedKeys;
  for (const Item& item : removed) removedKeys.insert(endsOf(item));
  std::unordered_set<Ends, EndsHash> common;
  for (const Item& item : added) {
    if (removedKeys.count(endsOf(item))) common.insert(endsOf(item));
  }
  if (common.empty()) return;
  auto isCommon = [&](const Item& item) { return common.count(endsOf(item)) > 0; };
  std::erase_if(added, isCommon);
  std::erase_if(removed, isCommon);
}

bool ModelChanges::IsEmpty() const {
  return std::all_of(std::begin(kinds_), std::end(kinds_), [](const KindChanges& kind) {
    return kind.added.empty() && kind.changed.empty() && kind.removed.empty();
  });
}

// Printing --------------------------------------------------------------------------------------

namespace {

void PrintLine(std::ostream& out, const char* sign, const std::string& key, const std::string& detail) {
  if (*sign == '+') {
    out << "  model: + " << key << (detail.empty() ? "" : " (" + detail + ")") << '\n';
  } else if (*sign == '-') {
    out << "  model: - " << key << '\n';
  } else {
    out << "  model: " << key << ": " << (detail.empty() ? "(nothing)" : detail) << '\n';
  }
}

}  // namespace

std::string ModelChanges::KeyOf(Kind kind, const Item& item) const {
  if (kind == kNode) return "node " + item.snapshot->nodes_[item.index].node->GetNodeId().str();
  if (kind == kBranch) return "branch " + item.snapshot->branches_[item.index].branch->GetBranchId().str();
  return LinkText(item);
}

std::string ModelChanges::DetailOf(Kind kind, const Item& item) const {
  if (kind != kBranch) return "";
  const auto& state = item.snapshot->branches_[item.index];
  return LengthText(state.length, item.snapshot->UnitCodeOf(state));
}

std::function<bool(const ModelChanges::Item&, const ModelChanges::Item&)> ModelChanges::KeyLess(Kind kind) const {
  return [this, kind](const Item& a, const Item& b) {
    if (kind == kNode) {
      return a.snapshot->nodes_[a.index].node->Id().str() <
             b.snapshot->nodes_[b.index].node->Id().str();
    }
    if (kind == kBranch) {
      return JoinedLess(*a.snapshot->branches_[a.index].branch, *b.snapshot->branches_[b.index].branch);
    }
    return LinkText(a) < LinkText(b);
  };
}

void ModelChanges::SortByKey(Kind kind, std::vector<Item>& items, std::size_t first) const {
  auto less = KeyLess(kind);
  if (first >= items.size()) {
    std::sort(items.begin(), items.end(), less);
  } else {
    std::partial_sort(items.begin(), items.begin() + static_cast<std::ptrdiff_t>(first), items.end(),
                      less);
  }
}

void ModelChanges::Print(std::ostream& out, bool inFull) const {
  for (int kind = 0; kind < kKindCount; ++kind) PrintAddedAndChanged(out, static_cast<Kind>(kind), inFull);
  for (int kind = 0; kind < kKindCount; ++kind) {
    PrintGroup(out, static_cast<Kind>(kind), "-", kinds_[kind].removed, inFull);
  }
}

void ModelChanges::PrintAddedAndChanged(std::ostream& out, Kind kind, bool inFull) const {
  const KindChanges& changes = kinds_[kind];
  if (!inFull && (changes.added.size() > kMostListedInFull || changes.changed.size() > kMostListedInFull)) {
    PrintGroup(out, kind, "+", changes.added, false);
    PrintGroup(out, kind, "", changes.changed, false);
    return;
  }
  // Both small (or asked in full): one list in the order of the texts, as the person has always
  // read it.
  std::vector<std::pair<Item, const char*>> all;
  for (const Item& item : changes.added) all.emplace_back(item, "+");
  for (const Item& item : changes.changed) all.emplace_back(item, "");
  auto less = KeyLess(kind);
  std::sort(all.begin(), all.end(), [&](const auto& a, const auto& b) { return less(a.first, b.first); });
  for (const auto& [item, sign] : all) PrintLine(out, sign, KeyOf(kind, item), DetailOf(kind, item));
}

void ModelChanges::PrintGroup(std::ostream& out, Kind kind, const char* sign, std::vector<Item> items,
                              bool inFull) const {
  if (inFull || items.size() <= kMostListedInFull) {
    SortByKey(kind, items, items.size());
    for (const Item& item : items) PrintLine(out, sign, KeyOf(kind, item), DetailOf(kind, item));
    return;
  }
  SortByKey(kind, items, kFirstListed);
  out << "  model: " << (*sign ? std::string(sign) + " " : std::string()) << items.size() << ' '
      << kPluralNames[kind] << (*sign ? "" : " changed") << ", the first " << kFirstListed << ":\n";
  for (std::size_t i = 0; i < kFirstListed; ++i) PrintLine(out, sign, KeyOf(kind, items[i]), DetailOf(kind, items[i]));
  out << "  model:   ... and " << items.size() - kFirstListed
      << " more (the command changes lists them all)\n";
}
