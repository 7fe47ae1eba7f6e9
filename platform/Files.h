// File access for the programs: whole-file reads for the readers and an atomic
// replace for every writer, so that a failed write never leaves a half-written file.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace platform {

// True when `path` names an existing regular file.
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);

// Reads the whole file; raises EFOpenError "Cannot open file "<path>". <reason>", also
// for anything but a regular file (a folder, a pipe, a device).
std::string ReadWholeFile(const std::string& path);

// Writes `content` to a temporary file beside `path`, checks every write and the
// close, keeps the permissions of an existing file and renames the temporary file
// over `path`. On failure `path` is untouched, the temporary file is removed and
// `error` (when given) receives the system's reason.
bool TryReplaceFile(const std::string& path, std::string_view content,
                    std::string* error = nullptr);

// As TryReplaceFile; `beforeRename` runs when the temporary file is complete, just before
// the rename. When it returns false nothing is replaced and the result is false.
bool TryReplaceFileIf(const std::string& path, std::string_view content,
                      const std::function<bool()>& beforeRename);

// As TryReplaceFile; raises EFCreateError when the file cannot be created and
// EInOutError when a write fails.
void ReplaceFile(const std::string& path, std::string_view content);

// The name of `path` without its folder (both "/" and "\" separate folders).
std::string ExtractFileName(std::string_view path);
// The folder of `path`, ending in its separator; empty when there is none.
std::string ExtractFilePath(std::string_view path);

}  // namespace platform
