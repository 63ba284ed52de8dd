#include "wince/event.h"

#include "wince/log.h"
#include "wince/wait_handles.h"
#include "wince/wait_object.h"

namespace wince {

class EventObject final : public WaitObject {
 public:
  EventObject(bool manualReset, bool signalled) : m_manualReset(manualReset), m_signalled(signalled) {}

  EventObject* asEvent() override { return this; }

  void set() {
    std::lock_guard lock(m_mutex);
    m_signalled = true;
    // Every waiter rechecks; for an auto-reset event only the first to take
    // the signal goes.
    m_changed.notify_all();
  }

  void reset() {
    std::lock_guard lock(m_mutex);
    m_signalled = false;
  }

 protected:
  bool takeSignal() override {
    if (!m_signalled) return false;
    if (!m_manualReset) m_signalled = false;
    return true;
  }

 private:
  const bool m_manualReset;
  bool m_signalled;
};

}  // namespace wince

HANDLE CreateEvent(void* /*attributes*/, BOOL manualReset, BOOL initialState, LPCWSTR name) {
  // A named event would have to be shared with every other opener of the
  // name; nothing here needs that, so refuse rather than hand out a private one.
  if (name && name[0]) {
    logPrintf("CreateEvent: named events are not supported\n");
    return nullptr;
  }
  return wince::addHandle(std::make_shared<wince::EventObject>(manualReset != FALSE, initialState != FALSE));
}

BOOL EventModify(HANDLE event, DWORD operation) {
  const std::shared_ptr<wince::WaitObject> object = wince::findHandle(event);
  wince::EventObject* eventObject = object ? object->asEvent() : nullptr;
  if (!eventObject) {
    logPrintf("EventModify: %p is not an event\n", event);
    return FALSE;
  }
  switch (operation) {
    case EVENT_SET:
      eventObject->set();
      return TRUE;
    case EVENT_RESET:
      eventObject->reset();
      return TRUE;
    default:
      logPrintf("EventModify: operation %u is not supported\n", unsigned(operation));
      return FALSE;
  }
}
