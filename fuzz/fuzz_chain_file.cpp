// The chain-file reader fed arbitrary bytes: it either refuses them with a
// message, or returns a chain that writes a document which reads back to
// the same chain and writes again to the very same text.

#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>

#include "chain/chain_file.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tessel;
  const fuzz::HeapText input(data, size);
  const auto read = readChain(input.view());
  if (const auto* problem = std::get_if<std::string>(&read)) {
    if (problem->empty()) fuzz::fail("a refusal without a message");
    return 0;
  }
  const Chain& chain = std::get<Chain>(read);
  if (chain.states.size() < kFewestChainStates || chain.states.size() > kStateCount) {
    fuzz::fail("a chain of " + std::to_string(chain.states.size()) + " states was accepted");
  }
  const std::string written = writeChain(chain);
  const auto again = readChain(written);
  if (const auto* problem = std::get_if<std::string>(&again)) {
    fuzz::fail("a written chain does not read back: " + *problem + "\n" + written);
  }
  if (std::get<Chain>(again) != chain)
    fuzz::fail("a written chain reads back changed:\n" + written);
  if (writeChain(std::get<Chain>(again)) != written) fuzz::fail("writing twice differs");
  return 0;
}
