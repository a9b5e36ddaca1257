#pragma once

// What the fuzz targets share: a failure report that ends the run, an exact
// copy of the input on the heap (so that AddressSanitizer sees any read past
// its end) and the C library's correctly rounded decimal reading in the "C"
// locale as the reference the program's readings are compared with.

#include <locale.h>
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace tessel::fuzz {

[[noreturn]] inline void fail(const std::string& what) {
  std::fprintf(stderr, "PROPERTY VIOLATED: %s\n", what.c_str());
  std::fflush(stderr);
  std::abort();
}

// The input bytes, exactly as many as given, in a block of their own.
class HeapText {
 public:
  HeapText(const std::uint8_t* data, std::size_t size)
      : bytes_(std::make_unique<char[]>(size)), size_(size) {
    if (size > 0) std::memcpy(bytes_.get(), data, size);
  }
  explicit HeapText(std::string_view text)
      : HeapText(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()) {}

  std::string_view view() const { return {bytes_.get(), size_}; }

 private:
  std::unique_ptr<char[]> bytes_;
  std::size_t size_;
};

// strtod in the "C" locale on exactly `text` (which must hold no NUL).
inline double cLocaleStrtod(const std::string& text) {
  static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
  if (cLocale == locale_t{}) fail("cannot create the C locale");
  char* end = nullptr;
  const double value = strtod_l(text.c_str(), &end, cLocale);
  if (end != text.c_str() + text.size()) fail("reference strtod did not read all of: " + text);
  return value;
}

inline std::uint64_t bitsOf(double value) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

inline bool isDecimalDigit(char c) {
  return c >= '0' && c <= '9';
}

// A printable account of a text for failure messages.
inline std::string shown(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7f && c != '"' && c != '\\') {
      out += c;
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
      out += escaped;
    }
  }
  return out + "\"";
}

inline std::string describe(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.17g (bits %016llx)", value,
                static_cast<unsigned long long>(bitsOf(value)));
  return text;
}

}  // namespace tessel::fuzz
