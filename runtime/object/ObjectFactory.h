#pragma once
// The one way objects are made:
//   1. a zero-filled block of the object heap, registered with the collector;
//   2. the C++ object placed in it (vtable pointer, interface views);
//   3. the header set-up;
//   4. the reference fields registered with the class's record (debug and
//      sanitizer builds check that they match the first object's of the id);
//   5. the class's own constructor body, init(arguments...), if it has one.
// Answers null when the object heap has no room (nothing is registered then).
#include <new>
#include <type_traits>
#include <utility>

#include "runtime/memory/MemoryManagers.h"
#include "runtime/object/Class.h"
#include "runtime/object/Object.h"

template <class T, class... Arguments>
T* newObject(Arguments&&... arguments) {
  static_assert(std::is_base_of_v<Object, T>, "objects are classes of the object model");
  static_assert(requires { T::classId; }, "every class names its class id");
  static_assert(std::is_same_v<T, Object> || requires { typename T::Super; }, "every class names its superclass as Super");
  void* memory = allocObject(sizeof(T), 0);
  if (memory == nullptr) return nullptr;
  // Value-initialisation: the members stay zero, the vtable pointers are set.
  T* object = ::new (memory) T();
  object->setUpHeader(T::classId);
  constexpr size_t referenceCount = referencefields::count<T>();
  [[maybe_unused]] void* fieldAddresses[referenceCount > 0 ? referenceCount : 1];
  if constexpr (referenceCount > 0) {
    referencefields::collectAddresses<T>(*object, fieldAddresses);
    Class::registerRefFields(object, fieldAddresses, static_cast<int32_t>(referenceCount));
  }
#ifndef NDEBUG
  // Debug and sanitizer builds: the marker reads one table per class id.
  Class::checkRefFieldLayout(object, fieldAddresses, static_cast<int32_t>(referenceCount));
#endif
  if constexpr (sizeof...(Arguments) > 0 || requires { object->init(); }) {
    object->init(std::forward<Arguments>(arguments)...);
  }
  return object;
}
