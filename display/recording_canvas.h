#pragma once

// A canvas that writes its operations down instead of drawing them, for a
// front-end that replays the drawing elsewhere (the page, on an HTML canvas)
// and for comparing two drawings.

#include <array>
#include <string>
#include <vector>

#include "display/form_canvas.h"

namespace tessel {

class RecordingCanvas final : public FormCanvas {
 public:
  struct Operation {
    enum class Kind { kEllipse, kLine, kRect, kText } kind = Kind::kRect;
    std::array<double, 4> place{};  // box (left, top, width, height) or line ends
    Colour colour = 0;              // fill, line or text colour
    Colour border = 0;              // an ellipse's border
    int width = 0;                  // an ellipse's border or a line's width
    LineCap cap = LineCap::kFlat;
    bool flag = false;  // a line antialiased; a text centred from the top and wrapped
    std::string text;
    FontSpec font{};

    bool operator==(const Operation&) const = default;
  };

  void ellipse(const PixelRect& box, Colour fill, Colour border, int borderWidth) override;
  void line(const PixelLine& line, Colour colour, int width, LineCap cap,
            bool antialiased) override;
  void fillRect(const PixelRect& rect, Colour colour) override;
  void text(const PixelRect& box, std::string_view text, const FontSpec& font, Colour colour,
            TextAlign align) override;

  const std::vector<Operation>& operations() const { return operations_; }

 private:
  Operation& add(Operation::Kind kind, const std::array<double, 4>& place, Colour colour);

  std::vector<Operation> operations_;
};

}  // namespace tessel
