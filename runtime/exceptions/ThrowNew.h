#pragma once
// Raising an exception from runtime code:
//   throwNew<java_lang_ArithmeticException>();          message = literal 1
//   throwNew<java_lang_IllegalStateException>(message); a String*, may be null
//   throwNew<java_lang_ArrayIndexOutOfBoundsException>(index);
// The exception becomes the calling thread's pending one; the caller then
// returns. Without a runtime, or when the object heap is full, the failure is
// logged instead.
#include <type_traits>
#include <utility>

#include "runtime/Application.h"
#include "runtime/exceptions/Exceptions.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/object/ObjectFactory.h"

template <class E, class... Arguments>
void throwNew(Arguments&&... arguments) {
  static_assert(std::is_base_of_v<java_lang_Throwable, E>, "only Throwables are thrown");
  Application* application = Application::get();
  if (application == nullptr) {
    debugLog("exception of class %d raised without a runtime", E::classId);
    return;
  }
  application->throwPending(newObject<E>(std::forward<Arguments>(arguments)...));
}
