// Until the game shell exists, the executable starts the runtime's smallest
// program: it brings up the memory pools and reports them.
#include <cstdio>

#include "app/GameClassInitialisers.h"
#include "runtime/Application.h"
#include "wince/clock.h"
#include "wince/log.h"

int main() {
  logPrintf("Quendrill runtime: tick %u\n", GetTickCount());
  Application application;
  application.init(&gameClassInitialisers());
  logPrintf("The game is not built yet; this is the runtime's smallest program.\n");
  application.close();
  return 0;
}
