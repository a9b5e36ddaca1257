#pragma once

// The five preset scenarios: which layers of the diagram each shows, its
// names for the states, its default rates and its chart columns. The window
// applies them by the exact text of the scenario list.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "chain/transitions.h"
#include "toolkit/fixed_list.h"
#include "toolkit/text.h"

namespace tessel {

struct DefaultRate {
  int rateBox;
  double rate;  // written into the box as its number text
};

struct Scenario {
  std::string_view name;                                 // the list's text that selects it
  FixedList<std::int16_t, 3> layers;                     // showLayer layers, in order
  std::array<std::string_view, kStateCount> stateNames;  // "" where the state is unused
  FixedList<DefaultRate, 8> rates;                       // in the order they are written
  FixedList<int, kStateCount> columns;                   // chart columns and visit counts shown
};

// In the order the window tests for them. The first is the base that every
// scenario starts from; any text that names none of the others gives it.
inline constexpr std::array<Scenario, 5> kScenarios{{
    {N_("One Phone"), {2}, {N_("Off Phone"), N_("On Phone"), "", ""}, {{3, 1}, {4, 6}}, {0, 1}},
    {N_("Office"),
     {2, 3},
     {N_("Working at Desk"), N_("On Phone"), N_("Out"), ""},
     {{3, 1}, {4, 8}, {2, 2}, {7, 3}},
     {0, 1, 2}},
    {N_("Receptionist"),
     {2, 3},
     {N_("Bored"), N_("With Visitor"), N_("On Phone"), ""},
     {{3, 0.143}, {4, 0.5}, {2, 0.333}, {7, 0.2}},
     {0, 1, 2}},
    {N_("Conversation"),
     {2, 3, 4},
     {N_("Mutual Silence"), N_("Talking A"), N_("Talking B"), N_("Double Talk")},
     {{3, 6}, {4, 3}, {2, 3}, {7, 6}, {6, 1}, {1, 7}, {5, 7}, {0, 1}},
     {0, 1, 2, 3}},
    {N_("Four Element Queue"),
     {2, 5},
     {N_("Queue Empty"), N_("One in Queue"), N_("Two in Queue"), N_("3 in Queue")},
     {{3, 2}, {4, 3}, {10, 2}, {11, 3}, {6, 2}, {1, 3}},
     {0, 1, 2, 3}},
}};

inline constexpr const Scenario& kBaseScenario = kScenarios[0];

// The order in which the scenario list offers them.
inline constexpr std::array<std::string_view, 5> kScenarioListOrder{
    N_("One Phone"), N_("Receptionist"), N_("Office"), N_("Conversation"),
    N_("Four Element Queue")};

// The scenario a list text selects: compared exactly, letter case and blanks
// included; anything else is the base scenario.
constexpr const Scenario& scenarioNamed(std::string_view text) {
  for (const Scenario& scenario : kScenarios) {
    if (scenario.name == text) return scenario;
  }
  return kBaseScenario;
}

}  // namespace tessel
