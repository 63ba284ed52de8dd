#pragma once
// The game's try/catch: right after a call, takes the pending exception when
// it is an instance of the given class (it is then no longer pending).
#include <cstdint>

#include "runtime/Application.h"
#include "runtime/object/Object.h"

inline bool takePendingException(int32_t classId) {
  Application* application = Application::get();
  if (application == nullptr) return false;
  Object* pending = application->getPending();
  if (pending == nullptr || Object::instanceOf(pending, classId) == 0) return false;
  application->m_pending = nullptr;
  return true;
}
