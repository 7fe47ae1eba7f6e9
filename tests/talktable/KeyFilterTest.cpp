// Every filtered number field of Sorlith refuses what is no digit, whatever the key
// carries it: Alt combinations, characters above Latin-1 and input-method text.
#include <QCheckBox>
#include <QInputMethodEvent>
#include <QKeyEvent>

#include "talktable/UEntryForm.h"
#include "talktable/UPadForm.h"
#include "talktable/USearchForm.h"
#include "tests/talktable/KeyPress.h"
#include "tests/talktable/MainWindowFixture.h"

namespace sorlith {
namespace {

using testing_support::Find;
using testing_support::PressKey;

class KeyFilterTest : public testing_support::MainWindowTest {};

void CommitInputMethodText(QWidget& field, const QString& text) {
  QInputMethodEvent event;
  event.setCommitString(text);
  QApplication::sendEvent(&field, &event);
}

TEST_F(KeyFilterTest, NumberFieldsTakeOnlyDigits) {
  Load({{"a"}, {"b"}});
  form->SearchForm().cdSearchAll->setChecked(false);
  std::vector<QLineEdit*> fields = {
      form->edStart,
      form->edStop,
      Find<QLineEdit>(&form->SearchForm(), "edStart"),
      Find<QLineEdit>(&form->SearchForm(), "edStop"),
      Find<QLineEdit>(&form->EntryForm(), "edVolume"),
      Find<QLineEdit>(&form->EntryForm(), "edPitch"),
      Find<QLineEdit>(&form->EntryForm(), "edLength"),
      Find<QLineEdit>(&form->PadEntriesForm(), "edStrRef"),
  };
  struct Refused {
    const char* name;
    int key;
    Qt::KeyboardModifiers modifiers;
    QString text;
  } const refused[] = {
      {"Alt+A", Qt::Key_A, Qt::AltModifier, QStringLiteral("a")},
      {"Alt+minus", Qt::Key_Minus, Qt::AltModifier, QStringLiteral("-")},
      {"l with stroke", 0x141, Qt::NoModifier, QString::fromUtf8("\xC5\x82")},
      {"euro sign", Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8("\xE2\x82\xAC")},
      {"a digit key that types a letter", Qt::Key_5, Qt::NoModifier, QStringLiteral("(")},
  };
  for (QLineEdit* field : fields) {
    const std::string name =
        field->parentWidget()->objectName().toStdString() + "." + field->objectName().toStdString();
    field->setText(QStringLiteral("1"));
    field->end(false);
    for (const Refused& key : refused) {
      const int beeps = services.beep.Count();
      PressKey(*field, key.key, key.modifiers, key.text);
      EXPECT_EQ("1", Text(field)) << name << ": " << key.name;
      EXPECT_EQ(beeps + 1, services.beep.Count()) << name << ": " << key.name;
    }
    CommitInputMethodText(*field, QStringLiteral("5"));
    CommitInputMethodText(*field, QString::fromUtf8("\xC5\x82"));
    EXPECT_EQ("1", Text(field)) << name << ": input-method text";
    EXPECT_FALSE(field->testAttribute(Qt::WA_InputMethodEnabled)) << name;
    PressKey(*field, Qt::Key_7, Qt::NoModifier, QStringLiteral("7"));
    EXPECT_EQ("17", Text(field)) << name;
  }
}

}  // namespace
}  // namespace sorlith
