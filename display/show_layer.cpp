#include "display/show_layer.h"

#include <array>

#include "toolkit/fixed_list.h"

namespace tessel {
namespace {

struct DiagramLayer {
  std::int16_t layer;
  FixedList<int, 2> circles;      // state indexes
  FixedList<int, 4> transitions;  // their strokes, arcs and rate boxes show
};

inline constexpr std::array<DiagramLayer, 4> kDiagramLayers{{
    {2, {kBlue, kPurple}, {0, 1}},         // Blue <-> Purple
    {3, {kGreen}, {2, 3}},                 // Blue <-> Green
    {4, {kCyan}, {6, 7, 4, 5}},            // Purple <-> Cyan, Green <-> Cyan
    {5, {kCyan, kGreen}, {4, 5, 10, 11}},  // Green <-> Cyan, Purple <-> Green
}};

}  // namespace

void showTransition(FormControls& controls, int transition) {
  const Transition& t = kTransitions.at(static_cast<std::size_t>(transition));
  for (const int stroke : t.arrowStrokes) {
    controls.arrowStrokes[static_cast<std::size_t>(stroke)].visible = true;
  }
  controls.arcLines[static_cast<std::size_t>(t.arcLine)].visible = true;
  controls.rateBoxes[static_cast<std::size_t>(t.rateBox)].visible = true;
}

void showLayer(FormControls& controls, std::int16_t layer) {
  for (const DiagramLayer& row : kDiagramLayers) {
    if (row.layer != layer) continue;
    for (const int state : row.circles)
      controls.circles[static_cast<std::size_t>(state)].visible = true;
    for (const int record : row.transitions) {
      const Transition& t = kTransitions[static_cast<std::size_t>(record)];
      for (const int stroke : t.arrowStrokes) {
        controls.arrowStrokes[static_cast<std::size_t>(stroke)].visible = true;
      }
    }
    for (const int record : row.transitions) {
      const Transition& t = kTransitions[static_cast<std::size_t>(record)];
      controls.arcLines[static_cast<std::size_t>(t.arcLine)].visible = true;
    }
    for (const int record : row.transitions) {
      const Transition& t = kTransitions[static_cast<std::size_t>(record)];
      controls.rateBoxes[static_cast<std::size_t>(t.rateBox)].visible = true;
    }
  }
}

ShownTransitions shownTransitions(const Scenario& scenario) {
  ShownTransitions shown{};
  for (const std::int16_t layer : scenario.layers) {
    for (const DiagramLayer& row : kDiagramLayers) {
      if (row.layer != layer) continue;
      for (const int transition : row.transitions)
        shown[static_cast<std::size_t>(transition)] = true;
    }
  }
  return shown;
}

ShownTransitions shownTransitions(std::size_t stateCount) {
  ShownTransitions shown{};
  const auto states = static_cast<int>(stateCount);
  for (std::size_t i = 0; i < shown.size(); ++i) {
    shown[i] = kTransitions[i].from < states && kTransitions[i].to < states;
  }
  return shown;
}

}  // namespace tessel
