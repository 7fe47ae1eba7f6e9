#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "formats/UGFFFile.h"
#include "platform/Locale.h"
#include "tests/support/GameFileBuilders.h"
#include "tests/support/Raises.h"
#include "tests/support/ScratchFolder.h"

namespace {

using game_file_builders::BytesOf;
using game_file_builders::GffBuilder;
using game_file_builders::PatchU32;
using game_file_builders::U32Bytes;

void ExpectGffError(const std::function<void()>& action, int code, const std::string& message,
                    std::source_location where = std::source_location::current()) {
  testing_support::ExpectRaises<EGFFError>(action, message, code, where);
}

TGFFFile LoadedFile(const std::string& bytes) {
  TGFFFile file;
  file.LoadFromMemory(bytes, "test.gff");
  return file;
}

std::unique_ptr<TGFFField> IntField(const std::string& label, int32_t value) {
  auto field = std::make_unique<TGFF_SInt>();
  field->SetLabel(label);
  field->SetValue(value);
  return field;
}

// ---------------------------------------------------------------------------------
// The field model

TEST(GffModelTest, Labels) {
  TGFF_SInt field;
  field.SetLabel("ABCDEFGHIJKLMNOPQRST");
  EXPECT_EQ("ABCDEFGHIJKLMNOP", field.GetLabel());
  field.SetLabel("Tag");
  EXPECT_EQ("Tag", field.GetLabel());
  EXPECT_EQ(0, field.Label()[3]);
  std::array<char, 16> bytes{};
  bytes[0] = 'a';
  bytes[2] = 'b';
  field.SetLabelBytes(bytes);
  EXPECT_EQ("ab", field.GetLabel());
}

TEST(GffModelTest, StructKeepsTheFirstOfEqualLabels) {
  TGFFStruct gffStruct;
  EXPECT_TRUE(gffStruct.AddField(IntField("Tag", 1)));
  EXPECT_FALSE(gffStruct.AddField(IntField("Tag", 2)));
  EXPECT_TRUE(gffStruct.AddField(IntField("TAG", 3)));
  ASSERT_EQ(2, gffStruct.Count());
  EXPECT_EQ(1, FieldAs<TGFF_SInt>(&gffStruct.GetField(0))->Value());

  // Past the size where the struct keeps a label index.
  for (int i = 0; i < 40; ++i)
    gffStruct.AddField(IntField(std::string("F").append(std::to_string(i)), i));
  EXPECT_FALSE(gffStruct.AddField(IntField("F3", 99)));
  EXPECT_FALSE(gffStruct.AddField(IntField("Tag", 99)));
  EXPECT_EQ(42, gffStruct.Count());
  EXPECT_EQ(3, FieldAs<TGFF_SInt>(gffStruct.FindField("F3"))->Value());
}

TEST(GffModelTest, IndexQueriesRaise) {
  TGFFStruct gffStruct;
  gffStruct.SetLabel("Outer");
  gffStruct.AddField(IntField("A", 1));
  ExpectGffError(
      [&] { gffStruct.GetField(1); }, 0,
      "Out of bounds index encountered when attempting to retrieve field from struct Outer!");
  ExpectGffError(
      [&] { gffStruct.GetField(-1); }, 0,
      "Out of bounds index encountered when attempting to retrieve field from struct Outer!");

  TGFFList list;
  list.SetLabel("Items");
  auto element = std::make_unique<TGFFStruct>();
  element->SetLabel("Lost");
  list.AddStruct(std::move(element));
  EXPECT_EQ("", list.GetStruct(0).GetLabel());
  ExpectGffError([&] { list.GetStruct(1); }, 0,
                 "Out of bounds index 1 when trying to get STRUCT from LIST Items!");

  TGFF_CExoLocString locString;
  EXPECT_EQ(4294967295u, locString.StrRef());
  EXPECT_EQ(8u, locString.TotalSize());
  EXPECT_EQ(0u, locString.SubStringCount());
  locString.AddSubString(std::make_unique<TGFF_CSubString>(4, 3, "one"));
  locString.AddSubString(std::make_unique<TGFF_CSubString>(4, 3, "two"));
  EXPECT_EQ("one", locString.GetTextForId(4));
  EXPECT_EQ("", locString.GetTextForId(5));
  ExpectGffError([&] { locString.GetSubString(2); }, 22,
                 "Invalid substring index when getting CExoLocString text!");
}

// ---------------------------------------------------------------------------------
// The reader

TEST(GffReaderTest, ReadsEveryFieldType) {
  TGFFFile file = LoadedFile(game_file_builders::EveryFieldTypeGff().Build());
  ASSERT_EQ(1, file.Loaded());
  EXPECT_EQ("GFF ", file.FileType());
  EXPECT_EQ("V3.2", file.FileVersion());
  EXPECT_EQ("test.gff", file.FileName());
  TGFFStruct& root = *file.Root();
  EXPECT_EQ(4294967295u, root.StructId());
  ASSERT_EQ(18, root.Count());
  for (int32_t type = 0; type < 18; ++type)
    EXPECT_EQ(type, root.GetField(type).FieldType()) << type;

  auto* exo = FieldAs<TGFF_CExoString>(root.FindField("ExoString"));
  EXPECT_EQ(std::string("a\0b", 3), exo->Data());
  EXPECT_EQ(3u, exo->Length());
  EXPECT_EQ("p_bastila", FieldAs<TGFF_CResRef>(root.FindField("ResRef"))->Data());
  auto* loc = FieldAs<TGFF_CExoLocString>(root.FindField("LocString"));
  ASSERT_EQ(2u, loc->SubStringCount());
  EXPECT_EQ(3u, loc->GetSubString(1).StringId());
  EXPECT_EQ("Bonjour", loc->GetTextForId(3));
  EXPECT_EQ(std::vector<uint8_t>(12, 0x7F), FieldAs<TGFF_CVoid>(root.FindField("Void"))->Data());
  auto* inner = FieldAs<TGFFStruct>(root.FindField("Struct"));
  EXPECT_EQ(7u, inner->StructId());  // a struct of one field: its data is the field index
  EXPECT_EQ(42, FieldAs<TGFF_SInt>(&inner->GetField(0))->Value());
  auto* list = FieldAs<TGFFList>(root.FindField("List"));
  ASSERT_EQ(2, list->Count());
  EXPECT_EQ("", list->GetStruct(1).GetLabel());
  EXPECT_EQ(2u, list->GetStruct(1).StructId());
  EXPECT_EQ(nullptr, FieldAs<TGFFList>(root.FindField("Struct")));
}

TEST(GffReaderTest, SharedStructsEqualLabelsAndEmptyParts) {
  GffBuilder b;
  uint32_t root = b.AddStruct(0);
  uint32_t shared = b.AddStruct(5);
  b.AddSimple(shared, 4, "X", 1);
  b.AddStructField(root, "First", shared);
  b.AddStructField(root, "Second", shared);
  b.AddSimple(root, 4, "First", 9);  // a second "First": dropped
  b.AddList(root, "Empty", {});
  b.AddComplex(root, 12, "NoText", GffBuilder::LocString(4294967295u, {}));
  b.AddComplex(root, 12, "NegativeLength",
               U32Bytes(16) + U32Bytes(7) + U32Bytes(1) + U32Bytes(2) + U32Bytes(-5));
  TGFFFile file = LoadedFile(b.Build());
  TGFFStruct& top = *file.Root();
  ASSERT_EQ(5, top.Count());
  EXPECT_EQ(kGffStruct, top.GetField(0).FieldType());
  EXPECT_NE(&top.GetField(0), &top.GetField(1));
  EXPECT_EQ(5u, FieldAs<TGFFStruct>(&top.GetField(1))->StructId());
  EXPECT_EQ(0, FieldAs<TGFFList>(top.FindField("Empty"))->Count());
  EXPECT_EQ(0u, FieldAs<TGFF_CExoLocString>(top.FindField("NoText"))->SubStringCount());
  const TGFF_CSubString& negative =
      FieldAs<TGFF_CExoLocString>(top.FindField("NegativeLength"))->GetSubString(0);
  EXPECT_EQ(-5, negative.Length());
  EXPECT_EQ("", negative.GetText());
}

// Labels are compared as their bytes without the zero bytes: "a\0b" is "ab". Of two
// fields with one label the first stays, also in large structs (which build an index on
// lookup) and around a struct that uses the same labels inside.
TEST(GffReaderTest, EqualLabelsAreEqualWithoutTheirZeroBytes) {
  const std::string zeroInside("a\0b", 3);
  const std::string zeroFirst("\0ab", 3);
  struct Case {
    const char* name;
    int extraFields;  // "F0", "F1", ... first, to make the struct large
    std::vector<std::string> labels;
    std::vector<int32_t> kept;  // the values (the positions in `labels`) that stay
  };
  const Case cases[] = {
      {"inner zero", 0, {"ab", zeroInside, "x"}, {0, 2}},
      {"leading zero", 0, {zeroFirst, "ab"}, {0}},
      {"case differs", 0, {"ab", "AB"}, {0, 1}},
      {"large struct", 40, {zeroInside, "ab", "x"}, {0, 2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GffBuilder b;
    const uint32_t root = b.AddStruct(0);
    for (int i = 0; i < c.extraFields; ++i)
      b.AddSimple(root, 5, "F" + std::to_string(i), static_cast<uint32_t>(1000 + i));
    // A struct inside with the same labels must not hide the repeats from the root.
    const uint32_t inner = b.AddStruct(1);
    for (size_t k = 0; k < c.labels.size(); ++k)
      b.AddSimple(inner, 5, c.labels[k], static_cast<uint32_t>(k));
    for (size_t k = 0; k < c.labels.size(); ++k) {
      b.AddSimple(root, 5, c.labels[k], static_cast<uint32_t>(k));
      if (k == 0) b.AddStructField(root, "Inner", inner);
    }
    if (c.extraFields > 0)
      b.AddSimple(root, 5,
                  std::string("F\0"
                              "3",
                              3),
                  2000);
    TGFFFile file = LoadedFile(b.Build());
    const TGFFStruct* structs[] = {file.Root(),
                                   FieldAs<TGFFStruct>(file.Root()->FindField("Inner"))};
    for (const TGFFStruct* gffStruct : structs) {
      ASSERT_NE(nullptr, gffStruct);
      std::vector<int32_t> kept;
      for (const auto& field : gffStruct->Fields())
        if (auto* value = FieldAs<TGFF_SInt>(field.get()); value && value->Value() < 1000)
          kept.push_back(value->Value());
      EXPECT_EQ(c.kept, kept);
      auto* found = FieldAs<TGFF_SInt>(gffStruct->FindField("ab"));
      ASSERT_NE(nullptr, found);
      EXPECT_EQ(0, found->Value());
      EXPECT_EQ(nullptr, gffStruct->FindField(zeroInside)) << "a text with a zero is no label";
    }
    if (c.extraFields > 0) {
      EXPECT_EQ(1003, FieldAs<TGFF_SInt>(file.Root()->FindField("F3"))->Value());
      EXPECT_EQ(c.extraFields + 3, file.Root()->Count()) << "the repeated \"F3\" dropped";
    }
  }
  // Built by hand, the same rule.
  TGFFStruct gffStruct;
  auto first = IntField("ab", 1);
  std::array<char, 16> bytes{};
  bytes[0] = 'a';
  bytes[2] = 'b';
  auto second = IntField("", 2);
  second->SetLabelBytes(bytes);
  EXPECT_TRUE(gffStruct.AddField(std::move(first)));
  EXPECT_FALSE(gffStruct.AddField(std::move(second)));
}

TEST(GffReaderTest, VersionAndMissingFile) {
  GffBuilder later = game_file_builders::EveryFieldTypeGff();
  later.version = "V3.3";
  later.fileType = "UTC ";
  TGFFFile file = LoadedFile(game_file_builders::EveryFieldTypeGff().Build());
  ExpectGffError([&] { file.LoadFromMemory(later.Build(), "later.utc"); }, 1,
                 "Invalid file version. Loaded file is not in GFF V3.2 format!");
  EXPECT_EQ(0, file.Loaded());
  EXPECT_EQ(nullptr, file.Root());
  EXPECT_EQ("", file.FileName());
  EXPECT_EQ(std::string(4, '\0'), file.FileType());

  later.version = "V3.2";
  file.LoadFromMemory(later.Build(), "any.utc");
  EXPECT_EQ("UTC ", file.FileType());

  testing_support::ScratchFolder scratch;
  const std::string missing = scratch.PathOf("no_such_file.gff");
  ExpectGffError([&] { file.LoadFromFile(missing); }, 0,
                 "Specified file " + missing + " could not be found to be opened!");
  EXPECT_EQ(1, file.Loaded());
  EXPECT_EQ("any.utc", file.FileName());
}

TEST(GffReaderTest, LoadsFromAFile) {
  testing_support::ScratchFolder scratch;
  std::filesystem::path path =
      scratch.Write("file.gff", game_file_builders::EveryFieldTypeGff().Build());
  TGFFFile file;
  file.LoadFromFile(path.string());
  std::filesystem::remove(path);
  EXPECT_EQ(path.string(), file.FileName());
  EXPECT_EQ(18, file.Root()->Count());
}

TEST(GffReaderTest, FailureAfterTheHeaderKeepsTheNewNames) {
  GffBuilder b = game_file_builders::EveryFieldTypeGff();
  b.fileType = "DLG ";
  std::string bytes = b.Build();
  PatchU32(bytes, b.GetLayout().fields, 18);  // the first field's type code
  TGFFFile file = LoadedFile(game_file_builders::EveryFieldTypeGff().Build());
  ExpectGffError([&] { file.LoadFromMemory(bytes, "bad.dlg"); }, 5,
                 "Invalid field type encountered when reading field 18 data!");
  EXPECT_EQ(0, file.Loaded());
  EXPECT_EQ(nullptr, file.Root());
  EXPECT_EQ("bad.dlg", file.FileName());
  EXPECT_EQ("DLG ", file.FileType());
  EXPECT_EQ("V3.2", file.FileVersion());
  EXPECT_EQ(nullptr, file.FirstField());
}

// A chain of `depth` structs, each holding the next in a field.
std::string NestedStructs(int depth) {
  GffBuilder b;
  for (int i = 0; i < depth; ++i) b.AddStruct(static_cast<uint32_t>(i));
  for (int i = 0; i + 1 < depth; ++i)
    b.AddStructField(static_cast<uint32_t>(i), "Next", static_cast<uint32_t>(i + 1));
  return b.Build();
}

// Each struct holds two fields that both name the next struct: the tree doubles per level.
std::string DoublingStructs(int levels) {
  GffBuilder b;
  for (int i = 0; i <= levels; ++i) b.AddStruct(static_cast<uint32_t>(i));
  for (int i = 0; i < levels; ++i) {
    b.AddStructField(static_cast<uint32_t>(i), "A", static_cast<uint32_t>(i + 1));
    b.AddStructField(static_cast<uint32_t>(i), "B", static_cast<uint32_t>(i + 1));
  }
  return b.Build();
}

TEST(GffReaderTest, DepthLimit) {
  TGFFFile file = LoadedFile(NestedStructs(512));
  int depth = 1;
  for (TGFFStruct* s = file.Root(); s->Count() == 1; s = FieldAs<TGFFStruct>(&s->GetField(0)))
    ++depth;
  EXPECT_EQ(512, depth);
  ExpectGffError([] { LoadedFile(NestedStructs(513)); }, 30,
                 "Malformed GFF data: structs are nested more than 512 levels deep.");
}

struct MalformedGff {
  const char* name;
  std::function<std::string()> make;
  int code;
  std::string message;
};

// The small fixture the malformed cases break: a root with an int, a string and a list.
struct Fixture {
  GffBuilder builder;
  uint32_t root, element, intField, stringField, listField;
  Fixture() {
    root = builder.AddStruct(0);
    element = builder.AddStruct(1);
    builder.AddSimple(element, 4, "Value", 3);
    intField = builder.AddSimple(root, 5, "Int", 1);
    stringField = builder.AddComplex(root, 10, "Text", GffBuilder::ExoString("hello"));
    listField = builder.AddList(root, "List", {element});
  }
  std::string Patched(uint32_t offset, uint32_t value) const {
    std::string bytes = builder.Build();
    PatchU32(bytes, offset, value);
    return bytes;
  }
  GffBuilder::Layout Layout() const { return builder.GetLayout(); }
};

TEST(GffReaderTest, MalformedFilesAreRefused) {
  const Fixture f;
  const auto layout = f.Layout();
  const std::string beyond = " lies beyond the end of the file.";
  auto withBuilder = [](const std::function<void(GffBuilder&, uint32_t)>& change) {
    return [change] {
      GffBuilder b;
      uint32_t root = b.AddStruct(0);
      change(b, root);
      return b.Build();
    };
  };
  const std::vector<MalformedGff> cases = {
      {"version cut short", [] { return std::string("GFF V3"); }, 1,
       "Invalid file version. Loaded file is not in GFF V3.2 format!"},
      {"header cut short", [&] { return f.builder.Build().substr(0, 40); }, 30,
       "Malformed GFF data: the header is cut short: the file holds 40 bytes, the header needs "
       "56."},
      {"struct offset beyond the end", [&] { return f.Patched(8, layout.size - 11); }, 30,
       "Malformed GFF data: struct 0" + beyond},
      {"struct index beyond the end",
       withBuilder([](GffBuilder& b, uint32_t root) { b.AddStructField(root, "S", 1000); }), 30,
       "Malformed GFF data: struct 1000" + beyond},
      {"field index beyond the end", [&] { return f.Patched(layout.structs + 4, 0x40000000); }, 30,
       "Malformed GFF data: the field indices of struct 0" + beyond},
      {"field count beyond the end", [&] { return f.Patched(layout.structs + 8, 0xFFFFFFFF); }, 30,
       "Malformed GFF data: the field indices of struct 0" + beyond},
      {"single field beyond the end", [&] { return f.Patched(layout.structs + 12 + 4, 77777); }, 30,
       "Malformed GFF data: field 77777" + beyond},
      {"label beyond the end", [&] { return f.Patched(layout.fields + 4, 0xFFFFFFFF); }, 30,
       "Malformed GFF data: the label of field 0" + beyond},
      {"field type 18", [&] { return f.Patched(layout.fields, 18); }, 5,
       "Invalid field type encountered when reading field 18 data!"},
      {"field type that reads as negative", [&] { return f.Patched(layout.fields, 0xFFFFFFFF); }, 5,
       "Invalid field type encountered when reading field 4294967295 data!"},
      {"field data beyond the end", [&] { return f.Patched(layout.fields + 24 + 8, 0xFFFFFFF0); },
       30, "Malformed GFF data: the field data of field 2" + beyond},
      {"string longer than the file",
       [&] { return f.Patched(layout.fieldData, layout.size - layout.fieldData - 4 + 1); }, 30,
       "Malformed GFF data: the text of field 2 is longer than the bytes that remain in the file."},
      {"string length near 4 GiB", [&] { return f.Patched(layout.fieldData, 0xFFFFFFFF); }, 30,
       "Malformed GFF data: the text of field 2 is longer than the bytes that remain in the file."},
      {"list beyond the end", [&] { return f.Patched(layout.fields + 36 + 8, 0x7FFFFFFF); }, 30,
       "Malformed GFF data: the list of field 3" + beyond},
      {"list count beyond the end", [&] { return f.Patched(layout.listIndices, 0x7FFFFFFF); }, 30,
       "Malformed GFF data: the list of field 3" + beyond},
      {"list element beyond the end", [&] { return f.Patched(layout.listIndices + 4, 5000); }, 30,
       "Malformed GFF data: struct 5000" + beyond},
      {"list that holds its own struct", [&] { return f.Patched(layout.listIndices + 4, 0); }, 30,
       "Malformed GFF data: struct 0 contains itself (a cycle of struct references)."},
      {"struct that holds itself",
       withBuilder([](GffBuilder& b, uint32_t root) { b.AddStructField(root, "Me", root); }), 30,
       "Malformed GFF data: struct 0 contains itself (a cycle of struct references)."},
      {"ResRef of 17", withBuilder([](GffBuilder& b, uint32_t root) {
         b.AddComplex(root, 11, "R", GffBuilder::ResRef(std::string(17, 'r')));
       }),
       8, "Error loading CResRef field, string is too long!"},
      {"ResRef longer than the file", withBuilder([](GffBuilder& b, uint32_t root) {
         b.AddComplex(root, 11, "R", std::string(1, '\x10') + "short");
       }),
       30,
       "Malformed GFF data: the text of field 0 is longer than the bytes that remain in the file."},
      {"too many substrings", withBuilder([](GffBuilder& b, uint32_t root) {
         b.AddComplex(
             root, 12, "L",
             U32Bytes(12) + U32Bytes(0) + U32Bytes(0x10000000) + U32Bytes(0) + U32Bytes(0));
       }),
       30,
       "Malformed GFF data: the 268435456 substrings of field 0 need more bytes than remain in the "
       "file."},
      {"substring longer than the file", withBuilder([](GffBuilder& b, uint32_t root) {
         b.AddComplex(root, 12, "L",
                      U32Bytes(0) + U32Bytes(1) + U32Bytes(2) + U32Bytes(0) + U32Bytes(2) + "ok" +
                          U32Bytes(1) + U32Bytes(1000) + "abc");
       }),
       30,
       "Malformed GFF data: substring 1 of field 0 is longer than the bytes that remain in the "
       "file."},
      {"void data longer than the file", withBuilder([](GffBuilder& b, uint32_t root) {
         b.AddComplex(root, 13, "V", U32Bytes(100) + "xyz");
       }),
       30,
       "Malformed GFF data: the void data of field 0 is longer than the bytes that remain in the "
       "file."},
      {"orientation cut short", withBuilder([](GffBuilder& b, uint32_t root) {
         b.AddComplex(root, 16, "O", std::string(15, '\0'));
       }),
       30, "Malformed GFF data: the field data of field 0" + beyond},
      {"tree far larger than the file", [] { return DoublingStructs(40); }, 30,
       "Malformed GFF data: the file makes a tree of more than " +
           std::to_string(64ull * 1024 * 1024 + 16 * DoublingStructs(40).size()) +
           " bytes, far more than the file holds."},
  };
  for (const MalformedGff& c : cases) {
    SCOPED_TRACE(c.name);
    TGFFFile file;
    ExpectGffError([&] { file.LoadFromMemory(c.make(), "bad.gff"); }, c.code, c.message);
    EXPECT_EQ(0, file.Loaded());
    EXPECT_EQ(nullptr, file.Root());
  }
}

TEST(GffReaderTest, EveryTruncationIsRefusedOrLoads) {
  const std::string bytes = game_file_builders::EveryFieldTypeGff().Build();
  for (size_t length = 0; length <= bytes.size(); ++length) {
    TGFFFile file;
    try {
      file.LoadFromMemory(std::string_view(bytes).substr(0, length), "cut.gff");
      EXPECT_EQ(1, file.Loaded());
    } catch (const EGFFError& e) {
      EXPECT_EQ(0, file.Loaded()) << length;
    }
  }
}

// ---------------------------------------------------------------------------------
// Paths and value texts

TEST(GffPathTest, FindsFieldsByPath) {
  TGFFFile file = LoadedFile(game_file_builders::EveryFieldTypeGff().Build());
  struct Case {
    const char* path;
    const char* label;  // nullptr: no field
    int32_t type;
  } cases[] = {
      {"Int", "Int", kGffInt},
      {"int", nullptr, 0},
      {"Struct\\Inner", "Inner", kGffInt},
      {"Struct", "Struct", kGffStruct},
      {"List\\0\\Name", "Name", kGffExoString},
      {"List\\\\1\\\\Value", "Value", kGffDword},
      {"List\\1", "", kGffStruct},
      {"List\\2", nullptr, 0},
      {"List\\1\\Name", nullptr, 0},
      {"Missing\\0", nullptr, 0},
      {"\\", nullptr, 0},
      {"\\Int\\", "Int", kGffInt},
      {"LocString", "LocString", kGffExoLocString},
      // The configuration's suffixes for the parts of a localized string are not labels:
      // callers take them off before the lookup.
      {"LocString(strref)", nullptr, 0},
      {"List\\0\\Name(lang3)", nullptr, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    TGFFField* field = file.GetFieldByPath(c.path);
    if (!c.label) {
      EXPECT_EQ(nullptr, field);
      continue;
    }
    ASSERT_NE(nullptr, field);
    EXPECT_EQ(c.label, field->GetLabel());
    EXPECT_EQ(c.type, field->FieldType());
  }
  EXPECT_EQ(&FieldAs<TGFFList>(file.Root()->FindField("List"))->GetStruct(1),
            file.GetFieldByPath("List\\1"));
}

TEST(GffPathTest, PathErrors) {
  GffBuilder b = game_file_builders::EveryFieldTypeGff();
  TGFFFile file = LoadedFile(b.Build());
  ExpectGffError([&] { file.GetFieldByPath("\\\\\\"); }, 0,
                 "Invalid field path \\\\\\ encountered! Unable to load specified field.");
  ExpectGffError(
      [&] { file.GetFieldByPath("Byte\\X"); }, 0,
      "Unable to retrieve field at path Byte\\X, the field Byte is not a LIST or STRUCT!");
  ExpectGffError([&] { file.GetFieldByPath("Struct\\Inner\\X"); }, 1,
                 "Unable to retrieve struct field at path Struct\\Inner\\X, the field Inner is not "
                 "a LIST or STRUCT!");
  ExpectGffError(
      [&] { file.GetFieldByPath("List\\1a\\Value"); }, 0,
      "Unable to retrieve struct at path List\\1a\\Value, 1a is not a valid list index!");
  ExpectGffError([&] { file.GetFieldByPath("List\\-1"); }, 0,
                 "Unable to retrieve struct at path List\\-1, -1 is not a valid list index!");
  try {
    file.GetFieldByPath("List\\99999999999");
    ADD_FAILURE() << "no conversion error";
  } catch (const platform::EConvertError& e) {
    EXPECT_EQ("'99999999999' is not a valid integer value", e.Message());
  }
  TGFFFile empty;
  EXPECT_EQ(nullptr, empty.GetFieldByPath("Int"));
}

TEST(GffPathTest, TopLevelWalk) {
  TGFFFile file = LoadedFile(game_file_builders::EveryFieldTypeGff().Build());
  EXPECT_EQ("Byte", file.FirstField()->GetLabel());
  EXPECT_EQ("Char", file.NextField()->GetLabel());
  int walked = 2;
  while (file.NextField()) ++walked;
  EXPECT_EQ(18, walked);
  EXPECT_EQ(nullptr, file.NextField());
  EXPECT_EQ(19, file.Cursor());
  EXPECT_EQ("Byte", file.FirstField()->GetLabel());
}

TEST(GffValueTextTest, EveryType) {
  platform::SetDecimalSeparator('.');
  TGFFFile file = LoadedFile(game_file_builders::EveryFieldTypeGff().Build());
  struct Case {
    const char* label;
    std::string text;
  } cases[] = {
      {"Byte", "200"},
      {"Char", "x"},
      {"Word", "65535"},
      {"Short", "-1"},
      {"Dword", "4294967295"},
      {"Int", "-7"},
      {"Dword64", "01000000"},
      {"Int64", "-1234567890123"},
      {"Float", "0.100000001490116"},
      {"Double", "2.5"},
      {"ExoString", std::string("a\0b", 3)},
      {"ResRef", "p_bastila"},
      {"LocString", "LocString[strref=-1, substrings=2, strings=(Hello)(Bonjour)]"},
      {"Void", "(Raw Binary data, size=12)"},
      {"Struct", "[STRUCT type=7]"},
      {"List", "[LIST]"},
      {"Orientation", "1|0|-0.5|2"},
      {"Position", "1|2.5|-3"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.text, FieldValueAsText(*file.Root()->FindField(c.label))) << c.label;

  TGFFStruct element;
  element.SetStructId(4294967295u);
  EXPECT_EQ("[STRUCT type=4294967295]", FieldValueAsText(element));
  TGFF_CExoLocString withStrRef;
  withStrRef.SetStrRef(42);
  EXPECT_EQ("LocString[strref=42, substrings=0, strings=]", FieldValueAsText(withStrRef));
}

TEST(GffValueTextTest, FloatingPointTexts) {
  struct Case {
    double value;
    bool single;  // stored as a 32-bit float
    char separator;
    const char* text;
  } cases[] = {
      {0.1, true, '.', "0.100000001490116"},
      {0.1, false, '.', "0.1"},
      {-0.0, false, '.', "0"},
      {-0.0, true, '.', "0"},
      {1e20, false, '.', "1E20"},
      {1e-6, false, '.', "1E-6"},
      {0.00001, false, '.', "0.00001"},
      {123456789012345.0, false, '.', "123456789012345"},
      {1234567890123456.0, false, '.', "1.23456789012346E15"},
      {3.4028234663852886e38, true, '.', "3.40282346638529E38"},
      {-2.5, true, ',', "-2,5"},
      {1.0 / 3.0, false, ',', "0,333333333333333"},
      {1.5e-7, false, ',', "1,5E-7"},
  };
  for (const Case& c : cases) {
    platform::SetDecimalSeparator(c.separator);
    std::string text;
    if (c.single) {
      TGFF_SFloat field;
      field.SetValue(static_cast<float>(c.value));
      text = FieldValueAsText(field);
    } else {
      TGFF_CDouble field;
      field.SetValue(c.value);
      text = FieldValueAsText(field);
    }
    EXPECT_EQ(c.text, text) << c.value << (c.single ? " (single)" : "");
  }
  platform::SetDecimalSeparator(',');
  TGFF_CPosition position;
  position.SetValue({1.0f, 2.5f, -3.0f});
  EXPECT_EQ("1|2,5|-3", FieldValueAsText(position));
  platform::SetDecimalSeparator('.');
}

}  // namespace
