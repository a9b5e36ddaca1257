#pragma once

// The chain's fixed vocabulary: four states and the twelve transitions between
// them, each with its rate box, its arc and arrow head on the diagram, and the
// path the token follows along it. Everything that needs a transition's parts
// (the move setup, the transition step, the diagram's visibility) reads the one
// table below.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "toolkit/text.h"

namespace tessel {

inline constexpr int kStateCount = 4;
inline constexpr int kTransitionCount = 12;

// State indexes, the same for every per-state array: circles, visit counts,
// occupancy, bars and percentage labels.
inline constexpr int kBlue = 0;
inline constexpr int kPurple = 1;
inline constexpr int kGreen = 2;
inline constexpr int kCyan = 3;

inline constexpr std::array<std::string_view, kStateCount> kStateNames{N_("Blue"), N_("Purple"),
                                                                       N_("Green"), N_("Cyan")};

// The index of a state name, compared exactly (letter case counts); none for
// any other text.
constexpr std::optional<int> stateIndex(std::string_view name) {
  for (int i = 0; i < kStateCount; ++i) {
    if (kStateNames[static_cast<std::size_t>(i)] == name) return i;
  }
  return std::nullopt;
}

// Circles sit in the diagram's corners, split at these lines (twips): Blue top
// left, Purple top right, Green bottom left, Cyan bottom right.
inline constexpr int kCornerSplitLeft = 3000;
inline constexpr int kCornerSplitTop = 3480;

// The token's path along one transition, in twips: five signed 16-bit slots.
// Slot 0 is never used; each pair is Top first, then Left.
using ArcCoords = std::array<std::int16_t, 5>;
inline constexpr int kStartTop = 1;
inline constexpr int kStartLeft = 2;
inline constexpr int kEndTop = 3;
inline constexpr int kEndLeft = 4;

struct Transition {
  int from;                         // state index
  int to;                           // state index
  int rateBox;                      // index into the rate boxes
  int arcLine;                      // index into the arc lines
  std::array<int, 2> arrowStrokes;  // indexes into the arrow-head strokes
  ArcCoords path;                   // the token's path, as tokenPaths holds it
};

// Indexed by transition number, the same index as tokenPaths.
inline constexpr std::array<Transition, kTransitionCount> kTransitions{{
    // from    to       box arc  strokes    path: -, start Top, start Left, end Top, end Left
    {kBlue, kPurple, 3, 4, {0, 8}, {0, 524, 1920, 524, 4280}},
    {kPurple, kBlue, 4, 5, {1, 9}, {0, 1480, 3900, 1480, 2300}},
    {kBlue, kGreen, 7, 1, {2, 10}, {0, 2760, 1440, 4200, 1440}},
    {kGreen, kBlue, 2, 0, {3, 11}, {0, 4800, 600, 2160, 600}},
    {kGreen, kCyan, 6, 10, {6, 14}, {0, 5460, 2300, 5460, 3930}},
    {kCyan, kGreen, 1, 11, {7, 15}, {0, 6420, 4260, 6420, 1960}},
    {kPurple, kCyan, 0, 3, {5, 13}, {0, 1960, 5640, 4800, 5640}},
    {kCyan, kPurple, 5, 2, {4, 12}, {0, 4200, 4920, 2720, 4920}},
    {kBlue, kCyan, 8, 6, {16, 20}, {0, 2040, 2200, 4320, 4480}},
    {kCyan, kBlue, 9, 7, {17, 23}, {0, 4880, 4080, 2560, 1800}},
    {kPurple, kGreen, 10, 9, {19, 22}, {0, 2560, 4440, 4880, 2160}},
    {kGreen, kPurple, 11, 8, {18, 21}, {0, 4400, 1800, 2080, 4080}},
}};

// The index of the transition between two states; none when they are
// the same state or either index is out of range.
constexpr std::optional<int> transitionIndex(int from, int to) {
  for (int i = 0; i < kTransitionCount; ++i) {
    const Transition& t = kTransitions[static_cast<std::size_t>(i)];
    if (t.from == from && t.to == to) return i;
  }
  return std::nullopt;
}

// The transition whose rate a rate box holds; none for an index out of range.
constexpr std::optional<int> transitionOfRateBox(int box) {
  for (int i = 0; i < kTransitionCount; ++i) {
    if (kTransitions[static_cast<std::size_t>(i)].rateBox == box) return i;
  }
  return std::nullopt;
}

// The name a message gives a state: the name the scenario shows for it, or
// its colour where the scenario leaves it unnamed.
constexpr std::string_view shownStateName(int state, std::string_view scenarioName) {
  return scenarioName.empty() ? kStateNames[static_cast<std::size_t>(state)] : scenarioName;
}

// One attempt of a pass of the transition step: the rate box it reads and the
// state it jumps to when it fires.
struct Attempt {
  int rateBox;
  int target;
};

// The three attempts out of a state, in the order the step tries them: the
// other three states in the order Blue, Purple, Green, Cyan.
constexpr std::array<Attempt, 3> outgoingAttempts(int from) {
  std::array<Attempt, 3> attempts{};
  std::size_t next = 0;
  for (int to = 0; to < kStateCount; ++to) {
    if (const auto index = transitionIndex(from, to)) {
      attempts[next++] = {kTransitions[static_cast<std::size_t>(*index)].rateBox, to};
    }
  }
  return attempts;
}

}  // namespace tessel
