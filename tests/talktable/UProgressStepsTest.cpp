#include "talktable/UProgressSteps.h"

#include <gtest/gtest.h>

#include <QProgressBar>
#include <set>

namespace sorlith {
namespace {

// A loop of many rows sets the bar far less often, yet every length the bar can draw
// (and every percentage while its text shows) is shown, the last row included.
TEST(ProgressStepsTest, EveryDrawnStateIsShownWithFewSets) {
  for (const bool textVisible : {false, true}) {
    QProgressBar bar;
    bar.resize(150, 12);
    bar.setTextVisible(textVisible);
    bar.setRange(0, 140000);
    std::vector<int> set;
    QObject::connect(&bar, &QProgressBar::valueChanged, [&](int value) { set.push_back(value); });
    TProgressSteps progress(bar);
    for (int row = 1; row <= 140000; ++row) progress.Advance(row);
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
  QProgressBar bar;
  bar.resize(150, 12);
  bar.setRange(0, 7);
  int sets = 0;
  QObject::connect(&bar, &QProgressBar::valueChanged, [&](int) { ++sets; });
  TProgressSteps progress(bar);
  for (int row = 1; row <= 7; ++row) progress.Advance(row);
  EXPECT_EQ(7, sets);
}

}  // namespace
}  // namespace sorlith
