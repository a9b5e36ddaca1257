#include "display/recording_canvas.h"

namespace tessel {

void RecordingCanvas::ellipse(const PixelRect& box, Colour fill, Colour border, int borderWidth) {
  Operation& op = add(Operation::Kind::kEllipse, {box.left, box.top, box.width, box.height}, fill);
  op.border = border;
  op.width = borderWidth;
}

void RecordingCanvas::line(const PixelLine& line, Colour colour, int width, LineCap cap,
                           bool antialiased) {
  Operation& op = add(Operation::Kind::kLine, {line.x1, line.y1, line.x2, line.y2}, colour);
  op.width = width;
  op.cap = cap;
  op.flag = antialiased;
}

void RecordingCanvas::fillRect(const PixelRect& rect, Colour colour) {
  add(Operation::Kind::kRect, {rect.left, rect.top, rect.width, rect.height}, colour);
}

void RecordingCanvas::text(const PixelRect& box, std::string_view text, const FontSpec& font,
                           Colour colour, TextAlign align) {
  Operation& op = add(Operation::Kind::kText, {box.left, box.top, box.width, box.height}, colour);
  op.flag = align == TextAlign::kCentreTopWrapped;
  op.text = text;
  op.font = font;
}

RecordingCanvas::Operation& RecordingCanvas::add(Operation::Kind kind,
                                                 const std::array<double, 4>& place,
                                                 Colour colour) {
  Operation& op = operations_.emplace_back();
  op.kind = kind;
  op.place = place;
  op.colour = colour;
  return op;
}

}  // namespace tessel
