// The rules of "[SSFList]" and the soundset files' sections in changes.ini, kept apart
// from the widgets: the sound entry names, the two kinds of list key ("File" and
// "Replace") and switching a file's key from one kind to the other.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "configeditor/rules/UChangesIniNames.h"
#include "configeditor/rules/USectionRows.h"
#include "formats/UKV_IniFile.h"

namespace quennet {

// The sound entries of a soundset file in the order the entry list offers them.
extern const std::array<const char*, 40> kSsfEntryNames;

// "Replace" (when `replace`) or "File" followed by the least number n from 0 for which
// no name of `keys` equals it without regard to case.
std::string NextFreeListKey(const std::vector<std::string>& keys, bool replace);

// The kind of the first "[SSFList]" key whose value is exactly `fileName`: true for
// the Replace kind; none when no key lists the file.
std::optional<bool> SsfListKind(TCustomIniFile& ini, const std::string& fileName);

// Gives the "[SSFList]" keys of `fileName` the kind `replace` while keeping the order
// of the list: a key of the other kind is deleted, its new key written, and every key
// after it deleted and written again behind it. Keys before it are not touched;
// nothing is written when every key already has that kind.
void SwitchSsfKind(TCustomIniFile& ini, const std::string& fileName, bool replace);

// The sound entries of a listed soundset file's section, in key order; none while
// "[SSFList]" lists nothing.
TKeyValues SoundEntryRows(TCustomIniFile& ini, const std::string& fileSection);

// Stores the new value of a sound entry in the soundset file's section (in place when
// the entry is there in any case).
void StoreSoundEntry(TCustomIniFile& ini, const std::string& fileSection, const std::string& entry,
                     const std::string& value);
void DeleteSoundEntry(TCustomIniFile& ini, const std::string& fileSection,
                      const std::string& entry);

}  // namespace quennet
