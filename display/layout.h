#pragma once

// Where every control of the window stands and how it looks: positions and
// sizes in twips from the top left of the client area (y downwards), colours
// as 0x00BBGGRR, fonts by face, size, weight and italic. Nothing here moves at
// run time except the token, the bars and the percentage labels, whose run-time
// positions live in FormControls; the tables give their design positions.
//
// Per-state tables are indexed by state (Blue 0, Purple 1, Green 2, Cyan 3);
// control arrays by their control index.

#include <algorithm>
#include <array>
#include <string_view>

#include "chain/transitions.h"
#include "toolkit/controls.h"
#include "toolkit/text.h"

namespace tessel {

// A control's box: its top left corner and its size, in twips.
struct BoxLayout {
  int left;
  int top;
  int width;
  int height;

  constexpr int right() const { return left + width; }
  constexpr int bottom() const { return top + height; }
};

// A line from (x1, y1) to (x2, y2), in twips.
struct LineLayout {
  int x1;
  int y1;
  int x2;
  int y2;
};

struct FontSpec {
  std::string_view face;
  float points;
  int weight;
  bool italic;

  bool operator==(const FontSpec&) const = default;
};

// ---------------------------------------------------------------------------
// The window

inline constexpr int kTwipsPerPixel = 15;  // at 96 dots per inch

struct WindowLayout {
  std::string_view caption;
  int clientWidth;
  int clientHeight;
};

// The design's client area. The window scales it, and everything in it,
// uniformly to whatever size the window has.
inline constexpr WindowLayout kMainForm{"Orlo's Tessel Demo", 10950, 7560};

// The state diagram stands left of this line; the scenario list, the buttons
// and the occupancy chart stand at or right of it.
inline constexpr int kDiagramRegionRight = 6480;

// The status strip under the client area, where the window explains itself
// and shows its errors without a dialog. Its text is as large as the
// buttons' captions and it holds two lines of it, so that the longest
// messages stay readable from the back of a classroom.
inline constexpr BoxLayout kStatusStripBox{0, kMainForm.clientHeight, kMainForm.clientWidth, 720};
inline constexpr int kStatusStripMargin = 90;  // left and right of the text
// At the strip's right end, the "Long run" checkbox; left of it the speed
// control, a label and a list as tall as the strip's text allows; the status
// line takes the rest of the strip, room for two lines of the hint.
inline constexpr BoxLayout kLongRunBox{kMainForm.clientWidth - 1800, kStatusStripBox.top, 1800,
                                       kStatusStripBox.height};
inline constexpr int kSpeedListHeight = 405;
inline constexpr BoxLayout kSpeedBox{
    kLongRunBox.left - 1365, kStatusStripBox.top + (kStatusStripBox.height - kSpeedListHeight) / 2,
    1275, kSpeedListHeight};
inline constexpr BoxLayout kSpeedLabelBox{kSpeedBox.left - 780, kStatusStripBox.top, 720,
                                          kStatusStripBox.height};
// Left of the speed control, the list of views for the chart's place; it
// shows its entry's name, which says what it is.
inline constexpr BoxLayout kViewListBox{kSpeedLabelBox.left - 1440, kSpeedBox.top, 1350,
                                        kSpeedListHeight};
inline constexpr BoxLayout kStatusLineBox{0, kStatusStripBox.top, kViewListBox.left - 90,
                                          kStatusStripBox.height};

// The strip's boxes when the speed label's caption, the long-run box's or
// the view list's widest entry needs more room than the design gives it
// (widths in twips, as the front-end measures them): the box widens leftwards and the status line
// gives up what it takes, though never more than a third of its design
// width. Captions that fit keep the design's boxes.
struct StripBoxes {
  BoxLayout statusLine;
  BoxLayout viewList;
  BoxLayout speedLabel;
  BoxLayout speedList;
  BoxLayout longRun;
};

constexpr StripBoxes stripBoxes(int speedLabelNeeds, int longRunNeeds, int viewListNeeds = 0) {
  const int most = kStatusLineBox.width / 3;
  const int longRunGrowth = std::clamp(longRunNeeds - kLongRunBox.width, 0, most);
  const int labelGrowth =
      std::clamp(speedLabelNeeds - kSpeedLabelBox.width, 0, most - longRunGrowth);
  const auto moved = [](BoxLayout box, int by) {
    box.left -= by;
    return box;
  };
  BoxLayout longRun = moved(kLongRunBox, longRunGrowth);
  longRun.width += longRunGrowth;
  BoxLayout speedLabel = moved(kSpeedLabelBox, longRunGrowth + labelGrowth);
  speedLabel.width += labelGrowth;
  const int viewGrowth =
      std::clamp(viewListNeeds - kViewListBox.width, 0, most - longRunGrowth - labelGrowth);
  BoxLayout viewList = moved(kViewListBox, longRunGrowth + labelGrowth + viewGrowth);
  viewList.width += viewGrowth;
  BoxLayout statusLine = kStatusLineBox;
  statusLine.width = viewList.left - (kSpeedLabelBox.left - kViewListBox.right());
  return {statusLine, viewList, speedLabel, moved(kSpeedBox, longRunGrowth), longRun};
}

// The whole form the window shows and scales: the client area with the
// status strip below it. The window keeps these proportions at every size.
inline constexpr int kFormWidth = kMainForm.clientWidth;
inline constexpr int kFormHeight = kStatusStripBox.bottom();

// ---------------------------------------------------------------------------
// Fonts: one face throughout, neither underlined nor struck through. The view
// substitutes a face where this one is missing, at the same sizes.

inline constexpr std::string_view kFontFace = "MS Sans Serif";
inline constexpr int kRegular = 400;
inline constexpr int kBold = 700;

inline constexpr FontSpec kNameLabelFont{kFontFace, 18.0F, kRegular, false};
inline constexpr FontSpec kCountLabelFont{kFontFace, 18.0F, kRegular, true};
inline constexpr FontSpec kRateBoxFont{kFontFace, 12.0F, kBold, false};
inline constexpr FontSpec kScenarioListFont{kFontFace, 18.0F, kRegular, false};
inline constexpr FontSpec kButtonFont{kFontFace, 13.5F, kRegular, false};
inline constexpr FontSpec kPercentageLabelFont{kFontFace, 13.5F, kBold, false};
inline constexpr FontSpec kStatusStripFont = kButtonFont;

// Every label writes its caption in black.
inline constexpr Colour kLabelTextColour = rgb(0, 0, 0);

// ---------------------------------------------------------------------------
// Colours shared by several controls

// The colour of each state, shared by its circle, its visit-count label and
// its bar.
inline constexpr std::array<Colour, kStateCount> kStateColours{
    rgb(192, 192, 255),  // Blue
    rgb(255, 192, 255),  // Purple
    rgb(192, 255, 192),  // Green
    rgb(192, 255, 255),  // Cyan
};

// The toolkit's default colour for lines and shape borders.
inline constexpr Colour kDefaultLineColour = rgb(0, 0, 0);

// ---------------------------------------------------------------------------
// The state diagram

// State circles: ovals filling their boxes, filled solid with the
// state's colour. The border starts grey; red marks the state the token rests
// in.
struct CircleLayout {
  BoxLayout box;
  Colour fill;
};

inline constexpr int kCircleBorderWidth = 6;
inline constexpr Colour kCircleBorderColour = kGrey;

inline constexpr std::array<CircleLayout, kStateCount> kStateCircles{{
    {{600, 480, 1815, 2415}, kStateColours[kBlue]},
    {{4080, 480, 1815, 2415}, kStateColours[kPurple]},
    {{600, 4440, 1815, 2415}, kStateColours[kGreen]},
    {{4080, 4440, 1815, 2415}, kStateColours[kCyan]},
}};

// State-name labels, in state order:
// centred text with no background of their own, so the circle's fill shows
// around it; a long caption wraps between words onto a second line. The
// design captions are replaced by the scenario's names before the window
// first shows.
struct NameLabelLayout {
  int circle;  // the circle the label stands in
  std::string_view caption;
  BoxLayout box;
};

inline constexpr std::array<NameLabelLayout, kStateCount> kNameLabels{{
    {kBlue, "Blue", {840, 1080, 1335, 1095}},
    {kPurple, "Purple", {4320, 1080, 1335, 1095}},
    {kGreen, "Green", {840, 5160, 1335, 1095}},
    {kCyan, "Cyan", {4320, 5160, 1335, 1095}},
}};

// Visit-count labels: below the name in each circle, centred
// text on the state's colour.
struct CountLabelLayout {
  BoxLayout box;
  Colour background;
};

inline constexpr std::string_view kCountLabelCaption = "10000";

inline constexpr std::array<CountLabelLayout, kStateCount> kCountLabels{{
    {{960, 2160, 1095, 375}, kStateColours[kBlue]},
    {{4440, 2160, 1095, 375}, kStateColours[kPurple]},
    {{960, 6120, 1095, 375}, kStateColours[kGreen]},
    {{4440, 6120, 1095, 375}, kStateColours[kCyan]},
}};

// Arcs: one straight line per transition, the two directions of
// a pair of states running in parallel. `from` and `to` name the transition
// the arc draws.
struct ArcLayout {
  LineLayout line;
  int width;
  int from;
  int to;
};

inline constexpr Colour kArcColour = kGrey;

inline constexpr std::array<ArcLayout, kTransitionCount> kArcs{{
    {{720, 2290, 720, 5040}, 4, kGreen, kBlue},
    {{1560, 2890, 1560, 4440}, 4, kBlue, kGreen},
    {{5040, 2890, 5040, 4440}, 4, kCyan, kPurple},
    {{5760, 2340, 5760, 5010}, 4, kPurple, kCyan},
    {{2048, 720, 4440, 720}, 4, kBlue, kPurple},
    {{2420, 1680, 4080, 1680}, 4, kPurple, kBlue},
    {{2320, 2200, 4640, 4520}, 3, kBlue, kCyan},
    {{1920, 2760, 4200, 5040}, 3, kCyan, kBlue},
    {{1920, 4560, 4200, 2280}, 3, kGreen, kPurple},
    {{2280, 5040, 4560, 2760}, 3, kPurple, kGreen},
    {{2420, 5640, 4080, 5640}, 4, kGreen, kCyan},
    {{2080, 6600, 4410, 6600}, 4, kCyan, kGreen},
}};

// Arrow-head strokes: two per arc, meeting at the tip on the
// arc, their other ends towards the arc's source. `arc` is the arcLines index.
struct ArrowStrokeLayout {
  LineLayout line;
  int arc;
};

inline constexpr Colour kArrowStrokeColour = kDarkGrey;
inline constexpr int kArrowStrokeWidth = 1;  // thin

inline constexpr std::array<ArrowStrokeLayout, 2 * kTransitionCount> kArrowStrokes{{
    {{3120, 480, 3360, 720}, 4},     // 0
    {{2880, 1680, 3120, 1920}, 5},   // 1
    {{1320, 3480, 1560, 3720}, 1},   // 2
    {{720, 3600, 960, 3840}, 0},     // 3
    {{5040, 3480, 5280, 3720}, 2},   // 4
    {{5520, 3480, 5760, 3720}, 3},   // 5
    {{3240, 5400, 3480, 5640}, 10},  // 6
    {{3240, 6600, 3480, 6840}, 11},  // 7
    {{3360, 720, 3120, 960}, 4},     // 8
    {{3120, 1440, 2880, 1680}, 5},   // 9
    {{1800, 3480, 1560, 3720}, 1},   // 10
    {{720, 3600, 480, 3840}, 0},     // 11
    {{5040, 3480, 4800, 3720}, 2},   // 12
    {{6000, 3480, 5760, 3720}, 3},   // 13
    {{3480, 5640, 3240, 5880}, 10},  // 14
    {{3480, 6360, 3240, 6600}, 11},  // 15
    {{3000, 2640, 3000, 2880}, 6},   // 16
    {{3480, 4320, 3480, 4560}, 7},   // 17
    {{2640, 3840, 2640, 4080}, 8},   // 18
    {{3840, 3240, 3840, 3480}, 9},   // 19
    {{2760, 2880, 3000, 2880}, 6},   // 20
    {{2400, 3840, 2640, 3840}, 8},   // 21
    {{3840, 3480, 4080, 3480}, 9},   // 22
    {{3480, 4320, 3720, 4320}, 7},   // 23
}};

// Rate boxes: single-line, centred text on light grey, each
// beside the arc (arcLines index) of its transition. The design text is replaced
// by the scenario's rates before the window first shows.
struct RateBoxLayout {
  BoxLayout box;
  int arc;
};

inline constexpr Colour kRateBoxBackground = kLightGrey;
inline constexpr std::string_view kRateBoxText = "Text1";

inline constexpr std::array<RateBoxLayout, kTransitionCount> kRateBoxes{{
    {{5520, 2760, 615, 300}, 3},   // Purple -> Cyan
    {{3600, 6240, 560, 300}, 11},  // Cyan -> Green
    {{360, 4320, 600, 300}, 0},    // Green -> Blue
    {{2040, 360, 615, 300}, 4},    // Blue -> Purple
    {{3480, 1320, 480, 300}, 5},   // Purple -> Blue
    {{4680, 3960, 615, 300}, 2},   // Cyan -> Purple
    {{2550, 5280, 600, 300}, 10},  // Green -> Cyan
    {{1200, 3000, 615, 300}, 1},   // Blue -> Green
    {{2400, 2160, 615, 300}, 6},   // Blue -> Cyan
    {{3480, 4560, 615, 300}, 7},   // Cyan -> Blue
    {{3960, 2880, 615, 300}, 9},   // Purple -> Green
    {{1800, 4080, 615, 300}, 8},   // Green -> Purple
}};

// The token: a circle filled solid red with the toolkit's default
// border, its diameter the smaller side of its box and centred in it. The box
// is its design position; the animation moves it by Left and Top.
inline constexpr BoxLayout kTokenBox{5520, 6720, 255, 375};
inline constexpr Colour kTokenFill = kRed;
inline constexpr Colour kTokenBorderColour = kDefaultLineColour;
inline constexpr int kTokenBorderWidth = 1;

// ---------------------------------------------------------------------------
// Scenario list and buttons

// The scenario list; its height follows its font.
inline constexpr BoxLayout kScenarioListBox{6480, 240, 4095, 555};

// The buttons "One", "Start" and "Pause", in that order, with their captions at start.
struct ButtonLayout {
  std::string_view caption;
  BoxLayout box;
};

inline constexpr std::array<ButtonLayout, 3> kButtons{{
    {N_("One"), {6480, 1080, 1215, 495}},
    {N_("Start"), {7920, 1080, 1215, 495}},
    {N_("Pause"), {9360, 1080, 1215, 495}},
}};

// ---------------------------------------------------------------------------
// The occupancy chart

// The chart's lines: the two axes (vertical, horizontal), then the four
// arrow-head strokes, two at the top of the vertical axis and two at the
// right end of the horizontal one.
enum class ChartLineRole { kAxis, kArrowHead };

struct ChartLineLayout {
  LineLayout line;
  ChartLineRole role;
};

inline constexpr int kChartLineWidth = 3;
inline constexpr Colour kChartLineColour = kDefaultLineColour;

inline constexpr std::array<ChartLineLayout, 6> kChartLines{{
    {{6840, 2040, 6840, 6960}, ChartLineRole::kAxis},   // vertical axis
    {{6840, 6960, 10440, 6960}, ChartLineRole::kAxis},  // horizontal axis
    {{6840, 2040, 6720, 2160}, ChartLineRole::kArrowHead},
    {{6840, 2040, 6960, 2160}, ChartLineRole::kArrowHead},
    {{10440, 6960, 10320, 6840}, ChartLineRole::kArrowHead},
    {{10320, 7080, 10440, 6960}, ChartLineRole::kArrowHead},
}};

// Occupancy bars: rectangles filled solid with the state's
// colour, without a border line. At design each stands at its full height;
// the chart changes Top and Height and keeps the bottom edge where it is.
struct BarLayout {
  BoxLayout box;
  Colour fill;
};

inline constexpr int kBarBottom = 6945;
inline constexpr int kBarFullHeight = 4305;

inline constexpr std::array<BarLayout, kStateCount> kBars{{
    {{7080, 2640, 495, 4305}, kStateColours[kBlue]},
    {{7920, 2640, 495, 4305}, kStateColours[kPurple]},
    {{8760, 2640, 495, 4305}, kStateColours[kGreen]},
    {{9600, 2640, 495, 4305}, kStateColours[kCyan]},
}};

// Percentage labels: centred text above each bar. The chart
// changes their captions and Top.
inline constexpr std::string_view kPercentageLabelCaption = "100";

inline constexpr std::array<BoxLayout, kStateCount> kPercentageLabels{{
    {6960, 2160, 735, 375},
    {7800, 2160, 735, 375},
    {8640, 2160, 735, 375},
    {9480, 2160, 735, 375},
}};

// The animation timer's interval, in milliseconds. The transition step also
// reads it as its pass budget.
inline constexpr int kMoveTimerInterval = 40;

// ---------------------------------------------------------------------------
// Stacking

// The drawn elements without windows of their own. The scenario list, the
// buttons and the rate boxes are input controls and always stand above all of
// these.
enum class Layer {
  kCircles,
  kArcLines,
  kChartAxes,
  kBarShapes,
  kChartArrowHeads,
  kPercentages,
  kToken,
  kArcArrowHeads,
  kStateNameLabels,
  kVisitCountLabels,
};

// Paint order, back to front: the labels stand on the circles, the token
// passes over the arcs and circles, the arrow heads lie over the arcs.
inline constexpr std::array<Layer, 10> kPaintOrder{
    Layer::kCircles,  // at the back
    Layer::kArcLines,         Layer::kChartAxes, Layer::kBarShapes,     Layer::kChartArrowHeads,
    Layer::kPercentages,      Layer::kToken,     Layer::kArcArrowHeads, Layer::kStateNameLabels,
    Layer::kVisitCountLabels,  // in front
};

// ---------------------------------------------------------------------------
// Tab order

// The controls that hold a tab position, by their names on the window; a
// control array's elements share one group and differ by index.
enum class ControlGroup {
  rateBoxes,
  shareLabels,
  scenarioList,
  oneButton,
  startStopButton,
  pauseButton,
  nameLabels,
  visitCounts,
};

struct TabStop {
  ControlGroup group;
  int index;  // 0 for a control that is not in an array
};

// Tab positions 0 to 27. Labels hold a position but never take the focus, so
// Tab moves only through the rate boxes, the scenario list and the buttons.
inline constexpr std::array<TabStop, 28> kTabOrder{{
    {ControlGroup::rateBoxes, 0},       {ControlGroup::rateBoxes, 1},
    {ControlGroup::rateBoxes, 2},       {ControlGroup::rateBoxes, 3},
    {ControlGroup::rateBoxes, 4},       {ControlGroup::rateBoxes, 5},
    {ControlGroup::rateBoxes, 6},       {ControlGroup::rateBoxes, 7},
    {ControlGroup::rateBoxes, 8},       {ControlGroup::rateBoxes, 9},
    {ControlGroup::rateBoxes, 10},      {ControlGroup::rateBoxes, 11},
    {ControlGroup::shareLabels, 0},     {ControlGroup::shareLabels, 1},
    {ControlGroup::shareLabels, 2},     {ControlGroup::shareLabels, 3},
    {ControlGroup::scenarioList, 0},    {ControlGroup::oneButton, 0},
    {ControlGroup::startStopButton, 0}, {ControlGroup::pauseButton, 0},
    {ControlGroup::nameLabels, kBlue},  {ControlGroup::nameLabels, kPurple},
    {ControlGroup::nameLabels, kCyan},  {ControlGroup::nameLabels, kGreen},
    {ControlGroup::visitCounts, 0},     {ControlGroup::visitCounts, 1},
    {ControlGroup::visitCounts, 2},     {ControlGroup::visitCounts, 3},
}};

// Whether a control of the group can take the focus: labels never do.
constexpr bool takesFocus(ControlGroup group) {
  switch (group) {
    case ControlGroup::rateBoxes:
    case ControlGroup::scenarioList:
    case ControlGroup::oneButton:
    case ControlGroup::startStopButton:
    case ControlGroup::pauseButton:
      return true;
    case ControlGroup::shareLabels:
    case ControlGroup::nameLabels:
    case ControlGroup::visitCounts:
      return false;
  }
  return false;
}

}  // namespace tessel
