#include "talktable/UTLKFile.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>

#include "platform/Files.h"

namespace {

constexpr size_t kHeaderSize = 20;
constexpr size_t kRecordSize = 40;
constexpr uint32_t kNoText = 0x80000000u;  // a text size of this or more counts as none

// Copies up to `count` bytes at `offset` into `target`; bytes past the end of `data`
// stay as they were (zero).
void CopyClipped(std::string_view data, size_t offset, char* target, size_t count) {
  if (offset >= data.size()) return;
  std::memcpy(target, data.data() + offset, std::min(count, data.size() - offset));
}

template <typename T>
T ValueAt(const char* bytes) {
  T value;
  std::memcpy(&value, bytes, sizeof(T));
  return value;
}

template <typename T>
void Append(std::string& out, T value) {
  char bytes[sizeof(T)];
  std::memcpy(bytes, &value, sizeof(T));
  out.append(bytes, sizeof(T));
}

// The text of a record: `size` bytes at `offset`, cut at the end of the data and at
// the first NUL byte.
std::string_view TextAt(std::string_view data, uint64_t offset, uint32_t size) {
  if (size >= kNoText || offset >= data.size()) return {};
  std::string_view text = data.substr(static_cast<size_t>(offset), size);
  return text.substr(0, text.find('\0'));
}

}  // namespace

// ---- TEntryText ----

TEntryText& TEntryText::operator=(const TEntryText& other) {
  if (this != &other) Set(std::string(other.View()));
  return *this;
}

void TEntryText::Set(std::string text) {
  FOwned = text.empty() ? nullptr : std::make_unique<std::string>(std::move(text));
  FData = FOwned ? FOwned->data() : nullptr;
  FSize = FOwned ? FOwned->size() : 0;
}

void TEntryText::SetLoaded(std::string_view bytes) {
  FOwned.reset();
  FData = bytes.data();
  FSize = bytes.size();
}

void TEntryText::Own() {
  if (!FOwned && FSize != 0) Set(std::string(View()));
}

// ---- TTLKString ----

std::unique_ptr<TTLKString> TTLKString::CreateCopy(const TTLKString& other) {
  return std::make_unique<TTLKString>(other);
}

std::string TTLKString::GetSoundResRefText() const {
  std::string text(FSoundResRef.data(), FSoundResRef.size());
  text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
  return text;
}

// ---- TStringData ----

std::unique_ptr<TTLKString> TStringData::ReleaseEntry() {
  if (FEntry) FEntry->OwnText();
  return std::move(FEntry);
}

// ---- TStringDataList ----

// The blocks free the nodes and with them the entries; the kept bytes go after them.
TStringDataList::~TStringDataList() { FNodeBlocks.clear(); }

// Blocks grow with the list, from 16 nodes to 4096 (96 KiB).
TStringData* TStringDataList::NewNode() {
  if (TStringData* node = FRecycledNodes) {
    FRecycledNodes = node->GetNextNode();
    node->SetNextNode(nullptr);
    return node;
  }
  if (FUnusedCount == 0) {
    FUnusedCount = std::clamp<size_t>(FNodesAllocated, 16, 4096);
    FNodeBlocks.push_back(std::make_unique<TStringData[]>(FUnusedCount));
    FUnusedNodes = FNodeBlocks.back().get();
    FNodesAllocated += FUnusedCount;
  }
  --FUnusedCount;
  return FUnusedNodes++;
}

void TStringDataList::RecycleNode(TStringData* node) {
  node->SetEntry(nullptr);
  node->SetPrevNode(nullptr);
  node->SetNextNode(FRecycledNodes);
  FRecycledNodes = node;
}

TTLKString* TStringDataList::First() {
  FCurrentNode = FFirstNode;
  return Current();
}

TTLKString* TStringDataList::Current() const {
  return FCurrentNode ? FCurrentNode->GetEntry() : nullptr;
}

TTLKString* TStringDataList::Next() {
  if (FCurrentNode) FCurrentNode = FCurrentNode->GetNextNode();
  return Current();
}

void TStringDataList::Add(std::unique_ptr<TTLKString> entry) {
  TStringData* node = NewNode();
  node->SetEntry(std::move(entry));
  node->SetPrevNode(FLastNode);
  if (FLastNode)
    FLastNode->SetNextNode(node);
  else
    FFirstNode = node;
  FLastNode = node;
  FCurrentNode = node;
  ++FCount;
}

std::unique_ptr<TTLKString> TStringDataList::DeleteCurrent(bool FreeEntry) {
  TStringData* node = FCurrentNode;
  if (!node) return nullptr;
  TStringData* prev = node->GetPrevNode();
  TStringData* next = node->GetNextNode();
  if (prev)
    prev->SetNextNode(next);
  else
    FFirstNode = next;
  if (next)
    next->SetPrevNode(prev);
  else
    FLastNode = prev;
  FCurrentNode = next;
  --FCount;
  std::unique_ptr<TTLKString> entry = FreeEntry ? nullptr : node->ReleaseEntry();
  RecycleNode(node);
  return entry;
}

// The nodes of `other` live in its blocks and its entries may view its bytes: both
// come along. Of the two runs of unused nodes the longer is kept.
void TStringDataList::TakeStorageOf(TStringDataList& other) {
  for (auto& block : other.FNodeBlocks) FNodeBlocks.push_back(std::move(block));
  other.FNodeBlocks.clear();
  for (auto& bytes : other.FKeptBytes) FKeptBytes.push_back(std::move(bytes));
  other.FKeptBytes.clear();
  while (TStringData* node = other.FRecycledNodes) {
    other.FRecycledNodes = node->GetNextNode();
    RecycleNode(node);
  }
  if (other.FUnusedCount > FUnusedCount) {
    FUnusedNodes = other.FUnusedNodes;
    FUnusedCount = other.FUnusedCount;
  }
  other.FUnusedNodes = nullptr;
  other.FUnusedCount = 0;
  FNodesAllocated += other.FNodesAllocated;
  other.FNodesAllocated = 0;
}

std::string_view TStringDataList::KeepBytes(std::string bytes) {
  FKeptBytes.push_back(std::make_unique<std::string>(std::move(bytes)));
  return *FKeptBytes.back();
}

void TStringDataList::AppendList(TStringDataList& other) {
  if (&other == this) return;
  TakeStorageOf(other);
  if (other.IsEmpty()) return;
  other.FFirstNode->SetPrevNode(FLastNode);
  if (FLastNode)
    FLastNode->SetNextNode(other.FFirstNode);
  else
    FFirstNode = other.FFirstNode;
  FLastNode = other.FLastNode;
  FCurrentNode = FLastNode;
  FCount += other.FCount;
  other.FFirstNode = other.FLastNode = other.FCurrentNode = nullptr;
  other.FCount = 0;
}

// ---- TTLKFileHandler ----

TTLKFileHandler::TTLKFileHandler() { Clear(); }

TTLKFileHandler::TTLKFileHandler(const std::string& path) {
  Clear();
  LoadFromFile(path);
}

void TTLKFileHandler::Clear() {
  FFileType.assign(4, '\0');
  FFileVersion.assign(4, '\0');
  FLanguageId = 0;
  FEntryCount = 0;
  FStringDataOffset = 0;
  FEntryList = std::make_unique<TStringDataList>();
  FIsOpen = false;
  FModified = false;
}

void TTLKFileHandler::NewFile() {
  Clear();
  FIsOpen = true;
  FFileType = "TLK ";
  FFileVersion = "V3.0";
  FFileName = "untitled.tlk";
  FModified = true;
}

void TTLKFileHandler::LoadFromFile(const std::string& path) {
  Clear();
  if (!platform::FileExists(path))
    throw EHell("Unable to load specified TLK file since it could not be found!");
  FFileName = path;
  // The header and the file's size are judged before the file is read, so that a huge
  // file that is no talk table, or claims more records than it holds, costs nothing.
  if (std::ifstream file{path, std::ios::binary}) {
    char header[kHeaderSize] = {};
    file.read(header, kHeaderSize);
    std::error_code error;
    const uint64_t size = std::filesystem::file_size(path, error);
    if (!error) {
      ParseHeader(std::string_view(header, static_cast<size_t>(file.gcount())));
      CheckEntryTableFits(size);
    }
  }
  LoadBytes(platform::ReadWholeFile(path));
}

// Header, 20 bytes: "TLK ", "V3.0", language id, entry count, string data offset
// (u32 each). Then entry count records of 40 bytes: flags u32, sound ResRef 16 bytes,
// volume variance u32, pitch variance u32, text offset u32 (from the string data
// block), text size u32, sound length f32. Then the texts. Bytes past the end of the
// file read as zeros.
void TTLKFileHandler::LoadFromBuffer(std::string_view data) {
  LoadBytes(std::string(data));  // copied first: `data` may lie in this table's own bytes
}

void TTLKFileHandler::LoadBytes(std::string bytes) {
  Clear();
  ParseHeader(bytes);
  CheckEntryTableFits(bytes.size());
  ParseEntries(std::move(bytes));
  FIsOpen = true;
  FModified = false;
}

void TTLKFileHandler::ParseHeader(std::string_view data) {
  char header[kHeaderSize] = {};
  CopyClipped(data, 0, header, kHeaderSize);
  FFileType.assign(header, 4);
  FFileVersion.assign(header + 4, 4);
  if (std::string_view(FFileType.c_str()) != "TLK ")
    throw EHell("Type mismatch. Specified file is not a valid TLK file!");
  if (FFileVersion != "V3.0") throw EHell("Version mismatch. File is not a valid v3.0 TLK file!");
  FLanguageId = ValueAt<uint32_t>(header + 8);
  const uint32_t count = ValueAt<uint32_t>(header + 12);
  FStringDataOffset = ValueAt<uint32_t>(header + 16);
  if (count == 0) throw EHell("No entries found in the specified TLK file!");
  FEntryCount = count;
}

namespace {
// The first record that starts at `limit` or later.
uint64_t FirstRecordFrom(uint64_t limit) {
  return limit <= kHeaderSize ? 0 : (limit - kHeaderSize + kRecordSize - 1) / kRecordSize;
}
}  // namespace

// Every record must start before the string data and before the end of the file (a
// partial last record reads zeros); the first that does not is named, as a loader that
// read record by record would meet it.
void TTLKFileHandler::CheckEntryTableFits(uint64_t fileSize) const {
  const uint64_t overflow = FirstRecordFrom(FStringDataOffset);
  const uint64_t pastEnd = FirstRecordFrom(fileSize);
  if (overflow < FEntryCount && overflow <= pastEnd)
    throw EHell("Error reading string data table. Overflow into entry data table!");
  if (pastEnd < FEntryCount)
    throw EHell("Error reading entry data table. The file ends before entry " +
                std::to_string(pastEnd) + " of " + std::to_string(FEntryCount) + "!");
}

namespace {
// Records may share their text bytes, so a small file could otherwise make the table
// hold far more text than any file of its size should (the GFF reader's bound).
void CheckTextBytes(uint64_t total, uint64_t fileSize) {
  if (total > (uint64_t{64} << 20) + 16 * fileSize)
    throw EHell(
        "Error reading string data table. The texts add up to far more than the file holds!");
  if (total > std::numeric_limits<uint32_t>::max())
    throw EHell(
        "Error reading string data table. The texts add up to more than a TLK file can hold!");
}
}  // namespace

// The entries are built in a list of their own, which keeps the bytes their texts view,
// and join the table's list once all are read: a refused file leaves the list empty.
void TTLKFileHandler::ParseEntries(std::string bytes) {
  TStringDataList entries;
  const std::string_view data = entries.KeepBytes(std::move(bytes));
  uint64_t textBytes = 0;
  for (uint32_t i = 0; i < FEntryCount; ++i) {
    const uint64_t position = kHeaderSize + uint64_t{i} * kRecordSize;
    char record[kRecordSize] = {};
    CopyClipped(data, static_cast<size_t>(position), record, kRecordSize);
    auto entry = std::make_unique<TTLKString>();
    entry->SetFlags(ValueAt<uint32_t>(record));
    TTLKString::ResRef resRef;
    std::memcpy(resRef.data(), record + 4, resRef.size());
    entry->SetSoundResRef(resRef);
    entry->SetVolumeVariance(ValueAt<uint32_t>(record + 20));
    entry->SetPitchVariance(ValueAt<uint32_t>(record + 24));
    entry->SetOffset(ValueAt<uint32_t>(record + 28));
    entry->SetSize(ValueAt<uint32_t>(record + 32));
    entry->SetSoundLength(ValueAt<float>(record + 36));
    entry->SetStrRef(i);
    const std::string_view text =
        TextAt(data, uint64_t{FStringDataOffset} + entry->GetOffset(), entry->GetSize());
    textBytes += text.size();
    CheckTextBytes(textBytes, data.size());
    entry->FText.SetLoaded(text);
    entries.Add(std::move(entry));
  }
  FEntryList->AppendList(entries);
}

void TTLKFileHandler::CheckSavable() const {
  if (!FIsOpen) throw EHell("There is no open file to save!");
  if (FFileType != "TLK ") throw EHell("There is no valid TLK file currently open to save!");
  if (FEntryList->IsEmpty()) throw EHell("There is no current data in the TLK file to write!");
}

// The records come directly after the header and the texts back to back after the
// records, in StrRef order; an empty text has offset 0.
std::string TTLKFileHandler::SaveToBuffer() const {
  CheckSavable();
  constexpr uint64_t kLimit = std::numeric_limits<uint32_t>::max();
  const uint64_t dataOffset = kHeaderSize + uint64_t{FEntryCount} * kRecordSize;
  uint64_t textBytes = 0;
  for (const TStringData* node = FEntryList->FirstNode(); node; node = node->GetNextNode()) {
    const uint64_t length = node->GetEntry()->GetText().size();
    // Refused before anything is written: the offsets and sizes are 32-bit fields.
    if (dataOffset > kLimit || textBytes > kLimit || length > kLimit)
      throw EHell(
          "Unable to save the TLK file. Its texts are too large for the offsets of a TLK file!");
    textBytes += length;
  }
  std::string out;
  out.reserve(static_cast<size_t>(dataOffset + textBytes));
  out += FFileType;
  out += FFileVersion;
  Append<uint32_t>(out, FLanguageId);
  Append<uint32_t>(out, FEntryCount);
  Append<uint32_t>(out, static_cast<uint32_t>(dataOffset));
  uint64_t textOffset = 0;
  for (const TStringData* node = FEntryList->FirstNode(); node; node = node->GetNextNode()) {
    const TTLKString& entry = *node->GetEntry();
    const uint32_t length = static_cast<uint32_t>(entry.GetText().size());
    Append<uint32_t>(out, entry.GetFlags());
    out.append(entry.GetSoundResRef().data(), entry.GetSoundResRef().size());
    Append<uint32_t>(out, entry.GetVolumeVariance());
    Append<uint32_t>(out, entry.GetPitchVariance());
    Append<uint32_t>(out, length == 0 ? 0 : static_cast<uint32_t>(textOffset));
    Append<uint32_t>(out, length);
    Append<float>(out, entry.GetSoundLength());
    textOffset += length;
  }
  for (const TStringData* node = FEntryList->FirstNode(); node; node = node->GetNextNode())
    out += node->GetEntry()->GetText();
  return out;
}

void TTLKFileHandler::SaveToFile(const std::string& path) {
  const std::string target = path.empty() ? FFileName : path;
  const std::string content = SaveToBuffer();
  platform::ReplaceFile(target, content);
  FStringDataOffset = kHeaderSize + FEntryCount * static_cast<uint32_t>(kRecordSize);
  FModified = false;
}

void TTLKFileHandler::AddEntry(std::unique_ptr<TTLKString> entry) {
  if (!FIsOpen) throw EHell("Unable to add new entry. No TLK file is open!");
  entry->SetSize(static_cast<uint32_t>(entry->GetText().size()));
  entry->SetIsNew(true);
  entry->SetStrRef(FEntryCount);
  FEntryList->Add(std::move(entry));
  ++FEntryCount;
  FModified = true;
}

void TTLKFileHandler::ModifyEntry(TTLKString& entry) {
  if (!FIsOpen) throw EHell("Unable to modify entry. No TLK file is currently open!");
  entry.SetIsNew(true);
  entry.SetSize(static_cast<uint32_t>(entry.GetText().size()));
  FModified = true;
}

void TTLKFileHandler::DeleteEntry(uint32_t strRef) {
  if (!FIsOpen) throw EHell("Unable to delete entry. No TLK file is currently open!");
  if (FEntryList->IsEmpty())
    throw EHell("Unable to delete selected entry. The entry list is already empty!");
  if (strRef >= FEntryCount)
    throw EHell(
        "Invalid StrRef of entry to delete! Specified value exceeds the end of the entry list!");
  uint32_t position = 0;
  bool deleted = false;
  TTLKString* entry = FEntryList->First();
  while (entry) {
    if (!deleted && position == strRef && entry->GetStrRef() == strRef) {
      FEntryList->DeleteCurrent(true);
      --FEntryCount;
      FModified = true;
      deleted = true;
      entry = FEntryList->Current();
      continue;
    }
    if (deleted) entry->SetStrRef(position);
    ++position;
    entry = FEntryList->Next();
  }
}

void TTLKFileHandler::AddEntries(TStringDataList& entries) {
  if (!FIsOpen) throw EHell("Unable to add new entry. No TLK file is open!");
  uint32_t strRef = FEntryCount;
  for (TTLKString* entry = entries.First(); entry; entry = entries.Next()) {
    entry->SetSize(static_cast<uint32_t>(entry->GetText().size()));
    entry->SetIsNew(true);
    entry->SetStrRef(strRef++);
  }
  FEntryCount = strRef;
  FEntryList->AppendList(entries);
  FModified = true;
}

uint32_t TTLKFileHandler::PadToStrRef(int64_t target) {
  if (target <= int64_t{FEntryCount})
    throw EHell(
        "Invalid StrRef specified! You must specify a number at least 2 bigger than the current "
        "last StrRef!");
  // Every blank entry is held in memory; no game addresses a StrRef beyond this.
  if (target > kHighestStrRef)
    throw EHell("Invalid StrRef specified! You must specify a number no bigger than " +
                std::to_string(kHighestStrRef) + "!");
  if (!FIsOpen) throw EHell("Unable to add new entry. No TLK file is open!");
  const auto count = static_cast<uint32_t>(target - FEntryCount);
  TStringDataList blanks;
  for (uint32_t i = 0; i < count; ++i) blanks.Add(std::make_unique<TTLKString>());
  AddEntries(blanks);
  return count;
}

uint32_t TTLKFileHandler::AppendEntriesOf(const TTLKFileHandler& other) {
  if (!FIsOpen) throw EHell("Unable to add new entry. No TLK file is open!");
  TStringDataList copies;
  const TStringData* node = other.EntryList().FirstNode();
  for (uint32_t i = 0; node && i < other.EntryCount(); ++i, node = node->GetNextNode())
    copies.Add(TTLKString::CreateCopy(*node->GetEntry()));
  const auto count = static_cast<uint32_t>(copies.Count());
  AddEntries(copies);
  return count;
}
