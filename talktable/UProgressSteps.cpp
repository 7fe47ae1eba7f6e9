#include "talktable/UProgressSteps.h"

#include <QProgressBar>
#include <algorithm>

namespace sorlith {

// Between two values set at most `FStep` apart the bar moves by at most one pixel and
// one percent, so every length and text it can draw is still shown when the rows come
// no faster than the screen's frames.
TProgressSteps::TProgressSteps(QProgressBar& bar, Clock clock)
    : FBar(bar),
      FClock(std::move(clock)),
      FMaximum(bar.maximum()),
      FNext(bar.minimum()),
      FPaintsWhenSet(bar.updatesEnabled()) {
  const int64_t range = int64_t{bar.maximum()} - bar.minimum();
  int64_t units = std::max(1, bar.width());
  if (bar.isTextVisible()) units = std::max<int64_t>(units, 100);
  FStep = std::max<int64_t>(1, range / units);
  FLastSet = FClock();
  PaintAtOnce(false);
}

TProgressSteps::~TProgressSteps() { PaintAtOnce(true); }

// Enabling the bar's updates again marks it for painting with the window.
void TProgressSteps::PaintAtOnce(bool paint) { FBar.setUpdatesEnabled(paint && FPaintsWhenSet); }

void TProgressSteps::Rewind() {
  PaintAtOnce(false);
  FBar.setValue(FBar.minimum());
}

void TProgressSteps::Set(int value) {
  FBar.setValue(value);
  FNext = int64_t{value} + FStep;
}

void TProgressSteps::SetLast(int value) {
  PaintAtOnce(FClock() - FLastSet >= kFrame);
  Set(value);
}

void TProgressSteps::SetOnceAFrame(int value) {
  const TimePoint now = FClock();
  if (now - FLastSet < kFrame) {
    FNext = int64_t{value} + FStep;  // asked again at the next step
    return;
  }
  FLastSet = now;
  PaintAtOnce(true);
  Set(value);
}

}  // namespace sorlith
