// An open-addressing hash table of small entries, for an index whose keys are held
// elsewhere (the INI parse's names in its text): each entry carries its 32-bit hash and
// the caller tests the candidates of that hash. Linear probing in a power-of-two table
// filled to at most seven eighths; erasing shifts the entries after it back, so that no
// tombstone is left and a table of many edits stays as fast as a fresh one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

// A 32-bit hash of 64 bits, every bit mixed into the low ones the table uses.
inline uint32_t MixedHash(uint64_t hash) {
  hash ^= hash >> 33;
  hash *= 0xff51afd7ed558ccdull;
  hash ^= hash >> 33;
  return static_cast<uint32_t>(hash);
}

// Entry: a small value with a member `uint32_t hash` and `bool Empty() const`; a
// default-constructed entry is empty.
template <typename Entry>
class FlatIndex {
 public:
  template <typename Matches>
  const Entry* Find(uint32_t hash, Matches matches) const {
    if (FSlots.empty()) return nullptr;
    for (size_t i = hash & Mask();; i = (i + 1) & Mask()) {
      const Entry& slot = FSlots[i];
      if (slot.Empty()) return nullptr;
      if (slot.hash == hash && matches(slot)) return &slot;
    }
  }
  template <typename Matches>
  Entry* Find(uint32_t hash, Matches matches) {
    return const_cast<Entry*>(static_cast<const FlatIndex&>(*this).Find(hash, matches));
  }

  // `entry` must not be in the table yet. Moves the entries: pointers into it go stale.
  void Insert(const Entry& entry) {
    if ((FCount + 1) * 8 > FSlots.size() * 7) Grow();
    Place(entry);
    ++FCount;
  }

  // Removes the entry `slot` points at. Moves the entries: pointers into it go stale.
  void Erase(const Entry* slot) {
    size_t hole = static_cast<size_t>(slot - FSlots.data());
    for (size_t i = (hole + 1) & Mask(); !FSlots[i].Empty(); i = (i + 1) & Mask()) {
      // An entry may fill the hole when the hole lies between its home slot and it.
      const size_t home = FSlots[i].hash & Mask();
      if (((i - home) & Mask()) >= ((i - hole) & Mask())) {
        FSlots[hole] = FSlots[i];
        hole = i;
      }
    }
    FSlots[hole] = Entry{};
    --FCount;
  }

  size_t Size() const { return FCount; }

 private:
  size_t Mask() const { return FSlots.size() - 1; }

  void Place(const Entry& entry) {
    size_t i = entry.hash & Mask();
    while (!FSlots[i].Empty()) i = (i + 1) & Mask();
    FSlots[i] = entry;
  }

  void Grow() {
    std::vector<Entry> old = std::move(FSlots);
    FSlots.assign(old.empty() ? 16 : old.size() * 2, Entry{});
    for (const Entry& entry : old) {
      if (!entry.Empty()) Place(entry);
    }
  }

  std::vector<Entry> FSlots;
  size_t FCount = 0;
};

}  // namespace platform
