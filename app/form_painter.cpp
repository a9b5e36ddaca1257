#include "app/form_painter.h"

#include <QFontMetrics>
#include <QPen>
#include <QStringList>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

#include "display/long_run_marks.h"

namespace tessel {
namespace {

QColor toQColor(Colour colour) {
  return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

QLineF pixelLine(const LineLayout& line) {
  return QLineF(line.x1 * kPixelsPerTwip, line.y1 * kPixelsPerTwip, line.x2 * kPixelsPerTwip,
                line.y2 * kPixelsPerTwip);
}

// A shape's box where the program moves it: Left and Top from the model, the
// width (and, unless the model sets it, the height) from the layout.
QRectF shapeRect(const Shape& shape, const BoxLayout& box, bool heightFromModel) {
  const double height = heightFromModel ? static_cast<double>(shape.height) : box.height;
  return QRectF(shape.left * kPixelsPerTwip, shape.top * kPixelsPerTwip, box.width * kPixelsPerTwip,
                height * kPixelsPerTwip);
}

QRectF labelRect(const Label& label, const BoxLayout& box) {
  return QRectF(box.left * kPixelsPerTwip, label.top * kPixelsPerTwip, box.width * kPixelsPerTwip,
                box.height * kPixelsPerTwip);
}

void drawLine(QPainter& painter, const LineLayout& line, Colour colour, int width) {
  QPen pen(toQColor(colour), width);
  pen.setCapStyle(width > 1 ? Qt::RoundCap : Qt::SquareCap);
  painter.setPen(pen);
  painter.drawLine(pixelLine(line));
}

void drawLabel(QPainter& painter, const Label& label, const BoxLayout& box, const QFont& font,
               const QColor* background) {
  if (!label.visible) return;
  const QRectF rect = labelRect(label, box);
  if (background != nullptr) painter.fillRect(rect, *background);
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(rect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                   QString::fromStdString(label.caption));
}

// The state circles: ovals filling their boxes, the wide border drawn inside.
void paintCircles(QPainter& painter, const FormControls& controls) {
  for (std::size_t i = 0; i < kStateCount; ++i) {
    const Shape& circle = controls.circles[i];
    if (!circle.visible) continue;
    const QRectF box = shapeRect(circle, kStateCircles[i].box, false);
    const double inset = kCircleBorderWidth / 2.0;
    painter.setPen(QPen(toQColor(circle.borderColor), kCircleBorderWidth));
    painter.setBrush(toQColor(kStateCircles[i].fill));
    painter.drawEllipse(box.adjusted(inset, inset, -inset, -inset));
  }
  painter.setBrush(Qt::NoBrush);
}

void paintToken(QPainter& painter, const Shape& token) {
  if (!token.visible) return;
  // A circle as wide as the box, centred in it.
  const QRectF box = shapeRect(token, kTokenBox, false);
  const double diameter = std::min(box.width(), box.height());
  const QRectF circle(box.center().x() - diameter / 2, box.center().y() - diameter / 2, diameter,
                      diameter);
  painter.setPen(QPen(toQColor(kTokenBorderColour), kTokenBorderWidth));
  painter.setBrush(toQColor(kTokenFill));
  painter.drawEllipse(circle.adjusted(0.5, 0.5, -0.5, -0.5));
  painter.setBrush(Qt::NoBrush);
}

// A long-run mark's line across its bar's column, and where its share is
// written, right of the bar.
QLineF markLine(const LongRunMark& mark, const BoxLayout& bar) {
  const double y = mark.top * kPixelsPerTwip;
  return QLineF(bar.left * kPixelsPerTwip, y, bar.right() * kPixelsPerTwip, y);
}

QRectF markCaptionRect(const LongRunMark& mark, const BoxLayout& bar) {
  return QRectF((bar.right() + kMarkCaptionGap) * kPixelsPerTwip,
                (mark.top - kMarkCaptionHeight / 2.0) * kPixelsPerTwip,
                kMarkCaptionWidth * kPixelsPerTwip, kMarkCaptionHeight * kPixelsPerTwip);
}

// The long-run marks, over the bars and under the percentage labels, so that
// a label that passes a mark stays whole.
void paintLongRunMarks(QPainter& painter, const FormControls& controls) {
  static const QFont font = fontFor(kMarkFont);
  const QColor colour = toQColor(kMarkColour);
  for (std::size_t i = 0; i < kStateCount; ++i) {
    const LongRunMark& mark = controls.longRunMarks[i];
    if (!mark.visible) continue;
    QPen pen(colour, kMarkLineWidth);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    painter.drawLine(markLine(mark, kBars[i].box));
    painter.setFont(font);
    painter.drawText(markCaptionRect(mark, kBars[i].box), Qt::AlignLeft | Qt::AlignVCenter,
                     QString::fromStdString(mark.caption));
  }
}

void paintLayer(QPainter& painter, const FormControls& controls, Layer layer) {
  switch (layer) {
    case Layer::kCircles:
      paintCircles(painter, controls);
      break;
    case Layer::kArcLines:
      for (std::size_t i = 0; i < kArcs.size(); ++i) {
        if (controls.arcLines[i].visible)
          drawLine(painter, kArcs[i].line, kArcColour, kArcs[i].width);
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
          drawLine(painter, kChartLines[i].line, kChartLineColour, kChartLineWidth);
        }
      }
      break;
    }
    case Layer::kBarShapes:
      for (std::size_t i = 0; i < kStateCount; ++i) {
        const Shape& bar = controls.bars[i];
        if (bar.visible)
          painter.fillRect(shapeRect(bar, kBars[i].box, true), toQColor(kBars[i].fill));
      }
      break;
    case Layer::kPercentages: {
      // Made once: the paint path runs on every tick that moves something.
      static const QFont font = fontFor(kPercentageLabelFont);
      for (std::size_t i = 0; i < kStateCount; ++i) {
        drawLabel(painter, controls.shareLabels[i], kPercentageLabels[i], font, nullptr);
      }
      break;
    }
    case Layer::kToken:
      paintToken(painter, controls.token);
      break;
    case Layer::kArcArrowHeads: {
      // The thin strokes run horizontally, vertically or at 45 degrees, and
      // drawn without antialiasing each covers exactly one pixel per step in
      // full colour; antialiased, a 1-pixel stroke between pixel rows would
      // smear into a pale 2-pixel band. Their width scales with the painter.
      painter.setRenderHint(QPainter::Antialiasing, false);
      for (std::size_t i = 0; i < kArrowStrokes.size(); ++i) {
        if (controls.arrowStrokes[i].visible) {
          drawLine(painter, kArrowStrokes[i].line, kArrowStrokeColour, kArrowStrokeWidth);
        }
      }
      painter.setRenderHint(QPainter::Antialiasing, true);
      break;
    }
    case Layer::kStateNameLabels: {
      static const QFont font = fontFor(kNameLabelFont);
      for (int state = 0; state < kStateCount; ++state) {
        const auto i = static_cast<std::size_t>(state);
        drawLabel(painter, controls.nameLabels[i], kNameLabels[i].box, font, nullptr);
      }
      break;
    }
    case Layer::kVisitCountLabels: {
      static const QFont font = fontFor(kCountLabelFont);
      for (std::size_t i = 0; i < kStateCount; ++i) {
        const QColor background = toQColor(kCountLabels[i].background);
        drawLabel(painter, controls.visitCounts[i], kCountLabels[i].box, font, &background);
      }
      break;
    }
  }
}

// Pixels to add around an element's box so that its antialiased edges and
// wide borders are repainted too.
constexpr int kRepaintMargin = 4;

QRect repaintRect(const QRectF& rect) {
  return rect.toAlignedRect().adjusted(-kRepaintMargin, -kRepaintMargin, kRepaintMargin,
                                       kRepaintMargin);
}

QRect lineRect(const LineLayout& line) {
  return repaintRect(QRectF(pixelLine(line).p1(), pixelLine(line).p2()).normalized());
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

QRect markRect(const LongRunMark& mark, const BoxLayout& bar) {
  const QLineF line = markLine(mark, bar);
  return repaintRect(QRectF(line.p1(), line.p2()).normalized() | markCaptionRect(mark, bar));
}

}  // namespace

QFont fontFor(const FontSpec& design, double scale) {
  QFont font(QString::fromLatin1(kSubstituteFace));
  // Rounded down at scales other than the design's, so that a caption never
  // grows faster than the box it has to fit.
  const double pixels = design.points * 96.0 / 72.0 * scale;
  font.setPixelSize(std::max(1, static_cast<int>(std::floor(pixels + 1e-6))));
  font.setWeight(design.weight >= 700 ? QFont::Bold : QFont::Normal);
  font.setItalic(design.italic);
  return font;
}

QString fitToLines(const QString& text, const QFont& font, int width, int lines, bool& elided) {
  elided = false;
  QStringList shown;
  QTextLayout layout(text, font);
  layout.beginLayout();
  for (int i = 0; i < lines; ++i) {
    QTextLine line = layout.createLine();
    if (!line.isValid()) break;
    line.setLineWidth(width);
    if (i == lines - 1) {
      const QString rest = text.mid(line.textStart());
      const QString last = QFontMetrics(font).elidedText(rest, Qt::ElideRight, width);
      elided = last != rest;
      shown << last;
    } else {
      shown << text.mid(line.textStart(), line.textLength()).trimmed();
    }
  }
  layout.endLayout();
  return shown.join(QLatin1Char('\n'));
}

QRectF pixelRect(const BoxLayout& box) {
  return QRectF(box.left * kPixelsPerTwip, box.top * kPixelsPerTwip, box.width * kPixelsPerTwip,
                box.height * kPixelsPerTwip);
}

void paintForm(QPainter& painter, const FormControls& controls) {
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  for (const Layer layer : kPaintOrder) {
    paintLayer(painter, controls, layer);
    if (layer == Layer::kBarShapes) paintLongRunMarks(painter, controls);
  }
}

QRegion changedRegion(const FormControls& before, const FormControls& after) {
  QRegion region;
  for (std::size_t i = 0; i < kStateCount; ++i) {
    if (!sameShape(before.circles[i], after.circles[i])) {
      region += repaintRect(pixelRect(kStateCircles[i].box));
    }
    if (!sameShape(before.bars[i], after.bars[i])) {
      region += repaintRect(shapeRect(before.bars[i], kBars[i].box, true));
      region += repaintRect(shapeRect(after.bars[i], kBars[i].box, true));
    }
    if (!sameLabel(before.shareLabels[i], after.shareLabels[i])) {
      region += repaintRect(labelRect(before.shareLabels[i], kPercentageLabels[i]));
      region += repaintRect(labelRect(after.shareLabels[i], kPercentageLabels[i]));
    }
    if (!sameLabel(before.visitCounts[i], after.visitCounts[i])) {
      region += repaintRect(pixelRect(kCountLabels[i].box));
    }
    if (!sameLabel(before.nameLabels[i], after.nameLabels[i])) {
      region += repaintRect(pixelRect(kNameLabels[i].box));
    }
    if (!sameMark(before.longRunMarks[i], after.longRunMarks[i])) {
      region += markRect(before.longRunMarks[i], kBars[i].box);
      region += markRect(after.longRunMarks[i], kBars[i].box);
    }
  }
  if (!sameShape(before.token, after.token)) {
    region += repaintRect(shapeRect(before.token, kTokenBox, false));
    region += repaintRect(shapeRect(after.token, kTokenBox, false));
  }
  for (std::size_t i = 0; i < kArcs.size(); ++i) {
    if (before.arcLines[i].visible != after.arcLines[i].visible) region += lineRect(kArcs[i].line);
  }
  for (std::size_t i = 0; i < kArrowStrokes.size(); ++i) {
    if (before.arrowStrokes[i].visible != after.arrowStrokes[i].visible) {
      region += lineRect(kArrowStrokes[i].line);
    }
  }
  return region;
}

}  // namespace tessel
