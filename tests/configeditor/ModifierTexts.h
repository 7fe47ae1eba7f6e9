// What the 2DA modifier tests share: changes.ini texts written line by line with CR LF
// endings, and binary 2DA files built byte by byte.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "tests/formats/GameFileBuilders.h"

namespace modifier_testing {

// The lines, each ended by CR LF.
inline std::string Lines(std::initializer_list<const char*> lines) {
  std::string text;
  for (const char* line : lines) text += std::string(line) + "\r\n";
  return text;
}

// A 2DA V2.b table with these column labels and one row of cells.
inline std::string TwoDaWithColumns(const std::vector<std::string>& columns) {
  return game_file_builders::TwoDaBuilder::Table(columns,
                                                 {std::vector<std::string>(columns.size(), "1")})
      .Build();
}

inline void Write2da(const std::string& path, const std::vector<std::string>& columns) {
  platform::ReplaceFile(path, TwoDaWithColumns(columns));
}

}  // namespace modifier_testing
