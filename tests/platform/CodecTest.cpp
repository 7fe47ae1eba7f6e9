#include <gtest/gtest.h>

#include "platform/ui/Codec.h"

namespace platform {
namespace {

TEST(CodecTest, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int byte = 0; byte < 256; ++byte) all += static_cast<char>(byte);
  QString text = ToQt(all);
  EXPECT_EQ(256, text.size());
  EXPECT_EQ(all, FromQt(text));
}

TEST(CodecTest, MapsTheCodePage) {
  EXPECT_EQ(QString(QChar(0x20AC)), ToQt("\x80"));
  EXPECT_EQ(QString(QChar(0x0081)), ToQt("\x81"));
  EXPECT_EQ(QString::fromUtf8("Fran\xC3\xA7"
                              "ais"),
            ToQt("Fran\xE7"
                 "ais"));
  EXPECT_EQ("?", FromQt(QString(QChar(0x4E2D))));
  EXPECT_EQ("?", FromQt(QString(QChar(0x0080))));
}

TEST(CodecTest, PathsKeepTheFileSystemBytes) {
  const std::string utf8Path = "/mods/\xC3\x84rger/dialog.tlk";
  EXPECT_EQ(QString::fromUtf8("/mods/\xC3\x84rger/dialog.tlk"), PathToQt(utf8Path));
  EXPECT_EQ(utf8Path, PathFromQt(PathToQt(utf8Path)));
}

// Typed text is converted without replacing anything: the first character the code
// page lacks is reported (a whole code point, also beyond the 16-bit plane).
TEST(CodecTest, ToCodePageReportsTheFirstCharacterItCannotStore) {
  struct Case {
    QString typed;
    std::string bytes;
    char32_t unstorable;
  } const cases[] = {
      {QString::fromUtf8("\xE2\x82\xAC 5, \xC3\xA9t\xC3\xA9"), "\x80 5, \xE9t\xE9", 0},
      {QString::fromUtf8("Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87"), "", 0x17C},
      {QString::fromUtf8("a\xF0\x9F\x98\x80"), "", 0x1F600},
      {QString(QChar(0x0080)), "", 0x80},
      {QString(), "", 0},
  };
  for (const Case& c : cases) {
    const CodePageText converted = ToCodePage(c.typed);
    EXPECT_EQ(c.bytes, converted.bytes) << c.typed.toStdString();
    EXPECT_EQ(c.unstorable, converted.unstorable) << c.typed.toStdString();
    EXPECT_EQ(c.unstorable == 0, converted.Stored());
  }
}

// The code-page part and the path part of a sentence are decoded each by its own rule.
TEST(CodecTest, ASentenceShowsItsPathAsTheFileSystemNamesIt) {
  const Sentence sentence = "Cannot open file \"" +
                            Sentence::Path(
                                "/mods/\xC3\x9C"
                                "ber/\xC5\x82.tlk") +
                            "\". \xC9tat";
  EXPECT_EQ(QString::fromUtf8("Cannot open file \"/mods/\xC3\x9C"
                              "ber/\xC5\x82.tlk\". \xC3\x89tat"),
            SentenceToQt(sentence));
  EXPECT_EQ(
      "Cannot open file \"/mods/\xC3\x9C"
      "ber/\xC5\x82.tlk\". \xC9tat",
      sentence.Bytes());
}

}  // namespace
}  // namespace platform
