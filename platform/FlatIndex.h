// An open-addressing hash table of small entries, for an index whose keys are held
// elsewhere (the INI parse's names in its text): the caller hashes and tests them.
// Linear probing from a home slot taken from the hash's high bits by a multiplication,
// in a table filled to at most seven eighths that grows by half (so it is at least 58 %
// full once grown, where doubling would leave it at 44 %). Erasing shifts the entries
// after it back, so that no tombstone is left and a table of many edits stays as fast as
// a fresh one.
//
// A large table is a mapping of its own that reads as zeros until written. As the home
// slots follow the hash's order, a growth that moves the old table's entries in slot
// order fills the new table from its front, and the old one gives its pages back as it
// is read: the two are never both held whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>

#include "platform/HugePages.h"

namespace platform {

// A 32-bit hash of 64 bits, every bit mixed into the ones the table uses.
inline uint32_t MixedHash(uint64_t hash) {
  hash ^= hash >> 33;
  hash *= 0xff51afd7ed558ccdull;
  hash ^= hash >> 33;
  return static_cast<uint32_t>(hash);
}

// Entry: a small trivially copyable value with `bool Empty() const`, empty when all its
// bytes are zero (as a default-constructed one is). The table stores no hash: each call
// that moves entries is told how to hash one (`hashOf`), and a lookup's `matches` is
// asked of every entry on the hash's probe sequence (an entry may keep its hash to
// answer quickly).
template <typename Entry>
class FlatIndex {
  static_assert(std::is_trivially_copyable_v<Entry>);

 public:
  FlatIndex() = default;
  FlatIndex(const FlatIndex&) = delete;
  FlatIndex& operator=(const FlatIndex&) = delete;
  FlatIndex(FlatIndex&& other) noexcept
      : FSlots(std::exchange(other.FSlots, nullptr)),
        FSize(std::exchange(other.FSize, 0)),
        FCount(std::exchange(other.FCount, 0)) {}
  FlatIndex& operator=(FlatIndex&& other) noexcept {
    if (this != &other) {
      FreeTable(FSlots, FSize);
      FSlots = std::exchange(other.FSlots, nullptr);
      FSize = std::exchange(other.FSize, 0);
      FCount = std::exchange(other.FCount, 0);
    }
    return *this;
  }
  ~FlatIndex() { FreeTable(FSlots, FSize); }

  template <typename Matches>
  const Entry* Find(uint32_t hash, Matches matches) const {
    if (FSize == 0) return nullptr;
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
    if ((FCount + 1) * 8 > FSize * 7) Grow(hashOf);
    Place(entry, hash);
    ++FCount;
  }

  // Removes the entry `slot` points at. Moves the entries: pointers into it go stale.
  template <typename HashOf>
  void Erase(const Entry* slot, HashOf hashOf) {
    size_t hole = static_cast<size_t>(slot - FSlots);
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
  size_t Home(uint32_t hash) const { return (uint64_t{hash} * FSize) >> 32; }
  size_t Next(size_t i) const { return i + 1 == FSize ? 0 : i + 1; }
  // Steps from `from` forward to `to`, around the end.
  size_t Distance(size_t from, size_t to) const {
    return to >= from ? to - from : to + FSize - from;
  }

  static bool IsMapped(size_t entries) { return entries * sizeof(Entry) >= kMappedFrom; }
  // A table of empty entries; a mapped one is zeros without being written.
  static Entry* NewTable(size_t entries) {
    const size_t bytes = entries * sizeof(Entry);
    if (!IsMapped(entries))
      return static_cast<Entry*>(std::memset(::operator new(bytes), 0, bytes));
    void* table = MapPages(bytes);
    if (table == nullptr) throw std::bad_alloc();
    return static_cast<Entry*>(table);
  }
  static void FreeTable(Entry* table, size_t entries) {
    if (table == nullptr) return;
    if (IsMapped(entries)) {
      UnmapPages(table, entries * sizeof(Entry));
    } else {
      ::operator delete(table);
    }
  }

  void Place(const Entry& entry, uint32_t hash) {
    size_t i = Home(hash);
    while (!FSlots[i].Empty()) i = Next(i);
    FSlots[i] = entry;
  }

  template <typename HashOf>
  void Grow(HashOf hashOf) {
    constexpr size_t kStep = 16384;  // entries read between two give-backs
    Entry* const old = FSlots;
    const size_t oldSize = FSize;
    const size_t size = oldSize == 0 ? 16 : oldSize + oldSize / 2;
    FSlots = NewTable(size);
    FSize = size;
    for (size_t i = 0; i < oldSize; ++i) {
      if (!old[i].Empty()) Place(old[i], hashOf(old[i]));
      if (IsMapped(oldSize) && (i + 1) % kStep == 0) DiscardPages(old + i + 1 - kStep, old + i + 1);
    }
    FreeTable(old, oldSize);
  }

  static constexpr size_t kMappedFrom = size_t{1} << 20;

  Entry* FSlots = nullptr;
  size_t FSize = 0;  // slots
  size_t FCount = 0;
};

}  // namespace platform
