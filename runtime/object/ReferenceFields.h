#pragma once
// Each class names its reference fields once, next to the members:
//
//   Object* m_next;
//   ObjectArray* m_items;
//   static constexpr auto referenceFields() { return ReferenceFieldList{&Node::m_next, &Node::m_items}; }
//
// The factory turns the lists of a class and of its superclasses into the
// Class record's offset table; the collector reads only that table. Static
// structs use the same list to put their reference statics in the root table.
#include <cstddef>
#include <tuple>
#include <type_traits>

template <class Owner, class... Fields>
struct ReferenceFieldList {
  using OwnerType = Owner;
  static constexpr size_t size = sizeof...(Fields);

  std::tuple<Fields Owner::*...> members;

  constexpr ReferenceFieldList(Fields Owner::*... fields) : members(fields...) {
    // The pointee may still be incomplete here (a statics struct naming a
    // game class), so only the pointer-ness is checked.
    static_assert((std::is_pointer_v<Fields> && ...), "a reference field holds a pointer to an Object class");
  }

  // Writes the address of each listed field of owner to out; answers the
  // position after the last one written.
  template <class Derived>
  void** addressesIn(Derived& owner, void** out) const {
    std::apply([&](auto... member) { ((*out++ = static_cast<void*>(&(static_cast<Owner&>(owner).*member))), ...); },
               members);
    return out;
  }
};

template <class Owner, class... Fields>
ReferenceFieldList(Fields Owner::*...) -> ReferenceFieldList<Owner, Fields...>;

namespace referencefields {

// True when T itself declares referenceFields() rather than inheriting its
// superclass's.
template <class T>
constexpr bool declaredBy() {
  if constexpr (!requires { T::referenceFields(); }) {
    return false;
  } else {
    using List = decltype(T::referenceFields());
    return std::is_same_v<typename List::OwnerType, T>;
  }
}

template <class T>
constexpr size_t ownCount() {
  if constexpr (declaredBy<T>()) {
    return decltype(T::referenceFields())::size;
  } else {
    return 0;
  }
}

// Every reference field of a T object, superclass fields included. Classes
// name their direct superclass as Super; Object ends the chain.
template <class T>
constexpr size_t count() {
  if constexpr (requires { typename T::Super; }) {
    static_assert(std::is_base_of_v<typename T::Super, T> && !std::is_same_v<typename T::Super, T>,
                  "Super names the direct superclass");
    return count<typename T::Super>() + ownCount<T>();
  } else {
    return ownCount<T>();
  }
}

template <class T, class Derived>
void** collectAddresses(Derived& object, void** out) {
  if constexpr (requires { typename T::Super; }) {
    out = collectAddresses<typename T::Super>(object, out);
  }
  if constexpr (declaredBy<T>()) {
    out = T::referenceFields().addressesIn(object, out);
  }
  return out;
}

}  // namespace referencefields
