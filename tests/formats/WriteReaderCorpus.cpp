// Writes the seed corpus of the 2DA and GFF fuzz targets from the test builders:
//   write_reader_corpus <fuzz/corpus folder>
#include <fstream>
#include <iostream>
#include <string>

#include "tests/support/GameFileBuilders.h"

using namespace game_file_builders;

namespace {

void Write(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: write_reader_corpus <corpus folder>\n";
    return 2;
  }
  const std::string folder = argv[1];
  Write(folder + "/fuzz_2da/small.2da",
        TwoDaBuilder::Table({"label", "name", "cost"}, {{"a", "Sword", "10"}, {"b", "", "10"}})
            .Build());
  Write(folder + "/fuzz_2da/no_rows.2da", TwoDaBuilder::Table({"a", "b"}, {}).Build());
  TwoDaBuilder noColumns;
  noColumns.rowCount = 2;
  noColumns.rowSection = "0\t1\t";
  Write(folder + "/fuzz_2da/no_columns.2da", noColumns.Build());

  Write(folder + "/fuzz_gff/every_type.gff", EveryFieldTypeGff().Build());
  GffBuilder nested;
  uint32_t root = nested.AddStruct(0);
  uint32_t inner = nested.AddStruct(1);
  uint32_t element = nested.AddStruct(2);
  nested.AddSimple(element, 4, "Value", 3);
  nested.AddList(inner, "Items", {element, element});
  nested.AddStructField(root, "Inner", inner);
  nested.AddComplex(root, 12, "Name", GffBuilder::LocString(12, {{0, "Name"}}));
  Write(folder + "/fuzz_gff/nested.gff", nested.Build());
  GffBuilder empty;
  empty.AddStruct(0xFFFFFFFF);
  Write(folder + "/fuzz_gff/empty_root.gff", empty.Build());
  return 0;
}
