// The long-run theory fed with anything a DrawRates can hold: twelve rates,
// a scale and a pass budget from the input's raw bytes, so NaN, infinities,
// denormals, zeros and negatives all come up, as they could from a hand-made
// DrawRates or a reading that lets one through. For every start, one draw's
// outcome, the long-run shares and the textbook shares must each be shares:
// every entry in [0, 1], adding up to 1 within 1e-12.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "chain/long_run.h"
#include "fuzz/fuzz_support.h"

namespace tessel::fuzz {
namespace {

double rawDouble(FuzzedDataProvider& in) {
  std::uint64_t bits = in.ConsumeIntegral<std::uint64_t>();
  double value = 0.0;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

void expectShares(const StateChances& shares, const char* what, int start) {
  double sum = 0.0;
  for (const double share : shares) {
    if (!(share >= 0.0 && share <= 1.0)) {
      fail(std::string(what) + " from state " + std::to_string(start) + " has a share of " +
           std::to_string(share));
    }
    sum += share;
  }
  if (!(sum > 1.0 - 1e-12 && sum < 1.0 + 1e-12)) {
    fail(std::string(what) + " from state " + std::to_string(start) + " adds up to " +
         std::to_string(sum));
  }
}

}  // namespace
}  // namespace tessel::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tessel;
  FuzzedDataProvider in(data, size);
  DrawRates draw;
  // The passes first, so that short inputs vary them too.
  draw.passes = in.ConsumeIntegral<std::int16_t>();
  draw.scale = fuzz::rawDouble(in);
  for (double& rate : draw.rates) rate = fuzz::rawDouble(in);
  for (int start = 0; start < kStateCount; ++start) {
    fuzz::expectShares(drawOutcome(draw, start), "one draw's outcome", start);
    fuzz::expectShares(longRunShares(draw, start), "the long run", start);
    fuzz::expectShares(continuousTimeShares(draw, start), "the textbook long run", start);
  }
  const int starts[] = {kBlue, kPurple, kGreen, kCyan};
  (void)longRunDependsOnStart(draw, starts);
  return 0;
}
