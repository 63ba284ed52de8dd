#include "game/toolkit/ToolkitClassInitialisers.h"

void setToolkitClassInitialisers(ClassInitialisers& table) {
  // Each toolkit class with static state adds its initialiser here.
  (void)table;
}
