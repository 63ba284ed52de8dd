// Until the game shell exists, the executable starts the runtime's smallest
// program: it brings up the memory pools and reports them.
#include <cstdio>

#include "wince/clock.h"
#include "wince/log.h"

int main() {
  logPrintf("Quendrill runtime: tick %u\n", GetTickCount());
  logPrintf("The game is not built yet; this is the runtime's smallest program.\n");
  return 0;
}
