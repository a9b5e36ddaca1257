#include "chain/chain_file.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <nlohmann/json.hpp>

#include "toolkit/ascii.h"
#include "toolkit/quoted_text.h"
#include "toolkit/text.h"
#include "toolkit/utf8.h"

namespace tessel {
namespace {

using Json = nlohmann::json;

bool isBlank(std::string_view text) {
  return text.find_first_not_of(" \t") == std::string_view::npos;
}

// A field's name in quotes; what a file holds goes through quotedForDisplay.
std::string field(std::string_view name) {
  return "\"" + std::string(name) + "\"";
}

// Where a byte offset stands in the document, counted from 1.
std::string lineAndColumn(std::string_view document, std::size_t byte) {
  std::size_t line = 1;
  std::size_t column = 1;
  for (std::size_t i = 0; i < byte && i < document.size(); ++i) {
    if (document[i] == '\n') {
      ++line;
      column = 1;
    } else if ((static_cast<unsigned char>(document[i]) & 0xC0U) != 0x80U) {
      ++column;
    }
  }
  return fill(_("line {line}, column {column}"),
              {{"line", std::to_string(line)}, {"column", std::to_string(column)}});
}

// The reader's own reason, without its prefix and without the text it last
// read, which may be anything.
std::string parseReason(const char* what) {
  std::string reason(what);
  if (const std::size_t colon = reason.find(": "); colon != std::string::npos) {
    reason.erase(0, colon + 2);
  }
  if (const std::size_t lastRead = reason.find("; last read"); lastRead != std::string::npos) {
    reason.erase(lastRead);
  }
  return reason;
}

std::optional<std::string> textProblem(const Json& root, const char* name, std::size_t longest,
                                       bool required, std::string& out) {
  const auto found = root.find(name);
  if (found == root.end()) {
    if (!required) return std::nullopt;
    return fill(_("it has no {field} field."), {{"field", field(name)}});
  }
  if (!found->is_string()) return fill(_("{field} must be a text."), {{"field", field(name)}});
  out = found->get<std::string>();
  if (longest > 0) {
    if (isBlank(out)) return fill(_("{field} is empty."), {{"field", field(name)}});
    if (characterCount(out) > longest) {
      return fill(_("{field} is longer than {most} characters."),
                  {{"field", field(name)}, {"most", std::to_string(longest)}});
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> stateNameProblem(std::string_view name,
                                            const std::vector<std::string>& others) {
  if (isBlank(name)) return _("a state's name is empty.");
  if (characterCount(name) > kLongestStateName) {
    return fill(_("the name {name} is longer than {most} characters."),
                {{"name", quotedForDisplay(name)}, {"most", std::to_string(kLongestStateName)}});
  }
  // Whatever a message would show as an escape could disguise the name
  // where it is drawn; so could bytes that are not UTF-8.
  if (!isPlainText(name)) return _("a state's name holds a control character.");
  if (name.find("->") != std::string_view::npos) {
    return fill(_("the name {name} holds \"->\", which separates the names of a rate."),
                {{"name", quotedForDisplay(name)}});
  }
  for (const std::string& other : others) {
    if (lowerAscii(other) == lowerAscii(name)) {
      return fill(_("two states are named {name}."), {{"name", quotedForDisplay(name)}});
    }
  }
  return std::nullopt;
}

std::string rateKey(const Chain& chain, int transition) {
  const Transition& t = kTransitions[static_cast<std::size_t>(transition)];
  return chain.states.at(static_cast<std::size_t>(t.from)) + "->" +
         chain.states.at(static_cast<std::size_t>(t.to));
}

std::variant<Chain, std::string> readChain(std::string_view document) {
  if (document.size() > kMostChainFileBytes) {
    return _("it is larger than 1 MiB, far larger than any chain.");
  }
  Json root;
  try {
    root = Json::parse(document);
  } catch (const Json::parse_error& error) {
    return fill(_("it is not JSON: at {place}, {reason}."),
                {{"place", lineAndColumn(document, error.byte > 0 ? error.byte - 1 : 0)},
                 {"reason", parseReason(error.what())}});
  } catch (const Json::exception& error) {
    return fill(_("it is not JSON that can be read: {reason}."),
                {{"reason", parseReason(error.what())}});
  }
  if (!root.is_object()) return _("it is not a chain: it holds no JSON object.");

  std::string format;
  if (auto problem = textProblem(root, "format", 0, true, format)) return *problem;
  if (format != kChainFormat) {
    return fill(_("it is not a Tessel chain: its {field} is not {format}."),
                {{"field", field("format")}, {"format", field(kChainFormat)}});
  }
  const auto version = root.find("version");
  if (version == root.end())
    return fill(_("it has no {field} field."), {{"field", field("version")}});
  if (!version->is_number_integer()) {
    return fill(_("{field} must be a whole number."), {{"field", field("version")}});
  }
  if (version->get<std::int64_t>() != kChainVersion) {
    return fill(_("it is version {version} of the chain format; this program reads version "
                  "{known}."),
                {{"version", std::to_string(version->get<std::int64_t>())},
                 {"known", std::to_string(kChainVersion)}});
  }

  Chain chain;
  if (auto problem = textProblem(root, "title", kLongestChainTitle, true, chain.title)) {
    return *problem;
  }
  if (!isPlainText(chain.title)) {
    return fill(_("{field} holds a control character."), {{"field", field("title")}});
  }
  if (auto problem = textProblem(root, "note", 0, false, chain.note)) return *problem;

  const auto states = root.find("states");
  const std::string noList =
      fill(_("{field} must be a list of names."), {{"field", field("states")}});
  if (states == root.end())
    return fill(_("it has no {field} field."), {{"field", field("states")}});
  if (!states->is_array()) return noList;
  if (states->size() < kFewestChainStates || states->size() > kStateCount) {
    return fill(_n("it has {count} states; a chain has 2, 3 or 4.",
                   "it has {count} states; a chain has 2, 3 or 4.", states->size()),
                {{"count", std::to_string(states->size())}});
  }
  for (const Json& state : *states) {
    if (!state.is_string()) return noList;
    const std::string name = state.get<std::string>();
    if (auto problem = stateNameProblem(name, chain.states)) return *problem;
    chain.states.push_back(name);
  }

  const auto rates = root.find("rates");
  if (rates == root.end()) return fill(_("it has no {field} field."), {{"field", field("rates")}});
  if (!rates->is_object()) {
    return fill(_("{field} must map \"FROM->TO\" to numbers."), {{"field", field("rates")}});
  }
  for (const auto& [key, value] : rates->items()) {
    const std::size_t arrow = key.find("->");
    std::optional<int> from;
    std::optional<int> to;
    for (std::size_t i = 0; arrow != std::string::npos && i < chain.states.size(); ++i) {
      if (chain.states[i] == std::string_view(key).substr(0, arrow)) from = static_cast<int>(i);
      if (chain.states[i] == std::string_view(key).substr(arrow + 2)) to = static_cast<int>(i);
    }
    const std::optional<int> transition =
        from && to ? transitionIndex(*from, *to) : std::optional<int>();
    if (!transition) {
      return fill(_("the rate {rate} does not name two of its states as \"FROM->TO\"."),
                  {{"rate", quotedForDisplay(key)}});
    }
    if (!value.is_number()) {
      return fill(_("the rate {rate} is not a number."), {{"rate", quotedForDisplay(key)}});
    }
    const double rate = value.get<double>();
    if (!std::isfinite(rate) || std::fabs(rate) > kLargestChainRate) {
      return fill(_("the rate {rate} is too large; keep every rate within 1e305."),
                  {{"rate", quotedForDisplay(key)}});
    }
    chain.rates[static_cast<std::size_t>(*transition)] = rate;
  }
  return chain;
}

std::string writeChain(const Chain& chain) {
  nlohmann::ordered_json document;
  document["format"] = kChainFormat;
  document["version"] = kChainVersion;
  document["title"] = chain.title;
  document["states"] = chain.states;
  nlohmann::ordered_json rates = nlohmann::ordered_json::object();
  // By the state they leave, then by the state they reach.
  for (int from = 0; from < kStateCount; ++from) {
    for (int to = 0; to < kStateCount; ++to) {
      const std::optional<int> transition = transitionIndex(from, to);
      if (!transition || std::max(from, to) >= static_cast<int>(chain.states.size())) continue;
      const std::optional<double>& rate = chain.rates[static_cast<std::size_t>(*transition)];
      if (rate) rates[rateKey(chain, *transition)] = *rate;
    }
  }
  document["rates"] = rates;
  if (!chain.note.empty()) document["note"] = chain.note;
  return document.dump(2) + "\n";
}

}  // namespace tessel
