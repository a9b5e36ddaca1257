// Prints where the window's parts stand on screen, in pixels, as shell
// assignments for tools/check-window-x11.sh: the window's title and size at
// the design's scale, the "Start" button's box and centre, the "Pause"
// button's box, the box around the occupancy chart (axes, arrow heads, bars
// and percentages), the status strip's box and the state circles' centres. Taken from the layout
// the view itself uses, so that the check clicks and compares where the window really draws.

#include <QRectF>
#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <string_view>

#include "app/form_painter.h"
#include "app/form_scale.h"
#include "display/layout.h"

namespace {

std::string shellQuoted(std::string_view text) {
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// X geometry: WIDTHxHEIGHT+LEFT+TOP of the whole pixels the box touches.
std::string geometry(const QRectF& box) {
  const QRect pixels = box.toAlignedRect();
  return std::to_string(pixels.width()) + "x" + std::to_string(pixels.height()) + "+" +
         std::to_string(pixels.left()) + "+" + std::to_string(pixels.top());
}

}  // namespace

int main() {
  using namespace tessel;
  const QRectF start = pixelRect(kButtons[1].box);
  const QRectF pause = pixelRect(kButtons[2].box);

  QRectF chart;
  const double halfLine = kChartLineWidth / 2.0;
  for (const ChartLineLayout& stroke : kChartLines) {
    const BoxLayout ends{
        std::min(stroke.line.x1, stroke.line.x2), std::min(stroke.line.y1, stroke.line.y2),
        std::abs(stroke.line.x2 - stroke.line.x1), std::abs(stroke.line.y2 - stroke.line.y1)};
    chart |= pixelRect(ends).adjusted(-halfLine, -halfLine, halfLine, halfLine);
  }
  for (const BarLayout& bar : kBars) chart |= pixelRect(bar.box);
  for (const BoxLayout& label : kPercentageLabels) chart |= pixelRect(label);

  std::printf("title=%s\n", shellQuoted(kMainForm.caption).c_str());
  const QSize form = FormScale::designSize();
  std::printf("width=%d\nheight=%d\n", form.width(), form.height());
  std::printf("start_box=%s\n", geometry(start).c_str());
  std::printf("start_x=%d\nstart_y=%d\n", static_cast<int>(start.center().x()),
              static_cast<int>(start.center().y()));
  std::printf("pause_box=%s\n", geometry(pause).c_str());
  std::printf("chart_box=%s\n", geometry(chart).c_str());
  std::printf("strip_box=%s\n", geometry(pixelRect(kStatusStripBox)).c_str());
  // The centres of the state circles, where a double-click edits a name.
  const std::array<const char*, kStateCount> colours{"blue", "purple", "green", "cyan"};
  for (std::size_t state = 0; state < kStateCount; ++state) {
    const QPointF centre = pixelRect(kStateCircles[state].box).center();
    std::printf("%s_circle_x=%d\n%s_circle_y=%d\n", colours[state], static_cast<int>(centre.x()),
                colours[state], static_cast<int>(centre.y()));
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}
