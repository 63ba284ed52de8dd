#include "platform/java_util/java_util_Stack.h"

#include "runtime/exceptions/ThrowNew.h"
#include "runtime/thread/SynchronizedScope.h"

Object* java_util_Stack::push(Object* item) {
  addElement(item);
  return item;
}

Object* java_util_Stack::peek() {
  SynchronizedScope lock(this);
  const int32_t count = size();
  if (count == 0) {
    throwNew<java_util_EmptyStackException>();
    return nullptr;
  }
  return elementAt(count - 1);
}

Object* java_util_Stack::pop() {
  SynchronizedScope lock(this);
  const int32_t count = size();
  Object* top = peek();
  if (count == 0) return nullptr;
  removeElementAt(count - 1);
  return top;
}

bool java_util_Stack::empty() { return size() == 0; }

int32_t java_util_Stack::search(Object* element) {
  SynchronizedScope lock(this);
  const int32_t index = lastIndexOf(element, elementCount - 1);
  return index >= 0 ? size() - index : -1;
}
