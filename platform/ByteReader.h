// The one byte reader of the game-file readers: a view over a file held in memory
// with a position. Raw reads may come back short at the end; the checked reads raise
// EReadPastEnd, which each reader turns into its own exception.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/Exceptions.h"

namespace platform {

class ByteReader {
 public:
  explicit ByteReader(std::string_view data) : FData(data) {}

  size_t Size() const { return FData.size(); }
  size_t Tell() const { return FPosition; }
  size_t Remaining() const { return FPosition < FData.size() ? FData.size() - FPosition : 0; }
  bool AtEnd() const { return FPosition >= FData.size(); }
  // Positions past the end are allowed; reads from there return nothing.
  void Seek(size_t position) { FPosition = position; }
  void Skip(size_t count) { FPosition += count; }

  // True when `length` bytes at `offset` lie inside the data (no overflow).
  bool Contains(uint64_t offset, uint64_t length) const {
    return offset <= FData.size() && length <= FData.size() - offset;
  }

  // Up to `count` bytes from the position; shorter at the end of the data.
  std::string_view ReadRaw(size_t count) {
    std::string_view result = FData.substr(std::min(FPosition, FData.size()), count);
    FPosition += count;
    return result;
  }

  std::string_view ReadBytes(size_t count) {
    Require(count);
    std::string_view result = FData.substr(FPosition, count);
    FPosition += count;
    return result;
  }
  uint8_t ReadU8() { return Read<uint8_t>(); }
  uint16_t ReadU16() { return Read<uint16_t>(); }
  uint32_t ReadU32() { return Read<uint32_t>(); }
  int32_t ReadS32() { return Read<int32_t>(); }
  uint64_t ReadU64() { return Read<uint64_t>(); }
  float ReadF32() { return Read<float>(); }
  double ReadF64() { return Read<double>(); }

 private:
  void Require(size_t count) const {
    if (!Contains(FPosition, count)) throw EReadPastEnd(FPosition, count, FData.size());
  }

  // The files are little-endian, as is every machine these programs run on.
  template <typename T>
  T Read() {
    Require(sizeof(T));
    T value;
    std::memcpy(&value, FData.data() + FPosition, sizeof(T));
    FPosition += sizeof(T);
    return value;
  }

  std::string_view FData;
  size_t FPosition = 0;
};

}  // namespace platform
