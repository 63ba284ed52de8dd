#pragma once
// The counting stream readers' byte counter, and whether one of them met the
// end of its stream since the counter was last set.
#include <cstdint>

struct cGameStreamReadersStatics {
  int32_t byteCount;
  uint8_t ended;
};
