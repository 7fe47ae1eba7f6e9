// The talk-table model: a TLK V3.0 table held in memory as a list of entries whose
// StrRef is their position, read from and written to a file in one piece.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Exceptions.h"

// The error of the talk-table model and of the editor's commands.
class EHell : public platform::Exception {
 public:
  explicit EHell(platform::Sentence message) : platform::Exception(std::move(message)) {}
};

// The text of an entry: a string of its own, or a view into the bytes of the file the
// entry was loaded from, which the list holding the entry keeps (a loaded table costs no
// allocation per text). A copy always owns its text.
class TEntryText {
 public:
  TEntryText() = default;
  TEntryText(const TEntryText& other) { Set(std::string(other.View())); }
  TEntryText& operator=(const TEntryText& other);
  ~TEntryText() = default;

  std::string_view View() const { return {FData, FSize}; }
  void Set(std::string text);
  // `bytes` must outlive this text, or this text must be owned before they go.
  void SetLoaded(std::string_view bytes);
  void Own();

 private:
  const char* FData = nullptr;
  size_t FSize = 0;
  // The owned text, apart on the heap so that FData stays put; null while the text is a
  // view or empty. (24 bytes in all, where a string and a view would take 48.)
  std::unique_ptr<std::string> FOwned;
};

// One entry of a talk table.
class TTLKString {
 public:
  using ResRef = std::array<char, 16>;

  TTLKString() = default;
  static std::unique_ptr<TTLKString> CreateCopy(const TTLKString& other);

  uint32_t GetFlags() const { return FFlags; }
  void SetFlags(uint32_t value) { FFlags = value; }
  const ResRef& GetSoundResRef() const { return FSoundResRef; }
  void SetSoundResRef(const ResRef& value) { FSoundResRef = value; }
  // The 16 bytes with every NUL byte left out.
  std::string GetSoundResRefText() const;
  uint32_t GetVolumeVariance() const { return FVolumeVariance; }
  void SetVolumeVariance(uint32_t value) { FVolumeVariance = value; }
  uint32_t GetPitchVariance() const { return FPitchVariance; }
  void SetPitchVariance(uint32_t value) { FPitchVariance = value; }
  uint32_t GetOffset() const { return FOffset; }
  void SetOffset(uint32_t value) { FOffset = value; }
  uint32_t GetSize() const { return FSize; }
  void SetSize(uint32_t value) { FSize = value; }
  float GetSoundLength() const { return FSoundLength; }
  void SetSoundLength(float value) { FSoundLength = value; }
  uint32_t GetStrRef() const { return FStrRef; }
  void SetStrRef(uint32_t value) { FStrRef = value; }
  std::string_view GetText() const { return FText.View(); }
  void SetText(std::string value) { FText.Set(std::move(value)); }
  // A loaded entry views its text in the bytes its list keeps; this makes the text its
  // own, as an entry needs before it leaves the list.
  void OwnText() { FText.Own(); }
  bool GetIsNew() const { return FIsNew; }
  void SetIsNew(bool value) { FIsNew = value; }

 private:
  uint32_t FFlags = 0;
  ResRef FSoundResRef{};
  uint32_t FVolumeVariance = 0;
  uint32_t FPitchVariance = 0;
  uint32_t FOffset = 0;
  uint32_t FSize = 0;
  float FSoundLength = 0;
  uint32_t FStrRef = 0;
  bool FIsNew = false;  // declared before the text to fill the gap after the numbers
  TEntryText FText;

  friend class TTLKFileHandler;  // the loader lets texts view the bytes it keeps
};

// One node of the entry list; it owns its entry, the list owns the nodes. An entry
// released here owns its text (the bytes it viewed stay with the list).
class TStringData {
 public:
  TStringData() = default;
  explicit TStringData(std::unique_ptr<TTLKString> entry) : FEntry(std::move(entry)) {}

  TStringData* GetNextNode() const { return FNextNode; }
  void SetNextNode(TStringData* node) { FNextNode = node; }
  TStringData* GetPrevNode() const { return FPrevNode; }
  void SetPrevNode(TStringData* node) { FPrevNode = node; }
  TTLKString* GetEntry() const { return FEntry.get(); }
  void SetEntry(std::unique_ptr<TTLKString> entry) { FEntry = std::move(entry); }
  std::unique_ptr<TTLKString> ReleaseEntry();

 private:
  TStringData* FNextNode = nullptr;
  TStringData* FPrevNode = nullptr;
  std::unique_ptr<TTLKString> FEntry;
};

// A doubly linked list of entries with a cursor. The nodes come from blocks the list
// owns (a node it unlinks is kept for the next Add), so a loaded table costs one
// allocation per entry, not two, and is destroyed without deep recursion. The list keeps
// the file bytes its loaded entries view until it is destroyed, and frees them after
// the entries; an entry taken out of the list owns its text first.
class TStringDataList {
 public:
  TStringDataList() = default;
  ~TStringDataList();
  TStringDataList(const TStringDataList&) = delete;
  TStringDataList& operator=(const TStringDataList&) = delete;

  // Cursor to the first node; its entry, or null for an empty list.
  TTLKString* First();
  TTLKString* Current() const;
  // Cursor to the following node (null after the last); its entry, or null.
  TTLKString* Next();
  bool IsEmpty() const { return FFirstNode == nullptr; }
  bool AtEnd() const { return FCurrentNode == nullptr; }
  // Appends the entry (the list takes it); the cursor goes to its node.
  void Add(std::unique_ptr<TTLKString> entry);
  // Unlinks the cursor's node; the cursor goes to the node that followed. With
  // `FreeEntry` false the entry is handed back to the caller instead of being freed.
  std::unique_ptr<TTLKString> DeleteCurrent(bool FreeEntry);
  // Moves every node of `other`, with the blocks that hold them and the bytes it keeps,
  // to the end of this list without allocating a node; `other` is left empty. The cursor
  // goes to the new last node.
  void AppendList(TStringDataList& other);
  // Keeps `bytes` as long as the list lives; entries of the list may view the result.
  std::string_view KeepBytes(std::string bytes);

  int32_t Count() const { return FCount; }
  TStringData* FirstNode() const { return FFirstNode; }
  TStringData* LastNode() const { return FLastNode; }
  TStringData* CurrentNode() const { return FCurrentNode; }

 private:
  TStringData* FFirstNode = nullptr;
  TStringData* FLastNode = nullptr;
  TStringData* FCurrentNode = nullptr;
  int32_t FCount = 0;

  TStringData* NewNode();
  void RecycleNode(TStringData* node);
  void TakeStorageOf(TStringDataList& other);

  // Each string apart on the heap, so that no view moves when the vector grows.
  std::vector<std::unique_ptr<std::string>> FKeptBytes;
  std::vector<std::unique_ptr<TStringData[]>> FNodeBlocks;
  TStringData* FUnusedNodes = nullptr;  // the nodes of the newest block not yet used
  size_t FUnusedCount = 0;
  TStringData* FRecycledNodes = nullptr;  // unlinked nodes, chained by NextNode
  size_t FNodesAllocated = 0;
};

// One open talk table.
class TTLKFileHandler {
 public:
  TTLKFileHandler();
  // Loads `path`; a load failure fails the construction.
  explicit TTLKFileHandler(const std::string& path);

  void Clear();
  void NewFile();
  void LoadFromFile(const std::string& path);
  // Parses a whole file held in memory (LoadFromFile reads the file and calls this).
  // FileName stays as it is.
  void LoadFromBuffer(std::string_view data);
  // An empty path saves to FileName(). The file is replaced atomically.
  void SaveToFile(const std::string& path = {});
  // The bytes SaveToFile writes; raises the same refusals.
  std::string SaveToBuffer() const;
  void AddEntry(std::unique_ptr<TTLKString> entry);
  void ModifyEntry(TTLKString& entry);
  void DeleteEntry(uint32_t strRef);
  // Appends blank entries so that the next entry added gets StrRef `target`; returns
  // how many were added. Refuses a target not above EntryCount() or above
  // kHighestStrRef. Either every entry is added or, when memory runs out, none.
  uint32_t PadToStrRef(int64_t target);
  // Appends a copy of every entry of `other` (all or none); returns how many.
  uint32_t AppendEntriesOf(const TTLKFileHandler& other);
  // The highest StrRef a game's talk table addresses.
  static constexpr int64_t kHighestStrRef = 16777215;

  // Four bytes each, as stored.
  const std::string& FileType() const { return FFileType; }
  const std::string& FileVersion() const { return FFileVersion; }
  uint32_t LanguageId() const { return FLanguageId; }
  void SetLanguageId(uint32_t value) { FLanguageId = value; }
  uint32_t EntryCount() const { return FEntryCount; }
  uint32_t StringDataOffset() const { return FStringDataOffset; }
  TStringDataList& EntryList() { return *FEntryList; }
  const TStringDataList& EntryList() const { return *FEntryList; }
  const std::string& FileName() const { return FFileName; }
  bool IsOpen() const { return FIsOpen; }
  bool Modified() const { return FModified; }
  void SetModified(bool value) { FModified = value; }

 private:
  // Parses the file's bytes; the entries view their texts in them.
  void LoadBytes(std::string bytes);
  void ParseHeader(std::string_view data);
  void CheckEntryTableFits(uint64_t fileSize) const;
  void ParseEntries(std::string bytes);
  void CheckSavable() const;
  // Numbers and marks the entries as AddEntry does and links them all at once.
  void AddEntries(TStringDataList& entries);

  std::string FFileType;
  std::string FFileVersion;
  uint32_t FLanguageId = 0;
  uint32_t FEntryCount = 0;
  uint32_t FStringDataOffset = 0;
  std::unique_ptr<TStringDataList> FEntryList;
  std::string FFileName;
  bool FIsOpen = false;
  bool FModified = false;
};
