// A tiny byte writer for talk-table fixtures, independent of the model's own writer.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace tlk_bytes {

inline std::string U32(uint32_t value) {
  std::string out(4, '\0');
  std::memcpy(out.data(), &value, 4);
  return out;
}

inline std::string F32(float value) {
  std::string out(4, '\0');
  std::memcpy(out.data(), &value, 4);
  return out;
}

// `resRef` is padded with NUL bytes (or cut) to 16 bytes.
inline std::string Record(uint32_t flags, std::string resRef, uint32_t volume, uint32_t pitch,
                          uint32_t offset, uint32_t size, float soundLength) {
  resRef.resize(16, '\0');
  return U32(flags) + resRef + U32(volume) + U32(pitch) + U32(offset) + U32(size) +
         F32(soundLength);
}

inline std::string Header(uint32_t language, uint32_t count, uint32_t dataOffset,
                          const std::string& type = "TLK ", const std::string& version = "V3.0") {
  return type + version + U32(language) + U32(count) + U32(dataOffset);
}

struct Entry {
  Entry(std::string text = {}, std::string resRef = {}, uint32_t flags = 7, uint32_t volume = 0,
        uint32_t pitch = 0, float soundLength = 0)
      : text(std::move(text)),
        resRef(std::move(resRef)),
        flags(flags),
        volume(volume),
        pitch(pitch),
        soundLength(soundLength) {}
  std::string text;
  std::string resRef;
  uint32_t flags = 7;
  uint32_t volume = 0;
  uint32_t pitch = 0;
  float soundLength = 0;
};

// A well-formed file: records after the header, texts back to back in StrRef order,
// an empty text at offset 0.
inline std::string File(const std::vector<Entry>& entries, uint32_t language = 0) {
  const uint32_t count = static_cast<uint32_t>(entries.size());
  const uint32_t dataOffset = 20 + 40 * count;
  std::string records;
  std::string texts;
  for (const Entry& entry : entries) {
    const uint32_t offset = entry.text.empty() ? 0 : static_cast<uint32_t>(texts.size());
    records += Record(entry.flags, entry.resRef, entry.volume, entry.pitch, offset,
                      static_cast<uint32_t>(entry.text.size()), entry.soundLength);
    texts += entry.text;
  }
  return Header(language, count, dataOffset) + records + texts;
}

}  // namespace tlk_bytes
