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

// The state-name label of a state index, for both constnesses of the controls.
template <typename Controls>
auto& nameLabelOf(Controls& controls, int state) {
  switch (state) {
    case kBlue:
      return controls.lblBlue;
    case kPurple:
      return controls.lblPurple;
    case kGreen:
      return controls.lblGreen;
    case kCyan:
      return controls.lblCyan;
    default:
      throw std::out_of_range("no state-name label for state index " + std::to_string(state));
  }
}

}  // namespace

Label& FormControls::nameLabel(int state) {
  return nameLabelOf(*this, state);
}

const Label& FormControls::nameLabel(int state) const {
  return nameLabelOf(*this, state);
}

FormControls makeDesignControls() {
  FormControls controls;

  // cmbSims stays as constructed, with no entries and empty text, until the
  // window fills it at load.

  controls.Command1.caption = std::string(kButtons[0].caption);
  controls.Command2.caption = std::string(kButtons[1].caption);
  controls.Command3.caption = std::string(kButtons[2].caption);

  for (TextBox& box : controls.Text1) {
    box.text = std::string(kRateBoxText);
    box.visible = true;
  }

  for (std::size_t i = 0; i < kStateCircles.size(); ++i) {
    Shape& circle = controls.Shape1[i];
    placeShape(circle, kStateCircles[i].box);
    circle.borderColor = kCircleBorderColour;
    circle.visible = true;
  }

  for (Line& arc : controls.Line4) arc.visible = true;
  for (Line& stroke : controls.Line13) stroke.visible = true;

  for (int state = 0; state < kStateCount; ++state) {
    const NameLabelLayout& layout = kNameLabels[static_cast<std::size_t>(state)];
    controls.nameLabel(state) = designLabel(layout.caption, layout.box);
  }
  for (std::size_t i = 0; i < kCountLabels.size(); ++i) {
    controls.lblCount[i] = designLabel(kCountLabelCaption, kCountLabels[i].box);
  }

  placeShape(controls.Shape3, kTokenBox);
  controls.Shape3.borderColor = kTokenBorderColour;
  controls.Shape3.visible = true;

  for (std::size_t i = 0; i < kBars.size(); ++i) {
    placeShape(controls.Shape2[i], kBars[i].box);
    controls.Shape2[i].visible = true;
  }
  for (std::size_t i = 0; i < kPercentageLabels.size(); ++i) {
    controls.Label1[i] = designLabel(kPercentageLabelCaption, kPercentageLabels[i]);
  }

  for (Line* axis : {&controls.Line7, &controls.Line8, &controls.Line9, &controls.Line10,
                     &controls.Line11, &controls.Line12}) {
    axis->visible = true;
  }

  controls.MoveTimer.interval = kMoveTimerInterval;
  controls.MoveTimer.enabled = false;
  return controls;
}

}  // namespace tessel
