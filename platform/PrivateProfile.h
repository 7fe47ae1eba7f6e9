// Private-profile INI files: the text rules behind the INI accessor, on byte strings.
// ProfileText is the in-memory parse of one file's lines; PrivateProfile applies it to
// a file on disk, reading it as it stands on every call and replacing it atomically on
// every change.
//
// Text rules: a line whose first non-blank byte is "[" and that holds a "]" starts a
// section named by the text between the "[" and the last "]"; a line whose first
// non-blank byte is ";" is a comment; any other line holding "=" is a key, named by the
// text before the first "="; all other lines are kept but mean nothing. Names and
// values are trimmed of blanks (space, tab); a value in a matching pair of double or
// single quotes reads without them. Names compare with ASCII case folding. Lines end in
// LF or CR LF; new lines are written with CR LF. Sections of the same name are one
// section; of keys of the same name in a section the first counts. Lines before the
// first section line belong to no section. A leading UTF-8 byte-order mark is kept
// and skipped.
#pragma once

#include <sys/types.h>

#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class ProfileText {
 public:
  explicit ProfileText(std::string_view content = {});

  std::optional<std::string> Value(std::string_view section, std::string_view key) const;
  // Every key name of the section once, in file order; empty for a section without keys.
  std::vector<std::string> KeyNames(std::string_view section) const;

  // Replaces the value of an existing key in its line, or adds "key=value" after the
  // section's last key (after its section line when it has none), or adds the section
  // line and the key line at the end. Names must hold no CR, LF or NUL.
  void SetValue(std::string_view section, std::string_view key, std::string_view value);
  // Removes every line of the key in the section; false when there was none.
  bool RemoveKey(std::string_view section, std::string_view key);
  // Removes the section lines and every line under them; false when there was none.
  bool RemoveSection(std::string_view section);

  std::string Content() const;

 private:
  enum class Kind { Other, Section, Key };
  struct Line {
    std::string text;    // without its line ending
    std::string ending;  // "\r\n", "\n", or "" for a last line without one
    Kind kind = Kind::Other;
    std::string foldedName;  // section or key name, trimmed and lower-cased
    std::string name;        // key name as it stands, trimmed
    std::string value;       // key value, trimmed and unquoted
  };

  static Line ParseLine(std::string text, std::string ending);
  static Line KeyLine(std::string_view key, std::string_view value, std::string ending);
  // Calls `visit(index)` for every line that belongs to a section of this name
  // (its section lines included).
  template <typename Visit>
  void ForEachLineOf(std::string_view foldedSection, Visit visit) const;
  std::optional<size_t> FindKeyLine(std::string_view section, std::string_view key) const;
  void InsertLine(size_t index, Line line);

  std::string FByteOrderMark;
  std::vector<Line> FLines;
};

// True when a section or key name can be written: it holds no CR, LF or NUL.
bool IsWritableProfileName(std::string_view name);

class PrivateProfile {
 public:
  explicit PrivateProfile(std::string path);

  const std::string& Path() const { return FPath; }

  // Reads never fail: a file that is missing or cannot be read reads as empty.
  std::optional<std::string> ReadValue(std::string_view section, std::string_view key);
  std::vector<std::string> ReadKeyNames(std::string_view section);

  // Each write returns false when the file could not be replaced, or when a name holds
  // CR, LF or NUL or the value holds CR or LF; the file is then as it was. A value is
  // cut at its first NUL. A missing file is created.
  bool WriteValue(std::string_view section, std::string_view key, std::string_view value);
  // Deleting a key or section that is not there succeeds without touching the file.
  bool DeleteKey(std::string_view section, std::string_view key);
  bool EraseSection(std::string_view section);

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
  // Brings FText up to the file as it stands.
  void Refresh();
  void Reload();
  bool CacheIsSettled(const Identity& now) const;
  // Replaces the file with FText; on failure FText returns to the file's content.
  bool Store();

  std::string FPath;
  bool FCached = false;
  Identity FIdentity;
  timespec FCheckedAt{};     // when the cache was last known to match the file
  bool FUnreadable = false;  // a file stands at the path but could not be read
  std::string FContent;
  ProfileText FText;
};

}  // namespace platform
