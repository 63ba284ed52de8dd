#include "wince/file_faults.h"

#include <atomic>

namespace wince {
namespace {

// Calls still to go before the failing one; 0 means no fault is set.
std::atomic<int> callsUntilFailure[3];

std::atomic<int>& countdown(FileOperation operation) { return callsUntilFailure[int(operation)]; }

}  // namespace

void failNthFileOperation(FileOperation operation, int nth) { countdown(operation).store(nth > 0 ? nth : 0); }

void clearFileFaults() {
  for (std::atomic<int>& calls : callsUntilFailure) calls.store(0);
}

bool fileFaultPending(FileOperation operation) { return countdown(operation).load() > 0; }

bool fileOperationFails(FileOperation operation) {
  std::atomic<int>& calls = countdown(operation);
  int remaining = calls.load();
  while (remaining > 0) {
    if (calls.compare_exchange_weak(remaining, remaining - 1)) return remaining == 1;
  }
  return false;
}

}  // namespace wince
