// Reads one rate set per line from standard input and prints, for each, one
// line of what the long-run theory makes of it, every number as its exact
// bit pattern. An input line is
//
//   <rate 0> ... <rate 11> <pass budget> <start state>
//
// where a rate is either a rate box's text (without blanks) or x<16 hex
// digits>, a double's raw bits. When every rate is a text the numbers come
// from readDrawRates, as the window reads its boxes; otherwise the rates are
// taken as they are, with the scale 250 times the largest. The line printed is
//
//   L <long run, 4 doubles> C <continuous time, 4> O <drawOutcome from each
//   state, 16> A <attemptChances from each state, 12 floats> D <0 or 1>
//
// or "-" where readDrawRates refuses the boxes. Built natively and for the
// browser, the two programs must print the very same bytes for the same
// input.

#include <algorithm>
#include <array>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>

#include "chain/long_run.h"
#include "tests/double_bits.h"

namespace tessel {
namespace {

std::string hexBits(double value) {
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016" PRIx64, bitsOf(value));
  return hex;
}

std::string hexBits(float value) {
  std::uint32_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  char hex[9];
  std::snprintf(hex, sizeof hex, "%08" PRIx32, bits);
  return hex;
}

std::optional<double> rawDouble(const std::string& field) {
  if (field.size() != 17 || field[0] != 'x') return std::nullopt;
  const std::uint64_t bits = std::stoull(field.substr(1), nullptr, 16);
  double value = 0.0;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

std::optional<DrawRates> drawRatesOf(const std::array<std::string, kTransitionCount>& fields,
                                     int budget) {
  std::array<TextBox, kTransitionCount> boxes;
  DrawRates raw;
  bool anyRaw = false;
  double largest = 0.0;
  for (std::size_t box = 0; box < fields.size(); ++box) {
    if (const std::optional<double> value = rawDouble(fields[box])) {
      anyRaw = true;
      raw.rates[box] = *value;
    } else {
      boxes[box].setText(fields[box]);
      raw.rates[box] = boxes[box].leadingNumber();
    }
    largest = std::max(largest, raw.rates[box]);
  }
  if (!anyRaw) return readDrawRates(boxes, budget, NumberFormat{});
  raw.scale = largest * 250.0;
  raw.passes = static_cast<std::int16_t>(std::clamp(budget, -32768, 32767));
  return raw;
}

std::string probe(const std::string& line) {
  std::istringstream in(line);
  std::array<std::string, kTransitionCount> fields;
  for (std::string& field : fields) in >> field;
  int budget = 0;
  int start = 0;
  in >> budget >> start;
  if (!in || start < 0 || start >= kStateCount) return "?";
  const std::optional<DrawRates> draw = drawRatesOf(fields, budget);
  if (!draw) return "-";
  std::string out = "L";
  for (const double share : longRunShares(*draw, start)) out += ' ' + hexBits(share);
  out += " C";
  for (const double share : continuousTimeShares(*draw, start)) out += ' ' + hexBits(share);
  out += " O";
  for (int from = 0; from < kStateCount; ++from) {
    for (const double chance : drawOutcome(*draw, from)) out += ' ' + hexBits(chance);
  }
  out += " A";
  for (int from = 0; from < kStateCount; ++from) {
    for (const float chance : attemptChances(*draw, from)) out += ' ' + hexBits(chance);
  }
  const int starts[] = {kBlue, kPurple, kGreen, kCyan};
  out += longRunDependsOnStart(*draw, starts) ? " D 1" : " D 0";
  return out;
}

}  // namespace
}  // namespace tessel

int main() {
  std::string line;
  std::string out;
  while (std::getline(std::cin, line)) {
    out += tessel::probe(line);
    out += '\n';
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}
