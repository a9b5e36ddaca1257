#include "window/scenario_setup.h"

#include "chain/scenarios.h"
#include "display/show_layer.h"
#include "toolkit/numbers.h"

namespace tessel {
namespace {

// A scenario's own chart columns: the base's two, or the others' beyond them.
void showColumns(FormControls& controls, const Scenario& scenario, bool isBase) {
  for (std::size_t i = isBase ? 0 : 2; i < scenario.columns.size(); ++i) {
    const auto column = static_cast<std::size_t>(scenario.columns[i]);
    controls.bars[column].visible = true;
    controls.shareLabels[column].visible = true;
    controls.visitCounts[column].visible = true;
  }
}

void applyAdditions(FormControls& controls, const Scenario& scenario, bool isBase) {
  // The base shows layer 2; the others add what they need beyond it.
  for (std::size_t i = isBase ? 0 : 1; i < scenario.layers.size(); ++i) {
    showLayer(controls, scenario.layers[i]);
  }
  for (std::size_t state = 0; state < kStateCount; ++state) {
    const std::string_view name = scenario.stateNames[state];
    if (!name.empty()) controls.nameLabels[state].caption = std::string(name);
  }
  for (const DefaultRate& rate : scenario.rates) {
    controls.rateBoxes[static_cast<std::size_t>(rate.rateBox)].setText(numberText(rate.rate));
  }
  showColumns(controls, scenario, isBase);
}

void applyChain(FormControls& controls, const Chain& chain) {
  const ShownTransitions shown = shownTransitions(chain.states.size());
  for (std::size_t state = 0; state < chain.states.size(); ++state) {
    controls.circles[state].visible = true;
  }
  for (std::size_t transition = 0; transition < kTransitionCount; ++transition) {
    if (shown[transition]) showTransition(controls, static_cast<int>(transition));
  }
  for (std::size_t state = 0; state < chain.states.size(); ++state) {
    controls.nameLabels[state].caption = chain.states[state];
  }
  for (std::size_t transition = 0; transition < kTransitionCount; ++transition) {
    if (const std::optional<double>& rate = chain.rates[transition]) {
      controls.rateBoxes[static_cast<std::size_t>(kTransitions[transition].rateBox)].setText(
          numberText(*rate));
    }
  }
  for (std::size_t state = 0; state < chain.states.size(); ++state) {
    controls.bars[state].visible = true;
    controls.shareLabels[state].visible = true;
    controls.visitCounts[state].visible = true;
  }
}

}  // namespace

void applyScenario(FormControls& controls, const Chain* chain) {
  for (TextBox& box : controls.rateBoxes) box.setText("0.0");
  for (Line& stroke : controls.arrowStrokes) stroke.visible = false;
  for (std::size_t i = 0; i < kTransitionCount; ++i) {
    controls.rateBoxes[i].visible = false;
    controls.arcLines[i].visible = false;
  }
  for (std::size_t i = 0; i < kStateCount; ++i) {
    controls.circles[i].visible = false;
    controls.bars[i].visible = false;
    controls.shareLabels[i].visible = false;
    controls.visitCounts[i].visible = false;
  }
  for (Label& name : controls.nameLabels) name.caption.clear();

  if (chain != nullptr) {
    applyChain(controls, *chain);
    return;
  }
  // The list's text is read afresh for each test and compared exactly.
  applyAdditions(controls, kBaseScenario, true);
  for (std::size_t i = 1; i < kScenarios.size(); ++i) {
    if (controls.scenarioList.text == kScenarios[i].name) {
      applyAdditions(controls, kScenarios[i], false);
    }
  }
}

}  // namespace tessel
