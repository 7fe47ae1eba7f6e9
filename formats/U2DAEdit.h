// The binary 2DA V2.b reader: a game data table of labelled columns and rows of text
// cells, read whole into memory for one user action and answered by index. Failures
// are EDead with their code in HelpContext.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Exceptions.h"

class EDead : public platform::Exception {
 public:
  using platform::Exception::Exception;
};

class T2DAHandler {
 public:
  // Checks the signature, then reads the file (no more than a table can take up, which
  // gives the same result as reading it whole) and loads it as LoadFromMemory; a file
  // that cannot be opened raises EFOpenError and leaves the table as it was.
  void LoadFromFile(const std::string& path);
  // Replaces the table with the one in `data`; `fileName` names it in messages.
  void LoadFromMemory(std::string_view data, const std::string& fileName);

  // The 0-based index of the first column whose label equals `label` without regard
  // to (ASCII) case.
  int32_t GetColumnIndex(std::string_view label) const;
  int32_t RowCount() const;
  int32_t ColumnCount() const;
  const std::string& GetColumnLabel(int32_t column) const;
  const std::string& GetCell(int32_t row, int32_t column) const;

  // 1 after a complete load, 0 otherwise.
  uint8_t Loaded() const { return FLoaded; }
  // The path of the last load that got past the header check.
  const std::string& FileName() const { return FFileName; }
  // Kept from the file; no query needs them.
  const std::vector<std::string>& RowLabels() const { return FRowLabels; }

 private:
  void Reset();
  void ReadTable(std::string_view data);

  int32_t FColumnCount = 0;
  int32_t FRowCount = 0;
  std::vector<std::string> FColumnLabels;
  std::vector<std::string> FRowLabels;
  // Cells sharing an offset share one text: FCells[row * columns + column] indexes
  // FCellTexts, which holds each distinct cell text once.
  std::vector<uint16_t> FCells;
  std::vector<std::string> FCellTexts;
  uint8_t FLoaded = 0;
  std::string FFileName;
};
