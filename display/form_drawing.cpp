#include "display/form_drawing.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>

#include "display/long_run_marks.h"

namespace tessel {
namespace {

// `rect` shrunk by `by` on every side: the path of a border twice that wide
// that stays inside the box.
PixelRect inset(const PixelRect& rect, double by) {
  return {rect.left + by, rect.top + by, rect.width - by - by, rect.height - by - by};
}

void drawLine(FormCanvas& canvas, const LineLayout& line, Colour colour, int width,
              bool antialiased = true) {
  canvas.line(pixelLine(line), colour, width, width > 1 ? LineCap::kRound : LineCap::kSquare,
              antialiased);
}

void drawLabel(FormCanvas& canvas, const Label& label, const BoxLayout& box, const FontSpec& font,
               std::optional<Colour> background = std::nullopt) {
  if (!label.visible) return;
  const PixelRect rect = labelBox(label, box);
  if (background) canvas.fillRect(rect, *background);
  canvas.text(rect, label.caption, font, kLabelTextColour, TextAlign::kCentreTopWrapped);
}

// The state circles: ovals filling their boxes, the wide border drawn inside.
void drawCircles(FormCanvas& canvas, const FormControls& controls) {
  for (std::size_t i = 0; i < kStateCount; ++i) {
    const Shape& circle = controls.circles[i];
    if (!circle.visible) continue;
    canvas.ellipse(inset(shapeBox(circle, kStateCircles[i].box, false), kCircleBorderWidth / 2.0),
                   kStateCircles[i].fill, circle.borderColor, kCircleBorderWidth);
  }
}

void drawToken(FormCanvas& canvas, const Shape& token) {
  if (!token.visible) return;
  // A circle as wide as the box, centred in it.
  const PixelRect box = shapeBox(token, kTokenBox, false);
  const double diameter = std::min(box.width, box.height);
  const PixelRect circle{box.left + box.width / 2 - diameter / 2,
                         box.top + box.height / 2 - diameter / 2, diameter, diameter};
  canvas.ellipse(inset(circle, kTokenBorderWidth / 2.0), kTokenFill, kTokenBorderColour,
                 kTokenBorderWidth);
}

// The long-run marks, over the bars and under the percentage labels, so that
// a label that passes a mark stays whole.
void drawLongRunMarks(FormCanvas& canvas, const FormControls& controls) {
  for (std::size_t i = 0; i < kStateCount; ++i) {
    const LongRunMark& mark = controls.longRunMarks[i];
    if (!mark.visible) continue;
    canvas.line(markLine(mark, kBars[i].box), kMarkColour, kMarkLineWidth, LineCap::kFlat, true);
    canvas.text(markCaptionBox(mark, kBars[i].box), mark.caption, kMarkFont, kMarkColour,
                TextAlign::kLeftMiddle);
  }
}

void drawLayer(FormCanvas& canvas, const FormControls& controls, Layer layer) {
  switch (layer) {
    case Layer::kCircles:
      drawCircles(canvas, controls);
      break;
    case Layer::kArcLines:
      for (std::size_t i = 0; i < kArcs.size(); ++i) {
        if (controls.arcLines[i].visible)
          drawLine(canvas, kArcs[i].line, kArcColour, kArcs[i].width);
      }
      break;
    case Layer::kChartAxes:
    case Layer::kChartArrowHeads: {
      // kChartLines lists the two axes, then the four arrow-head strokes.
      const std::array<const Line*, 6> lines{
          &controls.chartAxes[0],        &controls.chartAxes[1],
          &controls.axisArrowStrokes[0], &controls.axisArrowStrokes[1],
          &controls.axisArrowStrokes[2], &controls.axisArrowStrokes[3]};
      const ChartLineRole role =
          layer == Layer::kChartAxes ? ChartLineRole::kAxis : ChartLineRole::kArrowHead;
      for (std::size_t i = 0; i < lines.size(); ++i) {
        if (kChartLines[i].role == role && lines[i]->visible) {
          drawLine(canvas, kChartLines[i].line, kChartLineColour, kChartLineWidth);
        }
      }
      break;
    }
    case Layer::kBarShapes:
      for (std::size_t i = 0; i < kStateCount; ++i) {
        const Shape& bar = controls.bars[i];
        if (bar.visible) canvas.fillRect(shapeBox(bar, kBars[i].box, true), kBars[i].fill);
      }
      break;
    case Layer::kPercentages:
      for (std::size_t i = 0; i < kStateCount; ++i) {
        drawLabel(canvas, controls.shareLabels[i], kPercentageLabels[i], kPercentageLabelFont);
      }
      break;
    case Layer::kToken:
      drawToken(canvas, controls.token);
      break;
    case Layer::kArcArrowHeads:
      // The thin strokes run horizontally, vertically or at 45 degrees, and
      // drawn without antialiasing each covers exactly one pixel per step in
      // full colour; antialiased, a 1-pixel stroke between pixel rows would
      // smear into a pale 2-pixel band.
      for (std::size_t i = 0; i < kArrowStrokes.size(); ++i) {
        if (controls.arrowStrokes[i].visible) {
          drawLine(canvas, kArrowStrokes[i].line, kArrowStrokeColour, kArrowStrokeWidth, false);
        }
      }
      break;
    case Layer::kStateNameLabels:
      for (std::size_t i = 0; i < kStateCount; ++i) {
        drawLabel(canvas, controls.nameLabels[i], kNameLabels[i].box, kNameLabelFont);
      }
      break;
    case Layer::kVisitCountLabels:
      for (std::size_t i = 0; i < kStateCount; ++i) {
        drawLabel(canvas, controls.visitCounts[i], kCountLabels[i].box, kCountLabelFont,
                  kCountLabels[i].background);
      }
      break;
  }
}

}  // namespace

PixelRect pixelBox(const BoxLayout& box) {
  return {box.left * kPixelsPerTwip, box.top * kPixelsPerTwip, box.width * kPixelsPerTwip,
          box.height * kPixelsPerTwip};
}

PixelLine pixelLine(const LineLayout& line) {
  return {line.x1 * kPixelsPerTwip, line.y1 * kPixelsPerTwip, line.x2 * kPixelsPerTwip,
          line.y2 * kPixelsPerTwip};
}

PixelRect shapeBox(const Shape& shape, const BoxLayout& box, bool heightFromModel) {
  const double height = heightFromModel ? static_cast<double>(shape.height) : box.height;
  return {shape.left * kPixelsPerTwip, shape.top * kPixelsPerTwip, box.width * kPixelsPerTwip,
          height * kPixelsPerTwip};
}

PixelRect labelBox(const Label& label, const BoxLayout& box) {
  return {box.left * kPixelsPerTwip, label.top * kPixelsPerTwip, box.width * kPixelsPerTwip,
          box.height * kPixelsPerTwip};
}

PixelLine markLine(const LongRunMark& mark, const BoxLayout& bar) {
  const double y = mark.top * kPixelsPerTwip;
  return {bar.left * kPixelsPerTwip, y, bar.right() * kPixelsPerTwip, y};
}

PixelRect markCaptionBox(const LongRunMark& mark, const BoxLayout& bar) {
  return {(bar.right() + kMarkCaptionGap) * kPixelsPerTwip,
          (mark.top - kMarkCaptionHeight / 2.0) * kPixelsPerTwip,
          kMarkCaptionWidth * kPixelsPerTwip, kMarkCaptionHeight * kPixelsPerTwip};
}

void drawForm(FormCanvas& canvas, const FormControls& controls) {
  for (const Layer layer : kPaintOrder) {
    drawLayer(canvas, controls, layer);
    if (layer == Layer::kBarShapes) drawLongRunMarks(canvas, controls);
  }
}

namespace {

// Pixels added around an element's box so that its antialiased edges and
// wide borders are repainted too.
constexpr double kRepaintMargin = 4.0;

PixelRect grown(const PixelRect& rect) {
  return {rect.left - kRepaintMargin, rect.top - kRepaintMargin, rect.width + 2 * kRepaintMargin,
          rect.height + 2 * kRepaintMargin};
}

PixelRect lineBox(const PixelLine& line) {
  const double left = std::min(line.x1, line.x2);
  const double top = std::min(line.y1, line.y2);
  return grown({left, top, std::max(line.x1, line.x2) - left, std::max(line.y1, line.y2) - top});
}

bool sameShape(const Shape& a, const Shape& b) {
  return a.visible == b.visible && a.borderColor == b.borderColor && a.left == b.left &&
         a.top == b.top && a.height == b.height;
}

bool sameLabel(const Label& a, const Label& b) {
  return a.visible == b.visible && a.caption == b.caption && a.top == b.top;
}

bool sameMark(const LongRunMark& a, const LongRunMark& b) {
  return a.visible == b.visible && a.caption == b.caption && a.top == b.top;
}

void addMark(std::vector<PixelRect>& region, const LongRunMark& mark, const BoxLayout& bar) {
  region.push_back(lineBox(markLine(mark, bar)));
  region.push_back(grown(markCaptionBox(mark, bar)));
}

}  // namespace

std::vector<PixelRect> changedRegion(const FormControls& before, const FormControls& after) {
  std::vector<PixelRect> region;
  for (std::size_t i = 0; i < kStateCount; ++i) {
    if (!sameShape(before.circles[i], after.circles[i])) {
      region.push_back(grown(pixelBox(kStateCircles[i].box)));
    }
    if (!sameShape(before.bars[i], after.bars[i])) {
      region.push_back(grown(shapeBox(before.bars[i], kBars[i].box, true)));
      region.push_back(grown(shapeBox(after.bars[i], kBars[i].box, true)));
    }
    if (!sameLabel(before.shareLabels[i], after.shareLabels[i])) {
      region.push_back(grown(labelBox(before.shareLabels[i], kPercentageLabels[i])));
      region.push_back(grown(labelBox(after.shareLabels[i], kPercentageLabels[i])));
    }
    if (!sameLabel(before.visitCounts[i], after.visitCounts[i])) {
      region.push_back(grown(pixelBox(kCountLabels[i].box)));
    }
    if (!sameLabel(before.nameLabels[i], after.nameLabels[i])) {
      region.push_back(grown(pixelBox(kNameLabels[i].box)));
    }
    if (!sameMark(before.longRunMarks[i], after.longRunMarks[i])) {
      addMark(region, before.longRunMarks[i], kBars[i].box);
      addMark(region, after.longRunMarks[i], kBars[i].box);
    }
  }
  if (!sameShape(before.token, after.token)) {
    region.push_back(grown(shapeBox(before.token, kTokenBox, false)));
    region.push_back(grown(shapeBox(after.token, kTokenBox, false)));
  }
  for (std::size_t i = 0; i < kArcs.size(); ++i) {
    if (before.arcLines[i].visible != after.arcLines[i].visible) {
      region.push_back(lineBox(pixelLine(kArcs[i].line)));
    }
  }
  for (std::size_t i = 0; i < kArrowStrokes.size(); ++i) {
    if (before.arrowStrokes[i].visible != after.arrowStrokes[i].visible) {
      region.push_back(lineBox(pixelLine(kArrowStrokes[i].line)));
    }
  }
  return region;
}

std::optional<int> stateAt(const FormControls& controls, double x, double y) {
  for (int state = 0; state < kStateCount; ++state) {
    const auto i = static_cast<std::size_t>(state);
    const PixelRect box = pixelBox(kStateCircles[i].box);
    if (controls.circles[i].visible && x >= box.left && x < box.left + box.width && y >= box.top &&
        y < box.top + box.height) {
      return state;
    }
  }
  return std::nullopt;
}

}  // namespace tessel
