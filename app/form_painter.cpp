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

}  // namespace

PainterCanvas::PainterCanvas(QPainter& painter) : painter_(painter) {
  painter_.setRenderHint(QPainter::Antialiasing);
  painter_.setRenderHint(QPainter::TextAntialiasing);
}

void PainterCanvas::ellipse(const PixelRect& box, Colour fill, Colour border, int borderWidth) {
  painter_.setPen(QPen(toQColor(border), borderWidth));
  painter_.setBrush(toQColor(fill));
  painter_.drawEllipse(toQRectF(box));
  painter_.setBrush(Qt::NoBrush);
}

void PainterCanvas::line(const PixelLine& line, Colour colour, int width, LineCap cap,
                         bool antialiased) {
  QPen pen(toQColor(colour), width);
  pen.setCapStyle(toQCap(cap));
  painter_.setPen(pen);
  // Drawn without antialiasing, a stroke's width still scales with the painter.
  if (!antialiased) painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.drawLine(toQLineF(line));
  if (!antialiased) painter_.setRenderHint(QPainter::Antialiasing, true);
}

void PainterCanvas::fillRect(const PixelRect& rect, Colour colour) {
  painter_.fillRect(toQRectF(rect), toQColor(colour));
}

void PainterCanvas::text(const PixelRect& box, std::string_view text, const FontSpec& font,
                         Colour colour, TextAlign align) {
  const QString words = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  QFont shown = cachedFont(font);
  const bool wrapped = align == TextAlign::kCentreTopWrapped;
  const int flags = wrapped ? Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap
                            : Qt::AlignLeft | Qt::AlignVCenter;
  if (wrapped) shown = fittedFont(shown, words, box.width, box.height);
  painter_.setFont(shown);
  painter_.setPen(toQColor(colour));
  painter_.drawText(toQRectF(box), flags, words);
}

QFont fittedFont(QFont font, const QString& text, double width, double height) {
  const int design = font.pixelSize();
  // A box lower than a line of its font still holds one line.
  height = std::max(height, QFontMetricsF(font).height());
  for (;;) {
    const QRectF used = QFontMetricsF(font).boundingRect(QRectF(0, 0, width, 1e6),
                                                         Qt::AlignHCenter | Qt::TextWordWrap, text);
    const int smaller = font.pixelSize() - 1;
    if ((used.width() <= width && used.height() <= height) ||
        smaller < design * kSmallestCaptionShare) {
      return font;
    }
    font.setPixelSize(smaller);
  }
}

QFont fittedListFont(QFont font, const QStringList& entries, int room) {
  const int design = font.pixelSize();
  for (;;) {
    const QFontMetrics metrics(font);
    int widest = 0;
    for (const QString& entry : entries)
      widest = std::max(widest, metrics.horizontalAdvance(entry));
    const int smaller = font.pixelSize() - 1;
    if (widest <= room || smaller < design * kSmallestCaptionShare) return font;
    font.setPixelSize(smaller);
  }
}

QFont fontFor(const FontSpec& design, double scale) {
  QFont font(QString::fromLatin1(kSubstituteFace));
  // Rounded down at scales other than the design's, so that a caption never
  // grows faster than the box it has to fit.
  const double pixels = fontPixels(design) * scale;
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
  PainterCanvas canvas(painter);
  drawForm(canvas, controls);
}

QRegion toRegion(const std::vector<PixelRect>& boxes) {
  QRegion region;
  for (const PixelRect& box : boxes) region += toQRectF(box).toAlignedRect();
  return region;
}

}  // namespace tessel
