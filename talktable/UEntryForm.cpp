#include "talktable/UEntryForm.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTextDocument>
#include <QVBoxLayout>
#include <cmath>
#include <limits>

#include "formats/UKV_Common.h"
#include "platform/Conversions.h"
#include "platform/Locale.h"
#include "platform/ui/Application.h"
#include "platform/ui/Codec.h"
#include "platform/ui/KeyFilter.h"
#include "platform/ui/Services.h"
#include "talktable/UDialogParts.h"

namespace sorlith {

namespace {

QLabel* TwoLineLabel(QWidget* parent, const char* name, const char* caption) {
  auto* label = Named(new QLabel(QString::fromLatin1(caption), parent), name);
  label->setAlignment(Qt::AlignCenter);
  return label;
}

std::string ZeroLengthText() { return std::string("0") + platform::DecimalSeparator() + "0"; }

// A line feed, a carriage return, or a carriage return and line feed each end a line.
QString AsLines(std::string_view text) {
  std::string lines;
  lines.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r') {
      lines += text[i];
      continue;
    }
    lines += '\n';
    if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
  }
  return platform::ToQt(lines);
}

std::string FieldText(const QLineEdit& field) { return platform::FromQt(field.text()); }

}  // namespace

TEntryForm::TEntryForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TEntryForm"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint |
                 Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  CreateComponents();
  LayOut();
  ConnectHandlers();
}

void TEntryForm::CreateComponents() {
  boxText = Named(new QGroupBox(QStringLiteral(" Entry Text "), this), "boxText");
  txtString = Named(new QPlainTextEdit(boxText), "txtString");
  btnSave = Named(new QPushButton(QStringLiteral("&Save"), this), "btnSave");
  btnSave->setDefault(true);
  btnCancel = Named(new QPushButton(QStringLiteral("&Cancel"), this), "btnCancel");

  boxFlags = Named(new QGroupBox(QStringLiteral(" Flags "), this), "boxFlags");
  cbText = WithToolTip(MakeCheckBox(boxFlags, "cbText", "Text present"),
                       "This appears to be checked for all entries containing a string in the TSL "
                       "dialog.tlk.");
  cbSound = WithToolTip(MakeCheckBox(boxFlags, "cbSound", "Sound present"),
                        "This appears to be checked for all entries containing a string in the TSL "
                        "dialog.tlk even if no sound is specified.");
  cbLength =
      WithToolTip(MakeCheckBox(boxFlags, "cbLength", "Sound length present"),
                  "This appears to be checked for all entries containing a string in the TSL "
                  "dialog.tlk even if no sound length is specified.");
  for (QCheckBox* box : {cbText, cbSound, cbLength}) box->setChecked(true);

  boxResref = Named(new QGroupBox(QStringLiteral(" Sound Resref "), this), "boxResref");
  edResref = Named(new QLineEdit(boxResref), "edResref");
  edResref->setMaxLength(16);
  edResref->setToolTip(
      QStringLiteral("Resref ( filename without suffix) of a sound associated "
                     "with this string entry. Max 16 characters."));

  boxSound = Named(new QGroupBox(QStringLiteral(" Sound settings "), this), "boxSound");
  lblVolume = TwoLineLabel(boxSound, "lblVolume", "Volume\nVariance");
  edVolume = WithToolTip(MakeEdit(boxSound, "edVolume", "0"),
                         "Volume variance appears to be set to 0 for all entries in the TSL "
                         "dialog.tlk. Probably unused.");
  lblPitch = TwoLineLabel(boxSound, "lblPitch", "Pitch\nVariance");
  edPitch = WithToolTip(MakeEdit(boxSound, "edPitch", "0"),
                        "Pitch variance appears to be set to 0 for all entries in the TSL "
                        "dialog.tlk. Probably unused.");
  lblLength = TwoLineLabel(boxSound, "lblLength", "Sound\nLength");
  edLength = WithToolTip(MakeEdit(boxSound, "edLength", "0"),
                         "Sound length appears to be set to 0.0 for all entries in the TSL "
                         "dialog.tlk. Probably unused.");

  QWidget* order[] = {txtString, btnSave,  btnCancel, cbText,  cbSound,
                      cbLength,  edResref, edVolume,  edPitch, edLength};
  for (size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
  // Tab moves on from the memo instead of typing a tab character.
  txtString->setTabChangesFocus(true);
}

void TEntryForm::LayOut() {
  auto* text = new QVBoxLayout(boxText);
  text->addWidget(txtString);
  txtString->setMinimumSize(420, 160);

  auto* flags = new QVBoxLayout(boxFlags);
  for (QCheckBox* box : {cbText, cbSound, cbLength}) flags->addWidget(box);
  auto* resref = new QVBoxLayout(boxResref);
  resref->addWidget(edResref);
  auto* sound = new QGridLayout(boxSound);
  sound->addWidget(lblVolume, 0, 0);
  sound->addWidget(lblPitch, 0, 1);
  sound->addWidget(lblLength, 0, 2);
  sound->addWidget(edVolume, 1, 0);
  sound->addWidget(edPitch, 1, 1);
  sound->addWidget(edLength, 1, 2);

  auto* settings = new QHBoxLayout;
  settings->addWidget(boxFlags);
  settings->addWidget(boxResref);
  settings->addWidget(boxSound);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(btnSave);
  buttons->addWidget(btnCancel);
  auto* form = new QVBoxLayout(this);
  form->addWidget(boxText, 1);
  form->addLayout(settings);
  form->addLayout(buttons);
  form->setSizeConstraint(QLayout::SetFixedSize);
}

void TEntryForm::ConnectHandlers() {
  platform::Connect(btnSave, &QPushButton::clicked, this, [this](bool) { accept(); });
  platform::Connect(btnCancel, &QPushButton::clicked, this, [this](bool) { reject(); });
  platform::InstallKeyFilter(*edVolume,
                             [this](const QKeyEvent& key) { return edVolumeKeyPress(key); });
  platform::InstallKeyFilter(*edPitch,
                             [this](const QKeyEvent& key) { return edPitchKeyPress(key); });
  platform::InstallKeyFilter(*edLength,
                             [this](const QKeyEvent& key) { return edLengthKeyPress(key); });
  connect(txtString, &QPlainTextEdit::textChanged, this, [this] { FitWrapModeToText(*txtString); });
}

void TEntryForm::SetPosition(int left, int top) { move(left, top); }

std::string TEntryForm::SoundLengthText(float value) {
  return platform::FormatGeneral(value, 2, 2, platform::DecimalSeparator());
}

void TEntryForm::ResetFields() {
  FShown.reset();
  txtString->clear();
  for (QCheckBox* box : {cbText, cbSound, cbLength}) box->setChecked(true);
  edVolume->setText(QStringLiteral("0"));
  edPitch->setText(QStringLiteral("0"));
  edLength->setText(platform::ToQt(ZeroLengthText()));
  edResref->clear();
}

void TEntryForm::ShowEntry(const TTLKString& entry) {
  ShowPlainText(*txtString, AsLines(entry.GetText()));
  cbText->setChecked(entry.GetFlags() & 1);
  cbSound->setChecked(entry.GetFlags() & 2);
  cbLength->setChecked(entry.GetFlags() & 4);
  TShownValues shown;
  shown.VolumeVariance = entry.GetVolumeVariance();
  shown.VolumeText = platform::UIntToStr(shown.VolumeVariance);
  shown.PitchVariance = entry.GetPitchVariance();
  shown.PitchText = platform::UIntToStr(shown.PitchVariance);
  shown.SoundLength = entry.GetSoundLength();
  shown.SoundLengthText = SoundLengthText(shown.SoundLength);
  edVolume->setText(platform::ToQt(shown.VolumeText));
  edPitch->setText(platform::ToQt(shown.PitchText));
  edLength->setText(platform::ToQt(shown.SoundLengthText));
  const auto& resRef = entry.GetSoundResRef();
  const std::string_view bytes(resRef.data(), resRef.size());
  edResref->setText(platform::ToQt(bytes.substr(0, bytes.find('\0'))));
  FShown = shown;
}

std::optional<float> TEntryForm::ReadSoundLength() const {
  const std::string text = FieldText(*edLength);
  // Untouched: the stored value, not the two-digit text it was shown as.
  if (FShown && text == FShown->SoundLengthText) return FShown->SoundLength;
  const std::optional<double> value = platform::TryStrToFloat(text, platform::DecimalSeparator());
  // Beyond the range of a 32-bit float it is no sound length either.
  if (!value || !(std::fabs(*value) <= std::numeric_limits<float>::max())) return std::nullopt;
  return static_cast<float>(*value);
}

std::optional<uint32_t> TEntryForm::ReadVolumeVariance() const {
  const std::string text = FieldText(*edVolume);
  if (FShown && text == FShown->VolumeText) return FShown->VolumeVariance;
  return platform::TryStrToUInt32(text);
}

std::optional<uint32_t> TEntryForm::ReadPitchVariance() const {
  const std::string text = FieldText(*edPitch);
  if (FShown && text == FShown->PitchText) return FShown->PitchVariance;
  return platform::TryStrToUInt32(text);
}

uint32_t TEntryForm::ReadFlags() const {
  return (cbText->isChecked() ? 1u : 0u) | (cbSound->isChecked() ? 2u : 0u) |
         (cbLength->isChecked() ? 4u : 0u);
}

TTLKString::ResRef TEntryForm::ReadSoundResRef() const {
  const std::string text = FieldText(*edResref);
  TTLKString::ResRef resRef{};
  for (size_t i = 0; i < resRef.size() && i < text.size(); ++i) resRef[i] = text[i];
  return resRef;
}

std::string TEntryForm::ReadText() const {
  // toRawText keeps non-breaking spaces; its paragraph separators are the line breaks.
  QString text = txtString->document()->toRawText();
  text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  text.replace(QChar::LineSeparator, QLatin1Char('\n'));
  return ReplaceAll(platform::FromQt(text), "\r", "");
}

void TEntryForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;  // the window system's show, not the program's
  platform::RunGuarded([this] { FormShow(); });
}

void TEntryForm::FormShow() {
  boxText->setTitle(QStringLiteral(" Entry Text (%1) ").arg(FEntryNumber));
  txtString->setFocus();
}

void TEntryForm::done(int result) {
  platform::RunGuarded([this] { FormClose(); });
  QDialog::done(result);
}

void TEntryForm::FormClose() {
  if (edVolume->text().isEmpty()) edVolume->setText(QStringLiteral("0"));
  if (edPitch->text().isEmpty()) edPitch->setText(QStringLiteral("0"));
  if (edLength->text().isEmpty()) edLength->setText(platform::ToQt(ZeroLengthText()));
}

bool TEntryForm::edVolumeKeyPress(const QKeyEvent& key) { return VarianceKeyPress(key); }
bool TEntryForm::edPitchKeyPress(const QKeyEvent& key) { return VarianceKeyPress(key); }

bool TEntryForm::VarianceKeyPress(const QKeyEvent& key) {
  const platform::TypedKey kind = platform::ClassifyKey(key);
  if (kind == platform::TypedKey::Digit || kind == platform::TypedKey::Backspace ||
      kind == platform::TypedKey::NoCharacter)
    return true;
  platform::Beep();
  return false;
}

bool TEntryForm::edLengthKeyPress(const QKeyEvent& key) {
  const platform::TypedKey kind = platform::ClassifyKey(key);
  if (kind == platform::TypedKey::Digit || kind == platform::TypedKey::Backspace ||
      kind == platform::TypedKey::NoCharacter)
    return true;
  const char separator = platform::DecimalSeparator();
  if (kind == platform::TypedKey::Character &&
      platform::TypedCharacter(key) == static_cast<unsigned char>(separator) &&
      !edLength->text().contains(QLatin1Char(separator)))
    return true;
  platform::Beep();
  return false;
}

}  // namespace sorlith
