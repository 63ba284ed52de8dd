#pragma once
// The game's share of the static block. Its type belongs to the game; the
// runtime only learns its size and where its reference statics lie, from a
// description that the program hands over with the class initialisers. A
// game static can then be added without touching the runtime.
//
// A statics struct either lists its reference statics (referenceFields(), as
// a class lists its reference fields) or is made of statics structs, which it
// names in parts():
//
//   struct ShellStatics {
//     cGameStatics cGame;
//     IMenusStatics IMenus;
//     auto parts() { return std::tie(cGame, IMenus); }
//   };
#include <cstddef>
#include <tuple>
#include <type_traits>
#include <utility>

#include "runtime/object/ReferenceFields.h"

struct GameStaticsDescription {
  size_t size = 0;
  size_t referenceCount = 0;
  // Writes the address of each reference static of the block to out;
  // answers the position after the last one.
  void** (*collectReferences)(void* block, void** out) = nullptr;
};

namespace referencefields {

template <class T>
concept ComposedStatics = requires(T& statics) { statics.parts(); };

template <class T>
constexpr size_t staticsCount() {
  if constexpr (ComposedStatics<T>) {
    using Parts = decltype(std::declval<T&>().parts());
    return []<size_t... I>(std::index_sequence<I...>) {
      return (size_t{0} + ... + staticsCount<std::remove_reference_t<std::tuple_element_t<I, Parts>>>());
    }(std::make_index_sequence<std::tuple_size_v<Parts>>());
  } else {
    return count<T>();
  }
}

template <class T>
void** collectStatics(T& statics, void** out) {
  if constexpr (ComposedStatics<T>) {
    std::apply([&](auto&... part) { ((out = collectStatics(part, out)), ...); }, statics.parts());
    return out;
  } else {
    return collectAddresses<T>(statics, out);
  }
}

}  // namespace referencefields

template <class Block>
constexpr GameStaticsDescription describeGameStatics() {
  static_assert(std::is_trivially_default_constructible_v<Block>, "the block starts zero-filled, never constructed");
  return {sizeof(Block), referencefields::staticsCount<Block>(),
          [](void* block, void** out) { return referencefields::collectStatics(*static_cast<Block*>(block), out); }};
}
