#include "game/shell/StandIns.h"

StandInHook& standInHook() {
  static StandInHook hook = nullptr;
  return hook;
}
