// The views in the chart's place: the law of one tick that the Chances view
// shows, the History's bounded memory, and views that change nothing in the
// chain they show.

#include "display/views.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "display/form_drawing.h"
#include "display/recording_canvas.h"
#include "window/session.h"
#include "window/view_pictures.h"

namespace tessel {
namespace {

constexpr std::size_t kFourElementQueue = 4;

TEST(StepChances, RowsAddUpToOneAndTheLongRunRowStaysForAnyRates) {
  // Rates from 1e-300 to 1e300, zeros among them: tiny leaks, closed
  // groups, states that never leave.
  std::mt19937_64 random(20261210);
  std::uniform_int_distribution<int> exponent(-300, 300);
  std::uniform_int_distribution<int> kind(0, 3);
  Session session({1, NumberFormat{}});
  session.load();
  session.pickEntry(kFourElementQueue);
  for (int trial = 0; trial < 300; ++trial) {
    std::string rates;
    for (int box = 0; box < kTransitionCount; ++box) {
      const std::string rate = kind(random) == 0 ? "0" : "1e" + std::to_string(exponent(random));
      session.typeRate(box, rate);
      rates += rate + ' ';
    }
    const std::optional<StepChances> chances = stepChances(session.form());
    if (!chances) continue;  // no positive rate: a draw would raise an error
    ASSERT_EQ(chances->matrix.size(), 4U);
    ASSERT_EQ(chances->longRun.size(), 4U);
    for (std::size_t to = 0; to < 4; ++to) {
      double sum = 0.0;
      double stepped = 0.0;
      for (std::size_t from = 0; from < 4; ++from) {
        sum += chances->matrix[to][from];
        stepped += chances->longRun[from] * chances->matrix[from][to];
      }
      EXPECT_NEAR(sum, 1.0, 1e-12) << rates;
      EXPECT_NEAR(stepped, chances->longRun[to], 1e-12) << rates;
    }
  }
}

TEST(StepChances, AgreeWithTheStepsOfALongSeededRun) {
  Session session({7, NumberFormat{}});
  session.load();
  session.pickEntry(3);  // Conversation
  session.perform({Command::StartStop});
  const StepChances chances = stepChances(session.form()).value();
  std::array<std::array<double, kStateCount>, kStateCount> steps{};
  std::optional<std::size_t> last;
  std::uint64_t counted = 0;
  for (int tick = 0; tick < 400000; ++tick) {
    session.runTicks(1);
    if (session.form().countedTicks() == counted) continue;
    counted = session.form().countedTicks();
    const auto now = static_cast<std::size_t>(*stateIndex(session.form().variables().currentState));
    if (last) steps[*last][now] += 1.0;
    last = now;
  }
  for (std::size_t from = 0; from < 4; ++from) {
    double total = 0.0;
    for (const double n : steps[from]) total += n;
    ASSERT_GT(total, 1000.0);
    for (std::size_t to = 0; to < 4; ++to) {
      const double p = chances.matrix[from][to];
      if (p == 0.0) {
        EXPECT_EQ(steps[from][to], 0.0) << from << "->" << to;
        continue;
      }
      const double z = (steps[from][to] - total * p) / std::sqrt(total * p * (1.0 - p));
      EXPECT_LT(std::fabs(z), 5.0)
          << from << "->" << to << ": " << steps[from][to] << " of " << total << " against " << p;
    }
  }
}

TEST(ChanceText, ThreeDigitsAndNeverZeroForAChanceThatIsNot) {
  const std::pair<double, std::string_view> cases[] = {{0.0, "0"},
                                                       {1e-300, "< 0.001 %"},
                                                       {9.99e-6, "< 0.001 %"},
                                                       {1e-5, "0.00100 %"},
                                                       {1.234e-4, "0.0123 %"},
                                                       {0.0656018, "6.56 %"},
                                                       {0.12030164, "12.0 %"},
                                                       {0.99951, "100 %"},
                                                       {0.0099996, "1.00 %"},
                                                       {1.0, "100 %"}};
  for (const auto& [chance, text] : cases) EXPECT_EQ(chanceText(chance), text) << chance;
}

TEST(ShareHistory, KeepsUnderAThousandPointsForABillionTicks) {
  std::uint64_t kept = 0;
  std::map<int, int> perDecade;
  for (std::uint64_t ticks = 1; ticks <= 1'000'000'000; ticks = ShareHistory::nextKept(ticks)) {
    ++kept;
    ++perDecade[static_cast<int>(std::log10(static_cast<double>(ticks)))];
  }
  EXPECT_LT(kept, 1000U);
  for (const auto& [decade, points] : perDecade) EXPECT_LE(points, 101) << "decade " << decade;
  EXPECT_EQ(ShareHistory::nextKept(UINT64_MAX - 1), UINT64_MAX);
}

TEST(Views, SwitchingViewsChangesNothingInTheRunAndTheChartComesBackAsItWas) {
  Session plain({11, NumberFormat{}});
  Session switched({11, NumberFormat{}});
  for (Session* session : {&plain, &switched}) {
    session->load();
    session->setLongRun(true);
    session->perform({Command::StartStop});
  }
  std::vector<View> seen;
  for (int frame = 0; frame < 300; ++frame) {
    plain.runFrame();
    switched.runFrame();
    switched.perform({Command::NextView});
    seen.push_back(switched.view());
    RecordingCanvas canvas;
    switched.draw(canvas);
    switched.takeRepaint();
  }
  EXPECT_EQ((std::vector<View>(seen.begin(), seen.begin() + 4)),
            (std::vector<View>{View::History, View::Chances, View::Chart, View::History}));
  switched.setView(View::Chart);
  EXPECT_EQ(switched.form().variables().occupancy, plain.form().variables().occupancy);
  EXPECT_EQ(switched.form().jumps(), plain.form().jumps());
  RecordingCanvas a;
  RecordingCanvas b;
  plain.draw(a);
  switched.draw(b);
  EXPECT_EQ(a.operations(), b.operations());
}

TEST(Views, EachViewDrawsItsPictureAndRepaintsWhereItChanged) {
  Session session({3, NumberFormat{}});
  session.load();
  session.pickEntry(kFourElementQueue);
  session.perform({Command::StartStop});
  session.runTicks(5000);
  session.setView(View::History);
  session.takeRepaint(true);
  const auto statesDrawn = [&session] {
    RecordingCanvas canvas;
    session.draw(canvas);
    int strokes = 0;
    for (const auto& op : canvas.operations()) {
      strokes += op.kind == RecordingCanvas::Operation::Kind::kLine && op.width == 2 &&
                 op.colour != rgb(0, 0, 0);
    }
    return strokes;
  };
  session.runFrame();
  // The view's box is repainted as its lines grow.
  const PixelRect viewBox = pixelBox(kViewBox);
  const std::vector<PixelRect> region = session.takeRepaint();
  EXPECT_NE(std::find(region.begin(), region.end(), viewBox), region.end());
  const int withoutMarks = statesDrawn();
  EXPECT_GT(withoutMarks, 0);
  session.setLongRun(true);
  EXPECT_GT(statesDrawn(), withoutMarks) << "the long-run shares dashed";

  session.setView(View::Chances);
  session.typeRate(0, "");
  const ChancesPicture chances = session.chances();
  EXPECT_TRUE(chances.cells.empty());
  EXPECT_NE(chances.problem.find("holds no number"), std::string::npos) << chances.problem;
  RecordingCanvas canvas;
  session.draw(canvas);
  EXPECT_EQ(canvas.operations().back().text, chances.problem);
}

}  // namespace
}  // namespace tessel
