#pragma once

// Chains of the user's own, as files: a small JSON document with the
// extension .tessel that names two to four states, gives them to Blue,
// Purple, Green and Cyan in that order, and holds the rates between them.
//
//   {
//     "format": "tessel-chain",
//     "version": 1,
//     "title": "Weather",
//     "states": ["Sunny", "Cloudy", "Rainy"],
//     "rates": {"Sunny->Cloudy": 2, "Cloudy->Rainy": 1.5, "Rainy->Sunny": 1},
//     "note": "optional: shown as the list entry's tooltip"
//   }
//
// A transition that "rates" leaves out has rate 0. Fields the format does not
// know are ignored, so that a later version can add some.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "chain/transitions.h"

namespace tessel {

inline constexpr std::string_view kChainFormat = "tessel-chain";
inline constexpr int kChainVersion = 1;
inline constexpr std::string_view kChainFileExtension = ".tessel";
// Far more than any chain needs; a larger file is refused unread.
inline constexpr std::size_t kMostChainFileBytes = 1U << 20U;
inline constexpr std::size_t kFewestChainStates = 2;
// A name fits its oval in two lines of the oval's type, where it has a blank.
inline constexpr std::size_t kLongestStateName = 16;
// A title fits the scenario list.
inline constexpr std::size_t kLongestChainTitle = 40;
// What the window can draw with: 250 times the largest rate must stay finite.
inline constexpr double kLargestChainRate = 1e305;

struct Chain {
  std::string title;
  std::vector<std::string> states;  // Blue, Purple, Green, Cyan in that order
  // By transition (kTransitions' index); none where the file gives no rate.
  std::array<std::optional<double>, kTransitionCount> rates{};
  std::string note;

  bool operator==(const Chain&) const = default;
};

// Reads a chain document. Returns the chain, or a sentence that says what is
// wrong with it (without the file's name): not JSON (with the line and
// column), an unknown format or version, a missing or wrong-typed field, too
// few or too many states, an empty, duplicate, over-long or unusable name, a
// rate that names an unknown state or is no finite number in the window's
// range, more than kMostChainFileBytes.
std::variant<Chain, std::string> readChain(std::string_view document);

// Writes a chain document in the form above, with two-space indents; every
// rate is written so that it reads back to the very same double. Expects a
// chain that readChain would accept.
std::string writeChain(const Chain& chain);

// What is wrong with `name` as the name of a state among `others` (the other
// states' names), or none when it will do. A name must be UTF-8 without any
// character that quotedForDisplay shows as an escape (toolkit/utf8.h), and
// the same holds for a chain's title. Letter case does not tell names
// apart: "Sunny" and "sunny" are the same state to a reader.
std::optional<std::string> stateNameProblem(std::string_view name,
                                            const std::vector<std::string>& others);

// The transition's key in "rates": "FROM->TO".
std::string rateKey(const Chain& chain, int transition);

}  // namespace tessel
