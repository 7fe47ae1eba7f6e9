#include "formats/U2DAEdit.h"

#include "platform/ByteReader.h"
#include "platform/Files.h"
#include "platform/Text.h"

// Binary 2DA V2.b, little-endian:
//   0   8 bytes  "2DA V2.b"
//   8   1 byte   skipped (a line feed)
//   9   column labels, each ended by a TAB; the list ends with a zero byte; at most
//       4094 bytes with the zero byte
//   u32 row count (at most 9999)
//   row labels, each ended by a TAB
//   u16 cell offset per cell, row by row (only when rows and columns are both > 0)
//   u16 size of the cell data (not used)
//   cell data: zero-terminated texts; a cell starts at data start + its offset

namespace {

constexpr size_t kSignatureSize = 8;
constexpr size_t kLabelSectionLimit = 4095;
constexpr uint32_t kMaxRows = 9999;
constexpr size_t kRowLabelLimit = 4096;
constexpr size_t kCellLimit = 4096;
constexpr int kMalformedCode = 9;
// The reader never looks beyond this many bytes, whatever the file holds: the label
// section, the row count, 9999 row labels of 4096 bytes and their tabs, the offsets of
// 9999 rows of at most 4093 columns and the data size, the farthest offset and the
// longest cell a read may scan. Reading no more gives the same result as reading a
// larger file whole.
constexpr uint64_t kMaxBytesRead = 9 + kLabelSectionLimit + 4 + kMaxRows * (kRowLabelLimit + 1) +
                                   2ull * kMaxRows * (kLabelSectionLimit - 1) + 2 + 65535 +
                                   kCellLimit + 1;

[[noreturn]] void Fail(int code, const std::string& message) { throw EDead(message, code); }

[[noreturn]] void FailMalformed(const std::string& what) {
  Fail(kMalformedCode, "Malformed 2DA data: " + what);
}

std::vector<std::string> ReadColumnLabels(platform::ByteReader& reader) {
  std::vector<std::string> labels;
  std::string buffer;
  for (size_t count = 1;; ++count) {
    // A file that ends inside the section counts on until the limit, as if reading nothing.
    if (count >= kLabelSectionLimit)
      Fail(3, "Malformatted data encountered while reading 2DA! Unable to continue!");
    if (reader.AtEnd()) continue;
    char c = static_cast<char>(reader.ReadU8());
    if (c == 0) return labels;
    if (c == '\t') {
      labels.push_back(std::move(buffer));
      buffer.clear();
    } else {
      buffer += c;
    }
  }
}

std::string ReadRowLabel(platform::ByteReader& reader, uint32_t row) {
  std::string_view rest = reader.ReadRaw(reader.Remaining());
  // A label's tab is looked for no farther than a label may be long.
  size_t tab = rest.substr(0, kRowLabelLimit + 1).find('\t');
  if (tab == std::string_view::npos && rest.size() <= kRowLabelLimit)
    FailMalformed("the file ends inside the label of row " + std::to_string(row) + ".");
  if (tab == std::string_view::npos || tab > kRowLabelLimit)
    FailMalformed("the label of row " + std::to_string(row) + " is longer than 4096 bytes.");
  reader.Seek(reader.Tell() - rest.size() + tab + 1);
  std::string_view label = rest.substr(0, tab);
  // A zero byte inside the label ends its text.
  return std::string(label.substr(0, label.find('\0')));
}

// The text of the cell starting at `start`; raises code 6 for an over-long cell.
std::string ReadCellText(std::string_view data, size_t start) {
  std::string_view rest = data.substr(start);
  size_t end = rest.find('\0');
  if (end == std::string_view::npos) {
    // Ended by the end of the file: the cell keeps an empty text, unless the bytes it
    // has already overflow the buffer.
    if (rest.size() > kCellLimit)
      Fail(6, "Buffer overflow while reading 2DA cell entry. This is very bad.");
    return {};
  }
  if (end >= kCellLimit) Fail(6, "Buffer overflow while reading 2DA cell entry. This is very bad.");
  if (end == 0) return "****";
  return std::string(rest.substr(0, end));
}

void CheckSignature(std::string_view data) {
  std::string_view signature = data.substr(0, kSignatureSize);
  if (signature == "2DA V2.0")
    Fail(1,
         "Specified file was a 2DA file but not in binary format. That format is unhandled at "
         "this time. Unable to load.");
  if (signature != "2DA V2.b")
    Fail(2, "Specified file is not a valid binary 2DA file. Unable to load.");
}

}  // namespace

void T2DAHandler::LoadFromFile(const std::string& path) {
  // The signature is judged before the rest is read, and no more is read than a table
  // can take up: a large file that is no 2DA costs nothing, and one that is costs at
  // most kMaxBytesRead.
  CheckSignature(platform::ReadFileHead(path, kSignatureSize).bytes);
  std::string data = platform::ReadFileHead(path, kMaxBytesRead).bytes;
  LoadFromMemory(data, path);
}

void T2DAHandler::Reset() {
  FColumnCount = 0;
  FRowCount = 0;
  FColumnLabels.clear();
  FRowLabels.clear();
  FCells.clear();
  FCellTexts.clear();
  FLoaded = 0;
}

void T2DAHandler::LoadFromMemory(std::string_view data, const std::string& fileName) {
  CheckSignature(data);
  FFileName = fileName;
  Reset();
  try {
    ReadTable(data);
  } catch (...) {
    Reset();
    throw;
  }
  FLoaded = 1;
}

void T2DAHandler::ReadTable(std::string_view data) {
  platform::ByteReader reader(data);
  reader.Seek(9);
  FColumnLabels = ReadColumnLabels(reader);
  FColumnCount = static_cast<int32_t>(FColumnLabels.size());

  if (!reader.Contains(reader.Tell(), 4)) FailMalformed("the file ends inside the row count.");
  // Compared as unsigned: a count that would read as negative is just as unrealistic.
  uint32_t rows = reader.ReadU32();
  if (rows > kMaxRows)
    Fail(
        4,
        "Sanity check failed, number of 2DA rows reported as unrealistically large! Load aborted.");
  FRowCount = static_cast<int32_t>(rows);

  FRowLabels.reserve(rows);
  for (uint32_t row = 0; row < rows; ++row) FRowLabels.push_back(ReadRowLabel(reader, row));
  if (rows == 0 || FColumnCount == 0) return;

  const uint64_t cellCount = uint64_t{rows} * static_cast<uint64_t>(FColumnCount);
  if (!reader.Contains(reader.Tell(), 2 * cellCount + 2))
    FailMalformed("the table of " + std::to_string(cellCount) +
                  " cell offsets lies beyond the end of the file.");
  const size_t offsetsAt = reader.Tell();
  const size_t dataStart = offsetsAt + 2 * cellCount + 2;

  // Each distinct offset is decoded once; cells refer to its text by index.
  std::vector<int32_t> textOfOffset(65536, -1);
  FCells.resize(cellCount);
  reader.Seek(offsetsAt);
  for (uint64_t cell = 0; cell < cellCount; ++cell) {
    uint16_t offset = reader.ReadU16();
    if (textOfOffset[offset] < 0) {
      if (dataStart + offset > data.size())
        Fail(5, "Attempted to read past end of file while reading 2DA cell entry. Aborting...");
      textOfOffset[offset] = static_cast<int32_t>(FCellTexts.size());
      FCellTexts.push_back(ReadCellText(data, dataStart + offset));
    }
    FCells[cell] = static_cast<uint16_t>(textOfOffset[offset]);
  }
}

int32_t T2DAHandler::GetColumnIndex(std::string_view label) const {
  if (!FLoaded) Fail(7, "No 2da file has been loaded. Unable to look up column labels.");
  for (int32_t column = 0; column < FColumnCount; ++column)
    if (platform::SameTextAscii(FColumnLabels[static_cast<size_t>(column)], label)) return column;
  Fail(8, "Unable to find a column matching the label " + std::string(label) + " in " + FFileName +
              "!");
}

int32_t T2DAHandler::RowCount() const {
  if (!FLoaded) Fail(11, "No 2da file has been loaded. Unable to look up row count.");
  return FRowCount;
}

int32_t T2DAHandler::ColumnCount() const {
  if (!FLoaded) Fail(12, "No 2da file has been loaded. Unable to look up column count.");
  return FColumnCount;
}

const std::string& T2DAHandler::GetColumnLabel(int32_t column) const {
  if (!FLoaded) Fail(13, "No 2da file has been loaded. Unable to look up column label.");
  if (column < 0 || column >= FColumnCount)
    Fail(14, "Invalid column index specified, unable to look up column label.");
  return FColumnLabels[static_cast<size_t>(column)];
}

const std::string& T2DAHandler::GetCell(int32_t row, int32_t column) const {
  if (!FLoaded) Fail(17, "No 2da file has been loaded. Unable to look up cell value.");
  if (row < 0 || row >= FRowCount)
    Fail(18, "Invalid row index specified, unable to look up cell value.");
  if (column < 0 || column >= FColumnCount)
    Fail(19, "Invalid column index specified, unable to look up cell value.");
  size_t cell =
      static_cast<size_t>(row) * static_cast<size_t>(FColumnCount) + static_cast<size_t>(column);
  return FCellTexts[FCells[cell]];
}
