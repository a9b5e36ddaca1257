#pragma once

// What the page reads once, from the core's tables, as JSON: where
// everything stands, in design pixels, with the fonts; and the texts that no
// event changes, which are also written into the page itself when it is
// built, so that it reads right before its scripts run.

#include <nlohmann/json.hpp>
#include <string>

#include "display/form_canvas.h"

namespace tessel {

// A caption with the place of the letter that Alt takes with it:
// {"text": "Speed", "at": 4}; "at" is -1 for an empty caption.
nlohmann::ordered_json captionWithMnemonic(const std::string& caption, char letter);

std::string pageLayout();
std::string pageTexts();
// The strip's boxes where its speed label, long-run box and view list need
// the widths given (design pixels) for their captions; see stripBoxes.
std::string pageStripBoxes(double speedLabelPixels, double longRunPixels, double viewListPixels);

// A box as [left, top, width, height], and a font as {pixels, weight,
// italic}, in design pixels.
nlohmann::ordered_json boxJson(const PixelRect& rect);
nlohmann::ordered_json fontJson(const FontSpec& font);

}  // namespace tessel
