#pragma once
// A synchronized block or method body of native code: holds the object's
// monitor from construction to every way out of the scope.
#include "runtime/object/Object.h"

class SynchronizedScope {
 public:
  explicit SynchronizedScope(Object* object) : m_object(object) { Object::monitorEnter(object); }
  ~SynchronizedScope() { Object::monitorExit(m_object); }
  SynchronizedScope(const SynchronizedScope&) = delete;
  SynchronizedScope& operator=(const SynchronizedScope&) = delete;

 private:
  Object* m_object;
};
