#pragma once

// The window's drawn elements (everything but the input controls), drawn
// from the control model back to front in the window's stacking order, on
// whatever canvas a front-end gives; and the boxes they are drawn in, for a
// front-end that repaints only what changed.

#include <optional>
#include <vector>

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

// The boxes whose drawing differs between two states of the controls, each
// grown to cover antialiased edges and wide borders: what a front-end that
// repaints only what changed repaints. None when nothing drawn changed.
std::vector<PixelRect> changedRegion(const FormControls& before, const FormControls& after);

// The shown state whose oval's box holds the point; none elsewhere.
std::optional<int> stateAt(const FormControls& controls, double x, double y);

}  // namespace tessel
