#pragma once
// Leak checking stays libFuzzer's unless a target turns it off with this
// line at file scope. A target that runs the runtime does: the collector
// frees an input's objects while later inputs run, so libFuzzer's count of
// mallocs and frees differs on most inputs, each of which it checks again for
// leaks, until it gives up by itself after 1,000 of them. The collector's
// own tests look after its memory. A -detect_leaks flag on the command line
// still decides.
#define QUENDRILL_FUZZ_WITHOUT_LEAK_CHECKING \
  extern "C" int quendrillFuzzChecksLeaks() { return 0; }
