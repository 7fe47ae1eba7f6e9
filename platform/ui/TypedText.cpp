#include "platform/ui/TypedText.h"

#include <cstdio>

#include "platform/ui/Codec.h"
#include "platform/ui/Services.h"

namespace platform {

Sentence UnstorableCharacterMessage(char32_t character) {
  char codePoint[16];
  std::snprintf(codePoint, sizeof codePoint, "U+%04X", static_cast<unsigned>(character));
  // The character itself is shown as Unicode text, as a path would be.
  const Sentence glyph = Sentence::Path(QString::fromUcs4(&character, 1).toStdString());
  return "The character \"" + glyph + "\" (" + std::string(codePoint) +
         ") cannot be stored in the Windows-1252 code page of the files. Nothing was changed.";
}

std::optional<std::string> StorableText(QWidget* parent, const QString& typed,
                                        std::optional<QPoint> boxAt) {
  CodePageText converted = ToCodePage(typed);
  if (converted.Stored()) return std::move(converted.bytes);
  const Sentence message = UnstorableCharacterMessage(converted.unstorable);
  MessageRequest request;
  request.kind = MessageKind::Warning;
  request.caption = "Warning";
  request.text = message.Bytes();
  request.pathSpans = message.PathSpans();
  request.topLeft = boxAt;
  ShowMessage(parent, request);
  return std::nullopt;
}

}  // namespace platform
