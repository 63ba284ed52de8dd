#pragma once
// The memory figures of the device: here the host's physical memory.
#include <cstddef>

#include "wince/types.h"

struct MEMORYSTATUS {
  DWORD dwLength;
  DWORD dwMemoryLoad;  // percent in use
  size_t dwTotalPhys;
  size_t dwAvailPhys;
  size_t dwTotalPageFile;
  size_t dwAvailPageFile;
  size_t dwTotalVirtual;
  size_t dwAvailVirtual;
};

// Fills every field; available never exceeds total. A host that tells
// nothing gives zeros.
void GlobalMemoryStatus(MEMORYSTATUS* status);
