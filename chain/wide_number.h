#pragma once

namespace tessel {

// A non-negative number for the long-run solver, with far more range and
// digits than a double, computed from IEEE double operations alone so that
// every build, native or browser, gets the very same bits.
//
// The range: the textbook chain takes any rates a box can hold, from 5e-324
// to 1.8e308, and its shares are products and quotients of several of them,
// far beyond a double's exponent; so the exponent is a separate int. The
// digits: the significand is a pair of doubles (high + low, about 106 bits),
// so that a share, rounded to a double once at the end, is all but always
// the double nearest the exact one.
//
// Only what the solver needs: +, *, / of non-negative numbers, a zero test
// and the conversion to a double. Expects the library to be compiled without
// contracting a * b + c into a fused multiply-add.
class WideNumber {
 public:
  WideNumber() = default;  // zero
  // Expects a finite value >= 0.
  explicit WideNumber(double value);

  bool isZero() const { return high_ == 0.0; }
  // The double nearest this number: subnormal or zero below the normal range,
  // infinity above the largest double.
  double toDouble() const;

  friend WideNumber operator+(const WideNumber& a, const WideNumber& b);
  friend WideNumber operator*(const WideNumber& a, const WideNumber& b);
  // Expects a non-zero divisor.
  friend WideNumber operator/(const WideNumber& a, const WideNumber& b);

  WideNumber& operator+=(const WideNumber& other) { return *this = *this + other; }

 private:
  WideNumber(double high, double low, int exponent);

  // The value is (high_ + low_) * 2^exponent_, with high_ in [1, 2) and
  // high_ the double nearest high_ + low_; zero is all zeros.
  double high_ = 0.0;
  double low_ = 0.0;
  int exponent_ = 0;
};

}  // namespace tessel
