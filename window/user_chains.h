#pragma once

// The chains the user opened, kept as entries of the scenario list after
// the five presets.

#include <cstddef>
#include <string>
#include <vector>

#include "chain/chain_file.h"
#include "toolkit/controls.h"

namespace tessel {

class UserChains {
 public:
  // Adds `chain` as the list's last entry, under its title made unique with
  // " (2)" and so on, unless the very same chain is there already; either
  // way sets the list's text to its entry.
  void add(Chain chain, ComboBox& list);

  // The chain whose entry the list's text names; none for a preset or a
  // text typed into the list.
  const Chain* picked(const ComboBox& list) const;

  // The note of the list entry at `entry`, for its tooltip; empty for the
  // presets.
  std::string note(std::size_t entry) const;

 private:
  std::vector<Chain> chains_;  // by list entry after the presets
};

}  // namespace tessel
