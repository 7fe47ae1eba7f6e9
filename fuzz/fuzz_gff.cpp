// Feeds arbitrary bytes to the GFF reader, then walks the tree with value texts and
// path lookups: every failure must be an EGFFError; any other exception escapes and
// ends the run as a crash.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "formats/UGFFFile.h"

namespace {

// Visits every field below the root without recursion; returns the text sizes.
size_t WalkTree(TGFFFile& file) {
  size_t total = 0;
  std::vector<std::pair<const TGFFStruct*, std::string>> pending{{file.Root(), ""}};
  while (!pending.empty()) {
    auto [gffStruct, prefix] = pending.back();
    pending.pop_back();
    for (const auto& field : gffStruct->Fields()) {
      total += FieldValueAsText(*field).size();
      std::string path = prefix + field->GetLabel();
      if (total % 7 == 0) file.GetFieldByPath(path);
      if (auto* inner = FieldAs<TGFFStruct>(field.get())) pending.emplace_back(inner, path + "\\");
      if (auto* list = FieldAs<TGFFList>(field.get()))
        for (int32_t i = 0; i < list->Count(); ++i)
          pending.emplace_back(&list->GetStruct(i), path + "\\" + std::to_string(i) + "\\");
    }
  }
  return total;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TGFFFile file;
  try {
    file.LoadFromMemory(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.gff");
    return WalkTree(file) == SIZE_MAX;
  } catch (const EGFFError&) {
    return 0;
  }
}
