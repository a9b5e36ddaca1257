#include "display/occupancy_chart.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <string>

#include "toolkit/run_error.h"

namespace tessel {
namespace {

struct ChartCase {
  std::array<double, kStateCount> occupancy;
  std::array<const char*, kStateCount> labels;
  std::array<float, kStateCount> barHeights;
};

TEST(OccupancyChart, ShowsEachShareInWholePercentWithHalvesGoingUp) {
  const ChartCase cases[] = {
      {{3, 1, 0, 0}, {" 75", " 25", " 0", " 0"}, {3228.75F, 1076.25F, 0.0F, 0.0F}},
      // An eighth and seven eighths: 12.5 and 87.5 both go up, adding to 101.
      {{1, 7, 0, 0}, {" 13", " 88", " 0", " 0"}, {538.125F, 3766.875F, 0.0F, 0.0F}},
      // Thirds add up to 99.
      {{1, 1, 1, 0}, {" 33", " 33", " 33", " 0"}, {1435.0F, 1435.0F, 1435.0F, 0.0F}},
      {{0, 0, 0, 12}, {" 0", " 0", " 0", " 100"}, {0.0F, 0.0F, 0.0F, 4305.0F}},
  };
  for (const ChartCase& c : cases) {
    FormControls controls = makeDesignControls();
    updateOccupancyChart(c.occupancy, controls);
    for (std::size_t i = 0; i < kStateCount; ++i) {
      EXPECT_EQ(controls.shareLabels[i].caption, c.labels[i]) << "column " << i;
      EXPECT_FLOAT_EQ(controls.bars[i].height, c.barHeights[i]) << "column " << i;
      // Bars stand on the base line whatever their height.
      EXPECT_FLOAT_EQ(controls.bars[i].top + controls.bars[i].height, 6945.0F);
    }
  }
}

TEST(OccupancyChart, PlacesBarsAndLabelsByTheShare) {
  FormControls controls = makeDesignControls();
  updateOccupancyChart({3, 1, 0, 0}, controls);
  const std::array<float, kStateCount> barTops{3716.25F, 5868.75F, 6945.0F, 6945.0F};
  const std::array<float, kStateCount> labelTops{3240.0F, 5400.0F, 6480.0F, 6480.0F};
  for (std::size_t i = 0; i < kStateCount; ++i) {
    EXPECT_FLOAT_EQ(controls.bars[i].top, barTops[i]) << i;
    EXPECT_FLOAT_EQ(controls.shareLabels[i].top, labelTops[i]) << i;
  }
  updateOccupancyChart({5, 0, 0, 0}, controls);
  EXPECT_FLOAT_EQ(controls.bars[0].top, 2640.0F);
  EXPECT_FLOAT_EQ(controls.shareLabels[0].top, 2160.0F);
}

TEST(OccupancyChart, NeverShowsOrHidesAColumn) {
  FormControls controls = makeDesignControls();
  controls.bars[2].visible = false;
  controls.shareLabels[3].visible = false;
  updateOccupancyChart({1, 2, 3, 4}, controls);
  EXPECT_FALSE(controls.bars[2].visible);
  EXPECT_FALSE(controls.shareLabels[3].visible);
  EXPECT_TRUE(controls.bars[0].visible);
  EXPECT_EQ(controls.shareLabels[2].caption, " 30") << "hidden columns are updated too";
}

TEST(OccupancyChart, NoCountedTicksIsAnInvalidOperationThatLeavesTheChartAsItWas) {
  FormControls controls = makeDesignControls();
  updateOccupancyChart({1, 1, 0, 0}, controls);
  try {
    updateOccupancyChart({0, 0, 0, 0}, controls);
    FAIL() << "no error raised";
  } catch (const RunError& error) {
    EXPECT_EQ(error.kind(), ErrorKind::InvalidOperation);
  }
  EXPECT_EQ(controls.shareLabels[0].caption, " 50");
}

TEST(OccupancyChart, ATotalBeyondRangeIsAnOverflow) {
  FormControls controls = makeDesignControls();
  const double huge = std::numeric_limits<double>::max();
  try {
    updateOccupancyChart({huge, huge, 0, 0}, controls);
    FAIL() << "no error raised";
  } catch (const RunError& error) {
    EXPECT_EQ(error.kind(), ErrorKind::Overflow);
  }
}

}  // namespace
}  // namespace tessel
