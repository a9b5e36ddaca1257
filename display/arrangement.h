#pragma once

// Where the form's parts stand: the design's arrangement, side by side, or a
// stacked one for a screen taller than it is wide (a phone held upright):
// the diagram on top at the full width, the view in the chart's place under
// it, then the scenario list and the buttons, the status line, and the
// strip's controls. Each part keeps its own layout and is moved whole, so
// the same rules draw it in either arrangement.

#include <algorithm>
#include <array>
#include <cstddef>
#include <vector>

#include "display/form_canvas.h"
#include "display/layout.h"
#include "display/views.h"

namespace tessel {

enum class FormPart { Diagram, Controls, View, StatusLine, StripControls };
inline constexpr std::size_t kFormPartCount = 5;

struct Arrangement {
  int width = kFormWidth;  // twips
  int height = kFormHeight;
  // How far each part moves from its place in the design, in twips.
  struct Offset {
    int dx = 0;
    int dy = 0;
  };
  std::array<Offset, kFormPartCount> offsets{};

  constexpr Offset offset(FormPart part) const { return offsets[static_cast<std::size_t>(part)]; }
};

inline constexpr Arrangement kDesignArrangement{};

namespace stacked {
// The parts' design boxes.
inline constexpr BoxLayout kDiagram{0, 0, kDiagramRegionRight, kMainForm.clientHeight};
inline constexpr BoxLayout kView{kDiagramRegionRight, kViewBox.top,
                                 kMainForm.clientWidth - kDiagramRegionRight,
                                 kMainForm.clientHeight - kViewBox.top};
inline constexpr BoxLayout kControls{kDiagramRegionRight, 0, kView.width, kViewBox.top};
inline constexpr BoxLayout kStripControls{kViewListBox.left, kStatusStripBox.top,
                                          kMainForm.clientWidth - kViewListBox.left,
                                          kStatusStripBox.height};
// The status line alone on its row, across the whole width.
inline constexpr int kStatusLineWidth = kDiagram.width;
// The part's offset to stand centred across the diagram's width at `top`.
constexpr Arrangement::Offset centredAt(const BoxLayout& part, int top) {
  return {(kDiagram.width - part.width) / 2 - part.left, top - part.top};
}
}  // namespace stacked

inline constexpr Arrangement kStackedArrangement{
    stacked::kDiagram.width,
    stacked::kDiagram.height + stacked::kView.height + stacked::kControls.height +
        2 * kStatusStripBox.height,
    {{{0, 0},
      stacked::centredAt(stacked::kControls, stacked::kDiagram.height + stacked::kView.height),
      stacked::centredAt(stacked::kView, stacked::kDiagram.height),
      {0, stacked::kDiagram.height + stacked::kView.height + stacked::kControls.height -
              kStatusStripBox.top},
      stacked::centredAt(stacked::kStripControls, stacked::kDiagram.height + stacked::kView.height +
                                                      stacked::kControls.height +
                                                      kStatusStripBox.height)}}};

constexpr BoxLayout arranged(const Arrangement& arrangement, FormPart part, BoxLayout box) {
  const Arrangement::Offset by = arrangement.offset(part);
  box.left += by.dx;
  box.top += by.dy;
  return box;
}

// Where a box of the design's drawing stands in the arrangement, in as many
// pieces as parts it crosses: the diagram's piece left of
// kDiagramRegionRight, the chart's or view's right of it.
inline std::vector<PixelRect> arrangedPieces(const Arrangement& arrangement, const PixelRect& box) {
  constexpr double edge = kDiagramRegionRight * kPixelsPerTwip;
  std::vector<PixelRect> pieces;
  const Arrangement::Offset diagram = arrangement.offset(FormPart::Diagram);
  const Arrangement::Offset view = arrangement.offset(FormPart::View);
  if (diagram.dx == view.dx && diagram.dy == view.dy) {
    return {{box.left + diagram.dx * kPixelsPerTwip, box.top + diagram.dy * kPixelsPerTwip,
             box.width, box.height}};
  }
  const auto add = [&](FormPart part, double left, double right) {
    if (right <= left) return;
    const Arrangement::Offset by = arrangement.offset(part);
    pieces.push_back({left + by.dx * kPixelsPerTwip, box.top + by.dy * kPixelsPerTwip, right - left,
                      box.height});
  };
  add(FormPart::Diagram, box.left, std::min(box.left + box.width, edge));
  add(FormPart::View, std::max(box.left, edge), box.left + box.width);
  return pieces;
}

// Draws the form's drawn elements in an arrangement: each operation moves
// with the part it stands in (the diagram left of kDiagramRegionRight, the
// chart or view right of it), on the canvas it wraps.
class ArrangedCanvas final : public FormCanvas {
 public:
  ArrangedCanvas(FormCanvas& canvas, const Arrangement& arrangement)
      : canvas_(canvas), arrangement_(arrangement) {}

  void ellipse(const PixelRect& box, Colour fill, Colour border, int borderWidth) override {
    canvas_.ellipse(moved(box), fill, border, borderWidth);
  }
  void line(const PixelLine& line, Colour colour, int width, LineCap cap,
            bool antialiased) override {
    const Arrangement::Offset by = offsetAt(line.x1);
    canvas_.line({line.x1 + by.dx * kPixelsPerTwip, line.y1 + by.dy * kPixelsPerTwip,
                  line.x2 + by.dx * kPixelsPerTwip, line.y2 + by.dy * kPixelsPerTwip},
                 colour, width, cap, antialiased);
  }
  void fillRect(const PixelRect& rect, Colour colour) override {
    canvas_.fillRect(moved(rect), colour);
  }
  void text(const PixelRect& box, std::string_view text, const FontSpec& font, Colour colour,
            TextAlign align) override {
    canvas_.text(moved(box), text, font, colour, align);
  }

 private:
  Arrangement::Offset offsetAt(double x) const {
    return arrangement_.offset(x < kDiagramRegionRight * kPixelsPerTwip ? FormPart::Diagram
                                                                        : FormPart::View);
  }
  PixelRect moved(PixelRect box) const {
    const Arrangement::Offset by = offsetAt(box.left);
    box.left += by.dx * kPixelsPerTwip;
    box.top += by.dy * kPixelsPerTwip;
    return box;
  }

  FormCanvas& canvas_;
  const Arrangement& arrangement_;
};

}  // namespace tessel
