#include "platform/ui/Codec.h"

#include <QFile>
#include <array>
#include <optional>
#include <unordered_map>

namespace platform {

namespace {

// Bytes 0x80 to 0x9F; the others map to the code point of the same value.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t ByteToUnicode(unsigned char byte) {
  return (byte >= 0x80 && byte < 0xA0) ? kHighControls[byte - 0x80] : static_cast<char16_t>(byte);
}

const std::unordered_map<char16_t, char>& UnicodeToByte() {
  static const std::unordered_map<char16_t, char> table = [] {
    std::unordered_map<char16_t, char> map;
    for (int byte = 0x80; byte < 0xA0; ++byte)
      map[kHighControls[byte - 0x80]] = static_cast<char>(byte);
    return map;
  }();
  return table;
}

}  // namespace

QString ToQt(std::string_view bytes) {
  QString result(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
  QChar* out = result.data();
  for (size_t i = 0; i < bytes.size(); ++i)
    out[i] = QChar(ByteToUnicode(static_cast<unsigned char>(bytes[i])));
  return result;
}

namespace {

// The byte of a UTF-16 unit, or none.
std::optional<char> ByteOf(char16_t unit) {
  if (unit < 0x80 || (unit >= 0xA0 && unit < 0x100)) return static_cast<char>(unit);
  auto found = UnicodeToByte().find(unit);
  if (found == UnicodeToByte().end()) return std::nullopt;
  return found->second;
}

}  // namespace

std::string FromQt(const QString& text) {
  std::string result;
  result.reserve(static_cast<size_t>(text.size()));
  for (QChar c : text) result += ByteOf(c.unicode()).value_or('?');
  return result;
}

CodePageText ToCodePage(const QString& text) {
  CodePageText result;
  result.bytes.reserve(static_cast<size_t>(text.size()));
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (std::optional<char> byte = ByteOf(text[i].unicode())) {
      result.bytes += *byte;
      continue;
    }
    const bool pair =
        text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
    result.unstorable =
        pair ? QChar::surrogateToUcs4(text[i], text[i + 1]) : char32_t{text[i].unicode()};
    result.bytes.clear();
    return result;
  }
  return result;
}

QString PathToQt(std::string_view path) {
  return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

std::string PathFromQt(const QString& path) { return QFile::encodeName(path).toStdString(); }

std::string PathText(std::string_view path) { return FromQt(PathToQt(path)); }

QString SentenceToQt(const Sentence& sentence) {
  return SentenceToQt(sentence.Bytes(), sentence.PathSpans());
}

QString SentenceToQt(std::string_view bytes, const std::vector<TextSpan>& pathSpans) {
  QString result;
  size_t position = 0;
  for (const TextSpan& span : pathSpans) {
    result += ToQt(bytes.substr(position, span.offset - position));
    result += PathToQt(bytes.substr(span.offset, span.length));
    position = span.offset + span.length;
  }
  return result + ToQt(bytes.substr(position));
}

}  // namespace platform
