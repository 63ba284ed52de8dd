#pragma once
// The conservative root scan of stacks. Every pointer-sized word is a
// candidate: a word inside an object of the object heap keeps that object
// (interior pointers such as interface views count); a word inside a block of
// the native pool pins the block and keeps the object that owns it.
#include <cstdint>
#include <span>

class FragmentHeap;
class Marker;
class ObjectRegistry;

class ConservativeScan {
 public:
  ConservativeScan() = default;
  ~ConservativeScan();
  ConservativeScan(const ConservativeScan&) = delete;
  ConservativeScan& operator=(const ConservativeScan&) = delete;

  // The collector's own work before the scan (sorting the registry) leaves
  // object addresses in dead stack below it; frames made later would carry
  // them into the scan as if they were live. Clear that stretch first.
  static void clearDeadStackBelowCaller();
  // Starts a collection's scan; the registry must be sorted by address.
  void begin(ObjectRegistry& registry, const FragmentHeap& objectHeap, const FragmentHeap& nativePool, Marker& marker);
  // Scans the words between from and to, in either order.
  void scanRange(const void* from, const void* to);
  // Scans the calling thread's stack, from the caller's frame to the stack's
  // top. The caller spills its registers first (__builtin_unwind_init).
  void scanCurrentThreadStack();
  // After every stack is scanned: marks the owners of the pinned blocks.
  void markPinnedOwners();
  // The sorted native-pool addresses found on the stacks.
  std::span<const uintptr_t> pinnedAddresses() const { return {m_pins, m_pinCount}; }
  // False when the pin list could not hold every address (no room): nothing
  // may be moved then.
  bool pinsComplete() const { return !m_pinsOverflowed; }

 private:
  void consider(uintptr_t word);
  void addPin(uintptr_t word);

  ObjectRegistry* m_registry = nullptr;
  const FragmentHeap* m_objectHeap = nullptr;
  const FragmentHeap* m_nativePool = nullptr;
  Marker* m_marker = nullptr;
  uintptr_t* m_pins = nullptr;
  uint32_t m_pinCount = 0;
  uint32_t m_pinCapacity = 0;
  bool m_pinsOverflowed = false;
};
