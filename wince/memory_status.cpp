#include "wince/memory_status.h"

#include <sys/sysinfo.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

// A value of /proc/meminfo in bytes; false when the line is missing.
bool readMeminfo(const char* name, size_t& bytes) {
  FILE* file = std::fopen("/proc/meminfo", "r");
  if (file == nullptr) return false;
  char line[256];
  const size_t nameLength = std::strlen(name);
  bool found = false;
  while (std::fgets(line, sizeof line, file) != nullptr) {
    if (std::strncmp(line, name, nameLength) != 0 || line[nameLength] != ':') continue;
    unsigned long long kilobytes = 0;
    found = std::sscanf(line + nameLength + 1, "%llu", &kilobytes) == 1;
    bytes = static_cast<size_t>(kilobytes) * 1024;
    break;
  }
  std::fclose(file);
  return found;
}

}  // namespace

void GlobalMemoryStatus(MEMORYSTATUS* status) {
  if (status == nullptr) return;
  *status = MEMORYSTATUS{};
  status->dwLength = sizeof(MEMORYSTATUS);
  struct sysinfo info {};
  if (sysinfo(&info) == 0) {
    const size_t unit = info.mem_unit != 0 ? info.mem_unit : 1;
    status->dwTotalPhys = static_cast<size_t>(info.totalram) * unit;
    status->dwAvailPhys = static_cast<size_t>(info.freeram + info.bufferram) * unit;
    status->dwTotalPageFile = static_cast<size_t>(info.totalswap) * unit;
    status->dwAvailPageFile = static_cast<size_t>(info.freeswap) * unit;
  }
  // What the kernel counts as available includes the page cache it can drop.
  size_t available = 0;
  if (readMeminfo("MemAvailable", available)) status->dwAvailPhys = available;
  status->dwAvailPhys = std::min(status->dwAvailPhys, status->dwTotalPhys);
  status->dwAvailPageFile = std::min(status->dwAvailPageFile, status->dwTotalPageFile);
  status->dwTotalVirtual = status->dwTotalPhys + status->dwTotalPageFile;
  status->dwAvailVirtual = status->dwAvailPhys + status->dwAvailPageFile;
  if (status->dwTotalPhys != 0) {
    status->dwMemoryLoad = static_cast<DWORD>(100 - status->dwAvailPhys * 100 / status->dwTotalPhys);
  }
}
