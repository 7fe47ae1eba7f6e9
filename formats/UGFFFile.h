// The GFF V3.2 reader and its field tree: a loaded file is a root struct that owns its
// fields; a list owns its structs and a localized string its substrings. Users switch
// on FieldType() and cast to the class of that code (FieldAs<T> checks the code).
// Fields are found by path ("List\0\Label") and any field's value is given as text.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <memory_resource>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Exceptions.h"

class EGFFError : public platform::Exception {
 public:
  using platform::Exception::Exception;
};

// The field type codes as stored in the file.
enum : int32_t {
  kGffByte = 0,
  kGffChar = 1,
  kGffWord = 2,
  kGffShort = 3,
  kGffDword = 4,
  kGffInt = 5,
  kGffDword64 = 6,
  kGffInt64 = 7,
  kGffFloat = 8,
  kGffDouble = 9,
  kGffExoString = 10,
  kGffResRef = 11,
  kGffExoLocString = 12,
  kGffVoid = 13,
  kGffStruct = 14,
  kGffList = 15,
  kGffOrientation = 16,
  kGffPosition = 17,
};

// The code given to every refusal of malformed data (offsets, counts and lengths that
// leave the file, cycles, trees too deep or too large).
constexpr int kGffMalformedCode = 30;

class TGFFArena;
namespace gff_reader {
class TreeReader;
}

// The nodes of a loaded tree (fields and substrings) live in their file's arena, which
// frees their memory all at once: deleting such a node (its parent's unique_ptr does)
// runs its destructor and leaves the memory to the arena. Nodes made with `new`
// (std::make_unique) are freed as usual. Both node classes say so in their destroying
// operator delete.
class TGFFField {
 public:
  // Fields have no virtual functions (which keeps the small ones at 24 bytes): a field
  // is destroyed as the class its type code names.
  static void* operator new(size_t size);
  static void operator delete(TGFFField* field, std::destroying_delete_t);
  // Not virtual: `delete` of any field goes through the operator above.
  ~TGFFField() = default;
  TGFFField(const TGFFField&) = delete;
  TGFFField& operator=(const TGFFField&) = delete;

  int32_t FieldType() const { return FFieldType; }
  // The 16 label bytes as stored, zero-padded (a 16-character label has no zero).
  const std::array<char, 16>& Label() const { return FLabel; }
  void SetLabelBytes(const std::array<char, 16>& bytes) { FLabel = bytes; }
  // The first 16 characters of `text`, the rest zero bytes.
  void SetLabel(std::string_view text);
  // The 16 bytes in order with every zero byte left out.
  std::string GetLabel() const;
  // GetLabel() == text, without building the text.
  bool HasLabel(std::string_view text) const;

 protected:
  explicit TGFFField(int32_t fieldType) : FFieldType(static_cast<int8_t>(fieldType)) {}

 private:
  friend class TGFFArena;
  bool FInArena = false;
  std::array<char, 16> FLabel{};
  // A byte is enough for the codes 0 to 17 and lets small values share its word.
  int8_t FFieldType = -1;
};

// A field whose whole value is one fixed-size member.
template <typename T, int32_t Code>
class TGFFValueField : public TGFFField {
 public:
  static constexpr int32_t kType = Code;
  TGFFValueField() : TGFFField(Code) {}
  const T& Value() const { return FValue; }
  void SetValue(const T& value) { FValue = value; }

 private:
  T FValue{};
};

using TGFF_SByte = TGFFValueField<uint8_t, kGffByte>;
using TGFF_SChar = TGFFValueField<char, kGffChar>;
using TGFF_SWord = TGFFValueField<uint16_t, kGffWord>;
using TGFF_SShort = TGFFValueField<int16_t, kGffShort>;
using TGFF_SDWORD = TGFFValueField<uint32_t, kGffDword>;
using TGFF_SInt = TGFFValueField<int32_t, kGffInt>;
// The 8 bytes as stored (a little-endian unsigned number).
using TGFF_CDWORD64 = TGFFValueField<std::array<uint8_t, 8>, kGffDword64>;
using TGFF_CInt64 = TGFFValueField<int64_t, kGffInt64>;
using TGFF_SFloat = TGFFValueField<float, kGffFloat>;
using TGFF_CDouble = TGFFValueField<double, kGffDouble>;
using TGFF_COrientation = TGFFValueField<std::array<float, 4>, kGffOrientation>;
using TGFF_CPosition = TGFFValueField<std::array<float, 3>, kGffPosition>;

// A text field: Length() is always the size of Data().
template <typename LengthType, int32_t Code>
class TGFFTextField : public TGFFField {
 public:
  static constexpr int32_t kType = Code;
  TGFFTextField() : TGFFField(Code) {}
  LengthType Length() const { return static_cast<LengthType>(FData.size()); }
  const std::string& Data() const { return FData; }
  void SetData(std::string data) { FData = std::move(data); }

 private:
  std::string FData;
};

using TGFF_CExoString = TGFFTextField<uint32_t, kGffExoString>;
// At most 16 characters.
using TGFF_CResRef = TGFFTextField<uint8_t, kGffResRef>;

class TGFF_CVoid : public TGFFField {
 public:
  static constexpr int32_t kType = kGffVoid;
  TGFF_CVoid() : TGFFField(kGffVoid) {}
  uint32_t Size() const { return static_cast<uint32_t>(FData.size()); }
  const std::vector<uint8_t>& Data() const { return FData; }
  void SetData(std::vector<uint8_t> data) { FData = std::move(data); }

 private:
  std::vector<uint8_t> FData;
};

// One text of a localized string (not a field: no label).
class TGFF_CSubString {
 public:
  static void* operator new(size_t size);
  static void operator delete(TGFF_CSubString* subString, std::destroying_delete_t);

  TGFF_CSubString(uint32_t stringId, int32_t length, std::string data)
      : FStringId(stringId), FLength(length), FData(std::move(data)) {}
  uint32_t StringId() const { return FStringId; }
  // The length as stored; the text is the bytes held (none when the length is not above 0).
  int32_t Length() const { return FLength; }
  const std::string& Data() const { return FData; }
  const std::string& GetText() const { return FData; }

 private:
  friend class TGFFArena;
  bool FInArena = false;
  uint32_t FStringId;
  int32_t FLength;
  std::string FData;
};

class TGFF_CExoLocString : public TGFFField {
 public:
  static constexpr int32_t kType = kGffExoLocString;
  static constexpr uint32_t kNoStrRef = 4294967295u;
  // The reader gives the memory of its tree; trees made by hand take the default.
  explicit TGFF_CExoLocString(std::pmr::memory_resource* memory = std::pmr::get_default_resource())
      : TGFFField(kGffExoLocString), FSubStrings(memory) {}

  uint32_t TotalSize() const { return FTotalSize; }
  void SetTotalSize(uint32_t size) { FTotalSize = size; }
  uint32_t StrRef() const { return FStrRef; }
  void SetStrRef(uint32_t strRef) { FStrRef = strRef; }
  uint32_t SubStringCount() const { return static_cast<uint32_t>(FSubStrings.size()); }
  const std::pmr::vector<std::unique_ptr<TGFF_CSubString>>& SubStrings() const {
    return FSubStrings;
  }
  void AddSubString(std::unique_ptr<TGFF_CSubString> subString);
  // Raises code 22 outside 0 .. SubStringCount() - 1.
  const TGFF_CSubString& GetSubString(int32_t index) const;
  // The text of the first substring with this id; empty when there is none.
  std::string GetTextForId(uint32_t stringId) const;

 private:
  uint32_t FTotalSize = 8;
  uint32_t FStrRef = kNoStrRef;
  std::pmr::vector<std::unique_ptr<TGFF_CSubString>> FSubStrings;
};

class TGFFStruct : public TGFFField {
 public:
  static constexpr int32_t kType = kGffStruct;
  explicit TGFFStruct(std::pmr::memory_resource* memory = std::pmr::get_default_resource());
  ~TGFFStruct();

  uint32_t StructId() const { return FStructId; }
  void SetStructId(uint32_t id) { FStructId = id; }
  int32_t Count() const { return static_cast<int32_t>(FFields.size()); }
  const std::pmr::vector<std::unique_ptr<TGFFField>>& Fields() const { return FFields; }
  // Raises code 0 outside 0 .. Count() - 1.
  TGFFField& GetField(int32_t index) const;
  // The first field with this label (compared exactly), or nullptr. A large struct
  // builds an index of its labels on its first lookup.
  TGFFField* FindField(std::string_view label) const;
  // Appends the field unless one with the same label is present: then the struct
  // keeps its own and frees the new one. True when the field was added.
  bool AddField(std::unique_ptr<TGFFField> field);
  void ReserveFields(size_t count) { FFields.reserve(count); }

 private:
  friend class gff_reader::TreeReader;  // fills FFields with labels it made unique
  class LabelIndex;

  uint32_t FStructId = 0;
  std::pmr::vector<std::unique_ptr<TGFFField>> FFields;
  mutable std::unique_ptr<LabelIndex> FLabelIndex;
};

class TGFFList : public TGFFField {
 public:
  static constexpr int32_t kType = kGffList;
  explicit TGFFList(std::pmr::memory_resource* memory = std::pmr::get_default_resource())
      : TGFFField(kGffList), FStructs(memory) {}

  int32_t Count() const { return static_cast<int32_t>(FStructs.size()); }
  const std::pmr::vector<std::unique_ptr<TGFFStruct>>& Structs() const { return FStructs; }
  // Raises code 0 outside 0 .. Count() - 1.
  TGFFStruct& GetStruct(int32_t index) const;
  // Clears the struct's label and appends it.
  void AddStruct(std::unique_ptr<TGFFStruct> gffStruct);
  void ReserveStructs(size_t count) { FStructs.reserve(count); }

 private:
  std::pmr::vector<std::unique_ptr<TGFFStruct>> FStructs;
};

// The field as class T when its type code is T's, else nullptr.
template <typename T>
T* FieldAs(TGFFField* field) {
  return field && field->FieldType() == T::kType ? static_cast<T*>(field) : nullptr;
}
template <typename T>
const T* FieldAs(const TGFFField* field) {
  return field && field->FieldType() == T::kType ? static_cast<const T*>(field) : nullptr;
}

// The 14 header words in file order.
struct TGFF_Header {
  uint32_t FileType = 0;
  uint32_t FileVersion = 0;
  uint32_t StructOffset = 0;
  uint32_t StructCount = 0;
  uint32_t FieldOffset = 0;
  uint32_t FieldCount = 0;
  uint32_t LabelOffset = 0;
  uint32_t LabelCount = 0;
  uint32_t FieldDataOffset = 0;
  uint32_t FieldDataCount = 0;
  uint32_t FieldIndicesOffset = 0;
  uint32_t FieldIndicesCount = 0;
  uint32_t ListIndicesOffset = 0;
  uint32_t ListIndicesCount = 0;
};

class TGFFFile {
 public:
  // A tree may hold at most this many nodes (structs, fields, substrings) and be
  // nested at most this deep; larger trees are refused as malformed.
  static constexpr uint64_t kMaxNodes = 10'000'000;
  static constexpr int kMaxDepth = 512;

  TGFFFile();
  ~TGFFFile();
  TGFFFile(const TGFFFile&) = delete;
  TGFFFile& operator=(const TGFFFile&) = delete;
  TGFFFile(TGFFFile&&) noexcept;
  TGFFFile& operator=(TGFFFile&&) noexcept;

  // Raises code 0 when no file is at `path` (the tree held stays); otherwise clears,
  // judges the header before reading the rest (a file that is no GFF V3.2, or whose
  // header declares a section that cannot fit in the file, is refused unread), then
  // reads the whole file and loads it as LoadFromMemory does.
  void LoadFromFile(const std::string& path);
  // Replaces the tree with the one in `data`; `fileName` becomes FileName().
  void LoadFromMemory(std::string_view data, const std::string& fileName);
  void Clear();

  std::string FileType() const { return std::string(FFileType.data(), FFileType.size()); }
  std::string FileVersion() const { return std::string(FFileVersion.data(), FFileVersion.size()); }
  const std::string& FileName() const { return FFileName; }
  // The root struct; nullptr while nothing is loaded.
  TGFFStruct* Root() const { return FRoot.get(); }
  int32_t Cursor() const { return FCursor; }
  uint8_t Loaded() const { return FLoaded; }

  // The walk over the root's fields: nullptr past the last one or when not loaded.
  TGFFField* FirstField();
  TGFFField* NextField();
  // The field the path names, or nullptr when a label or index on it does not exist.
  // Moves Cursor (the top level is walked with FirstField and NextField).
  TGFFField* GetFieldByPath(const std::string& path);

 private:
  // Clears, checks the version, takes the names and reads the header from `data`, of
  // which at least the header is needed.
  TGFF_Header BeginLoad(std::string_view data, const std::string& fileName);
  TGFFField* FindInStruct(const TGFFStruct& gffStruct, const std::vector<std::string>& tokens,
                          size_t index, const std::string& path) const;
  TGFFField* FindInList(const TGFFList& list, const std::vector<std::string>& tokens, size_t index,
                        const std::string& path) const;

  std::array<char, 4> FFileType{};
  std::array<char, 4> FFileVersion{};
  std::string FFileName;
  // The memory of the loaded tree's nodes; declared before the root, which it outlives.
  std::unique_ptr<TGFFArena> FArena;
  std::unique_ptr<TGFFStruct> FRoot;
  int32_t FCursor = 0;
  uint8_t FLoaded = 0;
};

// The text of the field's value, by its type code.
std::string FieldValueAsText(const TGFFField& field);
