// File access for the programs: whole-file reads for the readers and an atomic
// replace for every writer, so that a failed write never leaves a half-written file.
#pragma once

#include <cstddef>
#include <cstdint>
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

// The first `maxBytes` bytes of a file (all of it when it is shorter) and its size, so
// that a reader can judge a header before it reads more; raises as ReadWholeFile.
struct FileHead {
  std::string bytes;
  uint64_t size = 0;
};
FileHead ReadFileHead(const std::string& path, size_t maxBytes);

// Writes `content` to a temporary file in the folder of `path`, checks every write, the
// sync and the close, keeps the permissions of an existing file and renames the temporary
// file over `path`. The temporary file has no name until it is complete where the file
// system allows; a named one (short, whatever the length of `path`) is the fallback, and
// temporary files of earlier saves of `path` that no writer holds any more are removed.
// A link at `path` is followed; one that leads nowhere is refused, as is anything but a
// regular file. On failure `path` is untouched, no temporary file is left and `error`
// (when given) receives the reason.
bool TryReplaceFile(const std::string& path, std::string_view content,
                    std::string* error = nullptr);

// As TryReplaceFile; `beforeRename` runs when the temporary file is complete, just before
// the rename. When it returns false nothing is replaced and the result is false.
bool TryReplaceFileIf(const std::string& path, std::string_view content,
                      const std::function<bool()>& beforeRename);

// Content given in pieces, so that it need not be gathered in memory first: calls `put`
// with each piece in order and gives false as soon as `put` does. It may be asked for
// more than once.
using ContentPieces = std::function<bool(const std::function<bool(std::string_view)>& put)>;
inline ContentPieces WholeContent(std::string_view content) {
  return [content](const std::function<bool(std::string_view)>& put) { return put(content); };
}
bool TryReplaceFileIf(const std::string& path, const ContentPieces& content,
                      const std::function<bool()>& beforeRename);

// As TryReplaceFile; raises EFCreateError when the file cannot be created (naming the
// folder when it refused the temporary file) and EInOutError when a write fails.
void ReplaceFile(const std::string& path, std::string_view content);

// The name of `path` without its folder (both "/" and "\" separate folders).
std::string ExtractFileName(std::string_view path);
// The folder of `path`, ending in its separator; empty when there is none.
std::string ExtractFilePath(std::string_view path);

}  // namespace platform
