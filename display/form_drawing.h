#pragma once

// The window's drawn elements (everything but the input controls), drawn
// from the control model back to front in the window's stacking order, on
// whatever canvas a front-end gives; and the boxes they are drawn in, for a
// front-end that repaints only what changed.

#include "display/form_canvas.h"
#include "display/form_controls.h"
#include "display/layout.h"

namespace tessel {

PixelRect pixelBox(const BoxLayout& box);
PixelLine pixelLine(const LineLayout& line);

// A shape's box where the program moves it: Left and Top from the model, the
// width (and, unless the model sets it, the height) from the layout.
PixelRect shapeBox(const Shape& shape, const BoxLayout& box, bool heightFromModel);

// A label's box at the Top the model gives it.
PixelRect labelBox(const Label& label, const BoxLayout& box);

// A long-run mark's line across its bar's column, and the box its share is
// written in, right of the bar.
PixelLine markLine(const LongRunMark& mark, const BoxLayout& bar);
PixelRect markCaptionBox(const LongRunMark& mark, const BoxLayout& bar);

void drawForm(FormCanvas& canvas, const FormControls& controls);

}  // namespace tessel
