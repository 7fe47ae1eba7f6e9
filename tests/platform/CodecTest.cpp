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

}  // namespace
}  // namespace platform
