#include "display/layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "chain/transitions.h"
#include "display/form_controls.h"

namespace tessel {
namespace {

using std::size_t;
using Point = std::pair<double, double>;
using GridPoint = std::pair<int, int>;

Point centre(const BoxLayout& box) {
  return {box.left + box.width / 2.0, box.top + box.height / 2.0};
}

double dot(Point a, Point b) {
  return a.first * b.first + a.second * b.second;
}
Point minus(Point a, Point b) {
  return {a.first - b.first, a.second - b.second};
}
Point direction(const LineLayout& l) {
  return {l.x2 - l.x1, l.y2 - l.y1};
}

// Distance from p to the segment, or with `wholeLine` to the line through it.
double distance(Point p, const LineLayout& l, bool wholeLine = false) {
  const Point d = direction(l);
  const Point v = minus(p, {l.x1, l.y1});
  const double t = wholeLine ? dot(v, d) / dot(d, d) : std::clamp(dot(v, d) / dot(d, d), 0.0, 1.0);
  return std::hypot(v.first - t * d.first, v.second - t * d.second);
}

// Whether a grid point lies exactly on the segment (integer arithmetic).
bool onSegment(GridPoint p, const LineLayout& l) {
  const std::int64_t cross =
      std::int64_t{p.first - l.x1} * (l.y2 - l.y1) - std::int64_t{p.second - l.y1} * (l.x2 - l.x1);
  return cross == 0 && std::min(l.x1, l.x2) <= p.first && p.first <= std::max(l.x1, l.x2) &&
         std::min(l.y1, l.y2) <= p.second && p.second <= std::max(l.y1, l.y2);
}

bool contains(const BoxLayout& outer, const BoxLayout& inner) {
  return outer.left <= inner.left && inner.right() <= outer.right() && outer.top <= inner.top &&
         inner.bottom() <= outer.bottom();
}

const ArcLayout& arcOf(const Transition& t) {
  return kArcs[static_cast<size_t>(t.arcLine)];
}

// The transition's arc direction, pointing from its source's circle towards
// its target's.
Point towardsTarget(const Transition& t) {
  const Point along = direction(arcOf(t).line);
  const Point between = minus(centre(kStateCircles[static_cast<size_t>(t.to)].box),
                              centre(kStateCircles[static_cast<size_t>(t.from)].box));
  return dot(along, between) >= 0 ? along : Point{-along.first, -along.second};
}

TEST(DiagramLayout, ArcsStrokesAndRateBoxesBelongToTheTransitionsThatOwnThem) {
  for (const Transition& t : kTransitions) {
    SCOPED_TRACE(testing::Message() << "arcLines[" << t.arcLine << "]");
    EXPECT_EQ(std::pair(arcOf(t).from, arcOf(t).to), std::pair(t.from, t.to));
    EXPECT_EQ(kRateBoxes[static_cast<size_t>(t.rateBox)].arc, t.arcLine);
    for (const int stroke : t.arrowStrokes) {
      EXPECT_EQ(kArrowStrokes[static_cast<size_t>(stroke)].arc, t.arcLine) << stroke;
    }
  }
}

TEST(DiagramLayout, ArrowHeadsMeetOnTheirArcAndPointToTheTarget) {
  for (const Transition& t : kTransitions) {
    SCOPED_TRACE(testing::Message() << "arcLines[" << t.arcLine << "]");
    std::vector<GridPoint> ends;
    for (const int stroke : t.arrowStrokes) {
      const LineLayout& l = kArrowStrokes[static_cast<size_t>(stroke)].line;
      ends.insert(ends.end(), {{l.x1, l.y1}, {l.x2, l.y2}});
    }
    // The tip is the one end point the two strokes share.
    std::vector<GridPoint> tips;
    for (const GridPoint& a : {ends[0], ends[1]}) {
      if (a == ends[2] || a == ends[3]) tips.push_back(a);
    }
    ASSERT_EQ(tips.size(), 1U);
    const GridPoint tip = tips.front();
    EXPECT_TRUE(onSegment(tip, arcOf(t).line));
    for (const GridPoint& end : ends) {
      if (end == tip) continue;
      EXPECT_LT(dot(minus(end, tip), towardsTarget(t)), 0.0) << end.first << "," << end.second;
    }
  }
}

TEST(DiagramLayout, EachRateBoxIsNearestToItsOwnArc) {
  for (const Transition& t : kTransitions) {
    SCOPED_TRACE(testing::Message() << "rateBoxes[" << t.rateBox << "]");
    const Point c = centre(kRateBoxes[static_cast<size_t>(t.rateBox)].box);
    for (int other = 0; other < kTransitionCount; ++other) {
      if (other == t.arcLine) continue;
      EXPECT_LT(distance(c, arcOf(t).line), distance(c, kArcs[static_cast<size_t>(other)].line))
          << "arcLines[" << other << "]";
    }
  }
}

// The token's paths are numbers of their own, not derived from the arcs; its
// centre must still keep within 25 twips of the line it travels, from source
// to target. Some paths begin or end inside a circle, a little past the drawn
// end of the arc, so the distance is taken sideways from the arc's line.
TEST(DiagramLayout, TokenCentreRunsAlongItsArcFromSourceToTarget) {
  const auto tokenCentre = [](int top, int left) {
    return centre({left, top, kTokenBox.width, kTokenBox.height});
  };
  for (const Transition& t : kTransitions) {
    SCOPED_TRACE(testing::Message() << "arcLines[" << t.arcLine << "]");
    const Point start = tokenCentre(t.path[kStartTop], t.path[kStartLeft]);
    const Point end = tokenCentre(t.path[kEndTop], t.path[kEndLeft]);
    EXPECT_LE(distance(start, arcOf(t).line, true), 25.0);
    EXPECT_LE(distance(end, arcOf(t).line, true), 25.0);
    EXPECT_GT(dot(minus(end, start), towardsTarget(t)), 0.0);
  }
}

TEST(DiagramLayout, CirclesStandInTheirCornersWithTheirLabelsInside) {
  const auto cornerOf = [](int x, int y) {
    return (y >= kCornerSplitTop ? 2 : 0) + (x >= kCornerSplitLeft ? 1 : 0);
  };
  for (int state = 0; state < kStateCount; ++state) {
    SCOPED_TRACE(testing::Message() << "state " << state);
    const auto i = static_cast<size_t>(state);
    const BoxLayout& circle = kStateCircles[i].box;
    EXPECT_EQ(cornerOf(circle.left, circle.top), state);
    EXPECT_EQ(cornerOf(circle.right() - 1, circle.bottom() - 1), state);
    EXPECT_EQ(kNameLabels[i].circle, state);
    EXPECT_TRUE(contains(circle, kNameLabels[i].box));
    EXPECT_TRUE(contains(circle, kCountLabels[i].box));
  }
}

TEST(WindowLayout, EveryControlLiesInsideTheClientAreaAndItsRegion) {
  const BoxLayout client{0, 0, kMainForm.clientWidth, kMainForm.clientHeight};
  const auto lineBox = [](const LineLayout& l) {
    const int left = std::min(l.x1, l.x2);
    const int top = std::min(l.y1, l.y2);
    return BoxLayout{left, top, std::max(l.x1, l.x2) - left, std::max(l.y1, l.y2) - top};
  };
  std::vector<BoxLayout> diagram{kTokenBox};
  std::vector<BoxLayout> side{kScenarioListBox};
  for (size_t i = 0; i < kStateCount; ++i) {
    diagram.insert(diagram.end(), {kStateCircles[i].box, kNameLabels[i].box, kCountLabels[i].box});
    side.insert(side.end(), {kBars[i].box, kPercentageLabels[i]});
  }
  for (const ArcLayout& arc : kArcs) diagram.push_back(lineBox(arc.line));
  for (const ArrowStrokeLayout& stroke : kArrowStrokes) diagram.push_back(lineBox(stroke.line));
  for (const RateBoxLayout& box : kRateBoxes) diagram.push_back(box.box);
  for (const ButtonLayout& button : kButtons) side.push_back(button.box);
  for (const ChartLineLayout& line : kChartLines) side.push_back(lineBox(line.line));

  for (const BoxLayout& box : diagram) {
    EXPECT_TRUE(contains(client, box) && box.right() < kDiagramRegionRight)
        << box.left << "," << box.top;
  }
  for (const BoxLayout& box : side) {
    EXPECT_TRUE(contains(client, box) && box.left >= kDiagramRegionRight)
        << box.left << "," << box.top;
  }
}

TEST(WindowLayout, BarsStandOnTheBaseAtFullHeightUnderTheirLabels) {
  EXPECT_EQ(kBarBottom, 6945);
  EXPECT_EQ(kBarFullHeight, 4305);
  for (size_t i = 0; i < kBars.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(kBars[i].box.bottom(), kBarBottom);
    EXPECT_EQ(kBars[i].box.height, kBarFullHeight);
    EXPECT_LE(kPercentageLabels[i].bottom(), kBars[i].box.top);
    EXPECT_EQ(centre(kPercentageLabels[i]).first, centre(kBars[i].box).first);
  }
}

TEST(WindowLayout, StackingHoldsEachLayerOnceWithLabelsTokenAndArrowHeadsInFront) {
  EXPECT_EQ(std::set(kPaintOrder.begin(), kPaintOrder.end()).size(),
            static_cast<size_t>(Layer::kVisitCountLabels) + 1);
  const auto depth = [](Layer layer) {
    return std::find(kPaintOrder.begin(), kPaintOrder.end(), layer) - kPaintOrder.begin();
  };
  EXPECT_GT(depth(Layer::kStateNameLabels), depth(Layer::kCircles));
  EXPECT_GT(depth(Layer::kVisitCountLabels), depth(Layer::kCircles));
  EXPECT_GT(depth(Layer::kToken), std::max(depth(Layer::kArcLines), depth(Layer::kCircles)));
  EXPECT_GT(depth(Layer::kArcArrowHeads), depth(Layer::kArcLines));
}

TEST(WindowLayout, TabOrderHoldsEveryControlOnceAndOnlyInputControlsTakeFocus) {
  const auto groupSize = [](ControlGroup group) {
    if (group == ControlGroup::rateBoxes) return kTransitionCount;
    if (group == ControlGroup::shareLabels || group == ControlGroup::visitCounts ||
        group == ControlGroup::nameLabels)
      return kStateCount;
    return 1;
  };
  std::set<std::pair<ControlGroup, int>> stops;
  int focusable = 0;
  for (const TabStop& stop : kTabOrder) {
    EXPECT_TRUE(stop.index >= 0 && stop.index < groupSize(stop.group)) << stop.index;
    stops.insert({stop.group, stop.index});
    focusable += takesFocus(stop.group) ? 1 : 0;
  }
  EXPECT_EQ(stops.size(), 28U);
  EXPECT_EQ(focusable, kTransitionCount + 4);  // rate boxes, list and buttons; no label
}

TEST(DesignControls, HoldTheDesignCaptionsPositionsAndVisibility) {
  const FormControls c = makeDesignControls();
  EXPECT_EQ(std::vector({c.oneButton.caption, c.startStopButton.caption, c.pauseButton.caption}),
            std::vector<std::string>({"One", "Start", "Pause"}));
  EXPECT_TRUE(c.scenarioList.entries.empty() && c.scenarioList.text.empty());
  EXPECT_EQ(c.moveTimer.interval, 40);
  EXPECT_FALSE(c.moveTimer.enabled);
  EXPECT_TRUE(c.token.visible);
  EXPECT_EQ(std::pair(c.token.left, c.token.top), std::pair(5520.0F, 6720.0F));
  for (size_t i = 0; i < kStateCount; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(c.nameLabels[i].caption, kStateNames[i]);
    EXPECT_EQ(c.visitCounts[i].caption, "10000");
    EXPECT_EQ(c.shareLabels[i].caption, "100");
    EXPECT_EQ(c.shareLabels[i].top, 2160.0F);
    EXPECT_EQ(c.bars[i].top + c.bars[i].height, 6945.0F);
    EXPECT_EQ(c.circles[i].borderColor, kGrey);
    EXPECT_TRUE(c.nameLabels[i].visible && c.visitCounts[i].visible && c.shareLabels[i].visible &&
                c.circles[i].visible && c.bars[i].visible);
  }
  for (const TextBox& box : c.rateBoxes) EXPECT_TRUE(box.text() == "Text1" && box.visible);
  for (const Line& line : c.arcLines) EXPECT_TRUE(line.visible);
  for (const Line& line : c.arrowStrokes) EXPECT_TRUE(line.visible);
  for (const Line& line : c.chartAxes) EXPECT_TRUE(line.visible);
  for (const Line& line : c.axisArrowStrokes) EXPECT_TRUE(line.visible);
}

}  // namespace
}  // namespace tessel
