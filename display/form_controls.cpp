#include "display/form_controls.h"

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

#include "display/layout.h"

namespace tessel {
namespace {

// A shape placed at its design box; the toolkit reads positions back as
// single-precision twips.
void placeShape(Shape& shape, const BoxLayout& box) {
  shape.left = static_cast<float>(box.left);
  shape.top = static_cast<float>(box.top);
  shape.height = static_cast<float>(box.height);
}

Label designLabel(std::string_view caption, const BoxLayout& box) {
  Label label;
  label.caption = std::string(caption);
  label.top = static_cast<float>(box.top);
  label.visible = true;
  return label;
}

}  // namespace

FormControls makeDesignControls() {
  FormControls controls;

  // scenarioList stays as constructed, with no entries and empty text, until the
  // window fills it at load.

  controls.oneButton.caption = std::string(kButtons[0].caption);
  controls.startStopButton.caption = std::string(kButtons[1].caption);
  controls.pauseButton.caption = std::string(kButtons[2].caption);

  for (TextBox& box : controls.rateBoxes) {
    box.setText(std::string(kRateBoxText));
    box.visible = true;
  }

  for (std::size_t i = 0; i < kStateCircles.size(); ++i) {
    Shape& circle = controls.circles[i];
    placeShape(circle, kStateCircles[i].box);
    circle.borderColor = kCircleBorderColour;
    circle.visible = true;
  }

  for (Line& arc : controls.arcLines) arc.visible = true;
  for (Line& stroke : controls.arrowStrokes) stroke.visible = true;

  for (int state = 0; state < kStateCount; ++state) {
    const NameLabelLayout& layout = kNameLabels[static_cast<std::size_t>(state)];
    controls.nameLabels[static_cast<std::size_t>(state)] = designLabel(layout.caption, layout.box);
  }
  for (std::size_t i = 0; i < kCountLabels.size(); ++i) {
    controls.visitCounts[i] = designLabel(kCountLabelCaption, kCountLabels[i].box);
  }

  placeShape(controls.token, kTokenBox);
  controls.token.borderColor = kTokenBorderColour;
  controls.token.visible = true;

  for (std::size_t i = 0; i < kBars.size(); ++i) {
    placeShape(controls.bars[i], kBars[i].box);
    controls.bars[i].visible = true;
  }
  for (std::size_t i = 0; i < kPercentageLabels.size(); ++i) {
    controls.shareLabels[i] = designLabel(kPercentageLabelCaption, kPercentageLabels[i]);
  }

  for (Line& axis : controls.chartAxes) axis.visible = true;
  for (Line& stroke : controls.axisArrowStrokes) stroke.visible = true;

  controls.moveTimer.interval = kMoveTimerInterval;
  controls.moveTimer.enabled = false;
  return controls;
}

}  // namespace tessel
