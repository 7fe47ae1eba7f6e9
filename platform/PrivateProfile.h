// Private-profile INI files: the text rules behind the INI accessor, on byte strings.
// ProfileText is the in-memory parse of one file's lines with an index over it;
// PrivateProfile applies it to a file on disk, reading it as it stands and replacing it
// atomically on every change, or once for a batch of changes.
//
// Text rules (those of the platform's private-profile functions): a line whose first
// non-blank byte is "[" starts a section named by the text up to the first "]" (or the
// line's end); a line whose first non-blank byte is ";" is a comment; any other line
// holding "=" is a key, named by the text before the first "="; all other lines are kept
// but mean nothing. Names and values are trimmed of blanks (space, tab); a value in a
// matching pair of double or single quotes reads without them. Names compare with ASCII
// case folding. Lines end in LF or CR LF; new lines are written with CR LF. A section
// whose name stands twice is its first block only, for every operation but erasing,
// which removes every block; of keys of the same name in a section the first counts.
// Lines before the first section line belong to no section. A leading UTF-8 byte-order
// mark is kept and skipped.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/ChunkedStorage.h"
#include "platform/FlatIndex.h"

namespace platform {

using ProfileKeyValues = std::vector<std::pair<std::string, std::string>>;

enum class ProfileTextKind : uint8_t { Other, Comment, Section, Key };

// The line list is the truth for the bytes: each line (or run of meaningless lines) is a
// record pointing at its text in one byte buffer, linked in file order, so that inserting
// and removing a line moves nothing else. The index only finds lines: sections by their
// folded name, the keys of each section's first block by section and folded name; both
// are flat tables of line numbers, the names staying in the text.
class ProfileText {
 public:
  // Names a line. A line an edit wrote or removed keeps its text until it is written, so
  // that the edit can be told again from its lines (see ProfileEditLog).
  using LineId = uint32_t;
  static constexpr LineId kNoLine = 0x7FFFFFFF;
  // The lines an edit wrote or removed: the section line of the first block and the key
  // line; `section` is kNoLine when the edit changed nothing.
  struct EditedLines {
    LineId section = kNoLine;
    LineId key = kNoLine;
    bool Changed() const { return section != kNoLine; }
  };

  explicit ProfileText(std::string content = {});

  std::optional<std::string_view> Value(std::string_view section, std::string_view key) const;
  // Every key name of the section once, in file order; empty for a section without keys.
  std::vector<std::string> KeyNames(std::string_view section) const;

  // Replaces the value of an existing key in its line, or adds "key=value" after the
  // section's last key (after its section line when it has none), or adds the section
  // line and the key line at the end. The key name is written without blanks around it.
  // Names must be writable (see UnwritableKeyReason).
  EditedLines SetValue(std::string_view section, std::string_view key, std::string_view value);
  // Removes the line of the key that counts (the first of its name); nothing when there
  // is none. A later line of the same name then counts.
  EditedLines RemoveKey(std::string_view section, std::string_view key);
  // Removes every block of the section: its section line and every line under it but the
  // comments; nothing when there was none.
  EditedLines RemoveSection(std::string_view section);
  // Puts `keys` at the head of the section's first block. When the section has no key or
  // its key names already begin with those of `keys` (exact case, in order), the keys are
  // written in place. Otherwise the key lines named by `identifyingNames` or `keys`
  // (without regard to case) go, the new key lines stand right after the section line,
  // and every other key line follows them, byte for byte, in its order.
  EditedLines PutKeysFirst(std::string_view section,
                           const std::vector<std::string>& identifyingNames,
                           const ProfileKeyValues& keys);

  // What a line an edit wrote or removed holds: a section line's name as it stands
  // between its brackets, a key line's name, and the value as stored after its "=".
  std::string_view SectionNameAt(LineId line) const;
  std::string_view KeyNameAt(LineId line) const;
  std::string_view StoredValueAt(LineId line) const;

  std::string Content() const;
  // Gives Content() in pieces, in order, so that it can be written without a copy; false
  // as soon as `put` gives false.
  bool ForEachPiece(const std::function<bool(std::string_view)>& put) const;
  // The size of Content(), kept up to date by every edit.
  size_t ContentSize() const { return FContentSize; }
  // The bytes the parse was made from or last written.
  std::string_view Base();
  // The file now holds Content(): it becomes the base. It is laid out as one run of
  // bytes only when the next edit (or Base) needs it, so that a write needs no second
  // copy of the text beside the parse; replaced texts and removed lines go then.
  void ContentWritten() { FBaseIsContent = true; }

 private:
  // No line or section; their numbers stay below it (31 bits).
  static constexpr uint32_t kNone = kNoLine;
  using Kind = ProfileTextKind;
  // The value is the ending's length in bytes.
  enum class Ending : uint8_t { None, LineFeed, CarriageReturnLineFeed };
  // One line, or a run of meaningless lines (their inner line endings in the text); 16
  // bytes, as a file may have millions. Texts lie within the first 4 GiB of FBase and
  // FAdded, and no text is longer than the largest file that is read (256 MiB, 29 bits).
  struct Line {
    Line() = default;
    Line(size_t offset, size_t length, Kind kind, Ending ending)
        : kindBits(static_cast<uint32_t>(kind)) {
      SetOffset(offset);
      SetLength(length);
      SetEnding(ending);
    }
    static constexpr size_t kLengthLimit = size_t{1} << 29;
    void SetLength(size_t to) {
      if (to >= kLengthLimit) throw std::length_error("INI line beyond 512 MiB");
      length = static_cast<uint32_t>(to);
    }
    size_t Offset() const { return offset; }
    void SetOffset(size_t to) {
      if (to > UINT32_MAX) throw std::length_error("INI text beyond 4 GiB");
      offset = static_cast<uint32_t>(to);
    }
    Kind kind() const { return static_cast<Kind>(kindBits); }
    Ending ending() const { return static_cast<Ending>(endingLow | endingHigh << 1); }
    void SetEnding(Ending to) {
      endingLow = static_cast<uint32_t>(to) & 1;
      endingHigh = static_cast<uint32_t>(to) >> 1;
    }

    uint32_t offset = 0;       // of the text in FBase, or in FAdded after it
    uint32_t length : 29 = 0;  // of the text, without the last line ending
    uint32_t kindBits : 2 = 0;
    uint32_t endingFollows : 1 = 1;  // the ending's bytes follow the text
    uint32_t prev : 31 = kNone;
    uint32_t endingLow : 1 = 0;
    uint32_t next : 31 = kNone;
    uint32_t endingHigh : 1 = 0;
  };
  static_assert(sizeof(Line) == 16);
  struct Section {
    uint32_t firstBlock = kNone;  // its first section line; kNone: the id is free
    uint32_t lastKey = kNone;     // the last key line of the first block
  };
  // Index entries are empty when zero, so that a new table need not be written.
  struct SectionSlot {
    SectionSlot() = default;
    SectionSlot(uint32_t hash, uint32_t section) : hash(hash), sectionAfter(section + 1) {}
    uint32_t Section() const { return sectionAfter - 1; }
    bool Empty() const { return sectionAfter == 0; }
    static uint32_t HashOf(const SectionSlot& slot) { return slot.hash; }

    uint32_t hash = 0;
    uint32_t sectionAfter = 0;  // the section's number + 1
  };
  // 8 bytes, as a file may have millions of keys. No section is stored: for one name,
  // KeyHash gives every section a hash of its own, so a key of the same hash and name is
  // of the same section.
  struct KeySlot {
    static constexpr uint32_t kMoreOfTheName = 0x80000000u;
    KeySlot() = default;
    KeySlot(uint32_t hash, uint32_t line) : hash(hash), lineAfter(line + 1) {}
    // The line that counts: the first of the name in the first block.
    uint32_t Line() const { return (lineAfter & ~kMoreOfTheName) - 1; }
    void SetLine(uint32_t line, bool moreOfTheName) {
      lineAfter = (line + 1) | (moreOfTheName ? kMoreOfTheName : 0);
    }
    // A later line of the block has the name too.
    bool MoreOfTheName() const { return (lineAfter & kMoreOfTheName) != 0; }
    bool Empty() const { return lineAfter == 0; }
    static uint32_t HashOf(const KeySlot& slot) { return slot.hash; }

    uint32_t hash = 0;
    uint32_t lineAfter = 0;  // the line's number + 1, and kMoreOfTheName
  };

  struct ParseState {
    uint32_t section = kNone;   // of the last section line
    bool inFirstBlock = false;  // that line begins its section's first block
  };
  size_t ParseLine(size_t position, ParseState& state);
  void ParseSectionLine(uint32_t line, std::string_view name, ParseState& state);

  std::string_view Text(uint32_t line) const;
  std::string_view NameOf(uint32_t line) const;
  std::string_view ValueOf(uint32_t line) const;
  uint32_t AddRecord(const Line& line);
  uint32_t NewLine(std::string_view text, Kind kind, Ending ending);
  void LinkAfter(uint32_t after, uint32_t line);  // kNone: at the head
  void Unlink(uint32_t line);
  void Free(uint32_t line);
  void EndLastLine(uint32_t line);

  static uint32_t NameHash(std::string_view name);
  std::optional<uint32_t> FindSection(std::string_view name) const;
  uint32_t AddSection(uint32_t sectionLine, uint32_t hash);
  void DropSection(uint32_t section);
  std::vector<uint32_t> BlocksOf(uint32_t section) const;
  static uint32_t KeyHash(uint32_t section, std::string_view name);
  const KeySlot* FindKey(uint32_t section, std::string_view name) const;
  KeySlot* FindKey(uint32_t section, std::string_view name);
  void IndexKey(uint32_t section, uint32_t line);
  void UnindexBlock(uint32_t section);
  void AppendKeyToSection(uint32_t section, uint32_t line);
  uint32_t LaterLineOfTheName(uint32_t line) const;

  // Before an edit changes what ContentWritten made the base.
  void SettleBase();

  std::string_view Bytes(size_t offset, size_t length) const;
  size_t AddText(std::string_view text, uint8_t ending);
  bool BeginsAPiece(size_t offset) const;

  std::string FBase;            // the bytes of the parse or of the last write
  ChunkedText FAdded;           // the texts of lines added or rewritten since
  bool FBaseIsContent = false;  // the base is Content(), not yet laid out
  bool FChangedSinceBase = false;
  size_t FByteOrderMarkSize = 0;
  size_t FContentSize = 0;
  ChunkedArray<Line> FLines;
  size_t FFreedLines = 0;  // records of lines no longer in the file
  uint32_t FHead = kNone;
  uint32_t FTail = kNone;
  std::vector<Section> FSections;
  std::vector<uint32_t> FFreeSections;
  // The section lines after the first of a name that stands more than once.
  std::unordered_map<uint32_t, std::vector<uint32_t>> FLaterBlocks;
  FlatIndex<SectionSlot> FSectionIndex;
  FlatIndex<KeySlot> FKeys;
};

// Why a key or section name cannot be written, naming the name; nothing when it can.
// The platform would write such a name and then read something else: a key name that
// holds "=" or begins (after blanks) with ";" or "[", a section name that holds "]",
// and any name holding a line break or a zero byte.
std::optional<std::string> UnwritableKeyReason(std::string_view name);
std::optional<std::string> UnwritableSectionReason(std::string_view name);
// `name` as a section name that reads back as written: each byte a section name cannot
// hold ("]", CR, LF, NUL) as "_", then the blanks at either end removed.
std::string HoldableSectionName(std::string_view name);
// Why a value stored as `stored` reads back otherwise (blanks at either end, a matching
// pair of enclosing quotes), as a phrase; nothing when it reads back as stored.
std::optional<std::string> StoredValueReadBackProblem(std::string_view stored);

// `text` without the blanks (spaces and tabs) that the rules drop around every section
// name, key name and value they read.
std::string_view TrimBlanks(std::string_view text);

// One change to the file; the texts belong to the caller.
struct ProfileEdit {
  enum class Kind { SetValue, RemoveKey, RemoveSection, PutKeysFirst };
  Kind kind;
  std::string_view section;
  std::string_view key = {};
  std::string_view value = {};
  const std::vector<std::string>* identifyingNames = nullptr;  // PutKeysFirst only
  const ProfileKeyValues* keys = nullptr;                      // PutKeysFirst only
};

// The edits of an open batch, kept so that they can be applied again to a file that
// changed meanwhile. An edit is kept by the lines it wrote or removed in the parse it
// was applied to (which hold its names and value), and edits that wrote lines one after
// another in one section as one run: a compare of a million keys keeps a few bytes for
// each section it writes.
class ProfileEditLog {
 public:
  // Keeps `edit`, just applied to the parse, by the lines it changed there.
  void Add(const ProfileEdit& edit, const ProfileText::EditedLines& lines);
  void Clear();
  bool Empty() const { return FEntries.empty(); }
  // Applies the edits, told from `source` (the parse they were kept in), to `target`;
  // gives them as kept in `target`.
  ProfileEditLog ApplyTo(const ProfileText& source, ProfileText& target) const;
  // True when every key the edits touch reads the same in `now` as in `before`, the text
  // they were made on: the same value, or missing in both. For an erased or reordered
  // section that is every key of it.
  bool TouchSameState(const ProfileText& source, const ProfileText& before,
                      const ProfileText& now) const;

 private:
  struct Entry {
    ProfileEdit::Kind kind;
    uint32_t section;    // the section line; for PutKeysFirst, its index in FKeysFirst
    uint32_t firstLine;  // the key line of the run's first edit
    uint32_t lines;      // edits in the run, on the lines firstLine, firstLine + 1, ...
  };
  struct KeysFirst {
    std::string section;
    std::vector<std::string> identifyingNames;
    ProfileKeyValues keys;
  };
  template <typename Visit>
  void ForEachEdit(const ProfileText& source, Visit visit) const;

  ChunkedArray<Entry> FEntries;
  std::vector<KeysFirst> FKeysFirst;
};

// Told while a write waits for another writer's lock (at most 10 s, then the write
// fails), so that a program with windows shows the hourglass and keeps them painted.
class LockWaitListener {
 public:
  virtual ~LockWaitListener() = default;
  virtual void WaitBegins() = 0;
  virtual void StillWaiting() = 0;  // between two tries, every 10 ms
  virtual void WaitEnds() = 0;
};
// The listener of this process (none at first); returns the one it replaces.
LockWaitListener* SetLockWaitListener(LockWaitListener* listener);

// The lock behind every write of a PrivateProfile (see PrivateProfile.cpp).
class FolderLock {
 public:
  explicit FolderLock(const std::string& path);
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;
  // Another writer held the lock for too long.
  bool Refused() const { return FRefused; }

 private:
  void Wait();

  int FFd = -1;
  bool FRefused = false;
};

class PrivateProfile {
 public:
  // Larger files count as unreadable: reads give the defaults, writes are refused. No
  // write makes a file larger: what the program writes, it can read back.
  static constexpr off_t kMaxFileSize = off_t{256} * 1024 * 1024;

  explicit PrivateProfile(std::string path);
  ~PrivateProfile();
  PrivateProfile(const PrivateProfile&) = delete;
  PrivateProfile& operator=(const PrivateProfile&) = delete;

  const std::string& Path() const { return FPath; }

  // Reads never fail: a file that is missing or cannot be read reads as empty.
  std::optional<std::string> ReadValue(std::string_view section, std::string_view key);
  std::vector<std::string> ReadKeyNames(std::string_view section);

  // Each write returns false when the file could not be replaced, when it stands but
  // cannot be read, or when a name is not writable or the value holds CR or LF; the file
  // is then as it was. A value is cut at its first NUL. A missing file is created.
  // A write whose result would be larger than kMaxFileSize is refused (RefusedForSize).
  bool WriteValue(std::string_view section, std::string_view key, std::string_view value);
  // Removing a key or section that is not there succeeds without touching the file.
  bool DeleteKey(std::string_view section, std::string_view key);
  bool EraseSection(std::string_view section);
  bool PutKeysFirst(std::string_view section, const std::vector<std::string>& identifyingNames,
                    const ProfileKeyValues& keys);

  // A batch: between BeginBatch and the outermost CommitBatch or EndBatch every read and
  // write works on the parse in memory; the commit writes the file once. Nested batches
  // join the outer one (their commit and end do nothing). CommitBatch returns false when
  // the file could not be written: it then stays as it was and the batch's edits are
  // gone. EndBatch writes what is still pending and ignores a failure. A write that
  // makes the batch's result larger than kMaxFileSize fails at once and refuses the
  // whole batch: every later write and the commit fail, and nothing is written.
  void BeginBatch();
  bool CommitBatch();
  void EndBatch() noexcept;
  bool InBatch() const { return FBatchDepth > 0; }
  // The last failed write, or the open batch, was refused because its result would have
  // been larger than kMaxFileSize.
  bool RefusedForSize() const { return FRefusedForSize; }

  // A read scope: the file is checked once at its start, and reads inside it use the parse.
  void BeginReading();
  void EndReading() noexcept;

 private:
  // What identifies one state of the file; a change of content changes one of these,
  // except a rewrite of the same size within one tick of the file-system clock.
  struct Identity {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    timespec changed{};
    bool operator==(const Identity& other) const;
  };

  static std::optional<Identity> IdentityOf(const std::string& path);
  // Brings FText up to the file as it stands, unless a scope holds it.
  void RefreshOutsideScopes();
  void Refresh();
  bool CacheMatchesFile();
  bool FileUnchangedSinceRead() const;
  void Reload();
  bool ReapplyToFile();
  bool CacheIsSettled(const Identity& now) const;
  bool Record(const ProfileEdit& edit);
  bool RefuseForSize();
  bool Edit(const ProfileEdit& edit);
  // Writes FText, under the lock. When the file changed since it was read (checked in
  // full unless it was read under this lock, and by its identity once more just before
  // the rename) the pending edits are applied again to the file as it now stands, unless
  // a key they touch changed: then nothing is written.
  bool Store(bool readUnderLock);

  std::string FPath;
  bool FCached = false;  // FText is the file's parse (or a missing file's, empty)
  bool FExists = false;  // a regular file stood at the path, with FIdentity
  Identity FIdentity;
  timespec FCheckedAt{};     // when the cache was last known to match the file
  bool FUnreadable = false;  // a regular file stands at the path but could not be read
  bool FNotAFile = false;    // something else than a folder or a regular file stands there
  ProfileText FText;
  int FBatchDepth = 0;
  int FReadDepth = 0;
  ProfileEditLog FPending;  // the edits of the open batch not yet written
  bool FRefusedForSize = false;
  bool FBatchRefused = false;  // the open batch passed the size limit: it writes nothing
};

}  // namespace platform
