#pragma once

// The window's drawn elements (everything but the input controls) on a
// QPainter, by the drawing rules in display/form_drawing.h, in logical
// pixels: 15 twips to a pixel; and the Qt fonts and boxes of the layout.

#include <QFont>
#include <QPainter>
#include <QRegion>
#include <vector>

#include "display/form_canvas.h"
#include "display/form_controls.h"
#include "display/layout.h"

namespace tessel {

// The face that stands in for "MS Sans Serif": Debian's metric-compatible
// sans serif in its narrow cut, so that every caption fits its box at the
// design's point sizes.
inline constexpr const char* kSubstituteFace = "Liberation Sans Narrow";

// A design font at its point size, as pixels at 96 dots per inch, so that
// the layout does not depend on the screen's reported resolution; `scale`
// multiplies it, rounded down to whole pixels, for a widget on a form shown
// larger or smaller than its design.
QFont fontFor(const FontSpec& design, double scale = 1.0);

QRectF pixelRect(const BoxLayout& box);

// `font`, made smaller as kSmallestCaptionShare allows where `text`,
// broken between words, is wider than the box or takes more lines than it
// holds (at least one).
QFont fittedFont(QFont font, const QString& text, double width, double height);
// `font`, made smaller as kSmallestCaptionShare allows where the widest of
// a list's entries is wider than `room`.
QFont fittedListFont(QFont font, const QStringList& entries, int room);

// `text` broken between words into at most `lines` lines of `width` pixels,
// joined by newlines, the last one cut short with an ellipsis if the text
// goes on; `elided` tells whether anything was left out.
QString fitToLines(const QString& text, const QFont& font, int width, int lines, bool& elided);

// The form's drawing on a QPainter whose transform places and scales the
// form, in design pixels, so that the drawing stays sharp at every size.
class PainterCanvas final : public FormCanvas {
 public:
  // Turns the painter's antialiasing on, as the drawing expects.
  explicit PainterCanvas(QPainter& painter);

  void ellipse(const PixelRect& box, Colour fill, Colour border, int borderWidth) override;
  void line(const PixelLine& line, Colour colour, int width, LineCap cap,
            bool antialiased) override;
  void fillRect(const PixelRect& rect, Colour colour) override;
  void text(const PixelRect& box, std::string_view text, const FontSpec& font, Colour colour,
            TextAlign align) override;

 private:
  QPainter& painter_;
};

// Draws the controls by drawForm's rules.
void paintForm(QPainter& painter, const FormControls& controls);

// Design-pixel boxes (as changedRegion gives them) as a region of whole
// pixels that covers them.
QRegion toRegion(const std::vector<PixelRect>& boxes);

}  // namespace tessel
