#include "window/front_end.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "chain/scenarios.h"

namespace tessel {

std::optional<std::uint64_t> readWholeNumber(std::string_view text, std::uint64_t largest) {
  if (text.empty() ||
      !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  std::uint64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size() || value > largest) {
    return std::nullopt;
  }
  return value;
}

std::optional<std::uint64_t> readSeed(std::string_view text) {
  return readWholeNumber(text, std::numeric_limits<std::uint64_t>::max());
}

std::optional<long long> readTickCount(std::string_view text) {
  const auto ticks = readWholeNumber(text, static_cast<std::uint64_t>(kMostCountedTicks));
  if (!ticks || *ticks < 1) return std::nullopt;
  return static_cast<long long>(*ticks);
}

bool isScenarioName(std::string_view text) {
  return std::find(kScenarioListOrder.begin(), kScenarioListOrder.end(), text) !=
         kScenarioListOrder.end();
}

std::string scenarioChoices() {
  std::string choices;
  for (const std::string_view name : kScenarioListOrder) {
    if (!choices.empty()) choices += ", ";
    choices += '"';
    choices += name;
    choices += '"';
  }
  return choices;
}

std::string speedChoices() {
  std::string choices;
  for (const RunSpeed& speed : kRunSpeeds) {
    if (!choices.empty()) choices += ", ";
    choices += speed.name;
  }
  return choices;
}

void FrameRunner::setSpeed(std::size_t speed) {
  if (speed < kRunSpeeds.size()) speed_ = speed;
}

bool FrameRunner::stepSpeed(int by) {
  const auto next = static_cast<long long>(speed_) + by;
  if (next < 0 || next >= static_cast<long long>(kRunSpeeds.size())) return false;
  speed_ = static_cast<std::size_t>(next);
  return true;
}

StripMessage stripMessage(const MainForm& form, std::string_view hint) {
  if (const auto& error = form.lastError()) return {error->what(), true, false};
  if (const auto& notice = form.notice()) return {notice->text, notice->problem, false};
  std::string note = form.longRunNote();
  if (!note.empty()) return {std::move(note), false, false};
  return {std::string(hint), false, true};
}

}  // namespace tessel
