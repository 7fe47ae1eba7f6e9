// The search dialog of Sorlith. Created once and reused: its criteria stay as the user
// left them from one search to the next; every show resets only the interval to the
// whole table.
#pragma once

#include <QDialog>
#include <cstdint>

#include "talktable/USearchCriteria.h"

class QCheckBox;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

namespace sorlith {

class TSearchForm : public QDialog {
  Q_OBJECT

 public:
  explicit TSearchForm(QWidget* parent = nullptr);

  // The open table's entry count, set before every show.
  int32_t EntryCount() const { return FEntryCount; }
  void SetEntryCount(int32_t value) { FEntryCount = value; }
  void SetPosition(int left, int top);

  // The texts as typed and the seven check boxes.
  TSearchCriteria Criteria() const;

  void FormShow();
  void cdSearchAllClick();
  void cbWordSearchClick();
  void cbSoundSearchClick();
  void btnResetClick();
  void btnSearchClick();
  void btnCancelClick();
  bool edStartKeyPress(const QKeyEvent& key);
  bool edStopKeyPress(const QKeyEvent& key);

  QGroupBox* bxSearch;
  QLabel* lblString;
  QLineEdit* edString;
  QLabel* lblResref;
  QLineEdit* edResref;
  QLabel* lblInterval1;
  QLineEdit* edStart;
  QLabel* lblInterval2;
  QLineEdit* edStop;
  QCheckBox* cdSearchAll;
  QCheckBox* cbSoundSearch;
  QPushButton* btnSearch;
  QGroupBox* bxFlags;
  QCheckBox* cbMatchCase;
  QCheckBox* cbNegate;
  QCheckBox* cbExactMatch;
  QCheckBox* cbFlagNew;
  QCheckBox* cbFilterBlank;
  QCheckBox* cbWordSearch;
  QPushButton* btnCancel;
  QPushButton* btnReset;

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void CreateComponents();
  void LayOut();
  void ConnectHandlers();
  void SetWholeTableInterval();
  bool IntervalKeyPress(QLineEdit& field, const QKeyEvent& key);

  int32_t FEntryCount = 0;
};

}  // namespace sorlith
