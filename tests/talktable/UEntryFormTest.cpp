#include "talktable/UEntryForm.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <bit>
#include <limits>

#include "platform/Locale.h"
#include "platform/ui/Codec.h"
#include "platform/ui/Services.h"
#include "tests/support/FakeServices.h"
#include "tests/support/Widgets.h"
#include "tests/talktable/KeyPress.h"

namespace sorlith {
namespace {

using testing_support::PressKey;

std::string TextOf(const QLineEdit& edit) { return platform::FromQt(edit.text()); }

TTLKString::ResRef ResRefOf(std::string_view bytes) {
  TTLKString::ResRef resRef{};
  for (size_t i = 0; i < bytes.size() && i < resRef.size(); ++i) resRef[i] = bytes[i];
  return resRef;
}

class EntryFormTest : public testing::Test {
 protected:
  void SetUp() override { platform::SetDecimalSeparator('.'); }
  void TearDown() override { platform::SetDecimalSeparator('.'); }

  testing_support::ScopedFakeServices services;
  TEntryForm form;
};

TEST_F(EntryFormTest, ComponentsTabOrderAndHints) {
  EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ((std::vector<std::string>{"txtString", "btnSave", "btnCancel", "cbText", "cbSound",
                                      "cbLength", "edResref", "edVolume", "edPitch", "edLength"}),
            testing_support::TabOrder(*form.txtString));
  EXPECT_TRUE(form.btnSave->isDefault());
  EXPECT_EQ(16, form.edResref->maxLength());
  EXPECT_EQ(" Flags ", form.boxFlags->title().toStdString());
  EXPECT_EQ(" Sound Resref ", form.boxResref->title().toStdString());
  EXPECT_EQ(" Sound settings ", form.boxSound->title().toStdString());
  EXPECT_EQ(
      "This appears to be checked for all entries containing a string in the TSL dialog.tlk even "
      "if no sound length is specified.",
      form.cbLength->toolTip().toStdString());
  EXPECT_EQ(
      "Resref ( filename without suffix) of a sound associated with this string entry. Max 16 "
      "characters.",
      form.edResref->toolTip().toStdString());
  EXPECT_EQ(
      "Sound length appears to be set to 0.0 for all entries in the TSL dialog.tlk. Probably "
      "unused.",
      form.edLength->toolTip().toStdString());
}

TEST_F(EntryFormTest, ResetGivesNewEntryDefaultsWithTheLocaleSeparator) {
  platform::SetDecimalSeparator(',');
  form.txtString->setPlainText("old");
  form.cbSound->setChecked(false);
  form.edVolume->setText("9");
  form.edResref->setText("x");
  form.ResetFields();
  EXPECT_EQ("", form.txtString->toPlainText().toStdString());
  EXPECT_TRUE(form.cbText->isChecked() && form.cbSound->isChecked() && form.cbLength->isChecked());
  EXPECT_EQ("0", TextOf(*form.edVolume));
  EXPECT_EQ("0", TextOf(*form.edPitch));
  EXPECT_EQ("0,0", TextOf(*form.edLength));
  EXPECT_EQ("", TextOf(*form.edResref));
}

TEST_F(EntryFormTest, ShowPutsTheEntryNumberInTheCaptionAndFocusesTheMemo) {
  form.SetEntryNumber(500);
  form.show();
  EXPECT_EQ(" Entry Text (500) ", form.boxText->title().toStdString());
  EXPECT_EQ(form.txtString, form.focusWidget());
}

TEST_F(EntryFormTest, EntryFillsTheFields) {
  TTLKString entry;
  entry.SetText("one\r\ntwo\rthree\nfour\n");
  entry.SetFlags(5);
  entry.SetVolumeVariance(4294967295u);
  entry.SetPitchVariance(17);
  entry.SetSoundLength(3.14159f);
  entry.SetSoundResRef(ResRefOf(std::string_view("vo_a\0junk", 9)));
  form.ShowEntry(entry);
  EXPECT_EQ("one\ntwo\nthree\nfour\n", form.txtString->toPlainText().toStdString());
  EXPECT_TRUE(form.cbText->isChecked());
  EXPECT_FALSE(form.cbSound->isChecked());
  EXPECT_TRUE(form.cbLength->isChecked());
  EXPECT_EQ("4294967295", TextOf(*form.edVolume));
  EXPECT_EQ("17", TextOf(*form.edPitch));
  EXPECT_EQ("3.1", TextOf(*form.edLength));
  EXPECT_EQ("vo_a", TextOf(*form.edResref)) << "up to the first NUL byte";
  entry.SetSoundResRef(ResRefOf("abcdefghijklmnop"));
  form.ShowEntry(entry);
  EXPECT_EQ("abcdefghijklmnop", TextOf(*form.edResref));
}

// Two significant digits of the float's exact binary value; an exact tie goes to the
// even digit (printf's rounding).
TEST_F(EntryFormTest, SoundLengthShowsTwoDigitsTiesToEven) {
  struct Case {
    float value;
    const char* text;
  };
  const Case cases[] = {
      {1.5f, "1.5"},    {3.14159f, "3.1"}, {123.0f, "1.2E02"}, {0.0f, "0"},
      {1.25f, "1.2"},   {3.75f, "3.8"},    {0.125f, "0.12"},   {12.5f, "12"},
      {-2.25f, "-2.2"}, {9.95f, "9.9"},    {99.5f, "1E02"},    {0.000001f, "1E-06"},
  };
  for (const Case& row : cases) EXPECT_EQ(row.text, TEntryForm::SoundLengthText(row.value));
  platform::SetDecimalSeparator(',');
  EXPECT_EQ("1,5", TEntryForm::SoundLengthText(1.5f));
}

TEST_F(EntryFormTest, FieldsFillAnEntry) {
  form.ResetFields();
  form.txtString->setPlainText("first\nsecond");
  form.cbSound->setChecked(false);
  form.edResref->setText("abc");
  form.edVolume->setText("4294967295");
  form.edPitch->setText("12");
  form.edLength->setText("2.5");
  EXPECT_EQ("first\nsecond", form.ReadText());
  EXPECT_EQ(5u, form.ReadFlags());
  EXPECT_EQ(ResRefOf("abc"), form.ReadSoundResRef()) << "13 NUL bytes follow";
  EXPECT_EQ(4294967295u, form.ReadVolumeVariance());
  EXPECT_EQ(12u, form.ReadPitchVariance());
  EXPECT_EQ(2.5f, form.ReadSoundLength());
  form.edResref->setText("abcdefghijklmnop");
  EXPECT_EQ(ResRefOf("abcdefghijklmnop"), form.ReadSoundResRef());
  form.txtString->setPlainText(QString::fromUtf8("a\u00A0b"));
  EXPECT_EQ(
      "a\xA0"
      "b",
      form.ReadText())
      << "a non-breaking space stays one";
}

TEST_F(EntryFormTest, NumberFieldsThatHoldNoNumberReadAsNone) {
  struct Case {
    const char* text;
    bool variance;
    bool length;
  };
  const Case cases[] = {
      {"", false, false},     {"4294967296", false, true}, {"-1", false, true},
      {"1.5", false, true},   {"1,5", false, false},       {"abc", false, false},
      {"1e40", false, false},
  };
  form.ResetFields();
  for (const Case& row : cases) {
    form.edVolume->setText(row.text);
    form.edPitch->setText(row.text);
    form.edLength->setText(row.text);
    EXPECT_EQ(row.variance, form.ReadVolumeVariance().has_value()) << row.text;
    EXPECT_EQ(row.variance, form.ReadPitchVariance().has_value()) << row.text;
    EXPECT_EQ(row.length, form.ReadSoundLength().has_value()) << row.text;
  }
  form.edLength->setText(QString(40, '9'));
  EXPECT_FALSE(form.ReadSoundLength()) << "beyond the range of a 32-bit float";
  platform::SetDecimalSeparator(',');
  form.edLength->setText("1,5");
  EXPECT_EQ(1.5f, form.ReadSoundLength());
}

TEST_F(EntryFormTest, UntouchedNumbersKeepTheStoredValueBitForBit) {
  TTLKString entry;
  entry.SetSoundLength(3.867f);
  entry.SetVolumeVariance(4294967295u);
  entry.SetPitchVariance(7);
  form.ResetFields();
  form.ShowEntry(entry);
  EXPECT_EQ("3.9", TextOf(*form.edLength));
  EXPECT_EQ(std::bit_cast<uint32_t>(3.867f), std::bit_cast<uint32_t>(*form.ReadSoundLength()));
  EXPECT_EQ(4294967295u, form.ReadVolumeVariance());
  EXPECT_EQ(7u, form.ReadPitchVariance());
  form.edLength->setText("3.90");
  EXPECT_EQ(3.9f, form.ReadSoundLength()) << "an edited field is read as typed";
  form.edLength->setText("3.9");
  EXPECT_EQ(3.867f, form.ReadSoundLength()) << "the displayed text again";

  const float nanWithPayload = std::bit_cast<float>(0x7FC01234u);
  entry.SetSoundLength(nanWithPayload);
  form.ResetFields();
  form.ShowEntry(entry);
  EXPECT_EQ(0x7FC01234u, std::bit_cast<uint32_t>(*form.ReadSoundLength()));

  form.ResetFields();
  form.edLength->setText("3.9");
  EXPECT_EQ(3.9f, form.ReadSoundLength()) << "a reset forgets the shown entry";
}

TEST_F(EntryFormTest, ClosingRefillsEmptiedNumberFields) {
  platform::SetDecimalSeparator(',');
  for (const char* button : {"btnSave", "btnCancel"}) {
    form.ResetFields();
    services.modals.Expect("TEntryForm", [button](QDialog& dialog) {
      for (const char* name : {"edVolume", "edPitch", "edLength"})
        testing_support::Find<QLineEdit>(&dialog, name)->clear();
      testing_support::Find<QPushButton>(&dialog, button)->click();
    });
    const int result = platform::RunModal(form);
    EXPECT_EQ(std::string(button) == "btnSave" ? QDialog::Accepted : QDialog::Rejected, result);
    EXPECT_EQ("0", TextOf(*form.edVolume)) << button;
    EXPECT_EQ("0", TextOf(*form.edPitch)) << button;
    EXPECT_EQ("0,0", TextOf(*form.edLength)) << button;
  }
}

TEST_F(EntryFormTest, VarianceKeysAreDigitsAndBackspaceOnly) {
  struct Case {
    int key;
    Qt::KeyboardModifiers modifiers;
    const char* eventText;
    bool passes;
  };
  const Case cases[] = {
      {Qt::Key_0, Qt::NoModifier, "0", true},
      {Qt::Key_Backspace, Qt::NoModifier, "\b", true},
      {Qt::Key_Right, Qt::NoModifier, "", true},
      {Qt::Key_C, Qt::ControlModifier, "\x03", false},
      {Qt::Key_V, Qt::ControlModifier, "\x16", false},
      {Qt::Key_Insert, Qt::ShiftModifier, "", false},
      {Qt::Key_Period, Qt::NoModifier, ".", false},
      {Qt::Key_Minus, Qt::NoModifier, "-", false},
      {Qt::Key_Q, Qt::NoModifier, "q", false},
      {Qt::Key_1, Qt::AltModifier, "a", false},
  };
  for (const Case& row : cases) {
    const QKeyEvent key(QEvent::KeyPress, row.key, row.modifiers,
                        QString::fromLatin1(row.eventText));
    const int beeps = services.beep.Count();
    EXPECT_EQ(row.passes, form.edVolumeKeyPress(key)) << row.key;
    EXPECT_EQ(row.passes, form.edPitchKeyPress(key)) << row.key;
    EXPECT_EQ(row.passes ? beeps : beeps + 2, services.beep.Count()) << row.key;
  }
}

TEST_F(EntryFormTest, LengthTakesOneLocaleSeparator) {
  platform::SetDecimalSeparator(',');
  form.edLength->clear();
  PressKey(*form.edLength, Qt::Key_1, Qt::NoModifier, "1");
  PressKey(*form.edLength, Qt::Key_Period, Qt::NoModifier, ".");
  PressKey(*form.edLength, Qt::Key_Comma, Qt::NoModifier, ",");
  PressKey(*form.edLength, Qt::Key_5, Qt::NoModifier, "5");
  PressKey(*form.edLength, Qt::Key_Comma, Qt::NoModifier, ",");
  PressKey(*form.edLength, Qt::Key_E, Qt::NoModifier, "e");
  EXPECT_EQ("1,5", TextOf(*form.edLength));
  EXPECT_EQ(3, services.beep.Count());
  platform::SetDecimalSeparator('.');
  form.edLength->clear();
  PressKey(*form.edLength, Qt::Key_Period, Qt::NoModifier, ".");
  PressKey(*form.edLength, Qt::Key_Comma, Qt::NoModifier, ",");
  EXPECT_EQ(".", TextOf(*form.edLength));
  EXPECT_EQ(4, services.beep.Count());
}

}  // namespace
}  // namespace sorlith
