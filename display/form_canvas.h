#pragma once

// What a front-end draws the window's drawn elements with: a handful of
// operations in design pixels (15 twips to a pixel, y downwards), which each
// front-end implements once over its own drawing surface. The rules that say
// what goes where are in form_drawing.h, shared by every front-end.

#include <string_view>

#include "display/layout.h"

namespace tessel {

inline constexpr double kPixelsPerTwip = 1.0 / kTwipsPerPixel;

// A font's size in pixels at 96 dots per inch, whatever the screen reports,
// so that the layout does not depend on it.
constexpr double fontPixels(const FontSpec& font) {
  return font.points * 96.0 / 72.0;
}

struct PixelRect {
  double left;
  double top;
  double width;
  double height;

  bool operator==(const PixelRect&) const = default;
};

struct PixelLine {
  double x1;
  double y1;
  double x2;
  double y2;

  bool operator==(const PixelLine&) const = default;
};

// How a line's ends are drawn: cut off at the end points, or extended past
// them by half the width, squared off or rounded.
enum class LineCap { kFlat, kSquare, kRound };

enum class TextAlign {
  kCentreTopWrapped,  // centred across the box from its top, broken between words
  kLeftMiddle,        // one line from the box's left edge, centred from top to bottom
};

// A caption too long for its box at its font's size (a wrapped one, or a
// list's entry) is shown smaller, a whole pixel at a time, down to this
// share of the size, so that it stays inside; the front-end measures it.
inline constexpr double kSmallestCaptionShare = 0.75;

class FormCanvas {
 public:
  virtual ~FormCanvas() = default;

  // An ellipse that fits `box`, filled with `fill`, its border `borderWidth`
  // pixels wide and centred on the ellipse's edge.
  virtual void ellipse(const PixelRect& box, Colour fill, Colour border, int borderWidth) = 0;

  // Everything but the thin strokes that must stay one full-colour pixel
  // wide is antialiased.
  virtual void line(const PixelLine& line, Colour colour, int width, LineCap cap,
                    bool antialiased) = 0;

  virtual void fillRect(const PixelRect& rect, Colour colour) = 0;

  // `text` is UTF-8, drawn in `colour` with no background of its own.
  virtual void text(const PixelRect& box, std::string_view text, const FontSpec& font,
                    Colour colour, TextAlign align) = 0;
};

}  // namespace tessel
