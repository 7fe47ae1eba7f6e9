// The names of changes.ini in one place: its fixed sections, the prefixes of its
// numbered keys and the fixed-length prefix tests that tell one kind of key from
// another.
#pragma once

#include <string_view>

namespace quennet {

// The fixed sections, in the order a new file lists them.
inline constexpr char kSettingsSection[] = "Settings";
inline constexpr char kTlkListSection[] = "TLKList";
inline constexpr char kInstallListSection[] = "InstallList";
inline constexpr char k2daListSection[] = "2DAList";
inline constexpr char kGffListSection[] = "GFFList";
inline constexpr char kCompileListSection[] = "CompileList";
inline constexpr char kSsfListSection[] = "SSFList";
inline constexpr const char* kFixedSections[] = {
    kSettingsSection, kTlkListSection,     kInstallListSection, k2daListSection,
    kGffListSection,  kCompileListSection, kSsfListSection};

// The section through which the keys-first rewrite once moved the other keys; files
// may still hold one, so a new modifier or file may not take its name.
inline constexpr char kScratchSection[] = "aaTempWorkSectionaa";

// The key that every accepted file holds in "[Settings]".
inline constexpr char kFileExistsKey[] = "FileExists";

// Prefixes of numbered keys.
inline constexpr char kTableKeyPrefix[] = "Table";
inline constexpr char kFileKeyPrefix[] = "File";
inline constexpr char kReplaceKeyPrefix[] = "Replace";
inline constexpr char kInstallFolderKeyPrefix[] = "install_folder";
inline constexpr char kAddFieldKeyPrefix[] = "AddField";
inline constexpr char kStrRefTokenPrefix[] = "StrRef";
inline constexpr char k2daMemoryTokenPrefix[] = "2DAMEMORY";

// The install settings keys of a GFF file's section.
inline constexpr char kReplaceFileKey[] = "!ReplaceFile";
inline constexpr char kDestinationKey[] = "!Destination";

// What a prompt answers for no name ("N/A" exactly).
inline constexpr char kNoName[] = "N/A";

// The fixed-length prefix tests. Those "with case" compare the prefix exactly, the
// others without regard to case.
// "Replace" exactly: the kind of a "[SSFList]" key.
bool IsSsfReplaceKey(std::string_view key);
// "addfield" in any case: a new-field modifier key of a GFF file's section.
bool IsAddFieldKey(std::string_view key);
// "!replacefile" or "!destination" in any case: a GFF file's install setting.
bool IsGffSettingKey(std::string_view key);
// "StrRef" exactly: a talk-table token of "[TLKList]".
bool IsStrRefToken(std::string_view key);
// "2DAMEMORY" exactly: a memory token of a 2DA modifier.
bool Is2daMemoryToken(std::string_view key);

}  // namespace quennet
