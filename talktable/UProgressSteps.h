// A progress bar that a long loop advances row by row. QProgressBar formats its text on
// every setValue to decide whether to repaint, which costs more than a grid row; the
// bar is therefore set only when what it draws can have changed: its length by a pixel
// or, when it shows its text, its percentage.
#pragma once

#include <cstdint>

class QProgressBar;

namespace sorlith {

class TProgressSteps {
 public:
  // Takes the bar's range and width as they stand.
  explicit TProgressSteps(QProgressBar& bar);
  // Sets `value` when the bar may draw it differently from the value last set.
  void Advance(int value) {
    if (value >= FNext || value == FMaximum) Set(value);
  }

 private:
  void Set(int value);

  QProgressBar& FBar;
  int FMaximum;
  int64_t FStep = 1;
  int64_t FNext = 0;
};

}  // namespace sorlith
