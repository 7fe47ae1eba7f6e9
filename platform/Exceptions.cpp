#include "platform/Exceptions.h"

namespace platform {

namespace {
std::string Quoted(std::string_view text) {
  std::string quoted;
  quoted.reserve(text.size() + 2);
  quoted += '"';
  quoted += text;
  quoted += '"';
  return quoted;
}
}  // namespace

EConvertError EConvertError::InvalidInteger(std::string_view text) {
  return EConvertError("'" + std::string(text) + "' is not a valid integer value");
}

EConvertError EConvertError::InvalidFloat(std::string_view text) {
  return EConvertError("'" + std::string(text) + "' is not a valid floating point value");
}

EFOpenError::EFOpenError(std::string_view path, std::string_view reason)
    : Exception("Cannot open file " + Quoted(path) + ". " + std::string(reason)) {}

EFCreateError::EFCreateError(std::string_view path, std::string_view reason)
    : Exception("Cannot create file " + Quoted(path) + ". " + std::string(reason)) {}

EInOutError::EInOutError(std::string_view path, std::string_view reason)
    : Exception("I/O error on file " + Quoted(path) + ". " + std::string(reason)) {}

EIniFileException EIniFileException::UnableToWrite(std::string_view path) {
  return EIniFileException("Unable to write to " + std::string(path));
}

EReadPastEnd::EReadPastEnd(size_t offset, size_t wanted, size_t size)
    : Exception("Attempted to read " + std::to_string(wanted) + " bytes at offset " +
                std::to_string(offset) + " of data that holds only " + std::to_string(size) +
                " bytes."),
      FOffset(offset) {}

}  // namespace platform
