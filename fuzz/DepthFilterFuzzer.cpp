// libFuzzer target: the depth pre-scan must agree with the parser on where
// the elements it keeps open and close (see DepthFilterAgreement.h); any
// disagreement aborts.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "tests/persist/DepthFilterAgreement.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::size_t maxDepth = 1 + data[0] % 4;
  const std::string_view payload(reinterpret_cast<const char*>(data) + 1, size - 1);
  if (!twk::test::FilterAgreesWithParser(payload, maxDepth)) std::abort();
  return 0;
}
