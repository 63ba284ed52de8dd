// Run once before the first input, by libFuzzer or by the replay main. The
// targets feed the runtime millions of inputs, most of which it logs as
// refused: the log stays quiet unless QUENDRILL_FUZZ_LOG is set, to read
// what one input does. A target that turns leak checking off
// (fuzz_leak_checking.h) gets -detect_leaks=0 unless the command line says.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "wince/log.h"

extern "C" __attribute__((weak)) int quendrillFuzzChecksLeaks();

namespace {

void turnLeakCheckingOff(int* argumentCount, char*** arguments) {
  for (int i = 1; i < *argumentCount; ++i) {
    if (std::strncmp((*arguments)[i], "-detect_leaks=", 14) == 0) return;
  }
  // libFuzzer reads the flags after this call; the arguments outlive it.
  static std::vector<char*> extended;
  static char flag[] = "-detect_leaks=0";
  extended.assign(*arguments, *arguments + *argumentCount);
  extended.push_back(flag);
  extended.push_back(nullptr);
  *arguments = extended.data();
  *argumentCount += 1;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argumentCount, char*** arguments) {
  wince::setLogQuiet(std::getenv("QUENDRILL_FUZZ_LOG") == nullptr);
  if (quendrillFuzzChecksLeaks != nullptr && quendrillFuzzChecksLeaks() == 0) {
    turnLeakCheckingOff(argumentCount, arguments);
  }
  return 0;
}
