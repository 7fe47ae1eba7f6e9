#include "talktable/UProgressSteps.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QProgressBar>
#include <QTest>
#include <chrono>
#include <set>

namespace sorlith {
namespace {

using std::chrono::milliseconds;

// A clock that moves on by `step` each time it is read.
TProgressSteps::Clock Ticking(milliseconds step) {
  return [now = TProgressSteps::TimePoint{}, step]() mutable { return now += step; };
}

// The values a loop over `rows` rows sets on a bar of 150 pixels.
std::vector<int> ValuesSet(int rows, TProgressSteps::Clock clock, bool textVisible = false) {
  QProgressBar bar;
  bar.resize(150, 12);
  bar.setTextVisible(textVisible);
  bar.setRange(0, rows);
  std::vector<int> set;
  QObject::connect(&bar, &QProgressBar::valueChanged, [&](int value) { set.push_back(value); });
  TProgressSteps progress(bar, std::move(clock));
  for (int row = 1; row <= rows; ++row) progress.Advance(row);
  return set;
}

// Rows that come no faster than the screen shows them: the bar is set far less often
// than once a row, yet every length it can draw (and every percentage while its text
// shows) is shown, the last row included.
TEST(ProgressStepsTest, EveryDrawnStateIsShownWithFewSets) {
  for (const bool textVisible : {false, true}) {
    const std::vector<int> set = ValuesSet(140000, Ticking(TProgressSteps::kFrame), textVisible);
    ASSERT_FALSE(set.empty());
    EXPECT_EQ(140000, set.back());
    EXPECT_LE(set.size(), 160u) << textVisible;
    std::set<int> pixels, percents;
    for (int value : set) {
      pixels.insert(static_cast<int>(int64_t{value} * 150 / 140000));
      percents.insert(static_cast<int>(int64_t{value} * 100 / 140000));
    }
    EXPECT_EQ(151u, pixels.size()) << "lengths 0 to 150";
    if (textVisible) {
      EXPECT_EQ(101u, percents.size()) << "0 % to 100 %";
    }
  }
}

TEST(ProgressStepsTest, AShortRangeSetsEveryValue) {
  EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 5, 6, 7}), ValuesSet(7, Ticking(TProgressSteps::kFrame)));
}

// The bar repaints at once whenever it is set, which costs more than many rows; a
// screen shows no more than one state a frame, so none is set sooner than a frame after
// the last one (or the loop's start). The last row is always set.
TEST(ProgressStepsTest, RowsFasterThanTheScreenAreShownOnceAFrame) {
  struct Case {
    const char* name;
    milliseconds tick;
    size_t most;
  };
  for (const Case& c : {Case{"a clock standing still", milliseconds(0), 1},
                        Case{"a millisecond a pixel", milliseconds(1), 150 / 16 + 1},
                        Case{"half a frame a pixel", TProgressSteps::kFrame / 2, 150 / 2 + 1}}) {
    const std::vector<int> set = ValuesSet(140000, Ticking(c.tick));
    ASSERT_FALSE(set.empty()) << c.name;
    EXPECT_EQ(140000, set.back()) << c.name;
    EXPECT_LE(set.size(), c.most) << c.name;
    EXPECT_GE(set.size(), c.most - 1) << c.name;
  }
}

// Counts the paint events a widget receives.
class PaintCount : public QObject {
 public:
  explicit PaintCount(QWidget& widget) { widget.installEventFilter(this); }
  int Count() const { return FCount; }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++FCount;
    return false;
  }

 private:
  int FCount = 0;
};

// Shows `bar` for 150 rows, a row a pixel, and lets its first painting pass; false when
// the window system never shows it.
bool ShowBarOfARowAPixel(QProgressBar& bar) {
  bar.resize(150, 12);
  bar.setRange(0, 150);
  bar.show();
  if (!QTest::qWaitForWindowExposed(&bar)) return false;
  QCoreApplication::processEvents();
  return true;
}

// A loop that ends with its bar set back to the start: a slow loop's last row is
// painted at once, but the bar's return to 0, which the window's own painting follows
// within a frame, is painted with the window.
TEST(ProgressStepsTest, TheBarGoesBackToItsStartWithTheWindow) {
  QProgressBar bar;
  ASSERT_TRUE(ShowBarOfARowAPixel(bar));
  const PaintCount paints(bar);
  TProgressSteps::TimePoint now{};
  {
    TProgressSteps progress(bar, [&] { return now; });
    for (int row = 1; row <= 150; ++row) {
      now += TProgressSteps::kFrame;
      progress.Advance(row);
    }
    const int painted = paints.Count();
    progress.Rewind();
    EXPECT_EQ(0, bar.value());
    EXPECT_EQ(painted, paints.Count());
  }
  const int paintedInLoop = paints.Count();
  EXPECT_TRUE(QTest::qWaitFor([&] { return paints.Count() > paintedInLoop; }));
}

// A state that is set within a frame of the one before it can not be seen: the bar
// paints none of them at once (each would paint the whole window), its values are still
// set, and it is painted once the loop is over, with the rest of the window. A slower
// loop paints the bar as it goes; its last row, reached within a frame of the state
// painted before it, waits for the window's painting too.
TEST(ProgressStepsTest, StatesWithinAFramePaintTheBarOnlyAfterwards) {
  struct Case {
    const char* name;
    milliseconds perRow;
  };
  for (const Case& c : {Case{"a clock standing still", milliseconds(0)},
                        Case{"a frame a row", TProgressSteps::kFrame}}) {
    QProgressBar bar;
    ASSERT_TRUE(ShowBarOfARowAPixel(bar));
    const PaintCount paints(bar);
    TProgressSteps::TimePoint now{};
    {
      TProgressSteps progress(bar, [&] { return now; });
      for (int row = 1; row < 150; ++row) {
        now += c.perRow;
        progress.Advance(row);
      }
      EXPECT_EQ(c.perRow > milliseconds(0), paints.Count() > 0) << c.name;
      const int paintedBeforeLast = paints.Count();
      progress.Advance(150);
      EXPECT_EQ(150, bar.value()) << c.name;
      EXPECT_EQ(paintedBeforeLast, paints.Count()) << c.name;
    }
    EXPECT_TRUE(bar.updatesEnabled()) << c.name;
    const int paintedInLoop = paints.Count();
    EXPECT_TRUE(QTest::qWaitFor([&] { return paints.Count() > paintedInLoop; })) << c.name;
  }
}

}  // namespace
}  // namespace sorlith
