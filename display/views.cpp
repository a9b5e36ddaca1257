#include "display/views.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>

#include "display/form_drawing.h"
#include "toolkit/text.h"

namespace tessel {
namespace {

constexpr Colour kInk = rgb(0, 0, 0);
// The states' colours, deep enough to show as thin lines on white.
constexpr std::array<Colour, kStateCount> kHistoryColours{rgb(64, 64, 224), rgb(192, 48, 192),
                                                          rgb(32, 160, 32), rgb(0, 160, 176)};

constexpr int kLineWidth = 2;
constexpr double kDash = 6.0;
constexpr double kDashGap = 4.0;
// Points closer than this to the last one drawn are left out: the line
// looks the same, and a run of a billion ticks stays about a hundred strokes
// a state. Their ends are square: round ones cost a frame at "Max" more
// than the rest of the view together.
constexpr double kLeastStep = 2.0;

std::string percentText(std::string_view number) {
  return fill(_("{percent}%"), {{"percent", std::string(number)}});
}

struct Plot {
  PixelRect area;
  double firstPower = 1.0;  // log10 of the axis' ends
  double lastPower = 2.0;

  double x(double ticks) const {
    const double at = (std::log10(ticks) - firstPower) / (lastPower - firstPower);
    return area.left + at * area.width;
  }
  double y(double share) const {
    return area.top + (1.0 - std::clamp(share, 0.0, 1.0)) * area.height;
  }
};

void drawHistoryFrame(FormCanvas& canvas, const Plot& plot) {
  const PixelRect& area = plot.area;
  const double right = area.left + area.width;
  const double bottom = area.top + area.height;
  for (int quarter = 0; quarter <= 4; ++quarter) {
    const double y = plot.y(quarter / 4.0);
    if (quarter > 0)
      canvas.line({area.left, y, right, y}, kViewRuleColour, 1, LineCap::kFlat, false);
    canvas.text({area.left - 38.0, y - 7.0, 34.0, 14.0}, percentText(std::to_string(quarter * 25)),
                kViewFont, kInk, TextAlign::kLeftMiddle);
  }
  // A label every decade where they fit, else every other or third one.
  const int first = static_cast<int>(std::lround(plot.firstPower));
  const int last = static_cast<int>(std::floor(plot.lastPower + 1e-9));
  const double decade = area.width / (plot.lastPower - plot.firstPower);
  const int every = std::max(1, static_cast<int>(std::ceil(30.0 / decade)));
  for (int power = first; power <= last; ++power) {
    const double x = plot.x(std::pow(10.0, power));
    if (power > first)
      canvas.line({x, area.top, x, bottom}, kViewRuleColour, 1, LineCap::kFlat, false);
    if ((power - first) % every != 0) continue;
    canvas.text({x - 20.0, bottom + 3.0, 40.0, 14.0}, ticksLabel(power), kViewFont, kInk,
                TextAlign::kCentreTopWrapped);
  }
  canvas.line({area.left, area.top, area.left, bottom}, kInk, 1, LineCap::kSquare, false);
  canvas.line({area.left, bottom, right, bottom}, kInk, 1, LineCap::kSquare, false);
}

void drawDashes(FormCanvas& canvas, const Plot& plot, double share, Colour colour) {
  const double y = plot.y(share);
  const double right = plot.area.left + plot.area.width;
  for (double x = plot.area.left + 1.0; x < right; x += kDash + kDashGap) {
    // Level: as sharp, and much quicker, without antialiasing.
    canvas.line({x, y, std::min(x + kDash, right), y}, colour, kLineWidth, LineCap::kFlat, false);
  }
}

void drawShares(FormCanvas& canvas, const Plot& plot, const HistoryLine& line) {
  const Colour colour = kHistoryColours[static_cast<std::size_t>(line.state)];
  double lastX = 0.0;
  double lastY = 0.0;
  bool started = false;
  const auto& points = line.points;
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (points[i].ticks < kHistoryFirstTicks) continue;
    const double x = plot.x(points[i].ticks);
    const double y = plot.y(points[i].share);
    if (started && x - lastX < kLeastStep && i + 1 < points.size()) continue;
    if (started) canvas.line({lastX, lastY, x, y}, colour, kLineWidth, LineCap::kSquare, true);
    lastX = x;
    lastY = y;
    started = true;
  }
}

PixelRect viewArea() {
  return pixelBox(kViewBox);
}

}  // namespace

std::string ticksLabel(int powerOfTen) {
  static constexpr std::array<const char*, 5> kPrefixes{"", "k", "M", "G", "T"};
  const int group = std::clamp(powerOfTen / 3, 0, static_cast<int>(kPrefixes.size()) - 1);
  const int within = powerOfTen - 3 * group;
  std::string digits = "1";
  digits.append(static_cast<std::size_t>(std::max(within, 0)), '0');
  return digits + kPrefixes[static_cast<std::size_t>(group)];
}

void drawHistory(FormCanvas& canvas, const HistoryPicture& picture) {
  const PixelRect box = viewArea();
  canvas.fillRect(box, kViewGround);
  Plot plot;
  plot.area = {box.left + 44.0, box.top + 12.0, box.width - 56.0, box.height - 34.0};
  plot.firstPower = std::log10(kHistoryFirstTicks);
  plot.lastPower = std::log10(std::max(picture.ticks, kHistoryLeastEnd));
  drawHistoryFrame(canvas, plot);
  for (const HistoryLine& line : picture.lines) {
    if (line.longRun) {
      drawDashes(canvas, plot, *line.longRun,
                 kHistoryColours[static_cast<std::size_t>(line.state)]);
    }
  }
  for (const HistoryLine& line : picture.lines) drawShares(canvas, plot, line);
}

std::string chanceText(double chance) {
  if (!(chance > 0.0)) return "0";
  const double percent = chance * 100.0;
  if (percent < 0.001) return fill(_("< {percent} %"), {{"percent", "0.001"}});
  // Three significant digits, never in an exponent's form; rounding up can
  // reach the next power of ten, which needs a decimal fewer.
  const int magnitude = static_cast<int>(std::floor(std::log10(percent)));
  int decimals = std::max(0, 2 - magnitude);
  const double scale = std::pow(10.0, decimals);
  if (decimals > 0 && std::round(percent * scale) / scale >= std::pow(10.0, magnitude + 1)) {
    --decimals;
  }
  return fill(_("{percent} %"), {{"percent", fmt::format("{:.{}f}", percent, decimals)}});
}

namespace {

constexpr double kHeadWidth = 70.0;
constexpr double kRowHeight = 28.0;
constexpr double kHeadRowHeight = 36.0;
constexpr double kSwatch = 10.0;

void swatch(FormCanvas& canvas, double left, double top, int state) {
  canvas.ellipse({left, top, kSwatch, kSwatch}, kStateColours[static_cast<std::size_t>(state)],
                 kInk, 1);
}

void cell(FormCanvas& canvas, const PixelRect& box, const std::string& text,
          std::optional<Colour> ground) {
  if (ground) canvas.fillRect(box, *ground);
  canvas.text({box.left + 1.0, box.top + 6.0, box.width - 2.0, box.height - 6.0}, text,
              kViewCellFont, kInk, TextAlign::kCentreTopWrapped);
}

}  // namespace

void drawChances(FormCanvas& canvas, const ChancesPicture& picture) {
  const PixelRect box = viewArea();
  canvas.fillRect(box, kViewGround);
  const double inner = box.width - 8.0;
  const double left = box.left + 4.0;
  if (picture.cells.empty()) {
    canvas.text({left, box.top + 8.0, inner, box.height - 16.0}, picture.problem, kViewFont, kInk,
                TextAlign::kCentreTopWrapped);
    return;
  }
  const std::size_t count = picture.states.size();
  const double column = (inner - kHeadWidth) / static_cast<double>(std::max<std::size_t>(count, 1));
  const double tableLeft = left + kHeadWidth;
  double top = box.top + 6.0;
  canvas.text({left, top, kHeadWidth, kHeadRowHeight}, picture.cornerText, kViewFont, kInk,
              TextAlign::kCentreTopWrapped);
  for (std::size_t j = 0; j < count; ++j) {
    const double x = tableLeft + column * static_cast<double>(j);
    swatch(canvas, x + column / 2 - kSwatch / 2, top, picture.states[j]);
    canvas.text({x, top + kSwatch + 1.0, column, kHeadRowHeight - kSwatch}, picture.names[j],
                kViewHeadFont, kInk, TextAlign::kCentreTopWrapped);
  }
  top += kHeadRowHeight + 4.0;
  const auto rowHead = [&](double y, const std::string& text, std::optional<int> state) {
    double textLeft = left;
    if (state) {
      swatch(canvas, left, y + (kRowHeight - kSwatch) / 2, *state);
      textLeft += kSwatch + 2.0;
    }
    // Two lines of a long name, from the top.
    canvas.text({textLeft, y + 4.0, kHeadWidth - (textLeft - left) - 2.0, kRowHeight - 4.0}, text,
                kViewHeadFont, kInk, TextAlign::kCentreTopWrapped);
  };
  const double tableTop = top;
  for (std::size_t i = 0; i < count; ++i) {
    rowHead(top, picture.names[i], picture.states[i]);
    for (std::size_t j = 0; j < count; ++j) {
      const PixelRect at{tableLeft + column * static_cast<double>(j), top, column, kRowHeight};
      // Staying is the diagonal, on the state's own colour.
      cell(canvas, at, picture.cells[i][j],
           i == j ? std::optional(kStateColours[static_cast<std::size_t>(picture.states[i])])
                  : std::nullopt);
    }
    top += kRowHeight;
  }
  const double tableRight = tableLeft + column * static_cast<double>(count);
  for (std::size_t i = 0; i <= count; ++i) {
    const double y = tableTop + kRowHeight * static_cast<double>(i);
    canvas.line({tableLeft, y, tableRight, y}, kViewRuleColour, 1, LineCap::kFlat, false);
    const double x = tableLeft + column * static_cast<double>(i);
    canvas.line({x, tableTop, x, top}, kViewRuleColour, 1, LineCap::kFlat, false);
  }
  top += 8.0;
  if (!picture.longRun.empty()) {
    rowHead(top, picture.longRunHead, std::nullopt);
    for (std::size_t j = 0; j < count && j < picture.longRun.size(); ++j) {
      cell(canvas, {tableLeft + column * static_cast<double>(j), top, column, kRowHeight},
           picture.longRun[j], std::nullopt);
    }
    canvas.line({tableLeft, top, tableRight, top}, kViewRuleColour, 1, LineCap::kFlat, false);
    canvas.line({tableLeft, top + kRowHeight, tableRight, top + kRowHeight}, kViewRuleColour, 1,
                LineCap::kFlat, false);
    top += kRowHeight + 8.0;
  }
  canvas.text({left, top, inner, box.top + box.height - top - 4.0}, picture.note, kViewFont, kInk,
              TextAlign::kCentreTopWrapped);
}

}  // namespace tessel
