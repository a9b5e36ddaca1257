#pragma once

#include <cstddef>
#include <deque>
#include <initializer_list>
#include <stdexcept>

#include "toolkit/random_source.h"

namespace tessel::testing {

// Hands out the numbers a test queued, in order, and counts the draws. A
// draw beyond the script is a test failure, reported as an exception.
class ScriptedRandom final : public RandomSource {
 public:
  ScriptedRandom() = default;
  ScriptedRandom(std::initializer_list<float> values) : values_(values) {}

  void queue(float value) { values_.push_back(value); }
  void seedFromClock() override { ++seedings_; }
  float next() override {
    if (values_.empty()) throw std::logic_error("the test's random script ran out");
    const float value = values_.front();
    values_.pop_front();
    ++draws_;
    return value;
  }

  std::size_t draws() const { return draws_; }
  std::size_t left() const { return values_.size(); }
  int seedings() const { return seedings_; }

 private:
  std::deque<float> values_;
  std::size_t draws_ = 0;
  int seedings_ = 0;
};

// Returns the same number every time: 0 makes every attempt with a positive
// chance fire, 0.999 makes every attempt miss.
class FixedRandom final : public RandomSource {
 public:
  explicit FixedRandom(float value) : value_(value) {}

  void set(float value) { value_ = value; }
  void seedFromClock() override { ++seedings_; }
  float next() override {
    ++draws_;
    return value_;
  }
  std::size_t draws() const { return draws_; }
  int seedings() const { return seedings_; }

 private:
  float value_;
  std::size_t draws_ = 0;
  int seedings_ = 0;
};

// Wraps a real source and counts how many numbers were drawn from it.
class CountingRandom final : public RandomSource {
 public:
  explicit CountingRandom(RandomSource& source) : source_(source) {}

  void seedFromClock() override { source_.seedFromClock(); }
  float next() override {
    ++draws_;
    return source_.next();
  }
  std::size_t draws() const { return draws_; }

 private:
  RandomSource& source_;
  std::size_t draws_ = 0;
};

}  // namespace tessel::testing
