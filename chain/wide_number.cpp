#include "chain/wide_number.h"

#include <cstdint>
#include <cstring>

namespace tessel {
namespace {

// 2^k for k in [-1022, 1023], exact.
double powerOfTwo(int k) {
  const std::uint64_t bits = static_cast<std::uint64_t>(k + 1023) << 52U;
  double value = 0.0;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// k such that 2^k <= x < 2^(k+1), for a positive normal double x.
int exponentOf(double x) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &x, sizeof bits);
  return static_cast<int>((bits >> 52U) & 0x7FFU) - 1023;
}

// x / 2^exponentOf(x), in [1, 2), for a positive normal double x: exact, and
// unlike a product with 2^-k it works for x >= 2^1023 too.
double significandOf(double x) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &x, sizeof bits);
  bits = (bits & ((std::uint64_t{1} << 52U) - 1U)) | (std::uint64_t{1023} << 52U);
  double significand = 0.0;
  std::memcpy(&significand, &bits, sizeof significand);
  return significand;
}

// A sum or product as the double nearest it and the exact rest (Knuth's and
// Dekker's error-free transformations).
struct Pair {
  double high;
  double low;
};

Pair twoSum(double a, double b) {
  const double sum = a + b;
  const double bPart = sum - a;
  return {sum, (a - (sum - bPart)) + (b - bPart)};
}

// Expects |a| >= |b| (or a == 0).
Pair fastTwoSum(double a, double b) {
  const double sum = a + b;
  return {sum, b - (sum - a)};
}

// Splits a double into two halves of 26 bits each (Veltkamp); expects |x|
// far below 2^996.
Pair split(double x) {
  constexpr double kSplitter = 134217729.0;  // 2^27 + 1
  const double scaled = kSplitter * x;
  const double high = scaled - (scaled - x);
  return {high, x - high};
}

Pair twoProduct(double a, double b) {
  const double product = a * b;
  const Pair x = split(a);
  const Pair y = split(b);
  const double error =
      ((x.high * y.high - product) + x.high * y.low + x.low * y.high) + x.low * y.low;
  return {product, error};
}

}  // namespace

WideNumber::WideNumber(double value) {
  if (!(value > 0.0)) return;
  constexpr int kSubnormalShift = 64;
  if (value < powerOfTwo(-1022)) {
    value *= powerOfTwo(kSubnormalShift);
    exponent_ = -kSubnormalShift;
  }
  high_ = significandOf(value);
  exponent_ += exponentOf(value);
}

WideNumber::WideNumber(double high, double low, int exponent) {
  if (high == 0.0) return;
  // The operations leave high in [0.5, 4): scaling by a power of two is exact.
  const int shift = exponentOf(high);
  const double scale = powerOfTwo(-shift);
  high_ = high * scale;
  low_ = low * scale;
  exponent_ = exponent + shift;
}

WideNumber operator+(const WideNumber& a, const WideNumber& b) {
  if (a.isZero()) return b;
  if (b.isZero()) return a;
  const WideNumber& larger = a.exponent_ >= b.exponent_ ? a : b;
  const WideNumber& smaller = a.exponent_ >= b.exponent_ ? b : a;
  // Beyond this the smaller one is below the larger one's last digit.
  constexpr int kWidest = 120;
  const int gap = larger.exponent_ - smaller.exponent_;
  if (gap > kWidest) return larger;
  const double scale = powerOfTwo(-gap);
  const Pair highs = twoSum(larger.high_, smaller.high_ * scale);
  const Pair lows = twoSum(larger.low_, smaller.low_ * scale);
  Pair sum = fastTwoSum(highs.high, highs.low + lows.high);
  sum = fastTwoSum(sum.high, sum.low + lows.low);
  return {sum.high, sum.low, larger.exponent_};
}

WideNumber operator*(const WideNumber& a, const WideNumber& b) {
  if (a.isZero() || b.isZero()) return {};
  Pair product = twoProduct(a.high_, b.high_);
  product = fastTwoSum(product.high, product.low + (a.high_ * b.low_ + a.low_ * b.high_));
  return {product.high, product.low, a.exponent_ + b.exponent_};
}

WideNumber operator/(const WideNumber& a, const WideNumber& b) {
  if (a.isZero()) return {};
  // A first quotient, then one correction from what it leaves over; the
  // subtraction a.high_ - back.high is exact, the two being so close.
  const double first = a.high_ / b.high_;
  const Pair back = twoProduct(first, b.high_);
  const double rest = (((a.high_ - back.high) - back.low) + a.low_) - first * b.low_;
  const Pair quotient = fastTwoSum(first, rest / b.high_);
  return {quotient.high, quotient.low, a.exponent_ - b.exponent_};
}

double WideNumber::toDouble() const {
  if (isZero()) return 0.0;
  constexpr int kLargestExponent = 1023;
  constexpr int kSmallestNormalExponent = -1022;
  constexpr int kSubnormalSteps = 1074;  // the smallest subnormal is 2^-1074
  if (exponent_ > kLargestExponent) return high_ * powerOfTwo(kLargestExponent) * 2.0;
  if (exponent_ >= kSmallestNormalExponent) return high_ * powerOfTwo(exponent_);
  // Below the normal range the double's grid is the multiples of 2^-1074:
  // round the number of those steps to a whole one, ties to even, where
  // low_ decides the ties that high_ alone makes.
  const int shift = exponent_ + kSubnormalSteps;
  if (shift < -1) return 0.0;  // below half a step
  const double steps = high_ * powerOfTwo(shift);
  const double stepsLow = low_ * powerOfTwo(shift);
  constexpr double kRoundingShift = 0x1p52;  // steps < 2^52: adding it rounds to a whole number
  double whole = (steps + kRoundingShift) - kRoundingShift;
  if (steps - whole == 0.5 && stepsLow > 0.0) whole += 1.0;
  if (whole - steps == 0.5 && stepsLow < 0.0) whole -= 1.0;
  return whole * 0x1p-52 * powerOfTwo(kSmallestNormalExponent);
}

}  // namespace tessel
