#pragma once

#include <array>
#include <cstddef>
#include <initializer_list>

namespace tessel {

// A short constant list, so that tables whose rows hold lists read as one
// table.
template <typename T, std::size_t Capacity>
struct FixedList {
  std::array<T, Capacity> items{};
  std::size_t count = 0;

  constexpr FixedList(std::initializer_list<T> values) {
    for (const T& value : values) items[count++] = value;
  }
  constexpr const T* begin() const { return items.data(); }
  constexpr const T* end() const { return items.data() + count; }
  constexpr std::size_t size() const { return count; }
  constexpr const T& operator[](std::size_t i) const { return items[i]; }
};

}  // namespace tessel
