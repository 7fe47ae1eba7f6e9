#include "formats/UGFFFile.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <type_traits>
#include <unordered_map>
#include <utility>

#include "formats/UKV_Common.h"
#include "formats/UStrTok.h"
#include "platform/ByteReader.h"
#include "platform/Conversions.h"
#include "platform/Files.h"
#include "platform/HugePages.h"
#include "platform/Locale.h"

// GFF V3.2, all numbers unsigned 32-bit little-endian unless said otherwise:
//   header (56 bytes): file type, "V3.2", then offset and count/size of the struct
//     entries, field entries, labels, field data, field indices and list indices
//   struct entry (12): id, data, field count; one field: data is its field index;
//     more: data is a byte offset into the field indices, where count u32 indices follow
//   field entry (12): type code, label index, data (the value itself for codes 0-5
//     and 8, a struct index for 14, a byte offset into the list indices for 15 (count,
//     then struct indices), a byte offset into the field data for the others)
//   label (16): zero-padded characters
// Nothing is trusted: every offset, count and length is checked against the file size
// before it is used.

// ---------------------------------------------------------------------------------
// The field model

void TGFFField::SetLabel(std::string_view text) {
  FLabel.fill(0);
  std::memcpy(FLabel.data(), text.data(), std::min(text.size(), FLabel.size()));
}

namespace {

// A label as the reader compares it: its bytes without the zero bytes, zero-padded. Two
// labels are the same when their keys are equal ("a\0b" and "ab" are one label).
using LabelKey = std::array<char, 16>;

LabelKey KeyOf(const std::array<char, 16>& label) {
  LabelKey key{};
  size_t length = 0;
  for (char c : label)
    if (c != 0) key[length++] = c;
  return key;
}

size_t KeyLength(const LabelKey& key) {
  return static_cast<size_t>(std::find(key.begin(), key.end(), 0) - key.begin());
}

}  // namespace

std::string TGFFField::GetLabel() const {
  const LabelKey key = KeyOf(FLabel);
  return std::string(key.data(), KeyLength(key));
}

bool TGFFField::HasLabel(std::string_view text) const {
  size_t matched = 0;
  for (char c : FLabel) {
    if (c == 0) continue;
    if (matched == text.size() || text[matched] != c) return false;
    ++matched;
  }
  return matched == text.size();
}

void TGFF_CExoLocString::AddSubString(std::unique_ptr<TGFF_CSubString> subString) {
  FSubStrings.push_back(std::move(subString));
}

namespace {
template <typename T>
void Destroy(TGFFField* field) {
  static_cast<T*>(field)->~T();
}
}  // namespace

void* TGFFField::operator new(size_t size) { return ::operator new(size); }

void TGFFField::operator delete(TGFFField* field, std::destroying_delete_t) {
  static_assert(std::is_trivially_destructible_v<TGFF_CPosition> &&
                std::is_trivially_destructible_v<TGFF_COrientation> &&
                std::is_trivially_destructible_v<TGFF_CDWORD64>);
  const bool inArena = field->FInArena;
  switch (field->FFieldType) {
    case kGffExoString:
      Destroy<TGFF_CExoString>(field);
      break;
    case kGffResRef:
      Destroy<TGFF_CResRef>(field);
      break;
    case kGffExoLocString:
      Destroy<TGFF_CExoLocString>(field);
      break;
    case kGffVoid:
      Destroy<TGFF_CVoid>(field);
      break;
    case kGffStruct:
      Destroy<TGFFStruct>(field);
      break;
    case kGffList:
      Destroy<TGFFList>(field);
      break;
    default:  // a value field: nothing to destroy
      break;
  }
  if (!inArena) ::operator delete(field);
}

void* TGFF_CSubString::operator new(size_t size) { return ::operator new(size); }

void TGFF_CSubString::operator delete(TGFF_CSubString* subString, std::destroying_delete_t) {
  const bool inArena = subString->FInArena;
  subString->~TGFF_CSubString();
  if (!inArena) ::operator delete(subString);
}

const TGFF_CSubString& TGFF_CExoLocString::GetSubString(int32_t index) const {
  if (index < 0 || static_cast<size_t>(index) >= FSubStrings.size())
    throw EGFFError("Invalid substring index when getting CExoLocString text!", 22);
  return *FSubStrings[static_cast<size_t>(index)];
}

std::string TGFF_CExoLocString::GetTextForId(uint32_t stringId) const {
  for (const auto& subString : FSubStrings)
    if (subString->StringId() == stringId) return subString->GetText();
  return {};
}

TGFFField& TGFFStruct::GetField(int32_t index) const {
  if (index < 0 || index >= Count())
    throw EGFFError(
        "Out of bounds index encountered when attempting to retrieve field from struct " +
            GetLabel() + "!",
        0);
  return *FFields[static_cast<size_t>(index)];
}

// The position of each label's first field, for lookups in large structs.
class TGFFStruct::LabelIndex {
 public:
  void Add(const std::array<char, 16>& label, int32_t position) {
    const LabelKey key = KeyOf(label);
    FPositions.emplace(std::string(key.data(), KeyLength(key)), position);
  }
  // -1 when no field has the label.
  int32_t Find(std::string_view label) const {
    auto found = FPositions.find(std::string(label));
    return found == FPositions.end() ? -1 : found->second;
  }

 private:
  std::unordered_map<std::string, int32_t> FPositions;
};

TGFFStruct::TGFFStruct(std::pmr::memory_resource* memory)
    : TGFFField(kGffStruct), FFields(memory) {}
TGFFStruct::~TGFFStruct() = default;

TGFFField* TGFFStruct::FindField(std::string_view label) const {
  // Below this many fields a look at each is faster than an index.
  constexpr size_t kIndexFrom = 32;
  if (!FLabelIndex && FFields.size() >= kIndexFrom) {
    FLabelIndex = std::make_unique<LabelIndex>();
    for (size_t i = 0; i < FFields.size(); ++i)
      FLabelIndex->Add(FFields[i]->Label(), static_cast<int32_t>(i));
  }
  if (FLabelIndex) {
    const int32_t position = FLabelIndex->Find(label);
    return position < 0 ? nullptr : FFields[static_cast<size_t>(position)].get();
  }
  for (const auto& field : FFields)
    if (field->HasLabel(label)) return field.get();
  return nullptr;
}

bool TGFFStruct::AddField(std::unique_ptr<TGFFField> field) {
  const LabelKey key = KeyOf(field->Label());
  if (FindField(std::string_view(key.data(), KeyLength(key)))) return false;
  if (FLabelIndex) FLabelIndex->Add(field->Label(), Count());
  FFields.push_back(std::move(field));
  return true;
}

TGFFStruct& TGFFList::GetStruct(int32_t index) const {
  if (index < 0 || index >= Count())
    throw EGFFError("Out of bounds index " + std::to_string(index) +
                        " when trying to get STRUCT from LIST " + GetLabel() + "!",
                    0);
  return *FStructs[static_cast<size_t>(index)];
}

void TGFFList::AddStruct(std::unique_ptr<TGFFStruct> gffStruct) {
  gffStruct->SetLabelBytes({});
  FStructs.push_back(std::move(gffStruct));
}

// ---------------------------------------------------------------------------------
// The arena

// Memory for the nodes of one loaded tree, taken in blocks and given back all at once.
// Blocks grow to 2 MiB; those are mapped as huge pages where the system offers them,
// since touching fresh memory page by page costs more than building the tree in it.
class TGFFArena final : public std::pmr::memory_resource {
 public:
  TGFFArena() = default;
  TGFFArena(const TGFFArena&) = delete;
  TGFFArena& operator=(const TGFFArena&) = delete;
  ~TGFFArena() override {
    for (const Block& block : FBlocks) Release(block);
  }

  // Gives the untouched end of the last huge page back to the system (a loaded tree does
  // not grow much after its load; should it, the memory is there again when touched).
  void ReleaseUnusedEnd() {
    if (FBlocks.empty() || !FBlocks.back().mapped) return;
    const uintptr_t page = static_cast<uintptr_t>(::sysconf(_SC_PAGESIZE));
    const uintptr_t from = (reinterpret_cast<uintptr_t>(FNext) + page - 1) / page * page;
    const uintptr_t end = reinterpret_cast<uintptr_t>(FNext) + FLeft;
    if (from < end) ::madvise(reinterpret_cast<void*>(from), end - from, MADV_DONTNEED);
  }

  template <typename T, typename... Args>
  std::unique_ptr<T> Make(Args&&... args) {
    T* node = ::new (do_allocate(sizeof(T), alignof(T))) T(std::forward<Args>(args)...);
    MarkInArena(node);
    return std::unique_ptr<T>(node);
  }

 private:
  static void MarkInArena(TGFFField* field) { field->FInArena = true; }
  static void MarkInArena(TGFF_CSubString* subString) { subString->FInArena = true; }

  static constexpr size_t kFirstBlock = 64 * 1024;
  static constexpr size_t kHugePage = platform::kHugePageSize;

  struct Block {
    char* start;
    size_t size;
    bool mapped;
  };

  void* do_allocate(size_t size, size_t alignment) override {
    size_t skip = (alignment - reinterpret_cast<uintptr_t>(FNext) % alignment) % alignment;
    if (skip + size > FLeft) {
      AddBlock(std::max(size, FNextBlock));
      FNextBlock = std::min(FNextBlock * 2, kHugePage);
      skip = 0;  // blocks are aligned for any node
    }
    void* at = FNext + skip;
    FNext += skip + size;
    FLeft -= skip + size;
    return at;
  }

  // Memory is given back with the whole arena.
  void do_deallocate(void*, size_t, size_t) override {}
  bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override {
    return this == &other;
  }

  void AddBlock(size_t size) {
    Block block{nullptr, size, size == kHugePage};
    if (block.mapped) block.start = static_cast<char*>(platform::MapHugePages(kHugePage));
    if (!block.start) {
      block.mapped = false;
      block.start = static_cast<char*>(::operator new(size));
    }
    FBlocks.push_back(block);
    FNext = block.start;
    FLeft = size;
  }

  static void Release(const Block& block) {
    if (block.mapped) {
      platform::UnmapHugePages(block.start, block.size);
    } else {
      ::operator delete(block.start);
    }
  }

  std::vector<Block> FBlocks;
  char* FNext = nullptr;
  size_t FLeft = 0;
  size_t FNextBlock = kFirstBlock;
};

// ---------------------------------------------------------------------------------
// The reader

namespace {

constexpr size_t kHeaderSize = 56;
// What a node is charged against the memory budget besides the bytes it copies.
constexpr uint64_t kNodeCost = 64;

[[noreturn]] void FailMalformed(const std::string& what) {
  throw EGFFError("Malformed GFF data: " + what, kGffMalformedCode);
}

std::string FieldName(uint32_t index) { return "field " + std::to_string(index); }
std::string StructName(uint32_t index) { return "struct " + std::to_string(index); }

}  // namespace

namespace gff_reader {

// Builds the tree from the file's bytes into an arena; every read is checked before it
// is made.
class TreeReader {
 public:
  TreeReader(std::string_view data, const TGFF_Header& header, TGFFArena& arena)
      : FData(data),
        FReader(data),
        FHeader(header),
        FArena(arena),
        // Memory stays in proportion to the file even when entries are shared.
        FBytesLimit(64ull * 1024 * 1024 + 16ull * data.size()) {
    // Label numbers seen by a field are remembered in a table as long as the labels the
    // header announces, as far as they lie in the file.
    if (header.LabelOffset < data.size())
      FLabelIds.resize(
          std::min<uint64_t>(header.LabelCount, (data.size() - header.LabelOffset) / 16));
  }

  std::unique_ptr<TGFFStruct> ReadRoot() { return ReadStruct(0, 1); }

 private:
  std::unique_ptr<TGFFStruct> ReadStruct(uint32_t index, int depth);
  void ReadStructFields(TGFFStruct& gffStruct, uint32_t index, uint32_t data, uint32_t count,
                        int depth);
  void DropRepeatedLabels(std::pmr::vector<std::unique_ptr<TGFFField>>& fields, size_t firstId);
  bool IsNumbered(uint32_t labelIndex) const;
  uint32_t LabelId(uint32_t labelIndex, const std::array<char, 16>& label);
  std::unique_ptr<TGFFField> ReadField(uint32_t index, int depth, uint32_t& labelId);
  std::unique_ptr<TGFFList> ReadList(uint32_t fieldIndex, uint32_t data, int depth);
  std::unique_ptr<TGFFField> ReadComplexField(uint32_t fieldIndex, int32_t code, uint32_t data);
  std::string_view ReadText(uint32_t fieldIndex, uint64_t length, std::string_view what);
  std::unique_ptr<TGFF_CExoLocString> ReadLocString(uint32_t fieldIndex);

  template <typename Field, typename T>
  std::unique_ptr<TGFFField> MakeValue(const T& value) {
    auto field = FArena.Make<Field>();
    field->SetValue(value);
    return field;
  }
  template <typename T>
  T ReadAt(uint64_t offset) {
    FReader.Seek(offset);
    T value;
    std::string_view bytes = FReader.ReadBytes(sizeof(T));
    std::memcpy(&value, bytes.data(), sizeof(T));
    return value;
  }
  // Moves to `offset`, refusing with `what` unless `length` bytes lie there.
  // `what` and `index` name the part in the message ("the list of field " and 12).
  void SeekChecked(uint64_t offset, uint64_t length, std::string_view what, uint32_t index) {
    if (!FReader.Contains(offset, length))
      FailMalformed(std::string(what) + std::to_string(index) +
                    " lies beyond the end of the file.");
    FReader.Seek(offset);
  }
  void ChargeNode();
  void ChargeBytes(uint64_t bytes);

  std::string_view FData;
  platform::ByteReader FReader;
  const TGFF_Header& FHeader;
  TGFFArena& FArena;
  std::vector<uint32_t> FPath;  // the structs being read, outermost first
  uint64_t FNodes = 0;
  uint64_t FBytes = 0;
  const uint64_t FBytesLimit;

  // Labels are compared by number: each distinct label (as a LabelKey) gets one.
  std::unordered_map<std::string_view, uint32_t> FIdOfKey;
  std::deque<LabelKey> FKeys;          // by label number; FIdOfKey views them
  std::vector<uint32_t> FLabelIds;     // by label index: label number + 1, 0 unknown
  std::vector<uint32_t> FFieldLabels;  // label numbers of the fields being read
  std::vector<uint32_t> FLastStruct;   // by label number: the struct pass that last saw it
  uint32_t FStructPass = 0;
};

void TreeReader::ChargeNode() {
  if (++FNodes > TGFFFile::kMaxNodes)
    FailMalformed("the file makes a tree of more than " + std::to_string(TGFFFile::kMaxNodes) +
                  " nodes.");
  ChargeBytes(kNodeCost);
}

void TreeReader::ChargeBytes(uint64_t bytes) {
  FBytes += bytes;
  if (FBytes > FBytesLimit)
    FailMalformed("the file makes a tree of more than " + std::to_string(FBytesLimit) +
                  " bytes, far more than the file holds.");
}

std::unique_ptr<TGFFStruct> TreeReader::ReadStruct(uint32_t index, int depth) {
  if (std::find(FPath.begin(), FPath.end(), index) != FPath.end())
    FailMalformed(StructName(index) + " contains itself (a cycle of struct references).");
  if (depth > TGFFFile::kMaxDepth)
    FailMalformed("structs are nested more than " + std::to_string(TGFFFile::kMaxDepth) +
                  " levels deep.");
  ChargeNode();
  SeekChecked(uint64_t{FHeader.StructOffset} + 12ull * index, 12, "struct ", index);
  uint32_t id = FReader.ReadU32();
  uint32_t data = FReader.ReadU32();
  uint32_t count = FReader.ReadU32();

  auto gffStruct = FArena.Make<TGFFStruct>(&FArena);
  gffStruct->SetStructId(id);
  FPath.push_back(index);
  ReadStructFields(*gffStruct, index, data, count, depth);
  FPath.pop_back();
  return gffStruct;
}

void TreeReader::ReadStructFields(TGFFStruct& gffStruct, uint32_t index, uint32_t data,
                                  uint32_t count, int depth) {
  uint32_t labelId = 0;
  if (count == 0) return;
  if (count == 1) {
    gffStruct.FFields.push_back(ReadField(data, depth, labelId));
    return;
  }
  const uint64_t indicesAt = uint64_t{FHeader.FieldIndicesOffset} + data;
  SeekChecked(indicesAt, 4ull * count, "the field indices of struct ", index);
  ChargeBytes(sizeof(void*) * uint64_t{count});
  gffStruct.FFields.reserve(count);
  const size_t firstId = FFieldLabels.size();
  for (uint32_t k = 0; k < count; ++k) {
    gffStruct.FFields.push_back(ReadField(ReadAt<uint32_t>(indicesAt + 4ull * k), depth, labelId));
    FFieldLabels.push_back(labelId);
  }
  DropRepeatedLabels(gffStruct.FFields, firstId);
}

// Of fields with the same label the first stays; the later ones, read in full (a
// malformed one still fails the load), are dropped. Done once the struct's fields are
// all read, so that structs read inside it do not disturb the marks.
void TreeReader::DropRepeatedLabels(std::pmr::vector<std::unique_ptr<TGFFField>>& fields,
                                    size_t firstId) {
  ++FStructPass;
  size_t kept = 0;
  for (size_t k = 0; k < fields.size(); ++k) {
    uint32_t& lastSeen = FLastStruct[FFieldLabels[firstId + k]];
    if (lastSeen == FStructPass) continue;
    lastSeen = FStructPass;
    if (kept != k) fields[kept] = std::move(fields[k]);
    ++kept;
  }
  fields.resize(kept);
  FFieldLabels.resize(firstId);
}

bool TreeReader::IsNumbered(uint32_t labelIndex) const {
  return labelIndex < FLabelIds.size() && FLabelIds[labelIndex] != 0;
}

uint32_t TreeReader::LabelId(uint32_t labelIndex, const std::array<char, 16>& label) {
  uint32_t* known = labelIndex < FLabelIds.size() ? &FLabelIds[labelIndex] : nullptr;
  if (known && *known != 0) return *known - 1;
  FKeys.push_back(KeyOf(label));
  const std::string_view key(FKeys.back().data(), FKeys.back().size());
  const auto [found, added] = FIdOfKey.emplace(key, static_cast<uint32_t>(FKeys.size() - 1));
  if (added) {
    FLastStruct.push_back(0);
  } else {
    FKeys.pop_back();
  }
  if (known) *known = found->second + 1;
  return found->second;
}

std::unique_ptr<TGFFField> TreeReader::ReadField(uint32_t index, int depth, uint32_t& labelId) {
  SeekChecked(uint64_t{FHeader.FieldOffset} + 12ull * index, 12, "field ", index);
  uint32_t entry[3];  // type code, label index, data
  std::memcpy(entry, FReader.ReadBytes(12).data(), 12);
  const uint32_t code = entry[0], labelIndex = entry[1], data = entry[2];
  // Read unsigned: a code that would read as negative is just as unknown.
  if (code > kGffPosition)
    throw EGFFError(
        "Invalid field type encountered when reading field " + std::to_string(code) + " data!", 5);
  const uint64_t labelAt = uint64_t{FHeader.LabelOffset} + 16ull * labelIndex;
  // A label already numbered was found inside the file before.
  if (!IsNumbered(labelIndex)) SeekChecked(labelAt, 16, "the label of field ", index);
  std::array<char, 16> label;
  std::memcpy(label.data(), FData.data() + labelAt, 16);
  labelId = LabelId(labelIndex, label);

  std::unique_ptr<TGFFField> field;
  switch (code) {
    case kGffByte:
      field = MakeValue<TGFF_SByte>(static_cast<uint8_t>(data));
      break;
    case kGffChar:
      field = MakeValue<TGFF_SChar>(static_cast<char>(data & 0xFF));
      break;
    case kGffWord:
      field = MakeValue<TGFF_SWord>(static_cast<uint16_t>(data));
      break;
    case kGffShort:
      field = MakeValue<TGFF_SShort>(static_cast<int16_t>(data & 0xFFFF));
      break;
    case kGffDword:
      field = MakeValue<TGFF_SDWORD>(data);
      break;
    case kGffInt:
      field = MakeValue<TGFF_SInt>(static_cast<int32_t>(data));
      break;
    case kGffFloat: {
      float value;
      std::memcpy(&value, &data, sizeof value);
      field = MakeValue<TGFF_SFloat>(value);
      break;
    }
    case kGffStruct:
      field = ReadStruct(data, depth + 1);
      break;
    case kGffList:
      field = ReadList(index, data, depth);
      break;
    default:
      field = ReadComplexField(index, static_cast<int32_t>(code), data);
      break;
  }
  // A struct field is its struct, already counted.
  if (code != kGffStruct) ChargeNode();
  field->SetLabelBytes(label);
  return field;
}

std::unique_ptr<TGFFList> TreeReader::ReadList(uint32_t fieldIndex, uint32_t data, int depth) {
  const uint64_t listAt = uint64_t{FHeader.ListIndicesOffset} + data;
  SeekChecked(listAt, 4, "the list of field ", fieldIndex);
  int32_t count = FReader.ReadS32();
  auto list = FArena.Make<TGFFList>(&FArena);
  if (count <= 0) return list;
  SeekChecked(listAt + 4, 4ull * static_cast<uint32_t>(count), "the list of field ", fieldIndex);
  ChargeBytes(sizeof(void*) * static_cast<uint64_t>(count));
  list->ReserveStructs(static_cast<size_t>(count));
  for (int32_t k = 1; k <= count; ++k)
    list->AddStruct(
        ReadStruct(ReadAt<uint32_t>(listAt + 4ull * static_cast<uint32_t>(k)), depth + 1));
  return list;
}

std::string_view TreeReader::ReadText(uint32_t fieldIndex, uint64_t length, std::string_view what) {
  if (length > FReader.Remaining())
    FailMalformed(std::string(what) + " of " + FieldName(fieldIndex) +
                  " is longer than the bytes that remain in the file.");
  ChargeBytes(length);
  return FReader.ReadBytes(static_cast<size_t>(length));
}

std::unique_ptr<TGFF_CExoLocString> TreeReader::ReadLocString(uint32_t fieldIndex) {
  auto locString = FArena.Make<TGFF_CExoLocString>(&FArena);
  locString->SetTotalSize(FReader.ReadU32());
  locString->SetStrRef(FReader.ReadU32());
  uint32_t count = FReader.ReadU32();
  // Each substring takes at least its id and its length.
  if (count > FReader.Remaining() / 8)
    FailMalformed("the " + std::to_string(count) + " substrings of " + FieldName(fieldIndex) +
                  " need more bytes than remain in the file.");
  for (uint32_t k = 0; k < count; ++k) {
    uint32_t stringId = FReader.ReadU32();
    int32_t length = FReader.ReadS32();
    ChargeNode();
    std::string text;
    if (length > 0) {
      if (static_cast<uint32_t>(length) > FReader.Remaining())
        FailMalformed("substring " + std::to_string(k) + " of " + FieldName(fieldIndex) +
                      " is longer than the bytes that remain in the file.");
      text = ReadText(fieldIndex, static_cast<uint32_t>(length), "a substring");
    }
    locString->AddSubString(FArena.Make<TGFF_CSubString>(stringId, length, std::move(text)));
  }
  return locString;
}

std::unique_ptr<TGFFField> TreeReader::ReadComplexField(uint32_t fieldIndex, int32_t code,
                                                        uint32_t data) {
  static constexpr uint32_t kFixedSize[18] = {0, 0, 0, 0,  0, 0, 8, 8,  0,
                                              8, 4, 1, 12, 4, 0, 0, 16, 12};
  const uint64_t at = uint64_t{FHeader.FieldDataOffset} + data;
  SeekChecked(at, kFixedSize[code], "the field data of field ", fieldIndex);
  switch (code) {
    case kGffDword64: {
      std::array<uint8_t, 8> bytes;
      std::memcpy(bytes.data(), FReader.ReadBytes(8).data(), 8);
      return MakeValue<TGFF_CDWORD64>(bytes);
    }
    case kGffInt64:
      return MakeValue<TGFF_CInt64>(static_cast<int64_t>(FReader.ReadU64()));
    case kGffDouble:
      return MakeValue<TGFF_CDouble>(FReader.ReadF64());
    case kGffExoString: {
      auto field = FArena.Make<TGFF_CExoString>();
      uint32_t length = FReader.ReadU32();
      field->SetData(std::string(ReadText(fieldIndex, length, "the text")));
      return field;
    }
    case kGffResRef: {
      uint8_t length = FReader.ReadU8();
      if (length > 16) throw EGFFError("Error loading CResRef field, string is too long!", 8);
      auto field = FArena.Make<TGFF_CResRef>();
      field->SetData(std::string(ReadText(fieldIndex, length, "the text")));
      return field;
    }
    case kGffExoLocString:
      return ReadLocString(fieldIndex);
    case kGffVoid: {
      uint32_t size = FReader.ReadU32();
      std::string_view bytes = ReadText(fieldIndex, size, "the void data");
      auto field = FArena.Make<TGFF_CVoid>();
      field->SetData(std::vector<uint8_t>(bytes.begin(), bytes.end()));
      return field;
    }
    case kGffOrientation: {
      std::array<float, 4> values;
      for (float& value : values) value = FReader.ReadF32();
      return MakeValue<TGFF_COrientation>(values);
    }
    default: {
      std::array<float, 3> values;
      for (float& value : values) value = FReader.ReadF32();
      return MakeValue<TGFF_CPosition>(values);
    }
  }
}

}  // namespace gff_reader

namespace {

TGFF_Header ReadHeader(std::string_view data) {
  if (data.size() < kHeaderSize)
    FailMalformed("the header is cut short: the file holds " + std::to_string(data.size()) +
                  " bytes, the header needs 56.");
  platform::ByteReader reader(data);
  TGFF_Header header;
  for (uint32_t* word :
       {&header.FileType, &header.FileVersion, &header.StructOffset, &header.StructCount,
        &header.FieldOffset, &header.FieldCount, &header.LabelOffset, &header.LabelCount,
        &header.FieldDataOffset, &header.FieldDataCount, &header.FieldIndicesOffset,
        &header.FieldIndicesCount, &header.ListIndicesOffset, &header.ListIndicesCount})
    *word = reader.ReadU32();
  return header;
}

// Every section the header declares lies in the file; an empty one may stand anywhere,
// as nothing is read there.
void CheckDeclaredSections(const TGFF_Header& header, uint64_t fileSize) {
  struct Section {
    const char* what;
    uint32_t offset;
    uint64_t bytes;
  };
  const Section sections[] = {
      {"struct entries", header.StructOffset, 12ull * header.StructCount},
      {"field entries", header.FieldOffset, 12ull * header.FieldCount},
      {"labels", header.LabelOffset, 16ull * header.LabelCount},
      {"field data", header.FieldDataOffset, header.FieldDataCount},
      {"field indices", header.FieldIndicesOffset, header.FieldIndicesCount},
      {"list indices", header.ListIndicesOffset, header.ListIndicesCount},
  };
  for (const Section& section : sections) {
    if (section.bytes > 0 && uint64_t{section.offset} + section.bytes > fileSize)
      FailMalformed("the header declares " + std::to_string(section.bytes) + " bytes of " +
                    section.what + " at offset " + std::to_string(section.offset) +
                    ", beyond the end of the file (" + std::to_string(fileSize) + " bytes).");
  }
}

}  // namespace

void TGFFFile::LoadFromFile(const std::string& path) {
  if (!platform::FileExists(path))
    throw EGFFError("Specified file " + path + " could not be found to be opened!", 0);
  // The header is judged before the rest is read, so that a large file that is no GFF, or
  // declares more than it holds, costs nothing.
  const platform::FileHead head = platform::ReadFileHead(path, kHeaderSize);
  CheckDeclaredSections(BeginLoad(head.bytes, path), head.size);
  std::string data = platform::ReadWholeFile(path);
  LoadFromMemory(data, path);
}

TGFF_Header TGFFFile::BeginLoad(std::string_view data, const std::string& fileName) {
  Clear();
  if (data.size() < 8 || data.substr(4, 4) != "V3.2")
    throw EGFFError("Invalid file version. Loaded file is not in GFF V3.2 format!", 1);
  FFileName = fileName;
  std::memcpy(FFileType.data(), data.data(), 4);
  std::memcpy(FFileVersion.data(), data.data() + 4, 4);
  return ReadHeader(data);
}

void TGFFFile::LoadFromMemory(std::string_view data, const std::string& fileName) {
  TGFF_Header header = BeginLoad(data, fileName);
  FArena = std::make_unique<TGFFArena>();
  try {
    FRoot = gff_reader::TreeReader(data, header, *FArena).ReadRoot();
    FArena->ReleaseUnusedEnd();
  } catch (const platform::EReadPastEnd& e) {
    // Every read is checked before it is made; this is the net under those checks.
    FailMalformed("a read at offset " + std::to_string(e.Offset()) +
                  " went beyond the end of the file.");
  }
  FLoaded = 1;
}

TGFFFile::TGFFFile() = default;
TGFFFile::~TGFFFile() = default;
TGFFFile::TGFFFile(TGFFFile&&) noexcept = default;
TGFFFile& TGFFFile::operator=(TGFFFile&& other) noexcept {
  if (this == &other) return *this;
  Clear();  // the tree goes before the arena it lives in
  FFileType = other.FFileType;
  FFileVersion = other.FFileVersion;
  FFileName = std::move(other.FFileName);
  FArena = std::move(other.FArena);
  FRoot = std::move(other.FRoot);
  FCursor = other.FCursor;
  FLoaded = other.FLoaded;
  return *this;
}

void TGFFFile::Clear() {
  FLoaded = 0;
  FFileName.clear();
  FRoot.reset();
  FArena.reset();
  FFileType.fill(0);
  FFileVersion.fill(0);
}

// ---------------------------------------------------------------------------------
// The walk and the path lookup

TGFFField* TGFFFile::FirstField() {
  if (!FLoaded || !FRoot) return nullptr;
  FCursor = 0;
  return FCursor < FRoot->Count() ? &FRoot->GetField(FCursor) : nullptr;
}

TGFFField* TGFFFile::NextField() {
  if (!FLoaded || !FRoot) return nullptr;
  if (FCursor < INT32_MAX) ++FCursor;
  return FCursor < FRoot->Count() ? &FRoot->GetField(FCursor) : nullptr;
}

namespace {

std::vector<std::string> PathTokens(const std::string& path) {
  TStringTokenizer tokenizer(path, '\\');
  std::vector<std::string> tokens;
  for (int32_t i = 0; i < tokenizer.TokenCount(); ++i) tokens.push_back(tokenizer.GetToken(i));
  return tokens;
}

}  // namespace

TGFFField* TGFFFile::GetFieldByPath(const std::string& path) {
  if (!FLoaded) return nullptr;
  std::vector<std::string> tokens = PathTokens(path);
  if (tokens.empty())
    throw EGFFError("Invalid field path " + path + " encountered! Unable to load specified field.",
                    0);
  TGFFField* field = FirstField();
  while (field && !field->HasLabel(tokens[0])) field = NextField();
  if (!field || tokens.size() == 1) return field;
  if (auto* gffStruct = FieldAs<TGFFStruct>(field))
    return FindInStruct(*gffStruct, tokens, 1, path);
  if (auto* list = FieldAs<TGFFList>(field)) return FindInList(*list, tokens, 1, path);
  throw EGFFError("Unable to retrieve field at path " + path + ", the field " + field->GetLabel() +
                      " is not a LIST or STRUCT!",
                  0);
}

TGFFField* TGFFFile::FindInStruct(const TGFFStruct& gffStruct,
                                  const std::vector<std::string>& tokens, size_t index,
                                  const std::string& path) const {
  TGFFField* field = gffStruct.FindField(tokens[index]);
  if (!field || index + 1 == tokens.size()) return field;
  if (auto* inner = FieldAs<TGFFStruct>(field))
    return FindInStruct(*inner, tokens, index + 1, path);
  if (auto* list = FieldAs<TGFFList>(field)) return FindInList(*list, tokens, index + 1, path);
  throw EGFFError("Unable to retrieve struct field at path " + path + ", the field " +
                      field->GetLabel() + " is not a LIST or STRUCT!",
                  1);
}

TGFFField* TGFFFile::FindInList(const TGFFList& list, const std::vector<std::string>& tokens,
                                size_t index, const std::string& path) const {
  const std::string& token = tokens[index];
  if (!IsAllDigits(token))
    throw EGFFError(
        "Unable to retrieve struct at path " + path + ", " + token + " is not a valid list index!",
        0);
  // A number beyond the 32-bit range raises the conversion error, as it always has.
  int32_t position = platform::StrToInt(token);
  if (position >= list.Count()) return nullptr;
  TGFFStruct& element = list.GetStruct(position);
  if (index + 1 == tokens.size()) return &element;
  return FindInStruct(element, tokens, index + 1, path);
}

// ---------------------------------------------------------------------------------
// Value texts

namespace {

std::string FloatText(double value) {
  return platform::FormatGeneral(value, 15, 0, platform::DecimalSeparator());
}

template <size_t N>
std::string FloatsText(const std::array<float, N>& values) {
  std::string text;
  for (size_t i = 0; i < N; ++i) {
    if (i > 0) text += '|';
    text += FloatText(values[i]);
  }
  return text;
}

std::string LocStringText(const TGFF_CExoLocString& locString) {
  std::string text = "LocString[strref=";
  text += locString.StrRef() == TGFF_CExoLocString::kNoStrRef ? "-1"
                                                              : std::to_string(locString.StrRef());
  text += ", substrings=" + std::to_string(locString.SubStringCount()) + ", strings=";
  for (const auto& subString : locString.SubStrings()) text += "(" + subString->GetText() + ")";
  return text + "]";
}

template <typename T>
const T& As(const TGFFField& field) {
  return static_cast<const T&>(field);
}

}  // namespace

std::string FieldValueAsText(const TGFFField& field) {
  switch (field.FieldType()) {
    case kGffByte:
      return std::to_string(As<TGFF_SByte>(field).Value());
    case kGffChar:
      return std::string(1, As<TGFF_SChar>(field).Value());
    case kGffWord:
      return std::to_string(As<TGFF_SWord>(field).Value());
    case kGffShort:
      return std::to_string(As<TGFF_SShort>(field).Value());
    case kGffDword:
      return std::to_string(As<TGFF_SDWORD>(field).Value());
    case kGffInt:
      return std::to_string(As<TGFF_SInt>(field).Value());
    case kGffDword64: {
      // Each stored byte in decimal, lowest first, as the files' readers have always shown it.
      std::string text;
      for (uint8_t byte : As<TGFF_CDWORD64>(field).Value()) text += std::to_string(byte);
      return text;
    }
    case kGffInt64:
      return std::to_string(As<TGFF_CInt64>(field).Value());
    case kGffFloat:
      return FloatText(As<TGFF_SFloat>(field).Value());
    case kGffDouble:
      return FloatText(As<TGFF_CDouble>(field).Value());
    case kGffExoString:
      return As<TGFF_CExoString>(field).Data();
    case kGffResRef:
      return As<TGFF_CResRef>(field).Data();
    case kGffExoLocString:
      return LocStringText(As<TGFF_CExoLocString>(field));
    case kGffVoid:
      return "(Raw Binary data, size=" + std::to_string(As<TGFF_CVoid>(field).Size()) + ")";
    case kGffStruct:
      return "[STRUCT type=" + std::to_string(As<TGFFStruct>(field).StructId()) + "]";
    case kGffList:
      return "[LIST]";
    case kGffOrientation:
      return FloatsText(As<TGFF_COrientation>(field).Value());
    case kGffPosition:
      return FloatsText(As<TGFF_CPosition>(field).Value());
    default:
      return {};
  }
}
