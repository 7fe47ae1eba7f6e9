// An open-addressing hash table of small entries, for an index whose keys are held
// elsewhere (the INI parse's names in its text): the caller hashes and tests them.
// Linear probing from a home slot taken from the hash's high bits by a multiplication,
// in a table filled to at most seven eighths that grows by half (so it is at least 58 %
// full once grown, where doubling would leave it at 44 %). Erasing shifts the entries
// after it back, so that no tombstone is left and a table of many edits stays as fast as
// a fresh one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/HugePages.h"

namespace platform {

// A 32-bit hash of 64 bits, every bit mixed into the ones the table uses.
inline uint32_t MixedHash(uint64_t hash) {
  hash ^= hash >> 33;
  hash *= 0xff51afd7ed558ccdull;
  hash ^= hash >> 33;
  return static_cast<uint32_t>(hash);
}

// Entry: a small value with `bool Empty() const`; a default-constructed entry is empty.
// The table stores no hash: each call that moves entries is told how to hash one
// (`hashOf`), and a lookup's `matches` is asked of every entry on the hash's probe
// sequence (an entry may keep its hash to answer quickly).
template <typename Entry>
class FlatIndex {
 public:
  template <typename Matches>
  const Entry* Find(uint32_t hash, Matches matches) const {
    if (FSlots.empty()) return nullptr;
    for (size_t i = Home(hash);; i = Next(i)) {
      const Entry& slot = FSlots[i];
      if (slot.Empty()) return nullptr;
      if (matches(slot)) return &slot;
    }
  }
  template <typename Matches>
  Entry* Find(uint32_t hash, Matches matches) {
    return const_cast<Entry*>(static_cast<const FlatIndex&>(*this).Find(hash, matches));
  }

  // `entry`, of hash `hash`, must not be in the table yet. Moves the entries: pointers
  // into it go stale.
  template <typename HashOf>
  void Insert(const Entry& entry, uint32_t hash, HashOf hashOf) {
    if ((FCount + 1) * 8 > FSlots.size() * 7) Grow(hashOf);
    Place(entry, hash);
    ++FCount;
  }

  // Removes the entry `slot` points at. Moves the entries: pointers into it go stale.
  template <typename HashOf>
  void Erase(const Entry* slot, HashOf hashOf) {
    size_t hole = static_cast<size_t>(slot - FSlots.data());
    for (size_t i = Next(hole); !FSlots[i].Empty(); i = Next(i)) {
      // An entry may fill the hole when the hole lies between its home slot and it.
      if (Distance(Home(hashOf(FSlots[i])), i) >= Distance(hole, i)) {
        FSlots[hole] = FSlots[i];
        hole = i;
      }
    }
    FSlots[hole] = Entry{};
    --FCount;
  }

  size_t Size() const { return FCount; }

 private:
  size_t Home(uint32_t hash) const { return (uint64_t{hash} * FSlots.size()) >> 32; }
  size_t Next(size_t i) const { return i + 1 == FSlots.size() ? 0 : i + 1; }
  // Steps from `from` forward to `to`, around the end.
  size_t Distance(size_t from, size_t to) const {
    return to >= from ? to - from : to + FSlots.size() - from;
  }

  void Place(const Entry& entry, uint32_t hash) {
    size_t i = Home(hash);
    while (!FSlots[i].Empty()) i = Next(i);
    FSlots[i] = entry;
  }

  template <typename HashOf>
  void Grow(HashOf hashOf) {
    Slots old = std::move(FSlots);
    FSlots.assign(old.empty() ? 16 : old.size() + old.size() / 2, Entry{});
    for (const Entry& entry : old) {
      if (!entry.Empty()) Place(entry, hashOf(entry));
    }
  }

  // A large table is a mapping of its own: when it grows, the old one goes back to the
  // system at once instead of staying in the heap beside the new.
  using Slots = std::vector<Entry, HugePageAllocator<Entry>>;
  Slots FSlots;
  size_t FCount = 0;
};

}  // namespace platform
