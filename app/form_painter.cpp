#include "app/form_painter.h"

#include <QFontMetrics>
#include <QPen>
#include <QStringList>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "display/form_drawing.h"

namespace tessel {
namespace {

QColor toQColor(Colour colour) {
  return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

QRectF toQRectF(const PixelRect& rect) {
  return QRectF(rect.left, rect.top, rect.width, rect.height);
}

QLineF toQLineF(const PixelLine& line) {
  return QLineF(line.x1, line.y1, line.x2, line.y2);
}

Qt::PenCapStyle toQCap(LineCap cap) {
  switch (cap) {
    case LineCap::kFlat:
      return Qt::FlatCap;
    case LineCap::kSquare:
      return Qt::SquareCap;
    case LineCap::kRound:
      return Qt::RoundCap;
  }
  return Qt::SquareCap;
}

// A layout font as a QFont, made once: the paint path runs on every tick
// that moves something, and draws in only a few fonts.
QFont cachedFont(const FontSpec& wanted) {
  static std::vector<std::pair<FontSpec, QFont>> made;
  const auto found = std::find_if(made.begin(), made.end(),
                                  [&wanted](const auto& entry) { return entry.first == wanted; });
  if (found != made.end()) return found->second;
  made.emplace_back(wanted, fontFor(wanted));
  return made.back().second;
}

// The form's drawing on a QPainter whose transform places and scales the
// form; it expects the painter antialiased.
class PainterCanvas final : public FormCanvas {
 public:
  explicit PainterCanvas(QPainter& painter) : painter_(painter) {}

  void ellipse(const PixelRect& box, Colour fill, Colour border, int borderWidth) override {
    painter_.setPen(QPen(toQColor(border), borderWidth));
    painter_.setBrush(toQColor(fill));
    painter_.drawEllipse(toQRectF(box));
    painter_.setBrush(Qt::NoBrush);
  }

  void line(const PixelLine& line, Colour colour, int width, LineCap cap,
            bool antialiased) override {
    QPen pen(toQColor(colour), width);
    pen.setCapStyle(toQCap(cap));
    painter_.setPen(pen);
    // Drawn without antialiasing, a stroke's width still scales with the painter.
    if (!antialiased) painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.drawLine(toQLineF(line));
    if (!antialiased) painter_.setRenderHint(QPainter::Antialiasing, true);
  }

  void fillRect(const PixelRect& rect, Colour colour) override {
    painter_.fillRect(toQRectF(rect), toQColor(colour));
  }

  void text(const PixelRect& box, std::string_view text, const FontSpec& font, Colour colour,
            TextAlign align) override {
    painter_.setFont(cachedFont(font));
    painter_.setPen(toQColor(colour));
    const int flags = align == TextAlign::kCentreTopWrapped
                          ? Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap
                          : Qt::AlignLeft | Qt::AlignVCenter;
    painter_.drawText(toQRectF(box), flags,
                      QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  }

 private:
  QPainter& painter_;
};

// Pixels to add around an element's box so that its antialiased edges and
// wide borders are repainted too.
constexpr int kRepaintMargin = 4;

QRect repaintRect(const QRectF& rect) {
  return rect.toAlignedRect().adjusted(-kRepaintMargin, -kRepaintMargin, kRepaintMargin,
                                       kRepaintMargin);
}

QRect repaintRect(const PixelRect& rect) {
  return repaintRect(toQRectF(rect));
}

QRect lineRect(const LineLayout& line) {
  const QLineF pixels = toQLineF(pixelLine(line));
  return repaintRect(QRectF(pixels.p1(), pixels.p2()).normalized());
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
  const QLineF line = toQLineF(markLine(mark, bar));
  return repaintRect(QRectF(line.p1(), line.p2()).normalized() |
                     toQRectF(markCaptionBox(mark, bar)));
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
  return toQRectF(pixelBox(box));
}

void paintForm(QPainter& painter, const FormControls& controls) {
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  PainterCanvas canvas(painter);
  drawForm(canvas, controls);
}

QRegion changedRegion(const FormControls& before, const FormControls& after) {
  QRegion region;
  for (std::size_t i = 0; i < kStateCount; ++i) {
    if (!sameShape(before.circles[i], after.circles[i])) {
      region += repaintRect(pixelRect(kStateCircles[i].box));
    }
    if (!sameShape(before.bars[i], after.bars[i])) {
      region += repaintRect(shapeBox(before.bars[i], kBars[i].box, true));
      region += repaintRect(shapeBox(after.bars[i], kBars[i].box, true));
    }
    if (!sameLabel(before.shareLabels[i], after.shareLabels[i])) {
      region += repaintRect(labelBox(before.shareLabels[i], kPercentageLabels[i]));
      region += repaintRect(labelBox(after.shareLabels[i], kPercentageLabels[i]));
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
    region += repaintRect(shapeBox(before.token, kTokenBox, false));
    region += repaintRect(shapeBox(after.token, kTokenBox, false));
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
