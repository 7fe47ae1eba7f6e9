// Byte-level writers for the test files of the 2DA and GFF readers (the talk-table
// writer is TlkBytes.h). They write valid files by default and expose every part, so a
// test can break exactly one of them.
#pragma once

#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace game_file_builders {

inline void AppendU16(std::string& out, uint16_t value) {
  out.append(reinterpret_cast<const char*>(&value), 2);
}
inline void AppendU32(std::string& out, uint32_t value) {
  out.append(reinterpret_cast<const char*>(&value), 4);
}
inline void PatchU32(std::string& out, size_t offset, uint32_t value) {
  std::memcpy(&out[offset], &value, 4);
}
inline std::string U32Bytes(uint32_t value) {
  std::string out;
  AppendU32(out, value);
  return out;
}
template <typename T>
std::string BytesOf(const T& value) {
  return std::string(reinterpret_cast<const char*>(&value), sizeof value);
}

// A binary 2DA V2.b table, part by part.
struct TwoDaBuilder {
  std::string signature = "2DA V2.b";
  std::string columnSection = std::string(1, '\0');  // labels each ended by TAB, then a zero byte
  uint32_t rowCount = 0;
  std::string rowSection;  // labels each ended by TAB
  std::vector<uint16_t> offsets;
  bool writeOffsets = true;  // the offsets and the data size
  std::string cellData;

  // A table of these labels and cells; equal texts share one offset.
  static TwoDaBuilder Table(const std::vector<std::string>& columns,
                            const std::vector<std::vector<std::string>>& rows) {
    TwoDaBuilder builder;
    builder.columnSection.clear();
    for (const std::string& column : columns) builder.columnSection += column + "\t";
    builder.columnSection += '\0';
    builder.rowCount = static_cast<uint32_t>(rows.size());
    std::map<std::string, uint16_t> offsetOf;
    for (size_t row = 0; row < rows.size(); ++row) {
      builder.rowSection += std::to_string(row) + "\t";
      for (const std::string& cell : rows[row]) {
        auto found = offsetOf.find(cell);
        if (found == offsetOf.end()) {
          found = offsetOf.emplace(cell, static_cast<uint16_t>(builder.cellData.size())).first;
          builder.cellData += cell;
          builder.cellData += '\0';
        }
        builder.offsets.push_back(found->second);
      }
    }
    return builder;
  }

  std::string Build() const {
    std::string out = signature + "\n" + columnSection;
    AppendU32(out, rowCount);
    out += rowSection;
    if (writeOffsets) {
      for (uint16_t offset : offsets) AppendU16(out, offset);
      AppendU16(out, static_cast<uint16_t>(cellData.size()));
    }
    return out + cellData;
  }
};

// A table with these column labels and one row whose cells all read "1".
inline std::string TwoDaWithColumns(const std::vector<std::string>& columns) {
  return TwoDaBuilder::Table(columns, {std::vector<std::string>(columns.size(), "1")}).Build();
}

// A GFF V3.2 file: structs, fields and labels are added by index; Build() lays out the
// blocks in the usual order (header, structs, fields, labels, field data, field indices,
// list indices). Struct 0 is the root.
class GffBuilder {
 public:
  struct Layout {
    uint32_t structs, fields, labels, fieldData, fieldIndices, listIndices, size;
  };

  std::string fileType = "GFF ";
  std::string version = "V3.2";

  uint32_t AddStruct(uint32_t id) {
    FStructs.push_back({id, {}, false, 0, 0});
    return static_cast<uint32_t>(FStructs.size() - 1);
  }
  // Replaces the struct's data and field count as written (its fields are ignored).
  void SetStructRaw(uint32_t structIndex, uint32_t data, uint32_t count) {
    FStructs[structIndex].raw = true;
    FStructs[structIndex].rawData = data;
    FStructs[structIndex].rawCount = count;
  }
  uint32_t Label(const std::string& label) {
    for (size_t i = 0; i < FLabels.size(); ++i)
      if (FLabels[i] == label) return static_cast<uint32_t>(i);
    FLabels.push_back(label);
    return static_cast<uint32_t>(FLabels.size() - 1);
  }
  // A field entry as written, added to the struct (when one is given).
  uint32_t AddRawField(int64_t structIndex, uint32_t type, uint32_t labelIndex, uint32_t data) {
    FFields.push_back({type, labelIndex, data});
    uint32_t index = static_cast<uint32_t>(FFields.size() - 1);
    if (structIndex >= 0) FStructs[static_cast<size_t>(structIndex)].fields.push_back(index);
    return index;
  }
  uint32_t AddSimple(uint32_t structIndex, uint32_t type, const std::string& label, uint32_t data) {
    return AddRawField(structIndex, type, Label(label), data);
  }
  // A field whose value lies in the field data.
  uint32_t AddComplex(uint32_t structIndex, uint32_t type, const std::string& label,
                      const std::string& bytes) {
    return AddSimple(structIndex, type, label, AddFieldData(bytes));
  }
  uint32_t AddFieldData(const std::string& bytes) {
    uint32_t offset = static_cast<uint32_t>(FFieldData.size());
    FFieldData += bytes;
    return offset;
  }
  uint32_t AddStructField(uint32_t structIndex, const std::string& label, uint32_t child) {
    return AddSimple(structIndex, 14, label, child);
  }
  uint32_t AddList(uint32_t structIndex, const std::string& label,
                   const std::vector<uint32_t>& elements) {
    return AddSimple(structIndex, 15, label, AddListIndices(elements));
  }
  uint32_t AddListIndices(const std::vector<uint32_t>& elements) {
    uint32_t offset = static_cast<uint32_t>(FListIndices.size());
    AppendU32(FListIndices, static_cast<uint32_t>(elements.size()));
    for (uint32_t element : elements) AppendU32(FListIndices, element);
    return offset;
  }
  void AppendListIndices(const std::string& bytes) { FListIndices += bytes; }

  static std::string ExoString(const std::string& text) {
    return U32Bytes(static_cast<uint32_t>(text.size())) + text;
  }
  static std::string ResRef(const std::string& text) {
    return std::string(1, static_cast<char>(text.size())) + text;
  }
  static std::string LocString(uint32_t strRef,
                               const std::vector<std::pair<uint32_t, std::string>>& subStrings) {
    std::string body = U32Bytes(strRef) + U32Bytes(static_cast<uint32_t>(subStrings.size()));
    for (const auto& [id, text] : subStrings) body += U32Bytes(id) + ExoString(text);
    return U32Bytes(static_cast<uint32_t>(body.size())) + body;
  }

  Layout GetLayout() const {
    Layout layout{};
    layout.structs = 56;
    layout.fields = layout.structs + 12 * static_cast<uint32_t>(FStructs.size());
    layout.labels = layout.fields + 12 * static_cast<uint32_t>(FFields.size());
    layout.fieldData = layout.labels + 16 * static_cast<uint32_t>(FLabels.size());
    layout.fieldIndices = layout.fieldData + static_cast<uint32_t>(FFieldData.size());
    layout.listIndices = layout.fieldIndices + static_cast<uint32_t>(FieldIndices().size());
    layout.size = layout.listIndices + static_cast<uint32_t>(FListIndices.size());
    return layout;
  }

  std::string Build() const {
    Layout layout = GetLayout();
    std::string fieldIndices;
    std::string out = (fileType + "    ").substr(0, 4) + (version + "    ").substr(0, 4);
    for (uint32_t word : {layout.structs, static_cast<uint32_t>(FStructs.size()), layout.fields,
                          static_cast<uint32_t>(FFields.size()), layout.labels,
                          static_cast<uint32_t>(FLabels.size()), layout.fieldData,
                          static_cast<uint32_t>(FFieldData.size()), layout.fieldIndices,
                          static_cast<uint32_t>(FieldIndices().size()), layout.listIndices,
                          static_cast<uint32_t>(FListIndices.size())})
      AppendU32(out, word);
    for (const StructEntry& entry : FStructs) {
      uint32_t count = static_cast<uint32_t>(entry.fields.size());
      uint32_t data = 0xFFFFFFFF;
      if (count == 1) data = entry.fields[0];
      if (count > 1) {
        data = static_cast<uint32_t>(fieldIndices.size());
        for (uint32_t field : entry.fields) AppendU32(fieldIndices, field);
      }
      if (entry.raw) {
        data = entry.rawData;
        count = entry.rawCount;
      }
      AppendU32(out, entry.id);
      AppendU32(out, data);
      AppendU32(out, count);
    }
    for (const FieldEntry& entry : FFields) {
      AppendU32(out, entry.type);
      AppendU32(out, entry.labelIndex);
      AppendU32(out, entry.data);
    }
    for (const std::string& label : FLabels) out += (label + std::string(16, '\0')).substr(0, 16);
    return out + FFieldData + fieldIndices + FListIndices;
  }

 private:
  struct StructEntry {
    uint32_t id;
    std::vector<uint32_t> fields;
    bool raw;
    uint32_t rawData, rawCount;
  };
  struct FieldEntry {
    uint32_t type, labelIndex, data;
  };

  std::string FieldIndices() const {
    std::string out;
    for (const StructEntry& entry : FStructs)
      if (!entry.raw && entry.fields.size() > 1)
        for (uint32_t field : entry.fields) AppendU32(out, field);
    return out;
  }

  std::vector<StructEntry> FStructs;
  std::vector<FieldEntry> FFields;
  std::vector<std::string> FLabels;
  std::string FFieldData;
  std::string FListIndices;
};

// A small file with one field of every type, a nested struct, a list of two structs
// and a localized string with two substrings.
inline GffBuilder EveryFieldTypeGff() {
  GffBuilder b;
  uint32_t root = b.AddStruct(0xFFFFFFFF);
  b.AddSimple(root, 0, "Byte", 200);
  b.AddSimple(root, 1, "Char", 'x');
  b.AddSimple(root, 2, "Word", 65535);
  b.AddSimple(root, 3, "Short", 0xFFFF);  // -1
  b.AddSimple(root, 4, "Dword", 4294967295u);
  b.AddSimple(root, 5, "Int", static_cast<uint32_t>(-7));
  b.AddComplex(root, 6, "Dword64", BytesOf<uint64_t>(256));
  b.AddComplex(root, 7, "Int64", BytesOf<int64_t>(-1234567890123LL));
  b.AddSimple(root, 8, "Float", [] {
    float value = 0.1f;
    uint32_t bits;
    std::memcpy(&bits, &value, 4);
    return bits;
  }());
  b.AddComplex(root, 9, "Double", BytesOf<double>(2.5));
  b.AddComplex(root, 10, "ExoString", GffBuilder::ExoString(std::string("a\0b", 3)));
  b.AddComplex(root, 11, "ResRef", GffBuilder::ResRef("p_bastila"));
  b.AddComplex(root, 12, "LocString",
               GffBuilder::LocString(4294967295u, {{0, "Hello"}, {3, "Bonjour"}}));
  b.AddComplex(root, 13, "Void", U32Bytes(12) + std::string(12, '\x7F'));
  uint32_t inner = b.AddStruct(7);
  b.AddSimple(inner, 5, "Inner", 42);
  b.AddStructField(root, "Struct", inner);
  uint32_t first = b.AddStruct(1);
  b.AddSimple(first, 4, "Value", 10);
  b.AddComplex(first, 10, "Name", GffBuilder::ExoString("first"));
  uint32_t second = b.AddStruct(2);
  b.AddSimple(second, 4, "Value", 20);
  b.AddList(root, "List", {first, second});
  std::string orientation = BytesOf(1.0f) + BytesOf(0.0f) + BytesOf(-0.5f) + BytesOf(2.0f);
  b.AddComplex(root, 16, "Orientation", orientation);
  b.AddComplex(root, 17, "Position", BytesOf(1.0f) + BytesOf(2.5f) + BytesOf(-3.0f));
  return b;
}

}  // namespace game_file_builders
