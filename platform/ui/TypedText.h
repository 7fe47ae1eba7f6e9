// What the user types goes into files in the Windows-1252 code page. A character the
// code page cannot store must not silently become "?": every command that stores,
// searches or writes a typed text takes it through StorableText first.
#pragma once

#include <QPoint>
#include <QString>
#include <optional>
#include <string>

#include "platform/Sentence.h"

class QWidget;

namespace platform {

// The typed text as the code page stores it. When it holds a character the code page
// cannot store, a warning naming the first such character is shown (at `boxAt`, else
// centred) and nothing is returned: the command stops without storing anything.
std::optional<std::string> StorableText(QWidget* parent, const QString& typed,
                                        std::optional<QPoint> boxAt = std::nullopt);

// The warning's sentence for `character` (a code point).
Sentence UnstorableCharacterMessage(char32_t character);

}  // namespace platform
