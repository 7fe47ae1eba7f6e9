// The entry dialog of Sorlith, for adding and modifying talk-table entries. Created
// once and reused; the opener resets it before every use. It shows an entry's fields
// and reads them back; storing them into the table is the main window's part.
#pragma once

#include <QDialog>
#include <cstdint>
#include <optional>
#include <string>

#include "talktable/UTLKFile.h"

class QCheckBox;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace sorlith {

class TEntryForm : public QDialog {
  Q_OBJECT

 public:
  explicit TEntryForm(QWidget* parent = nullptr);

  // The StrRef shown in the text box caption.
  int32_t EntryNumber() const { return FEntryNumber; }
  void SetEntryNumber(int32_t value) { FEntryNumber = value; }
  void SetPosition(int left, int top);

  void ResetFields();
  // Fills the fields from `entry` (for modifying).
  void ShowEntry(const TTLKString& entry);

  // The fields as an entry stores them. A number field that does not hold its kind of
  // number reads as none. A field that still shows what ShowEntry put there reads as
  // the entry's own value, bit for bit.
  std::optional<float> ReadSoundLength() const;
  std::optional<uint32_t> ReadVolumeVariance() const;
  std::optional<uint32_t> ReadPitchVariance() const;
  uint32_t ReadFlags() const;
  TTLKString::ResRef ReadSoundResRef() const;
  std::string ReadText() const;

  void FormShow();
  void FormClose();
  bool edVolumeKeyPress(const QKeyEvent& key);
  bool edPitchKeyPress(const QKeyEvent& key);
  bool edLengthKeyPress(const QKeyEvent& key);

  QGroupBox* boxText;
  QPlainTextEdit* txtString;
  QPushButton* btnSave;
  QPushButton* btnCancel;
  QGroupBox* boxFlags;
  QCheckBox* cbText;
  QCheckBox* cbSound;
  QCheckBox* cbLength;
  QGroupBox* boxResref;
  QLineEdit* edResref;
  QGroupBox* boxSound;
  QLabel* lblVolume;
  QLineEdit* edVolume;
  QLabel* lblPitch;
  QLineEdit* edPitch;
  QLabel* lblLength;
  QLineEdit* edLength;

  // The two-digit text of a sound length, as the dialog shows it.
  static std::string SoundLengthText(float value);

 public slots:
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // What ShowEntry displayed, to tell untouched fields from edited ones.
  struct TShownValues {
    std::string SoundLengthText;
    float SoundLength = 0;
    std::string VolumeText;
    uint32_t VolumeVariance = 0;
    std::string PitchText;
    uint32_t PitchVariance = 0;
  };

  void CreateComponents();
  void LayOut();
  void ConnectHandlers();
  bool VarianceKeyPress(const QKeyEvent& key);

  int32_t FEntryNumber = 0;
  std::optional<TShownValues> FShown;
};

}  // namespace sorlith
