#include "platform/Exceptions.h"

namespace platform {

namespace {
// Built piece by piece: g++ 12 warns falsely about "literal" + std::string temporaries.
std::string Enclosed(std::string_view text, char mark, std::string_view after = {}) {
  std::string result;
  result.reserve(text.size() + after.size() + 2);
  result += mark;
  result += text;
  result += mark;
  result += after;
  return result;
}

Sentence QuotedPath(std::string_view path) { return "\"" + Sentence::Path(path) + "\""; }
}  // namespace

EConvertError EConvertError::InvalidInteger(std::string_view text) {
  return EConvertError(Enclosed(text, '\'', " is not a valid integer value"));
}

EConvertError EConvertError::InvalidFloat(std::string_view text) {
  return EConvertError(Enclosed(text, '\'', " is not a valid floating point value"));
}

EFOpenError::EFOpenError(std::string_view path, std::string_view reason)
    : Exception("Cannot open file " + QuotedPath(path) + ". " + std::string(reason)) {}

EFCreateError::EFCreateError(std::string_view path, std::string_view reason)
    : Exception("Cannot create file " + QuotedPath(path) + ". " + std::string(reason)) {}

EFCreateError EFCreateError::TemporaryRefused(std::string_view path, std::string_view folder,
                                              std::string_view reason) {
  return EFCreateError("Cannot create a temporary file in the folder " + QuotedPath(folder) +
                       " to save " + QuotedPath(path) + ". " + std::string(reason));
}

EInOutError::EInOutError(std::string_view path, std::string_view reason)
    : Exception("I/O error on file " + QuotedPath(path) + ". " + std::string(reason)) {}

EIniFileException EIniFileException::UnableToWrite(std::string_view path) {
  return EIniFileException("Unable to write to " + Sentence::Path(path));
}

EReadPastEnd::EReadPastEnd(size_t offset, size_t wanted, size_t size)
    : Exception("Attempted to read " + std::to_string(wanted) + " bytes at offset " +
                std::to_string(offset) + " of data that holds only " + std::to_string(size) +
                " bytes."),
      FOffset(offset) {}

}  // namespace platform
