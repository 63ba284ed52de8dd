#include "wince/wait.h"

#include "wince/log.h"
#include "wince/wait_handles.h"

DWORD WaitForSingleObject(HANDLE object, DWORD milliseconds) {
  // The reference keeps the object alive even if its handle is closed
  // while we wait.
  const std::shared_ptr<wince::WaitObject> waitObject = wince::findHandle(object);
  if (!waitObject) {
    logPrintf("WaitForSingleObject: %p is not an open handle\n", object);
    return WAIT_FAILED;
  }
  return waitObject->wait(milliseconds);
}

namespace wince {

bool waitForWaiters(HANDLE object, int count) {
  const std::shared_ptr<WaitObject> waitObject = findHandle(object);
  if (!waitObject) return false;
  waitObject->waitForWaiters(count);
  return true;
}

}  // namespace wince
