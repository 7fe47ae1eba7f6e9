// A list of key/value rows shown in a two-column StringGrid (column 0 the key,
// column 1 the value): shown whole, stored by key, removed and selected by key. The
// grid keeps one empty row while the list is empty.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace platform {

class StringGrid;

using KeyValueRows = std::vector<std::pair<std::string, std::string>>;

class KeyValueList {
 public:
  explicit KeyValueList(StringGrid& grid) : FGrid(grid) {}

  // Replaces the rows below the fixed row (the header stays).
  void ShowRows(const KeyValueRows& rows);
  // The row of `key` gets `value` where it stands; a key not listed yet gets a new row at
  // the end. The row is selected; its number is returned.
  int Store(const std::string& key, const std::string& value, bool ignoreCase = false);
  // Removes the selected row and answers its key; empty when the list is empty.
  std::string RemoveSelected();
  // Selects the first row of `key`; false when no row has it.
  bool SelectKey(const std::string& key, bool ignoreCase = false);
  bool IsEmpty() const;

 private:
  StringGrid& FGrid;
};

}  // namespace platform
