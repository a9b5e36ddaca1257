#include "window/view_pictures.h"

#include <fmt/format.h>

#include "chain/long_run.h"
#include "toolkit/quoted_text.h"
#include "toolkit/text.h"

namespace tessel {
namespace {

std::vector<int> shownStates(const MainForm& form) {
  std::vector<int> states;
  for (int state = 0; state < kStateCount; ++state) {
    if (form.controls().circles[static_cast<std::size_t>(state)].visible) states.push_back(state);
  }
  return states;
}

// Why the table cannot be shown: the first rate box between shown states
// that holds no number, by its states' names.
std::string whyNoChances(const MainForm& form, const std::vector<int>& states) {
  for (const Transition& t : kTransitions) {
    if (std::find(states.begin(), states.end(), t.from) == states.end() ||
        std::find(states.begin(), states.end(), t.to) == states.end()) {
      continue;
    }
    const TextBox& box = form.controls().rateBoxes[static_cast<std::size_t>(t.rateBox)];
    if (box.strictNumber(form.numberFormat()).status != StrictStatus::Number) {
      return fill(_("The rate from {from} to {to} holds no number, so one tick's chances cannot "
                    "be worked out."),
                  {{"from", quotedForDisplay(form.stateName(t.from))},
                   {"to", quotedForDisplay(form.stateName(t.to))}});
    }
  }
  return _("A tick cannot draw with these rates, so it has no chances to show.");
}

std::string oneDecimalPercent(double share) {
  return fill(_("{percent} %"), {{"percent", fmt::format("{:.1f}", share * 100.0)}});
}

}  // namespace

std::optional<StepChances> stepChances(const MainForm& form) {
  const FormControls& controls = form.controls();
  const std::optional<DrawRates> draw =
      readDrawRates(controls.rateBoxes, controls.moveTimer.interval, form.numberFormat());
  if (!draw) return std::nullopt;
  StepChances chances;
  chances.states = shownStates(form);
  for (const int from : chances.states) {
    const StateChances outcome = drawOutcome(*draw, from);
    std::vector<double>& row = chances.matrix.emplace_back();
    for (const int to : chances.states) row.push_back(outcome[static_cast<std::size_t>(to)]);
  }
  if (const std::optional<int> start = stateIndex(form.variables().currentState)) {
    const StateChances shares = longRunShares(*draw, *start);
    for (const int state : chances.states)
      chances.longRun.push_back(shares[static_cast<std::size_t>(state)]);
  }
  return chances;
}

HistoryPicture historyPicture(const MainForm& form) {
  HistoryPicture picture;
  const std::uint64_t now = form.countedTicks();
  picture.ticks = static_cast<double>(now);
  const std::vector<ShareHistory::Point>& kept = form.shareHistory().points();
  const FormControls& controls = form.controls();
  for (const int state : shownStates(form)) {
    const auto i = static_cast<std::size_t>(state);
    HistoryLine& line = picture.lines.emplace_back();
    line.state = state;
    line.points.reserve(kept.size() + 1);
    for (const ShareHistory::Point& point : kept) {
      line.points.push_back({static_cast<double>(point.ticks), point.shares[i]});
    }
    // The line reaches the count now, between two kept points too.
    if (now > 0 && (kept.empty() || kept.back().ticks < now)) {
      line.points.push_back(
          {picture.ticks, form.variables().occupancy[i] / static_cast<double>(now)});
    }
    const LongRunMark& mark = controls.longRunMarks[i];
    if (mark.visible) line.longRun = (kBarBottom - static_cast<double>(mark.top)) / kBarFullHeight;
  }
  return picture;
}

ChancesPicture chancesPicture(const MainForm& form) {
  ChancesPicture picture;
  const std::optional<StepChances> chances = stepChances(form);
  picture.states = chances ? chances->states : shownStates(form);
  if (!chances) {
    picture.problem = whyNoChances(form, picture.states);
    return picture;
  }
  for (const int state : picture.states) picture.names.push_back(form.stateName(state));
  picture.cornerText = _("from \u2193 to \u2192");
  for (const std::vector<double>& row : chances->matrix) {
    std::vector<std::string>& cells = picture.cells.emplace_back();
    for (const double chance : row) cells.push_back(chanceText(chance));
  }
  picture.longRunHead = _("Long run");
  for (const double share : chances->longRun) picture.longRun.push_back(chanceText(share));
  picture.note =
      _("One resting tick: each row adds up to 100 %, and one more tick leaves the "
        "long-run row as it is.");
  return picture;
}

std::string historySummary(const MainForm& form) {
  const std::uint64_t now = form.countedTicks();
  if (now == 0) return {};
  std::string shares;
  for (const int state : shownStates(form)) {
    if (!shares.empty()) shares += ", ";
    shares += fill(
        _("{state} {share}"),
        {{"state", form.stateName(state)},
         {"share", oneDecimalPercent(form.variables().occupancy[static_cast<std::size_t>(state)] /
                                     static_cast<double>(now))}});
  }
  return fill(_("After {ticks} counted ticks: {shares}"),
              {{"ticks", std::to_string(now)}, {"shares", shares}});
}

std::string viewLabel(View view) {
  switch (view) {
    case View::History:
      return _("History");
    case View::Chances:
      return _("Chances");
    case View::Chart:
      break;
  }
  return _("Chart");
}

}  // namespace tessel
