// The changes a compare found that changes.ini cannot hold as they stand, for the one
// warning after the compare's summary: those it left unwritten, as the file cannot hold
// them at all (a zero byte in the value, a key name the file refuses), and those it wrote
// although the file reads them back otherwise (blanks at either end of the value or the
// key name, enclosing quotes, a value of more than 2,047 characters).
#pragma once

#include <string>
#include <vector>

namespace quennet {

class TUnheldChanges {
 public:
  // True when key = value may be written. A change that may not, or that reads back
  // otherwise, is named by `where` (a field path, a row and a column) with the reason.
  bool Admit(const std::string& where, const std::string& key, const std::string& value);
  // True when the file can hold `value` at all; names nothing.
  static bool CanHold(const std::string& value);

  const std::vector<std::string>& Unwritten() const { return FUnwritten; }
  const std::vector<std::string>& ReadBackOtherwise() const { return FReadBackOtherwise; }
  bool Empty() const { return FUnwritten.empty() && FReadBackOtherwise.empty(); }

 private:
  std::vector<std::string> FUnwritten;
  std::vector<std::string> FReadBackOtherwise;
};

// The warning's paragraphs on these changes, each change on a line of its own; empty
// when there are none.
std::string UnheldChangesWarning(const TUnheldChanges& changes);

// Paragraphs of one warning: the non-empty ones, a blank line between them.
std::string JoinedParagraphs(const std::vector<std::string>& paragraphs);

}  // namespace quennet
