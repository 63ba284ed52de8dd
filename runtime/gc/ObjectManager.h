#pragma once
// The ObjectManager: the registry of every collected object and the
// stop-the-world mark-and-sweep collector over it.
//
// Roots: the reference statics of the static block (its root table), the
// string-literal pool, the Application's five references, every thread's
// pending exception, the registered threads, every uncollectable object, and
// a conservative scan of the stacks. A collection
// asked for with flags 0 within 2000 ms of the last one is skipped.
#include <cstdint>

#include "runtime/gc/ConservativeScan.h"
#include "runtime/gc/Marker.h"
#include "runtime/gc/ObjectRegistry.h"
#include "wince/sync.h"

class Application;
class FragmentHeap;
class Object;
class WorldControl;

class ObjectManager {
 public:
  // Collection flags, combined by OR.
  static constexpr uint32_t periodic = 0;        // throttled
  static constexpr uint32_t unthrottled = 1;     // any non-zero flag skips the throttle
  static constexpr uint32_t freeEverything = 2;  // shutdown: no marking, every object is freed
  static constexpr uint32_t forced = 4;
  static constexpr uint32_t keepNewest = 8;  // also keep the newest registered object
  static constexpr uint32_t throttleMilliseconds = 2000;

  explicit ObjectManager(Application& application);
  ~ObjectManager();
  ObjectManager(const ObjectManager&) = delete;
  ObjectManager& operator=(const ObjectManager&) = delete;

  void registerObject(Object* object);
  void gc(uint32_t flags);

  // During a collection (from WorldControl::markThreadRoots): mark an object
  // and what it reaches; scan a stack range conservatively.
  void mark(Object* object);
  void scanRange(const void* from, const void* to);

  void setWorldControl(WorldControl* control) { m_worldControl = control; }
  // Shutdown, before the final collection: stops every other thread for
  // good, holding the collector lock from then on.
  void stopTheWorldForShutdown();

  uint32_t registeredCount() const { return m_registry.count(); }
  uint32_t collectionCount() const { return m_collectionCount; }

 private:
  // flags without the throttle test; with compactPool, also compacts that
  // pool for need bytes before the world runs again.
  void collect(uint32_t flags, FragmentHeap* compactPool, uint32_t need);
  void takeCollectorLock();
  void prepareRegistry(bool freeEverything);
  void markRoots(uint32_t flags);
  void scanThisThreadsStack();
  void sweep();
  static void onRegisterObject(void* object, void* context);
  static void onPoolExhausted(FragmentHeap& heap, uint32_t need, void* context);

  Application& m_application;
  ObjectRegistry m_registry;
  Object* m_newest = nullptr;
  Marker m_marker;
  ConservativeScan m_scan;
  WorldControl* m_worldControl = nullptr;
  uint32_t m_lastGcTick;
  uint32_t m_collectionCount = 0;
  bool m_collecting = false;
  bool m_marksInBitmap = false;  // this collection's marks: bitmap or headers
  bool m_heldForShutdown = false;
  CRITICAL_SECTION m_registryLock;
  CRITICAL_SECTION* m_collectorLock = new CRITICAL_SECTION;
};
