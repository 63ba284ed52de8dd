#include "wince/wait_handles.h"

#include <mutex>
#include <unordered_map>

#include "wince/log.h"
#include "wince/wait.h"

namespace wince {
namespace {

struct HandleTable {
  std::mutex mutex;
  uint32_t lastNumber = 0;
  std::unordered_map<uint32_t, std::shared_ptr<WaitObject>> handles;
  std::unordered_map<uint32_t, std::weak_ptr<WaitObject>> threads;

  // Caller holds the mutex. Skips 0, the all-ones value and any number still
  // in use once the sequence wraps.
  uint32_t nextNumber() {
    do {
      ++lastNumber;
    } while (lastNumber == 0 || lastNumber == 0xFFFFFFFFu || handles.count(lastNumber) || threads.count(lastNumber));
    return lastNumber;
  }
};

HandleTable& handleTable() {
  static HandleTable* table = new HandleTable;  // outlives threads still running at exit
  return *table;
}

// Handle values above 32 bits were never made here.
bool handleNumber(HANDLE handle, uint32_t* number) {
  const uintptr_t value = reinterpret_cast<uintptr_t>(handle);
  if (value == 0 || value > 0xFFFFFFFFu) return false;
  *number = uint32_t(value);
  return true;
}

}  // namespace

HANDLE addHandle(std::shared_ptr<WaitObject> object) {
  HandleTable& table = handleTable();
  std::lock_guard lock(table.mutex);
  const uint32_t number = table.nextNumber();
  table.handles.emplace(number, std::move(object));
  return reinterpret_cast<HANDLE>(uintptr_t(number));
}

DWORD newThreadId() {
  HandleTable& table = handleTable();
  std::lock_guard lock(table.mutex);
  const uint32_t number = table.nextNumber();
  table.threads.emplace(number, std::weak_ptr<WaitObject>());  // reserves the number
  return number;
}

void registerThreadId(DWORD threadId, const std::shared_ptr<WaitObject>& thread) {
  HandleTable& table = handleTable();
  std::lock_guard lock(table.mutex);
  table.threads[threadId] = thread;
}

void unregisterThreadId(DWORD threadId) {
  HandleTable& table = handleTable();
  std::lock_guard lock(table.mutex);
  table.threads.erase(threadId);
}

std::shared_ptr<WaitObject> findHandle(HANDLE handle) {
  uint32_t number;
  if (!handleNumber(handle, &number)) return nullptr;
  HandleTable& table = handleTable();
  std::lock_guard lock(table.mutex);
  if (auto found = table.handles.find(number); found != table.handles.end()) return found->second;
  if (auto found = table.threads.find(number); found != table.threads.end()) return found->second.lock();
  return nullptr;
}

}  // namespace wince

BOOL CloseHandle(HANDLE object) {
  wince::HandleTable& table = wince::handleTable();
  uint32_t number;
  std::shared_ptr<wince::WaitObject> released;  // destroyed after the table lock is dropped
  {
    std::lock_guard lock(table.mutex);
    if (wince::handleNumber(object, &number)) {
      if (auto found = table.handles.find(number); found != table.handles.end()) {
        released = std::move(found->second);
        table.handles.erase(found);
        return TRUE;
      }
      // A thread id stands for its thread without holding a reference.
      if (table.threads.count(number)) return TRUE;
    }
  }
  logPrintf("CloseHandle: %p is not an open handle\n", object);
  return FALSE;
}
