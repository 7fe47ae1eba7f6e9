// The INI accessor on real files: whole-file texts before and after each operation.
// Write failures are provoked without chmod (the tests may run as root): a path inside
// a folder that does not exist, a folder or a FIFO in the file's place, or a fault
// injected into the writes of the atomic replace.
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "formats/UKV_IniFile.h"
#include "platform/Exceptions.h"
#include "platform/PrivateProfile.h"
#include "tests/platform/FaultInjector.h"
#include "tests/support/Raises.h"
#include "tests/support/ScratchFolder.h"

namespace {

using ::testing::ElementsAre;

class IniFileTest : public ::testing::Test {
 protected:
  void WriteFile(const std::string& content) { WriteFileAt(FPath, content); }
  static void WriteFileAt(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
  }
  std::string ReadFile() const { return ReadFileAt(FPath); }
  static std::string ReadFileAt(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
  }
  ino_t InodeOf(const std::string& path) const {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
  }

  testing_support::ScratchFolder scratch;
  std::string FFolder = scratch.Path();
  std::string FPath = scratch.PathOf("changes.ini");
};

struct EditCase {
  const char* name;
  std::optional<std::string> before;  // nothing: there is no file
  std::function<void(TKV_Inifile&)> edit;
  std::string after;
};

void RunEditCases(const std::string& path, const std::vector<EditCase>& cases) {
  for (const EditCase& c : cases) {
    std::filesystem::remove(path);
    if (c.before) std::ofstream(path, std::ios::binary) << *c.before;
    TKV_Inifile ini(path);
    c.edit(ini);
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    EXPECT_EQ(c.after, content.str()) << c.name;
  }
}

auto Write(std::string section, std::string key, std::string value) {
  return [=](TKV_Inifile& ini) { ini.WriteString(section, key, value); };
}
auto Delete(std::string section, std::string key) {
  return [=](TKV_Inifile& ini) { ini.DeleteKey(section, key); };
}
auto Erase(std::string section) {
  return [=](TKV_Inifile& ini) { ini.EraseSection(section); };
}

TEST_F(IniFileTest, WritesPlaceKeysAndKeepEveryOtherLine) {
  RunEditCases(
      FPath,
      {
          {"a missing file is created", std::nullopt, Write("Settings", "Version", "1"),
           "[Settings]\r\nVersion=1\r\n"},
          {"an empty file", "", Write("S", "k", "v"), "[S]\r\nk=v\r\n"},
          {"an existing key keeps its place", "[A]\r\nx=1\r\ny=2\r\n[B]\r\nz=3\r\n",
           Write("A", "x", "9"), "[A]\r\nx=9\r\ny=2\r\n[B]\r\nz=3\r\n"},
          {"a new key follows the last key of its section",
           "[A]\r\nx=1\r\n\r\n; about B\r\n[B]\r\nz=3\r\n", Write("A", "n", "5"),
           "[A]\r\nx=1\r\nn=5\r\n\r\n; about B\r\n[B]\r\nz=3\r\n"},
          {"a new section goes after every line", "[A]\r\nx=1\r\n; end\r\n\r\n",
           Write("C", "k", "v"), "[A]\r\nx=1\r\n; end\r\n\r\n[C]\r\nk=v\r\n"},
          {"a last line without a line break", "[A]\r\nx=1", Write("A", "y", "2"),
           "[A]\r\nx=1\r\ny=2\r\n"},
          {"a last section line without a line break", "[A]", Write("A", "y", "2"),
           "[A]\r\ny=2\r\n"},
          {"names compare without case; the stored name stays", "[Sec]\r\nKey=1\r\n",
           Write("SEC", "KEY", "2"), "[Sec]\r\nKey=2\r\n"},
          {"LF-only lines are kept, new lines get CR LF", "[A]\nx=1\n[B]\ny=2\n",
           Write("B", "z", "3"), "[A]\nx=1\n[B]\ny=2\nz=3\r\n"},
          {"a replaced line keeps its line ending", "[A]\nx=1\ny=2\n", Write("A", "x", "7"),
           "[A]\nx=7\ny=2\n"},
          {"a section line without keys receives the key", "[A]\r\n; none yet\r\n[B]\r\nk=1\r\n",
           Write("a", "n", "1"), "[A]\r\nn=1\r\n; none yet\r\n[B]\r\nk=1\r\n"},
          {"a comment is never a key", "[A]\r\n;x=1\r\nx y\r\n", Write("A", "x", "2"),
           "[A]\r\nx=2\r\n;x=1\r\nx y\r\n"},
          {"blanks and odd lines stay byte for byte",
           "  [ A ]  \r\n  k  =  v  \r\n\tjunk line\r\n=empty\r\n", Write("A", "new", "1"),
           "  [ A ]  \r\n  k  =  v  \r\n\tjunk line\r\n=empty\r\nnew=1\r\n"},
          {"the value is written as given", "", Write("S", "k", " spaced \"value\" "),
           "[S]\r\nk= spaced \"value\" \r\n"},
          {"line breaks are escaped", "", Write("S", "k", "a\r\nb"), "[S]\r\nk=a<#CR#><#LF#>b\r\n"},
          {"a leading line feed is escaped", "", Write("S", "k", "\nx"), "[S]\r\nk=<#LF#>x\r\n"},
          {"a value is cut at its first NUL", "", Write("S", "k", std::string("ab\0cd", 5)),
           "[S]\r\nk=ab\r\n"},
          {"a section that stands twice is its first block", "[A]\r\nx=1\r\n[B]\r\n[a]\r\ny=2\r\n",
           Write("A", "z", "3"), "[A]\r\nx=1\r\nz=3\r\n[B]\r\n[a]\r\ny=2\r\n"},
          {"the first of two keys of one name is written", "[A]\r\nx=1\r\nX=2\r\n",
           Write("A", "x", "3"), "[A]\r\nx=3\r\nX=2\r\n"},
          {"a byte-order mark stays in front", "\xEF\xBB\xBF[A]\r\nx=1\r\n", Write("A", "y", "2"),
           "\xEF\xBB\xBF[A]\r\nx=1\r\ny=2\r\n"},
          {"integers in decimal", "", [](TKV_Inifile& ini) { ini.WriteInteger("S", "n", -7); },
           "[S]\r\nn=-7\r\n"},
          {"truth values as 1 and 0", "",
           [](TKV_Inifile& ini) {
             ini.WriteBool("S", "t", true);
             ini.WriteBool("S", "f", false);
           },
           "[S]\r\nt=1\r\nf=0\r\n"},
          {"a name written twice in two cases leaves one key", "",
           [](TKV_Inifile& ini) {
             ini.WriteString("S", "key", "first");
             ini.WriteString("S", "KEY", "second");
           },
           "[S]\r\nkey=second\r\n"},
      });
}

TEST_F(IniFileTest, DeletesAndErasesLeaveTheRestAsItWas) {
  RunEditCases(
      FPath,
      {
          {"a key line goes", "[A]\r\nx=1\r\ny=2\r\n", Delete("a", "X"), "[A]\r\ny=2\r\n"},
          {"the last key leaves the section line", "[A]\r\nx=1\r\n[B]\r\ny=2\r\n", Delete("A", "x"),
           "[A]\r\n[B]\r\ny=2\r\n"},
          {"the line that counts goes", "[A]\r\nx=1\r\nX=2\r\n", Delete("A", "x"),
           "[A]\r\nX=2\r\n"},
          {"an absent key changes nothing", "[A]\r\nx=1", Delete("A", "y"), "[A]\r\nx=1"},
          {"a key of another section stays", "[A]\r\nx=1\r\n[B]\r\nx=2\r\n", Delete("B", "x"),
           "[A]\r\nx=1\r\n[B]\r\n"},
          {"a section goes, its comments stay", "; head\r\n[A]\r\nx=1\r\n; c\r\n\r\n[B]\r\ny=2\r\n",
           Erase("a"), "; head\r\n; c\r\n[B]\r\ny=2\r\n"},
          {"every section of the name goes", "[A]\r\nx=1\r\n[B]\r\ny=2\r\n[A]\r\nz=3\r\n",
           Erase("A"), "[B]\r\ny=2\r\n"},
          {"an absent section changes nothing", "[A]\r\nx=1", Erase("B"), "[A]\r\nx=1"},
          {"deleting in a missing file creates nothing", std::nullopt, Delete("A", "x"), ""},
      });
  EXPECT_FALSE(std::filesystem::exists(FPath));
}

TEST_F(IniFileTest, NothingToRemoveDoesNotRewriteTheFile) {
  WriteFile("[A]\r\nx=1\r\n");
  ino_t before = InodeOf(FPath);
  TKV_Inifile ini(FPath);
  ini.DeleteKey("A", "y");
  ini.DeleteKey("B", "x");
  ini.EraseSection("B");
  EXPECT_EQ(before, InodeOf(FPath));
}

struct ReadCase {
  std::string content;
  std::string section, key;
  std::string expected;
};

TEST_F(IniFileTest, ReadsFollowThePrivateProfileConventions) {
  const ReadCase cases[] = {
      {"[A]\r\nk=v\r\n", "A", "k", "v"},
      {"\xEF\xBB\xBF[A]\r\nk=v\r\n", "A", "k", "v"},
      {"  [ A ]  \r\n  k  =  v w  \r\n", "a", "K", "v w"},
      {"[A]\nk=v", "A", "k", "v"},
      {"[A]\r\nk=\"quoted\"\r\n", "A", "k", "quoted"},
      {"[A]\r\nk='quoted'\r\n", "A", "k", "quoted"},
      {"[A]\r\nk=\"half'\r\n", "A", "k", "\"half'"},
      {"[A]\r\nk=\"\r\n", "A", "k", "\""},
      {"[A]\r\nk=a=b\r\n", "A", "k", "a=b"},
      {"[A]\r\nk=\r\n", "A", "k", ""},
      {"[A]\r\n;k=v\r\n", "A", "k", "default"},
      {"[A]\r\nk v\r\n", "A", "k v", "default"},
      {"k=v\r\n[A]\r\n", "A", "k", "default"},
      {"[A]\r\nk=v\r\n", "B", "k", "default"},
      {"[A]\r\nk=first\r\nK=second\r\n", "A", "k", "first"},
      {"[A]\r\n[B]\r\n[A]\r\nk=v\r\n", "A", "k", "default"},
      {"[A]\r\nk=first\r\n[A]\r\nk=v\r\n", "A", "k", "first"},
      {"[A\r\nk=v\r\n", "A", "k", "v"},
      {"[A]]\r\nk=v\r\n", "A", "k", "v"},
      {"[A]\r\n[k=v\r\n", "A", "k", "default"},
      {"[A] ; the a section\r\nk=v\r\n", "A", "k", "v"},
      {"[A] ; the a section\r\nk=v\r\n", "A ; the a section", "k", "default"},
      {"[A]\r\nk=line<#LF#>break<#CR#>\r\n", "A", "k", "line\nbreak\r"},
      {"[A]\r\nk=<#LF#>\r\n", "A", "k", "\n"},
      {"[A]\r\nk=<#lf#>\r\n", "A", "k", "<#lf#>"},
      {"[A]\r\nk=<#CR#><#LF#>\r\n", "A", "k", "\r\n"},
  };
  for (const ReadCase& c : cases) {
    WriteFile(c.content);
    TKV_Inifile ini(FPath);
    EXPECT_EQ(c.expected, ini.ReadString(c.section, c.key, "default")) << c.content;
  }
}

TEST_F(IniFileTest, ADefaultIsDecodedToo) {
  TKV_Inifile ini(FPath);
  EXPECT_EQ("a\nb", ini.ReadString("A", "k", "a<#LF#>b"));
}

TEST_F(IniFileTest, ValuesReadBackAsWritten) {
  const std::string values[] = {"\n",     "\r",       "a\n",     "\r\n", "\nfirst",
                                "a\r\nb", "last\n\r", "x\ry\nz", "plain"};
  TKV_Inifile ini(FPath);
  for (const std::string& value : values) {
    ini.WriteString("S", "k", value);
    EXPECT_EQ(value, ini.ReadString("S", "k", "")) << value;
  }
}

TEST_F(IniFileTest, ValuesAreCutTo2047StoredCharacters) {
  std::string value(3000, 'v');
  TKV_Inifile ini(FPath);
  ini.WriteString("S", "long", value);
  EXPECT_EQ("[S]\r\nlong=" + value + "\r\n", ReadFile());
  EXPECT_EQ(value.substr(0, 2047), ini.ReadString("S", "long", ""));
  // The limit counts the stored text: each escaped line break takes six characters.
  ini.WriteString("S", "breaks", std::string(400, '\n'));
  EXPECT_EQ(std::string(341, '\n') + "<", ini.ReadString("S", "breaks", ""));
}

TEST_F(IniFileTest, ReadIntegerAndReadBool) {
  struct Case {
    const char* stored;  // nullptr: no such key
    int32_t expected;
  } cases[] = {
      {"0x1A", 26},
      {"0X1a", 26},
      {"0x", 99},
      {"0x7FFFFFFF", 2147483647},
      {"0x80000000", 99},
      {"0xG", 99},
      {"letters", 99},
      {nullptr, 99},
      {"", 99},
      {"-5", -5},
      {"12", 12},
      {"2147483647", 2147483647},
      {"2147483648", 99},
      {"-2147483648", -2147483647 - 1},
      {"-2147483649", 99},
      {"1.5", 99},
      {"-", 99},
      {"007", 7},
      {"$1A", 99},
  };
  for (const Case& c : cases) {
    WriteFile(c.stored ? "[S]\r\nn=" + std::string(c.stored) + "\r\n" : "[S]\r\n");
    TKV_Inifile ini(FPath);
    EXPECT_EQ(c.expected, ini.ReadInteger("S", "n", 99)) << (c.stored ? c.stored : "(absent)");
  }
  WriteFile("[S]\r\ntwo=2\r\nhex=0x1\r\nzero=0\r\nword=yes\r\n");
  TKV_Inifile ini(FPath);
  EXPECT_TRUE(ini.ReadBool("S", "two", false));
  EXPECT_TRUE(ini.ReadBool("S", "hex", false));
  EXPECT_FALSE(ini.ReadBool("S", "zero", true));
  EXPECT_TRUE(ini.ReadBool("S", "word", true));
  EXPECT_FALSE(ini.ReadBool("S", "word", false));
  EXPECT_TRUE(ini.ReadBool("S", "absent", true));
}

TEST_F(IniFileTest, InheritedReadsAndWritesGoThroughTheEscaping) {
  TKV_Inifile ini(FPath);
  TCustomIniFile& base = ini;
  base.WriteString("S", "k", "a\nb");
  EXPECT_EQ("[S]\r\nk=a<#LF#>b\r\n", ReadFile());
  WriteFile("[S]\r\nn=<#LF#>12\r\n");
  // The decoded line break makes the text no number.
  EXPECT_EQ(-1, base.ReadInteger("S", "n", -1));
}

TEST_F(IniFileTest, SectionListsAndValues) {
  WriteFile(
      "[A]\r\nsecond=2\r\n; note\r\nfirst=1\r\nSECOND=3\r\nno "
      "key\r\nk<#LF#>ey=v<#CR#>\r\n[B]\r\nb=1\r\n");
  TKV_Inifile ini(FPath);
  EXPECT_THAT(ini.ReadSection("a"), ElementsAre("second", "first", "k<#LF#>ey"));
  EXPECT_THAT(ini.ReadSectionValues("A"), ElementsAre("second=2", "first=1", "k\ney=v\r"));
  EXPECT_TRUE(ini.ReadSection("C").empty());
  EXPECT_TRUE(ini.ReadSectionValues("C").empty());
}

TEST_F(IniFileTest, ASectionExistsWhileItHoldsAKey) {
  WriteFile("[A]\r\nx=1\r\n[B]\r\ny=2\r\n");
  TKV_Inifile ini(FPath);
  EXPECT_TRUE(ini.SectionExists("a"));
  ini.DeleteKey("A", "x");
  EXPECT_FALSE(ini.SectionExists("A"));
  EXPECT_TRUE(ini.ReadSection("A").empty());
  ini.WriteString("A", "z", "3");
  EXPECT_TRUE(ini.SectionExists("A"));
  EXPECT_EQ("[A]\r\nz=3\r\n[B]\r\ny=2\r\n", ReadFile());
}

TEST_F(IniFileTest, LongKeyListsAreNeverCut) {
  std::string content = "[Big]\r\n";
  for (int i = 0; i < 2000; ++i)
    content += "AVeryLongModifierKeyName_" + std::to_string(i) + "=x\r\n";
  WriteFile(content);
  TKV_Inifile ini(FPath);
  std::vector<std::string> keys = ini.ReadSection("Big");
  ASSERT_EQ(2000u, keys.size());
  EXPECT_EQ("AVeryLongModifierKeyName_1999", keys.back());
}

TEST_F(IniFileTest, MissingOrUnreadableFilesReadAsEmpty) {
  std::filesystem::create_directory(FFolder + "/folder.ini");
  ASSERT_EQ(0, ::mkfifo((FFolder + "/fifo.ini").c_str(), 0600));
  for (const std::string& path : {FPath, FFolder + "/missing/changes.ini", FFolder + "/folder.ini",
                                  FFolder + "/fifo.ini", std::string()}) {
    TKV_Inifile ini(path);
    EXPECT_EQ("d", ini.ReadString("A", "k", "d")) << path;
    EXPECT_EQ(5, ini.ReadInteger("A", "k", 5)) << path;
    EXPECT_TRUE(ini.ReadSection("A").empty()) << path;
    EXPECT_TRUE(ini.ReadSectionValues("A").empty()) << path;
    EXPECT_FALSE(ini.SectionExists("A")) << path;
  }
  EXPECT_FALSE(std::filesystem::exists(FPath));
}

void ExpectUnableToWrite(const std::string& path, const std::function<void()>& operation,
                         const char* what) {
  try {
    operation();
    ADD_FAILURE() << what << " on " << path << " raised nothing";
  } catch (const platform::EIniFileException& error) {
    EXPECT_EQ("Unable to write to " + path, error.Message()) << what;
  }
}

// A refused name: the write error, then a sentence of ours that names the name.
void ExpectRefused(const std::string& path, const std::function<void()>& operation,
                   const std::string& name) {
  try {
    operation();
    ADD_FAILURE() << "the name " << name << " was not refused";
  } catch (const platform::EIniFileException& error) {
    EXPECT_THAT(error.Message(), ::testing::StartsWith("Unable to write to " + path + "\n"));
    EXPECT_THAT(error.Message(), ::testing::HasSubstr("\"" + name + "\""));
  }
}

TEST_F(IniFileTest, UnwritablePathsRaiseUnableToWrite) {
  std::filesystem::create_directory(FFolder + "/folder.ini");
  ASSERT_EQ(0, ::mkfifo((FFolder + "/fifo.ini").c_str(), 0600));
  for (const std::string& path : {FFolder + "/missing/changes.ini", FFolder + "/folder.ini",
                                  FFolder + "/fifo.ini", std::string()}) {
    TKV_Inifile ini(path);
    ExpectUnableToWrite(
        path, [&] { ini.WriteString("A", "k", "v"); }, "WriteString");
    ExpectUnableToWrite(
        path, [&] { ini.WriteInteger("A", "k", 1); }, "WriteInteger");
    ExpectUnableToWrite(
        path, [&] { ini.WriteBool("A", "k", true); }, "WriteBool");
    // Nothing is there to remove: nothing to write, nothing to fail.
    EXPECT_NO_THROW(ini.DeleteKey("A", "k"));
    EXPECT_NO_THROW(ini.EraseSection("A"));
  }
  EXPECT_FALSE(std::filesystem::exists(FFolder + "/missing"));
}

TEST_F(IniFileTest, AFailedRewriteLeavesTheFileAsItWas) {
  const std::string path = FPath;
  const std::string content = "[A]\r\nx=1\r\ny=2\r\n";
  WriteFileAt(path, content);
  TKV_Inifile ini(path);
  fault_injection::ScopedFault failingDisk({.call = fault_injection::Call::Fsync, .error = EIO});
  ExpectUnableToWrite(
      path, [&] { ini.WriteString("A", "x", "changed"); }, "WriteString");
  ExpectUnableToWrite(
      path, [&] { ini.WriteString("B", "new", "1"); }, "WriteString");
  ExpectUnableToWrite(
      path, [&] { ini.DeleteKey("A", "x"); }, "DeleteKey");
  ExpectUnableToWrite(
      path, [&] { ini.EraseSection("A"); }, "EraseSection");
  EXPECT_NO_THROW(ini.DeleteKey("A", "absent"));
  EXPECT_NO_THROW(ini.EraseSection("absent"));
  EXPECT_EQ(content, ReadFileAt(path));
  EXPECT_EQ("1", ini.ReadString("A", "x", ""));
  EXPECT_THAT(ini.ReadSection("A"), ElementsAre("x", "y"));
  EXPECT_FALSE(ini.SectionExists("B"));
}

TEST_F(IniFileTest, NamesThatWouldSplitALineAreRefused) {
  const std::string content = "[A]\r\nx=1\r\n";
  WriteFile(content);
  TKV_Inifile ini(FPath);
  const std::string names[] = {"a\rb", "a\nb", std::string("a\0b", 3), "\n[B]"};
  for (const std::string& name : names) {
    ExpectRefused(
        FPath, [&] { ini.WriteString(name, "k", "v"); }, name);
    ExpectRefused(
        FPath, [&] { ini.WriteString("A", name, "v"); }, name);
  }
  // Only the escaping accessor can carry line breaks in values.
  TIniFile raw(FPath);
  ExpectUnableToWrite(
      FPath, [&] { raw.WriteString("A", "x", "a\nb"); }, "raw value with LF");
  ExpectUnableToWrite(
      FPath, [&] { raw.WriteString("A", "x", "a\rb"); }, "raw value with CR");
  EXPECT_EQ(content, ReadFile());
}

TEST_F(IniFileTest, EveryReadSeesTheFileAsItStands) {
  WriteFile("[A]\r\nk=1\r\n");
  TKV_Inifile ini(FPath);
  TKV_Inifile other(FPath);
  EXPECT_EQ("1", ini.ReadString("A", "k", ""));
  // Rewritten in place, same size, within the same tick of the file-system clock.
  WriteFile("[A]\r\nk=2\r\n");
  EXPECT_EQ("2", ini.ReadString("A", "k", ""));
  other.WriteString("A", "k", "3");
  EXPECT_EQ("3", ini.ReadString("A", "k", ""));
  std::filesystem::remove(FPath);
  EXPECT_EQ("gone", ini.ReadString("A", "k", "gone"));
  ini.WriteString("A", "j", "4");
  EXPECT_EQ("[A]\r\nj=4\r\n", ReadFile());
  EXPECT_EQ("4", other.ReadString("A", "j", ""));
}

TEST(ProfileTextTest, TheParseGivesBackEveryByte) {
  const std::string contents[] = {
      "",
      "\n",
      "\r\n",
      "\r",
      "[A]",
      "[A]\r",
      "a\r\r\nb",
      "[A]\nk=v\r\n;c",
      "\xEF\xBB\xBF",
      "\xEF\xBB\xBF\n",
      std::string("k=\0\n", 4),
      "\n\n[A]\n\n",
  };
  for (const std::string& content : contents)
    EXPECT_EQ(content, platform::ProfileText(content).Content());
}

TEST_F(IniFileTest, AReadOnlyFileIsNotWritten) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes read-only files";
  const std::string content = "[A]\r\nx=1\r\n";
  WriteFile(content);
  ::chmod(FPath.c_str(), 0444);
  TKV_Inifile ini(FPath);
  ExpectUnableToWrite(
      FPath, [&] { ini.WriteString("A", "y", "2"); }, "WriteString");
  ExpectUnableToWrite(
      FPath, [&] { ini.DeleteKey("A", "x"); }, "DeleteKey");
  ExpectUnableToWrite(
      FPath, [&] { ini.EraseSection("A"); }, "EraseSection");
  EXPECT_NO_THROW(ini.DeleteKey("A", "absent"));
  EXPECT_EQ(content, ReadFile());
}

TEST_F(IniFileTest, AFileThatCannotBeReadRefusesDeletesToo) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
  const std::string content = "[A]\r\nx=1\r\n";
  WriteFile(content);
  ::chmod(FPath.c_str(), 0200);
  TKV_Inifile ini(FPath);
  EXPECT_EQ("d", ini.ReadString("A", "x", "d"));
  ExpectUnableToWrite(
      FPath, [&] { ini.DeleteKey("A", "x"); }, "DeleteKey");
  ExpectUnableToWrite(
      FPath, [&] { ini.EraseSection("A"); }, "EraseSection");
  ::chmod(FPath.c_str(), 0600);
  EXPECT_EQ(content, ReadFile());
}

// A file that stands but cannot be read, here for its size (a sparse file larger than
// 256 MiB): reads give the defaults and never throw, and every change is refused, a
// delete or an erase too, since it would remove nothing and report success.
TEST_F(IniFileTest, AFileTooLargeToParseIsUnreadable) {
  WriteFile("[A]\r\nx=1\r\n");
  const std::uintmax_t size = (std::uintmax_t{256} << 20) + 1;
  std::filesystem::resize_file(FPath, size);
  TKV_Inifile ini(FPath);
  EXPECT_EQ("d", ini.ReadString("A", "x", "d"));
  EXPECT_TRUE(ini.ReadSection("A").empty());
  EXPECT_FALSE(ini.SectionExists("A"));
  ExpectUnableToWrite(
      FPath, [&] { ini.WriteString("A", "y", "2"); }, "WriteString");
  ExpectUnableToWrite(
      FPath, [&] { ini.DeleteKey("A", "x"); }, "DeleteKey");
  ExpectUnableToWrite(
      FPath, [&] { ini.EraseSection("A"); }, "EraseSection");
  ExpectUnableToWrite(
      FPath,
      [&] {
        TIniBatch batch(ini);
        ini.WriteString("A", "y", "2");
      },
      "a batch");
  EXPECT_EQ(size, std::filesystem::file_size(FPath));
  EXPECT_EQ(std::string("[A]\r\nx=1\r\n"), ReadFile().substr(0, 10));
  EXPECT_EQ("The file " + FPath +
                " holds 268435457 bytes, more than the 268435456 bytes (256 MiB) an INI file may "
                "have; it cannot be read, and nothing can be written to it.",
            TooLargeIniFileWarning(FPath));
  std::filesystem::resize_file(FPath, size - 1);
  EXPECT_EQ(std::nullopt, TooLargeIniFileWarning(FPath));
}

// What the program writes it must be able to read back: no write leaves a file larger
// than the read limit. The file here is "[A]\r\nx=1\r\n" padded with zero bytes (one
// line that means nothing) to a size just under the limit.
TEST_F(IniFileTest, NoWriteMakesTheFileLargerThanTheReadLimit) {
  const std::uintmax_t limit = platform::PrivateProfile::kMaxFileSize;
  const std::string value(100, 'v');
  const std::string line = "y=" + value + "\r\n";  // lands after x=1
  const std::uintmax_t size = limit - line.size();
  const std::string head = "[A]\r\nx=1\r\n";
  const std::string refusal = "Unable to write to " + FPath +
                              "\nThe file would hold more than the 268435456 bytes (256 MiB) "
                              "an INI file may have to be read back; nothing was written.";
  auto expectUnchanged = [&](std::uintmax_t expectedSize, const char* after) {
    EXPECT_EQ(expectedSize, std::filesystem::file_size(FPath)) << after;
    std::ifstream in(FPath, std::ios::binary);
    std::string start(head.size(), '\0');
    in.read(start.data(), static_cast<std::streamsize>(start.size()));
    EXPECT_EQ(head, start) << after;
  };
  WriteFile(head);
  std::filesystem::resize_file(FPath, size);
  TKV_Inifile ini(FPath);

  testing_support::ExpectRaises<platform::EIniFileException>(
      [&] { ini.WriteString("A", "y", value + "v"); }, refusal);
  expectUnchanged(size, "a write one byte too large");
  {
    // Inside a batch the write that passes the limit fails at once, and the batch then
    // writes nothing at all: neither what came before nor what comes after.
    TIniBatch batch(ini);
    ini.WriteString("A", "before", "1");
    testing_support::ExpectRaises<platform::EIniFileException>(
        [&] { ini.WriteString("A", "y", value + value); }, refusal);
    testing_support::ExpectRaises<platform::EIniFileException>(
        [&] { ini.WriteString("A", "after", "1"); }, refusal);
    testing_support::ExpectRaises<platform::EIniFileException>([&] { batch.UpdateFile(); },
                                                               refusal);
  }
  expectUnchanged(size, "a batch that passed the limit");
  EXPECT_EQ("", ini.ReadString("A", "before", ""));

  ini.WriteString("A", "y", value);
  expectUnchanged(limit, "a write that reaches the limit exactly");
  EXPECT_EQ(value, ini.ReadString("A", "y", ""));
  testing_support::ExpectRaises<platform::EIniFileException>([&] { ini.WriteString("A", "z", ""); },
                                                             refusal);
  expectUnchanged(limit, "a write past a file at the limit");
  // What makes the file smaller is still written.
  ini.DeleteKey("A", "y");
  expectUnchanged(size, "a delete");
}

TEST_F(IniFileTest, AWriteKeepsThePermissionsOfTheFile) {
  WriteFile("[A]\r\nk=1\r\n");
  ::chmod(FPath.c_str(), 0640);
  TKV_Inifile ini(FPath);
  ini.WriteString("A", "k", "2");
  struct stat info {};
  ASSERT_EQ(0, ::stat(FPath.c_str(), &info));
  EXPECT_EQ(0640u, info.st_mode & 07777);
}

TEST_F(IniFileTest, ThePlatformsRulesForOddFiles) {
  RunEditCases(
      FPath,
      {
          {"a second block is not read", "[A]\r\nx=1\r\n[B]\r\n[A]\r\ny=2\r\n",
           [](TKV_Inifile& ini) {
             EXPECT_THAT(ini.ReadSection("A"), ElementsAre("x"));
             EXPECT_EQ("", ini.ReadString("A", "y", ""));
           },
           "[A]\r\nx=1\r\n[B]\r\n[A]\r\ny=2\r\n"},
          {"a key of the second block is new in the first", "[A]\r\nx=1\r\n[B]\r\n[A]\r\ny=2\r\n",
           Write("A", "y", "3"), "[A]\r\nx=1\r\ny=3\r\n[B]\r\n[A]\r\ny=2\r\n"},
          {"a first block without keys receives the key", "[A]\r\n; none\r\n[A]\r\ny=2\r\n",
           Write("A", "n", "1"), "[A]\r\nn=1\r\n; none\r\n[A]\r\ny=2\r\n"},
          {"an empty first block hides the second", "[A]\r\n[A]\r\ny=2\r\n",
           [](TKV_Inifile& ini) { EXPECT_FALSE(ini.SectionExists("A")); }, "[A]\r\n[A]\r\ny=2\r\n"},
          {"a delete reaches the first block only", "[A]\r\nx=1\r\n[A]\r\nx=2\r\n",
           Delete("A", "x"), "[A]\r\n[A]\r\nx=2\r\n"},
          {"an erase removes every block", "[A]\r\nx=1\r\n[B]\r\nb=1\r\n[A]\r\ny=2\r\n", Erase("A"),
           "[B]\r\nb=1\r\n"},
          {"a section line without \"]\"", "[A\r\nx=1\r\n", Write("a", "y", "2"),
           "[A\r\nx=1\r\ny=2\r\n"},
          {"a section name ends at the first \"]\"", "[A]x]\r\nx=1\r\n", Write("A", "y", "2"),
           "[A]x]\r\nx=1\r\ny=2\r\n"},
          {"an erase keeps comments, also one heading the next section",
           "[A]\r\n; about x\r\nx=1\r\njunk\r\n\r\n; about B\r\n[B]\r\nb=1\r\n", Erase("A"),
           "; about x\r\n; about B\r\n[B]\r\nb=1\r\n"},
          {"blanks around a new key name are stripped", "[A]\r\nx=1\r\n", Write("A", "  y\t ", "2"),
           "[A]\r\nx=1\r\ny=2\r\n"},
          {"blanks around a key name find the key", "[A]\r\nx=1\r\n", Write("A", " x ", "2"),
           "[A]\r\nx=2\r\n"},
          {"a delete brings a second line of the name to light", "[A]\r\nx=1\r\ny=0\r\nX=2\r\n",
           [](TKV_Inifile& ini) {
             ini.DeleteKey("A", "x");
             EXPECT_THAT(ini.ReadSection("A"), ElementsAre("y", "X"));
             EXPECT_EQ("2", ini.ReadString("A", "x", ""));
             ini.WriteString("A", "x", "3");
           },
           "[A]\r\ny=0\r\nX=3\r\n"},
          {"new lines are CR LF after a last line without an ending", "[A]\nx=1",
           Write("B", "k", "v"), "[A]\nx=1\r\n[B]\r\nk=v\r\n"},
      });
}

TEST_F(IniFileTest, NamesTheFileWouldReadAsSomethingElseAreRefused) {
  const std::string content = "[A]\r\nx=1\r\n";
  struct Case {
    std::string section, key;
    std::string refused;  // the name the message names
  } cases[] = {
      {"A", "a=b", "a=b"},   {"A", ";x", ";x"},   {"A", "  ;x", "  ;x"}, {"A", "[x", "[x"},
      {"A", " [x]", " [x]"}, {"a]b", "k", "a]b"}, {"A]", "k", "A]"},
  };
  for (const Case& c : cases) {
    WriteFile(content);
    TKV_Inifile ini(FPath);
    ExpectRefused(
        FPath, [&] { ini.WriteString(c.section, c.key, "v"); }, c.refused);
    ExpectRefused(
        FPath,
        [&] {
          ini.PutKeysFirst(c.section, {}, {{c.key, "v"}});
        },
        c.refused);
    EXPECT_EQ(content, ReadFile()) << c.refused;
  }
  for (const char* fine : {"a;b", "a[b", "x]", "k v", ""}) {
    EXPECT_EQ(std::nullopt, RefusedKeyName(fine)) << fine;
  }
  EXPECT_EQ(std::nullopt, RefusedSectionName("[A"));
  EXPECT_EQ("The key name \"a=b\" cannot be stored in an INI file: it holds \"=\".",
            RefusedKeyName("a=b"));
  EXPECT_EQ("The section name \"a]b\" cannot be stored in an INI file: it holds \"]\".",
            RefusedSectionName("a]b"));
}

// ---------------------------------------------------------------------------------------
// Batches

struct SequenceCase {
  const char* name;
  std::string before;
  std::function<void(TKV_Inifile&)> calls;
};

const SequenceCase kSequences[] = {
    {"writes into new and existing sections", "[A]\r\nx=1\r\n\r\n[B]\r\ny=2",
     [](TKV_Inifile& ini) {
       ini.WriteString("A", "n", "new");
       ini.WriteString("C", "k", "a\nb");
       ini.WriteString("B", "y", "3");
       ini.WriteString("a", "X", "replaced");
     }},
    {"deletes, erases and writes again", "; c\r\n[A]\r\nx=1\r\ny=2\r\n;n\r\n[B]\r\nz=3\r\n",
     [](TKV_Inifile& ini) {
       ini.DeleteKey("A", "x");
       ini.EraseSection("B");
       ini.WriteString("B", "z", "4");
       ini.DeleteKey("A", "y");
       ini.WriteString("A", "w", "5");
       ini.DeleteKey("A", "absent");
       ini.EraseSection("absent");
     }},
    {"reads in between see the writes", "[A]\r\nx=1\r\n",
     [](TKV_Inifile& ini) {
       ini.WriteString("A", "y", ini.ReadString("A", "x", "") + "2");
       ini.DeleteKey("A", "x");
       for (const std::string& key : ini.ReadSection("A")) ini.WriteString("B", key, "copied");
       ini.WriteString("C", "exists", ini.SectionExists("A") ? "yes" : "no");
     }},
    {"repeated names and blocks", "[A]\r\nx=1\r\nX=2\r\n[A]\r\nx=3\r\n",
     [](TKV_Inifile& ini) {
       ini.DeleteKey("A", "x");
       ini.WriteString("A", "x", "4");
       ini.DeleteKey("A", "X");
       ini.WriteString("A", "y", "5");
     }},
    {"keys first", "[M]\r\nb=2\r\nRowIndex=1\r\na=\"  q  \"\r\n",
     [](TKV_Inifile& ini) {
       ini.PutKeysFirst("M", {"RowIndex", "RowLabel"}, {{"RowLabel", "7"}});
       ini.WriteString("M", "c", "3");
     }},
    {"a refused name in the middle", "[A]\r\nx=1\r\n",
     [](TKV_Inifile& ini) {
       ini.WriteString("A", "y", "2");
       ini.DeleteKey("A", "x");
       ini.WriteString("A", "bad=name", "3");
       ini.WriteString("A", "never", "4");
     }},
};

void RunCalls(TKV_Inifile& ini, const std::function<void(TKV_Inifile&)>& calls) {
  try {
    calls(ini);
  } catch (const platform::EIniFileException&) {
  }
}

TEST_F(IniFileTest, ABatchLeavesTheBytesOfTheSameCallsMadeOneByOne) {
  for (const SequenceCase& c : kSequences) {
    WriteFile(c.before);
    {
      TKV_Inifile ini(FPath);
      RunCalls(ini, c.calls);
    }
    const std::string oneByOne = ReadFile();
    WriteFile(c.before);
    {
      TKV_Inifile ini(FPath);
      TIniBatch batch(ini);
      RunCalls(ini, c.calls);
      batch.UpdateFile();
    }
    EXPECT_EQ(oneByOne, ReadFile()) << c.name;
    // Left by the exception, without a commit: what was done before it is written.
    WriteFile(c.before);
    try {
      TKV_Inifile ini(FPath);
      TIniBatch batch(ini);
      c.calls(ini);
      batch.UpdateFile();
    } catch (const platform::EIniFileException&) {
    }
    EXPECT_EQ(oneByOne, ReadFile()) << c.name << " (left by an exception)";
  }
}

TEST_F(IniFileTest, ABatchWritesOnceAtItsCommit) {
  WriteFile("[A]\r\nx=1\r\n");
  TKV_Inifile ini(FPath);
  TKV_Inifile other(FPath);
  {
    TIniBatch batch(ini);
    ini.WriteString("A", "y", "2");
    {
      TIniBatch inner(ini);
      ini.WriteString("A", "z", "3");
      inner.UpdateFile();
    }
    EXPECT_EQ("[A]\r\nx=1\r\n", ReadFile()) << "an inner scope joins the outer one";
    EXPECT_EQ("", other.ReadString("A", "y", ""));
    EXPECT_EQ("2", ini.ReadString("A", "y", ""));
    batch.UpdateFile();
    EXPECT_EQ("[A]\r\nx=1\r\ny=2\r\nz=3\r\n", ReadFile());
    ini.WriteString("A", "w", "4");
  }
  EXPECT_EQ("[A]\r\nx=1\r\ny=2\r\nz=3\r\nw=4\r\n", ReadFile());
}

TEST_F(IniFileTest, AFailingCommitLeavesTheFileAsItWas) {
  const std::string path = FPath;
  const std::string content = "[A]\r\nx=1\r\n";
  WriteFileAt(path, content);
  TKV_Inifile ini(path);
  fault_injection::ScopedFault failingDisk({.call = fault_injection::Call::Fsync, .error = EIO});
  {
    TIniBatch batch(ini);
    ini.WriteString("A", "y", "2");
    ini.EraseSection("A");
    ExpectUnableToWrite(
        path, [&] { batch.UpdateFile(); }, "UpdateFile");
  }
  EXPECT_EQ(content, ReadFileAt(path));
  EXPECT_EQ("1", ini.ReadString("A", "x", ""));
  // Left by another exception, the write that fails too is silent: the first one is
  // what the caller gets.
  try {
    TIniBatch batch(ini);
    ini.WriteString("A", "y", "2");
    throw std::runtime_error("the first failure");
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ("the first failure", error.what());
  }
  EXPECT_EQ(content, ReadFileAt(path));
  EXPECT_THAT(ini.ReadSection("A"), ElementsAre("x"));
}

TEST_F(IniFileTest, ABatchAppliesItsEditsToTheFileAsItStandsAtTheCommit) {
  WriteFile("[A]\r\nx=1\r\n");
  TKV_Inifile ini(FPath);
  TKV_Inifile other(FPath);
  {
    TIniBatch batch(ini);
    ini.WriteString("A", "mine", "1");
    ini.DeleteKey("A", "x");
    other.WriteString("B", "theirs", "2");
  }
  EXPECT_EQ("[A]\r\nmine=1\r\n[B]\r\ntheirs=2\r\n", ReadFile());
}

TEST_F(IniFileTest, AReadScopeLooksAtTheFileOnce) {
  WriteFile("[A]\r\nk=1\r\n");
  TKV_Inifile ini(FPath);
  {
    TIniReadScope scope(ini);
    EXPECT_EQ("1", ini.ReadString("A", "k", ""));
    WriteFile("[A]\r\nk=2\r\n");
    EXPECT_EQ("1", ini.ReadString("A", "k", ""));
    // A write inside it still reaches the file at once, onto the file as it stands.
    ini.WriteString("A", "j", "3");
    EXPECT_EQ("[A]\r\nk=2\r\nj=3\r\n", ReadFile());
  }
  WriteFile("[A]\r\nk=4\r\n");
  EXPECT_EQ("4", ini.ReadString("A", "k", ""));
}

// The index against a fresh parse of the same bytes, after many edits of every kind.
// The size the size limit is checked against, without building the content.
TEST(ProfileTextTest, TheContentSizeFollowsEveryEdit) {
  struct Case {
    const char* name;
    const char* before;
    std::function<void(platform::ProfileText&)> edit;
  };
  const Case cases[] = {
      {"an empty file gains a section", "", [](auto& t) { t.SetValue("A", "k", "1"); }},
      {"a last line without an ending gets one", "[A]\r\nk=1",
       [](auto& t) { t.SetValue("A", "n", "2"); }},
      {"a value grows in place", "[A]\nk=1\n", [](auto& t) { t.SetValue("A", "k", "12345"); }},
      {"a value shrinks in place", "[A]\nk=12345\n", [](auto& t) { t.SetValue("a", "K", ""); }},
      {"a byte-order mark stays counted", "\xEF\xBB\xBF[A]\r\nk=1\r\n",
       [](auto& t) { t.RemoveKey("A", "k"); }},
      {"an erase keeps the comments", "[A]\r\n;c\r\nk=1\r\n[B]\r\n",
       [](auto& t) { t.RemoveSection("A"); }},
      {"keys put first", "[A]\r\nx=1\r\nRow=2",
       [](auto& t) {
         t.PutKeysFirst("A", {"row"}, {{"Row", "33"}, {"New", "4"}});
       }},
  };
  for (const Case& c : cases) {
    platform::ProfileText text{std::string(c.before)};
    EXPECT_EQ(std::string(c.before).size(), text.ContentSize()) << c.name;
    c.edit(text);
    EXPECT_EQ(text.Content().size(), text.ContentSize()) << c.name;
  }
}

TEST(ProfileTextTest, TheIndexAgreesWithAFreshParseAfterEveryEdit) {
  const std::string sections[] = {"A", "b", "C", "a"};
  const std::string keys[] = {"k0", "K0", "k1", "k2", "Row"};
  platform::ProfileText text(
      "; head\r\n[A]\r\nk0=1\r\n\r\n[B]\r\nk1=2\r\nk1=3\r\n[a]\r\nk2=4\r\njunk\r\n;c\r\n");
  uint32_t state = 12345;
  auto next = [&state](uint32_t range) {
    state = state * 1103515245u + 12345u;
    return (state >> 16) % range;
  };
  for (int step = 0; step < 3000; ++step) {
    const std::string& section = sections[next(4)];
    const std::string& key = keys[next(5)];
    switch (next(8)) {
      case 0:
        text.RemoveKey(section, key);
        break;
      case 1:
        if (next(4) == 0) text.RemoveSection(section);
        break;
      case 2:
        text.PutKeysFirst(section, {"Row"}, {{"Row", std::to_string(step)}});
        break;
      case 3:
        text.ContentWritten();
        break;
      default:
        text.SetValue(section, key, std::to_string(step));
    }
    const platform::ProfileText fresh(text.Content());
    ASSERT_EQ(text.Content().size(), text.ContentSize()) << "step " << step;
    for (const std::string& s : sections) {
      ASSERT_EQ(fresh.KeyNames(s), text.KeyNames(s)) << "step " << step;
      for (const std::string& k : keys) ASSERT_EQ(fresh.Value(s, k), text.Value(s, k)) << step;
    }
  }
}

}  // namespace
