#include "display/form_drawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "display/long_run_marks.h"

namespace tessel {
namespace {

// What the form is made of, told apart by how each thing is drawn; kAxis
// also stands for the axes' arrow heads.
enum class Element { kCircle, kArc, kAxis, kBar, kMark, kShare, kToken, kArrow, kName, kCount };

struct Drawn {
  Element element;
  PixelRect box{};  // ellipses, rectangles and text
  PixelLine line{};
  std::string text;

  bool operator==(const Drawn&) const = default;
};

class RecordingCanvas final : public FormCanvas {
 public:
  std::vector<Drawn> drawn;

  void ellipse(const PixelRect& box, Colour fill, Colour, int) override {
    drawn.push_back({fill == kTokenFill ? Element::kToken : Element::kCircle, box, {}, {}});
  }
  void line(const PixelLine& line, Colour colour, int, LineCap, bool antialiased) override {
    const Element element = !antialiased            ? Element::kArrow
                            : colour == kArcColour  ? Element::kArc
                            : colour == kMarkColour ? Element::kMark
                                                    : Element::kAxis;
    drawn.push_back({element, {}, line, {}});
  }
  void fillRect(const PixelRect& rect, Colour) override {
    // Bars stand in the chart, count labels' grounds in the diagram.
    const bool inChart = rect.left >= kDiagramRegionRight * kPixelsPerTwip;
    drawn.push_back({inChart ? Element::kBar : Element::kCount, rect, {}, {}});
  }
  void text(const PixelRect& box, std::string_view text, const FontSpec& font, Colour,
            TextAlign) override {
    const Element element = font == kNameLabelFont         ? Element::kName
                            : font == kCountLabelFont      ? Element::kCount
                            : font == kPercentageLabelFont ? Element::kShare
                                                           : Element::kMark;
    drawn.push_back({element, box, {}, std::string(text)});
  }
};

// The design's controls with every long-run mark shown.
FormControls withMarks() {
  FormControls controls = makeDesignControls();
  for (std::size_t i = 0; i < kStateCount; ++i) {
    controls.longRunMarks[i] = {true, 4000.0F + 300.0F * static_cast<float>(i), "12.5"};
  }
  return controls;
}

std::vector<Drawn> drawnFor(const FormControls& controls) {
  RecordingCanvas canvas;
  drawForm(canvas, controls);
  return canvas.drawn;
}

std::vector<Drawn> ofElement(const std::vector<Drawn>& drawn, Element element) {
  std::vector<Drawn> found;
  std::copy_if(drawn.begin(), drawn.end(), std::back_inserter(found),
               [element](const Drawn& each) { return each.element == element; });
  return found;
}

TEST(FormDrawing, FollowsTheStackingOrder) {
  std::vector<Element> runs;
  for (const Drawn& each : drawnFor(withMarks())) {
    if (runs.empty() || runs.back() != each.element) runs.push_back(each.element);
  }
  // The marks lie over the bars and under the percentages; the token passes
  // over the arcs and under the arrow heads and labels.
  const std::vector<Element> expected{Element::kCircle, Element::kArc,   Element::kAxis,
                                      Element::kBar,    Element::kMark,  Element::kAxis,
                                      Element::kShare,  Element::kToken, Element::kArrow,
                                      Element::kName,   Element::kCount};
  EXPECT_EQ(runs, expected);
}

struct HiddenCase {
  const char* what;
  std::function<void(FormControls&)> hide;
  Element element;
  std::size_t first;         // the control's first call among its element's
  std::ptrdiff_t drawsLess;  // the calls one such control makes
};

TEST(FormDrawing, AHiddenControlDrawsNothing) {
  const std::vector<HiddenCase> cases{
      {"circle", [](FormControls& c) { c.circles[1].visible = false; }, Element::kCircle, 1, 1},
      {"arc", [](FormControls& c) { c.arcLines[7].visible = false; }, Element::kArc, 7, 1},
      {"arrow", [](FormControls& c) { c.arrowStrokes[20].visible = false; }, Element::kArrow, 20,
       1},
      {"axis", [](FormControls& c) { c.chartAxes[1].visible = false; }, Element::kAxis, 1, 1},
      // The chart draws its two axes before its arrow heads.
      {"axis arrow", [](FormControls& c) { c.axisArrowStrokes[2].visible = false; }, Element::kAxis,
       4, 1},
      {"bar", [](FormControls& c) { c.bars[3].visible = false; }, Element::kBar, 3, 1},
      {"percentage", [](FormControls& c) { c.shareLabels[0].visible = false; }, Element::kShare, 0,
       1},
      {"token", [](FormControls& c) { c.token.visible = false; }, Element::kToken, 0, 1},
      {"name", [](FormControls& c) { c.nameLabels[2].visible = false; }, Element::kName, 2, 1},
      {"count and its ground", [](FormControls& c) { c.visitCounts[1].visible = false; },
       Element::kCount, 2, 2},
      {"mark and its share", [](FormControls& c) { c.longRunMarks[2].visible = false; },
       Element::kMark, 4, 2},
  };
  const std::vector<Drawn> all = drawnFor(withMarks());
  for (const HiddenCase& each : cases) {
    SCOPED_TRACE(each.what);
    FormControls controls = withMarks();
    each.hide(controls);
    const std::vector<Drawn> drawn = drawnFor(controls);
    // The control's calls go; everything else is drawn as before.
    ASSERT_EQ(std::ssize(drawn) + each.drawsLess, std::ssize(all));
    const auto kept = std::mismatch(drawn.begin(), drawn.end(), all.begin()).first;
    const auto gone = all.begin() + (kept - drawn.begin());
    EXPECT_TRUE(*gone == ofElement(all, each.element)[each.first]);
    for (auto one = gone; one != gone + each.drawsLess; ++one) {
      EXPECT_EQ(one->element, each.element);
    }
    EXPECT_TRUE(std::equal(kept, drawn.end(), gone + each.drawsLess, all.end()));
  }
}

// A drawn thing's box and line, to a thousandth of a pixel: twips do not
// divide into pixels exactly.
std::vector<long> placement(const PixelRect& box, const PixelLine& line) {
  std::vector<long> rounded;
  for (const double value :
       {box.left, box.top, box.width, box.height, line.x1, line.y1, line.x2, line.y2}) {
    rounded.push_back(std::lround(value * 1000.0));
  }
  return rounded;
}

TEST(FormDrawing, DrawsWhatTheModelSaysWhereItSays) {
  FormControls controls = withMarks();
  controls.token = Shape{true, kGrey, 1500.0F, 3000.0F, 0.0F};
  controls.bars[2] = Shape{true, kGrey, 8760.0F, 4965.0F, 1980.0F};
  controls.shareLabels[1] = Label{"40", true, 3000.0F};
  controls.nameLabels[kGreen].caption = "Talking B";
  controls.visitCounts[kCyan].caption = "42";
  controls.longRunMarks[1] = {true, 4500.0F, "20.2"};
  const std::vector<Drawn> drawn = drawnFor(controls);
  struct Case {
    const char* what;
    Element element;
    std::size_t index;  // among the calls that draw such elements
    PixelRect box;
    PixelLine line;
    const char* text;
  };
  const std::vector<Case> cases{
      // The token's box is 17 by 25 pixels: a circle 17 across, centred,
      // inside its 1-pixel border.
      {"token", Element::kToken, 0, {100.5, 204.5, 16, 16}, {}, ""},
      {"bar", Element::kBar, 2, {584, 331, 33, 132}, {}, ""},
      {"percentage", Element::kShare, 1, {520, 200, 49, 25}, {}, "40"},
      {"name", Element::kName, kGreen, {56, 344, 89, 73}, {}, "Talking B"},
      // Each count label draws its ground, then its caption.
      {"count", Element::kCount, 2 * kCyan + 1, {296, 408, 73, 25}, {}, "42"},
      // Purple's bar spans 7920 to 8415 twips; its share stands 45 twips
      // right of it, centred on the line.
      {"mark line", Element::kMark, 2, {}, {528, 300, 561, 300}, ""},
      {"mark share", Element::kMark, 3, {564, 294, 20, 12}, {}, "20.2"},
  };
  for (const Case& each : cases) {
    SCOPED_TRACE(each.what);
    const std::vector<Drawn> found = ofElement(drawn, each.element);
    ASSERT_LT(each.index, found.size());
    EXPECT_EQ(placement(found[each.index].box, found[each.index].line),
              placement(each.box, each.line));
    EXPECT_EQ(found[each.index].text, each.text);
  }
}

// A mark that moves is repainted where it was and where it goes, its share
// included; nothing else is.
TEST(ChangedRegion, CoversAMovedLongRunMarkAndItsShare) {
  FormControls before = makeDesignControls();
  before.longRunMarks[kGreen] = {true, 3000.0F, "80.2"};
  FormControls after = before;
  after.longRunMarks[kGreen] = {true, 6000.0F, "11.5"};
  const std::vector<PixelRect> changed = changedRegion(before, after);
  const auto covers = [&changed](double x, double y) {
    return std::any_of(changed.begin(), changed.end(), [&](const PixelRect& box) {
      return x >= box.left && x < box.left + box.width && y >= box.top && y < box.top + box.height;
    });
  };
  const PixelRect bar = pixelBox(kBars[kGreen].box);
  for (const double top : {3000.0, 6000.0}) {
    EXPECT_TRUE(covers(bar.left + bar.width / 2, top / 15));
    EXPECT_TRUE(covers(bar.left + bar.width + 8, top / 15)) << "the share right of the bar";
  }
  const PixelRect blue = pixelBox(kBars[kBlue].box);
  EXPECT_FALSE(covers(blue.left + blue.width / 2, blue.top + blue.height / 2));
  EXPECT_TRUE(changedRegion(after, after).empty());
}

}  // namespace
}  // namespace tessel
