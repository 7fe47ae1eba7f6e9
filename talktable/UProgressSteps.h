// A progress bar that a long loop advances row by row. QProgressBar formats its text on
// every setValue to decide whether to repaint, and repaints at once, which costs more
// than many grid rows; the bar is therefore set only when what it draws can have
// changed (its length by a pixel or, when it shows its text, its percentage) and a
// screen's frame has passed since it was last set. The last row is always set.
// Each such repaint paints everything else the window has marked for painting too: a
// state set within a frame of the loop's start or of the state before it (the last row
// may be) is one the user could not see, so it is set without painting, and the bar is
// painted with the window once the loop is over.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

class QProgressBar;

namespace sorlith {

class TProgressSteps {
 public:
  using TimePoint = std::chrono::steady_clock::time_point;
  using Clock = std::function<TimePoint()>;
  // A frame of a 60 Hz screen: states set faster than this are never seen.
  static constexpr std::chrono::milliseconds kFrame{16};

  // Takes the bar's range and width as they stand; the frames are counted from now.
  explicit TProgressSteps(QProgressBar& bar, Clock clock = std::chrono::steady_clock::now);
  ~TProgressSteps();
  TProgressSteps(const TProgressSteps&) = delete;
  TProgressSteps& operator=(const TProgressSteps&) = delete;
  // The loop is over: the bar goes back to its minimum, painted with the window (which
  // the caller paints soon after).
  void Rewind();
  // Sets `value` when the bar may draw it differently from the value last set.
  void Advance(int value) {
    if (value == FMaximum) {
      SetLast(value);
    } else if (value >= FNext) {
      SetOnceAFrame(value);
    }
  }

 private:
  void Set(int value);
  void SetOnceAFrame(int value);
  void SetLast(int value);
  // Whether the bar paints at once when set (never when it did not paint before).
  void PaintAtOnce(bool paint);

  QProgressBar& FBar;
  Clock FClock;
  int FMaximum;
  int64_t FStep = 1;
  int64_t FNext = 0;
  TimePoint FLastSet;
  bool FPaintsWhenSet;
};

}  // namespace sorlith
