#pragma once
// VexFlatHashMap: a hash map kept in two arrays, for the large identifier indexes of a network.
//
// A node-based map (std::unordered_map) reaches an entry through a bucket array and then a node
// allocated somewhere in the heap; once a network outgrows the processor's caches each of those
// hops is a miss, and lookups slow down as the network grows. Here the entries sit side by side
// in insertion order, and a small table of slots finds them: a lookup reads one slot and then its
// entry, and adding an entry only appends. A slot is 8 bytes (the low half of the key's hash and an
// entry's position), so a million keys take 16 MB of slots.
// Linear probing; erasing shifts the following slots back, so there are no tombstones and a long
// session of creations and deletions keeps its probe lengths short. An erased entry's place is
// taken by the last entry.
//
// Key and Value must be movable (Value also default-constructible). Pointers returned by Find
// and TryEmplace stay valid until the next TryEmplace, Erase, Reserve or Clear. At most 2^31
// entries.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "VexLargeArrayAllocator.h"

template <class Key, class Value, class Hash = std::hash<Key>, class KeyEqual = std::equal_to<Key>>
class VexFlatHashMap {
 public:
  std::size_t Size() const { return entries_.size(); }
  bool IsEmpty() const { return entries_.empty(); }

  Value* Find(const Key& key) {
    std::size_t slot = SlotOf(key, TagOf(Hash{}(key)));
    return slot == kNotFound ? nullptr : &entries_[slots_[slot].entry].value;
  }
  const Value* Find(const Key& key) const {
    return const_cast<VexFlatHashMap*>(this)->Find(key);
  }

  /// The key that `matches`, for keys that are found through what they point to rather than by
  /// themselves: `hash` is what Hash answers for that key. Null when there is none.
  template <class Matches>
  const Key* FindKeyBy(std::size_t hash, Matches matches) const {
    std::size_t slot = SlotWith(TagOf(hash), matches);
    return slot == kNotFound ? nullptr : &entries_[slots_[slot].entry].key;
  }

  /// The value under `key`, made (default) when missing; `second` tells whether it was made.
  std::pair<Value*, bool> TryEmplace(const Key& key) {
    return TryEmplaceBy(Hash{}(key), [&key](const Key& stored) { return KeyEqual{}(stored, key); },
                        key);
  }

  /// TryEmplace for keys found through what they point to (see FindKeyBy): `key` is made unless
  /// a key that `matches` is there; `hash` is what Hash answers for `key`.
  template <class Matches>
  std::pair<Value*, bool> TryEmplaceBy(std::size_t hash, Matches matches, const Key& key) {
    const Tag tag = TagOf(hash);
    std::size_t found = SlotWith(tag, matches);
    if (found != kNotFound) return {&entries_[slots_[found].entry].value, false};
    if ((entries_.size() + 1) * kMaxLoadDenominator > slots_.size() * kMaxLoadNumerator) {
      Rehash(slots_.empty() ? kMinimumSlots : slots_.size() * 2);
    }
    entries_.push_back(Entry{tag, key, Value()});  // first: if it throws, no slot names it
    slots_[FreeSlotFor(tag)] = Slot{tag, static_cast<Index>(entries_.size() - 1)};
    return {&entries_.back().value, true};
  }

  /// Removes `key`'s entry; false when there was none.
  bool Erase(const Key& key) {
    std::size_t hole = SlotOf(key, TagOf(Hash{}(key)));
    if (hole == kNotFound) return false;
    std::size_t erased = slots_[hole].entry;
    // Backward shift: move up every following slot whose home is not between the hole and it.
    for (std::size_t next = Next(hole); slots_[next].tag != kEmpty; next = Next(next)) {
      std::size_t home = slots_[next].tag & Mask();
      if (Distance(home, next) < Distance(hole, next)) continue;
      slots_[hole] = slots_[next];
      hole = next;
    }
    slots_[hole] = Slot();
    std::size_t last = entries_.size() - 1;
    if (erased != last) {
      slots_[SlotOfEntry(last)].entry = static_cast<Index>(erased);
      entries_[erased] = std::move(entries_[last]);
    }
    entries_.pop_back();
    return true;
  }

  /// Removes every entry and gives the memory back: a map that held a million identifiers
  /// for one synchronization should not keep their room for the rest of the session.
  void Clear() {
    slots_ = {};
    entries_ = {};
  }

  /// Room for `count` entries without growing.
  void Reserve(std::size_t count) {
    std::size_t wanted = kMinimumSlots;
    while (count * kMaxLoadDenominator > wanted * kMaxLoadNumerator) wanted *= 2;
    if (wanted > slots_.size()) Rehash(wanted);
    entries_.reserve(count);
  }

 private:
  using Tag = std::uint32_t;
  using Index = std::uint32_t;
  static constexpr Tag kEmpty = 0;
  static constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);
  static constexpr std::size_t kMinimumSlots = 16;
  // At most 3/4 full: linear probing stays short well below that.
  static constexpr std::size_t kMaxLoadNumerator = 3;
  static constexpr std::size_t kMaxLoadDenominator = 4;

  struct Slot {
    Tag tag = kEmpty;  // the low half of the key's hash, never kEmpty for a used slot
    Index entry = 0;
  };
  struct Entry {
    Tag tag;  // kept so that growing never hashes a key again
    Key key;
    Value value;
  };

  static Tag TagOf(std::size_t hash) {
    const auto tag = static_cast<Tag>(hash);
    return tag == kEmpty ? 1 : tag;
  }
  std::size_t Mask() const { return slots_.size() - 1; }
  std::size_t Next(std::size_t index) const { return (index + 1) & Mask(); }
  std::size_t Distance(std::size_t from, std::size_t to) const { return (to - from) & Mask(); }

  std::size_t SlotOf(const Key& key, Tag tag) const {
    return SlotWith(tag, [&key](const Key& stored) { return KeyEqual{}(stored, key); });
  }

  template <class Matches>
  std::size_t SlotWith(Tag tag, Matches matches) const {
    if (slots_.empty()) return kNotFound;
    for (std::size_t index = tag & Mask();; index = Next(index)) {
      const Slot& slot = slots_[index];
      if (slot.tag == kEmpty) return kNotFound;
      if (slot.tag == tag && matches(entries_[slot.entry].key)) return index;
    }
  }

  std::size_t SlotOfEntry(std::size_t entry) const {
    std::size_t index = entries_[entry].tag & Mask();
    while (slots_[index].entry != entry || slots_[index].tag == kEmpty) index = Next(index);
    return index;
  }

  std::size_t FreeSlotFor(Tag tag) const {
    std::size_t index = tag & Mask();
    while (slots_[index].tag != kEmpty) index = Next(index);
    return index;
  }

  void Rehash(std::size_t slotCount) {
    slots_.assign(slotCount, Slot());
    for (std::size_t entry = 0; entry < entries_.size(); ++entry) {
      slots_[FreeSlotFor(entries_[entry].tag)] = Slot{entries_[entry].tag, static_cast<Index>(entry)};
    }
  }

  std::vector<Slot, VexLargeArrayAllocator<Slot>> slots_;
  std::vector<Entry, VexLargeArrayAllocator<Entry>> entries_;  // insertion order, but for erased entries' places
};

/// A set kept the same way.
template <class Key, class Hash = std::hash<Key>, class KeyEqual = std::equal_to<Key>>
class VexFlatHashSet {
 public:
  std::size_t Size() const { return map_.Size(); }
  bool IsEmpty() const { return map_.IsEmpty(); }
  /// Adds `key`; false when it was there already.
  bool Insert(const Key& key) { return map_.TryEmplace(key).second; }
  bool Contains(const Key& key) const { return map_.Find(key) != nullptr; }
  /// Adds `key` unless a key that `matches` is there (see VexFlatHashMap::TryEmplaceBy); false
  /// when it was there.
  template <class Matches>
  bool InsertBy(std::size_t hash, Matches matches, const Key& key) {
    return map_.TryEmplaceBy(hash, matches, key).second;
  }
  /// See VexFlatHashMap::FindKeyBy.
  template <class Matches>
  const Key* FindBy(std::size_t hash, Matches matches) const {
    return map_.FindKeyBy(hash, matches);
  }
  bool Erase(const Key& key) { return map_.Erase(key); }
  void Clear() { map_.Clear(); }
  void Reserve(std::size_t count) { map_.Reserve(count); }

 private:
  struct Nothing {};
  VexFlatHashMap<Key, Nothing, Hash, KeyEqual> map_;
};
