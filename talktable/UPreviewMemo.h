// The main window's read-only preview of an entry's text.
#pragma once

#include <QPlainTextEdit>

namespace sorlith {

// Qt lays out a whole paragraph at once, and a paragraph of a megabyte took a second
// at every selection. The preview therefore shows a run of more than kBlockLength
// characters without a line break as several paragraphs, so that only what is visible
// is laid out; copying and dragging give the text without those breaks.
class TPreviewMemo : public QPlainTextEdit {
 public:
  static constexpr qsizetype kBlockLength = 4096;

  explicit TPreviewMemo(QWidget* parent = nullptr);
  void ShowText(const QString& text);
  // The selection as the entry holds it (line feeds for line breaks).
  QString SelectedText() const;

 protected:
  QMimeData* createMimeDataFromSelection() const override;
};

}  // namespace sorlith
