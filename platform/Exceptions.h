// The exception family of the run-time layer: every failure carries an English
// sentence and an optional numeric help context (readers put their error code there).
// A path named in the sentence stays the file system's bytes (Sentence::PathSpans).
#pragma once

#include <exception>
#include <string>
#include <string_view>

#include "platform/Sentence.h"

namespace platform {

class Exception : public std::exception {
 public:
  explicit Exception(Sentence message, int helpContext = 0)
      : FMessage(std::move(message)), FHelpContext(helpContext) {}

  const std::string& Message() const { return FMessage.Bytes(); }
  // The message with the spans that name paths.
  const Sentence& Text() const { return FMessage; }
  int HelpContext() const { return FHelpContext; }
  const char* what() const noexcept override { return FMessage.Bytes().c_str(); }

 private:
  Sentence FMessage;
  int FHelpContext;
};

// A text that does not hold the number a conversion asked for.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
  static EConvertError InvalidInteger(std::string_view text);
  static EConvertError InvalidFloat(std::string_view text);
};

// A file that could not be opened for reading.
class EFOpenError : public Exception {
 public:
  EFOpenError(std::string_view path, std::string_view reason);
};

// A file that could not be created for writing.
class EFCreateError : public Exception {
 public:
  EFCreateError(std::string_view path, std::string_view reason);
  // The folder of `path` refused the temporary file that a save writes first.
  static EFCreateError TemporaryRefused(std::string_view path, std::string_view folder,
                                        std::string_view reason);

 private:
  explicit EFCreateError(Sentence message) : Exception(std::move(message)) {}
};

// A read or write that failed after the file was open.
class EInOutError : public Exception {
 public:
  EInOutError(std::string_view path, std::string_view reason);
};

// Raised by the INI accessor when the file cannot be written.
class EIniFileException : public Exception {
 public:
  using Exception::Exception;
  static EIniFileException UnableToWrite(std::string_view path);
};

// Raised by ByteReader's checked reads; readers translate it into their own class.
class EReadPastEnd : public Exception {
 public:
  EReadPastEnd(size_t offset, size_t wanted, size_t size);
  size_t Offset() const { return FOffset; }

 private:
  size_t FOffset;
};

}  // namespace platform
