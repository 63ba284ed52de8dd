// Run once before the first input, by libFuzzer or by the replay main. The
// targets feed the runtime millions of inputs, most of which it logs as
// refused: the log stays quiet unless QUENDRILL_FUZZ_LOG is set, to read
// what one input does.
#include <cstdlib>

#include "wince/log.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  wince::setLogQuiet(std::getenv("QUENDRILL_FUZZ_LOG") == nullptr);
  return 0;
}
