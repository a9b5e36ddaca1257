// Reads one text per line from standard input and prints, for each, one line
// of what the program's number functions make of it, doubles as their exact
// bit patterns:
//
//   <strict with "."> <strict with ","> <leading> "<text of leading>" "<text of strict>"
//
// where a strict reading is N:<bits> (a number), X (not a number) or R (out
// of range), the leading reading is its bits, and the texts are numberText of
// the two values (the second only when the strict reading is a number).
// Built natively and for the browser, the two programs must print the very
// same bytes for the same input.

#include <cinttypes>
#include <cstdio>
#include <iostream>
#include <string>

#include "tests/double_bits.h"
#include "toolkit/numbers.h"

namespace tessel {
namespace {

std::string hexBits(double value) {
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016" PRIx64, bitsOf(value));
  return hex;
}

std::string strictField(const StrictReading& reading) {
  switch (reading.status) {
    case StrictStatus::Number:
      return "N:" + hexBits(reading.value);
    case StrictStatus::NotANumber:
      return "X";
    case StrictStatus::OutOfRange:
      return "R";
  }
  return "?";
}

std::string probe(const std::string& text) {
  const StrictReading point = readStrictNumber(text, NumberFormat{"."});
  const StrictReading comma = readStrictNumber(text, NumberFormat{","});
  const double leading = readLeadingNumber(text);
  std::string line = strictField(point) + ' ' + strictField(comma) + ' ' + hexBits(leading);
  line += " \"" + numberText(leading) + '"';
  if (point.status == StrictStatus::Number) line += " \"" + numberText(point.value) + '"';
  return line;
}

}  // namespace
}  // namespace tessel

int main() {
  std::string text;
  std::string out;
  while (std::getline(std::cin, text)) {
    out += tessel::probe(text);
    out += '\n';
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}
