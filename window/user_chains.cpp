#include "window/user_chains.h"

#include <algorithm>
#include <optional>

#include "chain/scenarios.h"

namespace tessel {

void UserChains::add(Chain chain, ComboBox& list) {
  std::vector<std::string>& entries = list.entries;
  std::optional<std::size_t> entry;
  for (std::size_t i = 0; i < chains_.size(); ++i) {
    if (chains_[i] == chain) entry = kScenarioListOrder.size() + i;
  }
  if (!entry) {
    std::string title = chain.title;
    for (int copy = 2; std::find(entries.begin(), entries.end(), title) != entries.end(); ++copy) {
      title = chain.title + " (" + std::to_string(copy) + ")";
    }
    list.addItem(std::move(title));
    chains_.push_back(std::move(chain));
    entry = entries.size() - 1;
  }
  list.text = entries[*entry];
}

const Chain* UserChains::picked(const ComboBox& list) const {
  for (std::size_t i = 0; i < chains_.size(); ++i) {
    const std::size_t entry = kScenarioListOrder.size() + i;
    if (entry < list.entries.size() && list.entries[entry] == list.text) return &chains_[i];
  }
  return nullptr;
}

std::string UserChains::note(std::size_t entry) const {
  const std::size_t presets = kScenarioListOrder.size();
  return entry >= presets && entry - presets < chains_.size() ? chains_[entry - presets].note
                                                              : std::string();
}

}  // namespace tessel
