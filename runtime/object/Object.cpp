#include "runtime/object/Object.h"

#include <cstdio>

#include "runtime/Application.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/lang/String.h"
#include "runtime/object/Class.h"
#include "runtime/thread/MonitorTable.h"

// The collector releases the monitor of every object it sweeps, whatever the
// class's finaliser does, so Object's own finaliser has nothing left to do.
void Object::finalize() {}

int32_t Object::equals(Object* other) { return other == this ? 1 : 0; }

Object* Object::clone() {
  debugLog("clone");
  if (Application* application = Application::get()) application->printStackTrace();
  return nullptr;
}

String* Object::toString() {
  char text[64];
  std::snprintf(text, sizeof text, "Object_id=%d @0x%llx", static_cast<int16_t>(getClassId()),
                static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(this)));
  return newString(text);
}

int32_t Object::hashCode() { return foldAddress(this); }

void* Object::lookupInterface(int32_t) { return nullptr; }

int32_t Object::instanceOf(Object* object, int32_t classId) {
  if (object == nullptr) return 0;
  if (object->lookupInterface(classId) != nullptr) return 1;
  for (Class* record = getClass(object); record != nullptr; record = Class::byId(static_cast<int32_t>(record->m_superclassId))) {
    if (static_cast<int32_t>(record->m_classId) == classId) return 1;
  }
  return 0;
}

Class* Object::getClass(Object* object) {
  if (object == nullptr) return nullptr;
  return Class::byId(static_cast<int16_t>(object->getClassId()));
}

void Object::monitorEnter(Object* object) { MonitorTable::instance().enter(object); }

void Object::monitorExit(Object* object) { MonitorTable::instance().exit(object); }

void Object::wait(Object* object, int64_t millis, int32_t nanos) { MonitorTable::instance().wait(object, millis, nanos); }

void Object::notify(Object* object, int32_t count) { MonitorTable::instance().notify(object, count); }

void Object::releaseMonitor(Object* object) { MonitorTable::instance().release(object); }

void Object::setUpHeader(uint16_t id) { m_header = uint32_t{id} | (uint32_t{1} << 16) | firstMarkBit; }
