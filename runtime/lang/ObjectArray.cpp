#include "runtime/lang/ObjectArray.h"

#include "runtime/Application.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/object/NativeStorage.h"
#include "runtime/object/ObjectFactory.h"

void ObjectArray::init(int32_t length) {
  m_length = length;
  if (length < 0) {
    debugLog("length of array should be >= 0");
    if (Application* application = Application::get()) application->printStackTrace();
    return;
  }
  if (length == 0) return;
  if (allocateOwnedStorage(static_cast<size_t>(length) * sizeof(Object*), reinterpret_cast<void**>(&m_elements)) == nullptr) {
    debugLog("ObjectArray of %d elements: no memory for the elements", length);
    m_length = 0;
  }
}

void ObjectArray::finalize() { releaseOwnedStorage(reinterpret_cast<void**>(&m_elements)); }

int32_t ObjectArray::elementSize() { return static_cast<int32_t>(sizeof(Object*)); }

ObjectArray* newObjectArray(int32_t length) { return newObject<ObjectArray>(length); }
