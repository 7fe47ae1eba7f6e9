// The GFF compare without widgets: two GFF files built byte by byte, compared into a
// scratch changes.ini whose whole text is checked in write order.
#include <errno.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>

#include "configeditor/rules/UGffCompare.h"
#include "platform/Exceptions.h"
#include "platform/Files.h"
#include "tests/configeditor/ModifierTexts.h"
#include "tests/configeditor/ScratchIni.h"
#include "tests/platform/FaultInjector.h"
#include "tests/support/Raises.h"

namespace quennet {
namespace {

using game_file_builders::BytesOf;
using game_file_builders::GffBuilder;
using game_file_builders::U32Bytes;
using modifier_testing::Lines;

const std::string kHead = Lines({"[Settings]", "FileExists=1", "[GFFList]", "File0=p.utc"});

// A root struct of top-level fields, each added by a function of the builder.
using FieldAdder = std::function<void(GffBuilder&, uint32_t root)>;
std::string GffOf(const std::vector<FieldAdder>& fields) {
  GffBuilder b;
  const uint32_t root = b.AddStruct(0xFFFFFFFF);
  for (const FieldAdder& add : fields) add(b, root);
  return b.Build();
}
FieldAdder Int(const std::string& label, int32_t value) {
  return [=](GffBuilder& b, uint32_t root) {
    b.AddSimple(root, 5, label, static_cast<uint32_t>(value));
  };
}
FieldAdder ExoString(const std::string& label, const std::string& text) {
  return [=](GffBuilder& b, uint32_t root) {
    b.AddComplex(root, 10, label, GffBuilder::ExoString(text));
  };
}
FieldAdder LocString(const std::string& label, uint32_t strRef,
                     const std::vector<std::pair<uint32_t, std::string>>& subStrings) {
  return [=](GffBuilder& b, uint32_t root) {
    b.AddComplex(root, 12, label, GffBuilder::LocString(strRef, subStrings));
  };
}
FieldAdder Dword64(const std::string& label, const std::array<uint8_t, 8>& bytes) {
  return [=](GffBuilder& b, uint32_t root) {
    b.AddComplex(root, 6, label, std::string(bytes.begin(), bytes.end()));
  };
}
FieldAdder Void(const std::string& label, const std::string& data) {
  return [=](GffBuilder& b, uint32_t root) {
    b.AddComplex(root, 13, label, U32Bytes(static_cast<uint32_t>(data.size())) + data);
  };
}
FieldAdder Char(const std::string& label, char value) {
  return [=](GffBuilder& b, uint32_t root) {
    b.AddSimple(root, 1, label, static_cast<uint8_t>(value));
  };
}
FieldAdder Byte(const std::string& label, uint8_t value) {
  return [=](GffBuilder& b, uint32_t root) { b.AddSimple(root, 0, label, value); };
}
FieldAdder Struct(const std::string& label, uint32_t id, const std::vector<FieldAdder>& fields) {
  return [=](GffBuilder& b, uint32_t root) {
    const uint32_t inner = b.AddStruct(id);
    for (const FieldAdder& add : fields) add(b, inner);
    b.AddStructField(root, label, inner);
  };
}
// A list of structs with the given ids, each holding a Tag and, for an id above 100, an
// inner struct Deep (id 4) with a Byte X.
FieldAdder Items(const std::string& label, const std::vector<uint32_t>& ids) {
  return [=](GffBuilder& b, uint32_t root) {
    std::vector<uint32_t> elements;
    for (uint32_t id : ids) {
      const uint32_t element = b.AddStruct(id);
      b.AddComplex(element, 10, "Tag", GffBuilder::ExoString("tag" + std::to_string(id)));
      if (id > 100) {
        const uint32_t deep = b.AddStruct(4);
        b.AddSimple(deep, 0, "X", 3);
        b.AddStructField(element, "Deep", deep);
      }
      elements.push_back(element);
    }
    b.AddList(root, label, elements);
  };
}

class GffCompareTest : public testing::Test {
 protected:
  std::string PathOf(const std::string& name) const { return FScratch.PathOf(name); }
  TKV_Inifile& Ini(const std::string& text) { return FScratch.Ini(text); }
  TKV_Inifile& IniNearTheReadLimit(const std::string& text, std::uintmax_t room) {
    return FScratch.IniNearTheReadLimit(text, room);
  }
  std::string IniPath() const { return FScratch.Path(); }
  std::string IniText() const { return FScratch.Text(); }

  // Compares the two files into the open changes.ini, in one batch as the command does.
  std::optional<TGffCompareResult> Compare(const std::string& unaltered,
                                           const std::string& modified,
                                           const std::string& section = "p.utc") {
    WriteCopies(unaltered, modified);
    return CompareCopies(section);
  }
  void WriteCopies(const std::string& unaltered, const std::string& modified) {
    platform::ReplaceFile(PathOf("unaltered.gff"), unaltered);
    platform::ReplaceFile(PathOf("modified.gff"), modified);
  }
  std::optional<TGffCompareResult> CompareCopies(const std::string& section = "p.utc") {
    return CompareGffFiles(
        FScratch.Ini(), section, PathOf("unaltered.gff"), PathOf("modified.gff"),
        {[this](const std::string& text) { warnings.push_back(text); }, [this] { ++pumps; }});
  }

  TKV_Inifile& OpenIni() { return FScratch.Ini(); }

  std::vector<std::string> warnings;
  int pumps = 0;

 private:
  modifier_testing::ScratchIni FScratch;
};

TEST(GffCompareNames, TypeWords) {
  const std::vector<std::string> words = {
      "Byte",         "Char",    "Word",   "Short",  "DWORD",       "Int",
      "UNKNOWN",      "Int64",   "Float",  "Double", "ExoString",   "ResRef",
      "ExoLocString", "UNKNOWN", "Struct", "List",   "Orientation", "Position"};
  for (int32_t code = 0; code < 18; ++code) EXPECT_EQ(words[code], GffTypeName(code)) << code;
  EXPECT_EQ("UNKNOWN", GffTypeName(18));
  EXPECT_EQ("UNKNOWN", GffTypeName(-1));
}

TEST(GffCompareNames, Stem) {
  const std::pair<const char*, const char*> cases[] = {
      {"npc01.utc", "npc01"}, {"NPC01.UTC", "npc01"}, {"a.b.utc", "a"},
      {"c_", "c_"},           {"noextension", "c_"},  {".utc", "c_"},
  };
  for (const auto& [name, stem] : cases) EXPECT_EQ(stem, GffSectionStem(name)) << name;
}

TEST_F(GffCompareTest, UniqueSectionNamesSkipSectionsAndTheTargetsValuesInAnyCase) {
  TKV_Inifile& ini = Ini(Lines({"[p.utc]", "Tag=GFF_P_TAG_0", "[Gff_p_Tag_1]", "X=1"}));
  EXPECT_EQ("gff_p_Tag_2", UniqueGffSectionName(ini, "p.utc", "gff_p_Tag"));
  EXPECT_EQ("gff_p_Tag_0", UniqueGffSectionName(ini, "other", "gff_p_Tag"));
  // A section holds a key to exist.
  EXPECT_EQ("gff_p_Tag_0",
            UniqueGffSectionName(Ini(Lines({"[gff_p_Tag_0]"})), "p.utc", "gff_p_Tag"));
}

// Within one compare the numbers taken by sections are skipped at once; a number taken
// by one target's value stays free for another target.
TEST_F(GffCompareTest, SectionNamesOfOneCompare) {
  TKV_Inifile& ini = Ini(
      Lines({"[a]", "Key=gff_x_1", "[b]", "Key=other", "[gff_x_0]", "K=1", "[gff_x_2]", "K=1"}));
  TGffSectionNames names(ini);
  const TGffTargetSection a(ini, "a");
  const TGffTargetSection b(ini, "b");
  EXPECT_EQ("gff_x_3", names.Unique(a, "gff_x"));
  EXPECT_EQ("GFF_X_1", names.Unique(b, "GFF_X")) << "bases compare without regard to case";
  ini.WriteString("gff_x_1", "K", "1");
  EXPECT_EQ("gff_x_3", names.Unique(b, "gff_x"));
}

TEST_F(GffCompareTest, IdenticalCopiesWriteNothing) {
  Ini(kHead);
  const std::string file =
      GffOf({Int("A", 1), LocString("Name", 3, {{0, "x"}}), Items("Items", {1, 200})});
  const std::optional<TGffCompareResult> result = Compare(file, file);
  ASSERT_TRUE(result);
  EXPECT_EQ(0, result->counts.modified);
  EXPECT_EQ(0, result->counts.added);
  EXPECT_EQ(
      "Compare completed, 0 fields were modified and 0 fields were new in the p.utc file. "
      "Building modifiers...",
      GffCompareSummary("p.utc", result->counts));
  EXPECT_EQ(kHead, IniText());
  EXPECT_EQ(4, pumps) << "once at each Struct and List: Items, its two elements, Deep";
}

TEST_F(GffCompareTest, FieldChanges) {
  struct Case {
    const char* name;
    std::vector<FieldAdder> unaltered;
    std::vector<FieldAdder> modified;
    std::vector<const char*> written;  // the lines of [p.utc]
    int32_t modifiedCount;
  };
  const Case cases[] = {
      {"an Int", {Int("A", 10)}, {Int("A", 12)}, {"A=12"}, 1},
      {"a text", {ExoString("T", "old")}, {ExoString("T", "new")}, {"T=new"}, 1},
      {"another type with the same text", {ExoString("T", "5")}, {Int("T", 5)}, {}, 0},
      {"fields only the unaltered copy has", {Int("A", 1), Int("Gone", 2)}, {Int("A", 1)}, {}, 0},
      {"the StrRef and a substring count once",
       {LocString("Name", 4294967295u, {{0, "Hi"}})},
       {LocString("Name", 5, {{0, "Ho"}})},
       {"Name(strref)=5", "Name(lang0)=Ho"},
       1},
      {"a StrRef removed",
       {LocString("Name", 5, {})},
       {LocString("Name", 4294967295u, {})},
       {"Name(strref)=-1"},
       1},
      {"a substring the unaltered copy lacks",
       {LocString("Name", 5, {{0, "Hi"}})},
       {LocString("Name", 5, {{0, "Hi"}, {3, "Salut"}})},
       {"Name(lang3)=Salut"},
       1},
      {"a substring only the unaltered copy has",
       {LocString("Name", 5, {{0, "Hi"}, {3, "Salut"}})},
       {LocString("Name", 5, {{0, "Hi"}})},
       {},
       0},
      // 1,10,0,... and 11,0,... have the same value text; their values are 2561 and 11.
      {"DWORD64 by value",
       {Dword64("D", {1, 10, 0, 0, 0, 0, 0, 0})},
       {Dword64("D", {11, 0, 0, 0, 0, 0, 0, 0})},
       {"D=11"},
       1},
      {"DWORD64 as an unsigned number",
       {Dword64("D", {0, 0, 0, 0, 0, 0, 0, 0})},
       {Dword64("D", {255, 255, 255, 255, 255, 255, 255, 255})},
       {"D=18446744073709551615"},
       1},
      {"a Void is never a change", {Void("V", "abc")}, {Void("V", "abd")}, {}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Ini(kHead);
    const std::optional<TGffCompareResult> result = Compare(GffOf(c.unaltered), GffOf(c.modified));
    ASSERT_TRUE(result);
    std::string expected = kHead;
    if (!c.written.empty()) expected += Lines({"[p.utc]"});
    for (const char* line : c.written) expected += Lines({line});
    EXPECT_EQ(expected, IniText());
    EXPECT_EQ(c.modifiedCount, result->counts.modified);
    EXPECT_EQ(0, result->counts.added);
  }
}

TEST_F(GffCompareTest, NewTopLevelFieldsAndASecondRun) {
  Ini(kHead + Lines({"[npc01.utc]", "Tag=x"}));
  const std::string unaltered = GffOf({Int("A", 1)});
  const std::string modified =
      GffOf({Int("A", 1), Int("NewInt", 7), Dword64("D", {}), Void("V", "ab"),
             LocString("Name", 4294967295u, {{0, "Hi"}, {2, ""}, {3, "Salut"}}),
             ExoString("Comment", "c")});
  std::optional<TGffCompareResult> result = Compare(unaltered, modified, "npc01.utc");
  ASSERT_TRUE(result);
  EXPECT_EQ(3, result->counts.added) << "DWORD64 and Void have no type word";
  const std::string fileSection =
      kHead + Lines({"[npc01.utc]", "Tag=x", "AddField0=gff_npc01_NewInt_0",
                     "AddField1=gff_npc01_Name_0", "AddField2=gff_npc01_Comment_0"});
  const std::string newSections =
      Lines({"[gff_npc01_NewInt_0]", "FieldType=Int", "Path=", "Label=NewInt", "Value=7",
             "[gff_npc01_Name_0]", "FieldType=ExoLocString", "Path=", "Label=Name", "StrRef=-1",
             "lang0=Hi", "lang3=Salut", "[gff_npc01_Comment_0]", "FieldType=ExoString",
             "Path=", "Label=Comment", "Value=c"});
  EXPECT_EQ(fileSection + newSections, IniText());

  // The names ending in _0 are taken now.
  result = Compare(unaltered, GffOf({Int("NewInt", 7)}), "npc01.utc");
  ASSERT_TRUE(result);
  EXPECT_EQ(1, result->counts.added);
  EXPECT_EQ(
      fileSection + Lines({"AddField3=gff_npc01_NewInt_1"}) + newSections +
          Lines({"[gff_npc01_NewInt_1]", "FieldType=Int", "Path=", "Label=NewInt", "Value=7"}),
      IniText());
}

// Changes, a localized string, a new list element with a tree below it, a new field in
// a struct both copies have, and a field whose type became a localized string.
TEST_F(GffCompareTest, AWholeCompareInWriteOrder) {
  Ini(kHead);
  const std::string unaltered =
      GffOf({Int("A", 10), LocString("Name", 4294967295u, {{0, "Hi"}}), Items("Items", {1, 2}),
             Struct("Sub", 5, {Byte("Inner", 1)}), ExoString("Desc", "d")});
  const std::string modified =
      GffOf({Int("A", 12), LocString("Name", 5, {{0, "Ho"}}), Items("Items", {1, 2, 300}),
             Struct("Sub", 5, {Byte("Inner", 1), Byte("Extra", 9)}), LocString("Desc", 7, {})});
  const std::optional<TGffCompareResult> result = Compare(unaltered, modified);
  ASSERT_TRUE(result);
  EXPECT_EQ(kHead + Lines({"[p.utc]",
                           "A=12",
                           "Name(strref)=5",
                           "Name(lang0)=Ho",
                           "AddField0=gff_p_Items_2_0",
                           "AddField1=gff_p_Extra_0",
                           "AddField2=gff_p_Desc_0",
                           "[gff_p_Items_2_0]",
                           "FieldType=Struct",
                           "Path=Items",
                           "Label=",
                           "TypeId=300",
                           "AddField0=gff_p_Tag_0",
                           "AddField1=gff_p_Deep_0",
                           "[gff_p_Tag_0]",
                           "FieldType=ExoString",
                           "Label=Tag",
                           "Value=tag300",
                           "[gff_p_Deep_0]",
                           "FieldType=Struct",
                           "Label=Deep",
                           "TypeId=4",
                           "AddField0=gff_p_X_0",
                           "[gff_p_X_0]",
                           "FieldType=Byte",
                           "Label=X",
                           "Value=3",
                           "[gff_p_Extra_0]",
                           "FieldType=Byte",
                           "Path=Sub",
                           "Label=Extra",
                           "Value=9",
                           "[gff_p_Desc_0]",
                           "FieldType=ExoLocString",
                           "Path=",
                           "Label=Desc",
                           "StrRef=7"}),
            IniText());
  EXPECT_EQ(2, result->counts.modified);
  EXPECT_EQ(6, result->counts.added);
  EXPECT_EQ(6, pumps) << "Items, its three elements, Deep and Sub";
  EXPECT_TRUE(result->skippedKeys.empty());
}

// A label holding what a section name cannot: the section's name holds "_" there and
// drops the blanks at its end; the label itself is written as it is.
TEST_F(GffCompareTest, SectionNamesAreNamesChangesIniCanHold) {
  Ini(kHead);
  ASSERT_TRUE(Compare(GffOf({}), GffOf({Int("a]b", 1), Int("t\t", 2)})));
  EXPECT_EQ(kHead + Lines({"[p.utc]", "AddField0=gff_p_a_b_0", "AddField1=gff_p_t_0",
                           "[gff_p_a_b_0]", "FieldType=Int", "Path=", "Label=a]b", "Value=1",
                           "[gff_p_t_0]", "FieldType=Int", "Path=", "Label=t\t", "Value=2"}),
            IniText());
}

// A value changes.ini cannot hold at all (a Char of 0, a text with a zero byte) is neither
// written nor counted, and a new field holding one is not written either; a value it reads
// back otherwise (blanks at either end, over 2,047 characters) is written. Each is named
// by its path.
TEST_F(GffCompareTest, ValuesTheFileCannotHoldAsTheyStandAreNamed) {
  Ini(kHead);
  const std::string long3000(3000, 'x');
  const std::string zero("a\0b", 3);
  const std::optional<TGffCompareResult> result =
      Compare(GffOf({Char("Gender", 'm'), ExoString("Tag", "t"), ExoString("Long", ""),
                     ExoString("Zero", ""), LocString("Name", 5, {{0, "x"}, {2, "y"}})}),
              GffOf({Char("Gender", 0), ExoString("Tag", " t "), ExoString("Long", long3000),
                     ExoString("Zero", zero), LocString("Name", 5, {{0, zero}, {2, "z"}}),
                     ExoString("NewZero", zero), Char("NewChar", 0), ExoString("New", "\"q\"")}));
  ASSERT_TRUE(result);
  EXPECT_EQ(kHead + Lines({"[p.utc]", "Tag= t ", ("Long=" + long3000).c_str(), "Name(lang2)=z",
                           "AddField0=gff_p_New_0", "[gff_p_New_0]", "FieldType=ExoString",
                           "Path=", "Label=New", "Value=\"q\""}),
            IniText());
  EXPECT_EQ(3, result->counts.modified) << "Tag, Long and Name";
  EXPECT_EQ(1, result->counts.added);
  EXPECT_EQ(
      "These changes were not written, as changes.ini cannot hold them:\n"
      "Gender: it holds a zero byte\n"
      "Zero: it holds a zero byte\n"
      "Name(lang0): it holds a zero byte\n"
      "NewZero (Value): it holds a zero byte\n"
      "NewChar (Value): it holds a zero byte\n"
      "\n"
      "These changes were written, but changes.ini reads them back otherwise:\n"
      "Tag: blanks at either end are not read back\n"
      "Long: only its first 2,047 characters are read back\n"
      "New (Value): its enclosing quotes are not read back",
      GffCompareWarning(*result));
}

// The result is checked as it grows: the write that would pass the size the program
// reads back stops the walk, and the compare writes nothing.
TEST_F(GffCompareTest, ACompareWhoseResultWouldPassTheReadLimitWritesNothing) {
  IniNearTheReadLimit(kHead, 200);
  const std::uintmax_t size = std::filesystem::file_size(IniPath());
  WriteCopies(GffOf({}), GffOf({ExoString("A", std::string(100, 'a')),
                                ExoString("B", std::string(100, 'b'))}));
  testing_support::ExpectRaises<platform::EIniFileException>(
      [&] { CompareCopies(); },
      "Unable to write to " + IniPath() + "\n" + TooLargeResultSentence());
  EXPECT_EQ(size, std::filesystem::file_size(IniPath()));
  EXPECT_EQ("", TKV_Inifile(IniPath()).ReadString("p.utc", "AddField0", ""));
}

TEST_F(GffCompareTest, AFileNameWithoutDotGivesTheStemC) {
  Ini(kHead);
  ASSERT_TRUE(Compare(GffOf({}), GffOf({Items("L", {1})}), "creature"));
  EXPECT_EQ(kHead + Lines({"[creature]", "AddField0=gff_c__L_0", "[gff_c__L_0]", "FieldType=List",
                           "Path=", "Label=L", "AddField0=gff_c__L_0_0", "[gff_c__L_0_0]",
                           "FieldType=Struct", "Label=", "TypeId=1", "AddField0=gff_c__Tag_0",
                           "[gff_c__Tag_0]", "FieldType=ExoString", "Label=Tag", "Value=tag1"}),
            IniText());
}

// Written, such keys would be taken for the file's settings or its new-field listing.
TEST_F(GffCompareTest, ChangesTheSectionWouldMisreadAreSkipped) {
  Ini(kHead);
  const std::optional<TGffCompareResult> result =
      Compare(GffOf({Int("!ReplaceFileX", 1), Int("addfield1", 1), LocString("AddFieldName", 1, {}),
                     Int("!destination", 1), Int("Tag", 1), Int("!Replace", 1)}),
              GffOf({Int("!ReplaceFileX", 2), Int("addfield1", 2), LocString("AddFieldName", 2, {}),
                     Int("!destination", 2), Int("Tag", 2), Int("!Replace", 2)}));
  ASSERT_TRUE(result);
  EXPECT_EQ(kHead + Lines({"[p.utc]", "Tag=2", "!Replace=2"}), IniText());
  EXPECT_EQ(2, result->counts.modified);
  EXPECT_EQ((std::vector<std::string>{"!ReplaceFileX", "addfield1", "AddFieldName(strref)",
                                      "!destination"}),
            result->skippedKeys);
}

TEST_F(GffCompareTest, AMissingFileIsWarnedAboutAndNothingIsWritten) {
  Ini(kHead);
  const std::string file = GffOf({Int("A", 1)});
  platform::ReplaceFile(PathOf("there.gff"), file);
  EXPECT_FALSE(
      CompareGffFiles(OpenIni(), "p.utc", PathOf("gone.gff"), PathOf("there.gff"),
                      {[this](const std::string& text) { warnings.push_back(text); }, {}}));
  EXPECT_FALSE(
      CompareGffFiles(OpenIni(), "p.utc", PathOf("there.gff"), PathOf("gone2.gff"),
                      {[this](const std::string& text) { warnings.push_back(text); }, {}}));
  EXPECT_EQ((std::vector<std::string>{
                "Unable to locate the file " + PathOf("gone.gff") + ", cannot continue!",
                "Unable to locate the file " + PathOf("gone2.gff") + ", cannot continue!"}),
            warnings);
  EXPECT_EQ(kHead, IniText());
}

// The lookup below S cannot go through a Byte: the compare stops there, and what it
// wrote before reaches the file when the batch ends.
TEST_F(GffCompareTest, AStructWhoseCounterpartIsAByteStopsTheCompare) {
  Ini(kHead);
  try {
    Compare(GffOf({Int("A", 1), Byte("S", 1)}),
            GffOf({Int("A", 2), Struct("S", 0, {Int("X", 1)})}));
    ADD_FAILURE() << "no error";
  } catch (const EGFFError& error) {
    EXPECT_EQ("Unable to retrieve field at path S\\X, the field S is not a LIST or STRUCT!",
              std::string(error.what()));
  }
  EXPECT_EQ(kHead + Lines({"[p.utc]", "A=2"}), IniText());
}

TEST_F(GffCompareTest, AFileThatIsNoGffWritesNothing) {
  Ini(kHead);
  EXPECT_THROW(Compare(GffOf({Int("A", 1)}), "not a gff file"), EGFFError);
  EXPECT_EQ(kHead, IniText());
}

TEST_F(GffCompareTest, AFailedWriteLeavesChangesIniAsItWas) {
  Ini(kHead);
  WriteCopies(GffOf({Int("A", 1)}), GffOf({Int("A", 2), Int("B", 3)}));
  try {
    // The one write fails.
    fault_injection::ScopedFault failingDisk({.call = fault_injection::Call::Fsync, .error = EIO});
    CompareCopies();
    ADD_FAILURE() << "no error";
  } catch (const platform::EIniFileException& error) {
    EXPECT_EQ("Unable to write to " + PathOf("changes.ini"), std::string(error.what()));
  }
  EXPECT_EQ(kHead, IniText());
}

// Counterparts are what GetFieldByPath finds by the whole path: a label holding a
// backslash is two tokens, and a struct without label has its parent's path.
TEST_F(GffCompareTest, PathsAreLookedUpWholeAsTheReaderSplitsThem) {
  Ini(kHead);
  const std::optional<TGffCompareResult> result =
      Compare(GffOf({Struct("a", 1, {Int("b", 1)}), Struct("S", 2, {Int("X", 1)})}),
              GffOf({Int("a\\b", 1), Struct("S", 2, {Struct("", 3, {Int("X", 2)})})}));
  ASSERT_TRUE(result);
  EXPECT_EQ(kHead + Lines({"[p.utc]", "S\\X=2"}), IniText());
  EXPECT_EQ(1, result->counts.modified);
  EXPECT_EQ(0, result->counts.added);
}

TEST(GffComparePacing, AtMostOnceInTheIntervalTheFirstAtOnce) {
  int calls = 0;
  std::function<void()> paced = Paced([&] { ++calls; }, std::chrono::hours(1));
  paced();
  paced();
  EXPECT_EQ(1, calls);
  paced = Paced([&] { ++calls; }, std::chrono::steady_clock::duration::zero());
  paced();
  paced();
  EXPECT_EQ(3, calls);
}

}  // namespace
}  // namespace quennet
