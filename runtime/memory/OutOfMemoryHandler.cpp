#include <new>

#include "runtime/memory/MemoryManagers.h"
#include "wince/log.h"

namespace {

void outOfStore() {
  logPrintf("ERROR: Operator new failed: out of store.\n");
  throw std::bad_alloc();
}

}  // namespace

void installOutOfMemoryHandler() { std::set_new_handler(outOfStore); }
