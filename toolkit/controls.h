#pragma once

// The window's controls as plain data. The window logic reads and writes
// exactly these properties; the view draws them. Positions and sizes are in
// twips from the top left of the client area, y downwards; colours are
// 0x00BBGGRR integers.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/numbers.h"

namespace tessel {

using Colour = std::int32_t;

// The window's flags are 16-bit values tested against True exactly: any
// value other than -1 counts as off.
using Boolean16 = std::int16_t;
inline constexpr Boolean16 kTrue = -1;
inline constexpr Boolean16 kFalse = 0;

constexpr Colour rgb(int red, int green, int blue) {
  return red | (green << 8) | (blue << 16);
}

inline constexpr Colour kRed = rgb(255, 0, 0);            // 255: the circle the token rests in
inline constexpr Colour kGrey = rgb(128, 128, 128);       // 8421504: every other circle
inline constexpr Colour kDarkGrey = rgb(64, 64, 64);      // arrow-head strokes
inline constexpr Colour kLightGrey = rgb(192, 192, 192);  // rate boxes

// A caption drawn on the window: state names, visit counts, percentages.
struct Label {
  std::string caption;
  bool visible = true;
  float top = 0.0F;
};

// An oval, circle or rectangle: state circles, the token, the chart's bars.
// Positions read back as single-precision twips, as they were set.
struct Shape {
  bool visible = true;
  Colour borderColor = kGrey;
  float left = 0.0F;
  float top = 0.0F;
  float height = 0.0F;
};

// A straight line: arcs, arrow-head strokes, chart axes.
struct Line {
  bool visible = true;
};

// A single-line text box; its text includes whatever the user typed.
//
// The two number readings of the text are made at their first use after each
// change and kept beside it. A draw reads a rate box up to 120 times and
// "One" may make 50,000 draws, so reading a long text afresh each time would
// freeze the window; the text cannot change while a draw runs, so the kept
// reading is always the one a fresh reading would give.
class TextBox {
 public:
  TextBox() = default;
  explicit TextBox(std::string text) : text_(std::move(text)) {}

  const std::string& text() const { return text_; }
  void setText(std::string text);

  // readLeadingNumber(text()) and readStrictNumber(text(), format).
  double leadingNumber() const;
  StrictReading strictNumber(const NumberFormat& format) const;

  bool visible = true;

 private:
  std::string text_;
  mutable std::optional<double> leading_;
  mutable std::optional<StrictReading> strict_;
  mutable std::string strictSeparator_;  // the decimal separator strict_ was read with
};

struct PushButton {
  std::string caption;
};

// A drop-down list whose text may be picked from its entries or typed.
struct ComboBox {
  std::vector<std::string> entries;
  std::string text;

  void addItem(std::string entry) { entries.push_back(std::move(entry)); }
};

// While enabled, the view delivers a tick about every `interval` milliseconds.
struct Timer {
  std::int32_t interval = 0;
  bool enabled = false;
};

}  // namespace tessel
