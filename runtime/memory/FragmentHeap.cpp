#include "runtime/memory/FragmentHeap.h"
