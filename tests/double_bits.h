#pragma once

// A double's bit pattern, for checks that must tell -0 from 0 and see every
// last bit. Copied by memcpy: the browser build's C++ library has no
// std::bit_cast.

#include <cstdint>
#include <cstring>

namespace tessel {

inline std::uint64_t bitsOf(double value) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

}  // namespace tessel
