#include "talktable/UProgressSteps.h"

#include <QProgressBar>
#include <algorithm>

namespace sorlith {

// Between two values set at most `FStep` apart the bar moves by at most one pixel and
// one percent, so every length and text it can draw is still shown.
TProgressSteps::TProgressSteps(QProgressBar& bar)
    : FBar(bar), FMaximum(bar.maximum()), FNext(bar.minimum()) {
  const int64_t range = int64_t{bar.maximum()} - bar.minimum();
  int64_t units = std::max(1, bar.width());
  if (bar.isTextVisible()) units = std::max<int64_t>(units, 100);
  FStep = std::max<int64_t>(1, range / units);
}

void TProgressSteps::Set(int value) {
  FBar.setValue(value);
  FNext = int64_t{value} + FStep;
}

}  // namespace sorlith
