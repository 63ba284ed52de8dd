#include "runtime/gc/ObjectManager.h"

#include <cstring>
#include <vector>

#include "runtime/Application.h"
#include "runtime/exceptions/ThreadExceptionState.h"
#include "runtime/gc/WorldControl.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/memory/MemoryManagers.h"
#include "runtime/object/StaticClass.h"
#include "wince/clock.h"

ObjectManager::ObjectManager(Application& application) : m_application(application), m_lastGcTick(GetTickCount()) {
  InitializeCriticalSection(&m_registryLock);
  InitializeCriticalSection(m_collectorLock);
  MemoryManagers* managers = m_application.getMemoryManagers();
  managers->m_registerObject = &ObjectManager::onRegisterObject;
  managers->m_registerContext = this;
  managers->m_objectHeap.setExhaustionHook(&ObjectManager::onPoolExhausted, this);
  managers->m_nativePool.setExhaustionHook(&ObjectManager::onPoolExhausted, this);
}

ObjectManager::~ObjectManager() {
  if (MemoryManagers* managers = m_application.getMemoryManagers()) {
    managers->m_registerObject = nullptr;
    managers->m_registerContext = nullptr;
    managers->m_objectHeap.setExhaustionHook(nullptr, nullptr);
    managers->m_nativePool.setExhaustionHook(nullptr, nullptr);
  }
  // A thread stopped for good may be waiting for the collector lock that
  // shutdown and the final collection hold: that lock outlives the manager.
  if (m_heldForShutdown) {
    static auto* abandonedLocks = new std::vector<CRITICAL_SECTION*>;
    abandonedLocks->push_back(m_collectorLock);
  } else {
    DeleteCriticalSection(m_collectorLock);
    delete m_collectorLock;
  }
  DeleteCriticalSection(&m_registryLock);
}

void ObjectManager::onRegisterObject(void* object, void* context) {
  static_cast<ObjectManager*>(context)->registerObject(static_cast<Object*>(object));
}

void ObjectManager::onPoolExhausted(FragmentHeap& heap, uint32_t need, void* context) {
  MethodNameScope name("ObjectManager::gc()");
  auto* manager = static_cast<ObjectManager*>(context);
  const bool compacts = heap.type() == FragmentHeap::nativePoolType;
  manager->collect(keepNewest | unthrottled, compacts ? &heap : nullptr, need);
}

void ObjectManager::registerObject(Object* object) {
  wince::CriticalSectionLock lock(m_registryLock);
  if (m_registry.add(object)) m_newest = object;
}

void ObjectManager::gc(uint32_t flags) {
  MethodNameScope name("ObjectManager::gc()");
  if (flags == periodic && GetTickCount() - m_lastGcTick < throttleMilliseconds) return;
  collect(flags, nullptr, 0);
}

void ObjectManager::mark(Object* object) { m_marker.mark(object); }

void ObjectManager::scanRange(const void* from, const void* to) { m_scan.scanRange(from, to); }

void ObjectManager::collect(uint32_t flags, FragmentHeap* compactPool, uint32_t need) {
  m_lastGcTick = GetTickCount();
  takeCollectorLock();
  if (m_collecting) {
    // Asked for again from inside this collection (a finaliser that
    // allocates): the running one is all there is.
    LeaveCriticalSection(m_collectorLock);
    return;
  }
  m_collecting = true;
  // The final collection finds the world stopped for good by shutdown.
  const bool worldStopsHere = (flags & freeEverything) == 0 && m_worldControl != nullptr;
  if (worldStopsHere) m_worldControl->stopTheWorld();
  EnterCriticalSection(&m_registryLock);

  prepareRegistry((flags & freeEverything) != 0);
  if ((flags & freeEverything) == 0) {
    ConservativeScan::clearDeadStackBelowCaller();
    markRoots(flags);
  }
  sweep();
  if (compactPool != nullptr && m_scan.pinsComplete()) compactPool->compactFor(need, m_scan.pinnedAddresses());

  ++m_collectionCount;
  m_lastGcTick = GetTickCount();
  LeaveCriticalSection(&m_registryLock);
  if (worldStopsHere) m_worldControl->resumeTheWorld();
  m_collecting = false;
  // The final collection keeps the lock for good, as shutdown's stop does: a
  // thread of this run waiting for it must never get it, nor see it destroyed.
  if ((flags & freeEverything) != 0) {
    m_heldForShutdown = true;
    return;
  }
  LeaveCriticalSection(m_collectorLock);
}

void ObjectManager::stopTheWorldForShutdown() {
  // Taken the way a collection takes it, so that a collection running now
  // ends first, and kept: no collection may resume the world afterwards.
  takeCollectorLock();
  if (m_heldForShutdown) {
    LeaveCriticalSection(m_collectorLock);
    return;
  }
  m_heldForShutdown = true;
  if (m_worldControl != nullptr) m_worldControl->stopTheWorld();
}

// A thread waiting here counts as parked, so that two threads collecting at
// once do not wait for each other; the callers' registers are spilled into
// this frame, which the other collector's stack scan covers.
//
// Parked, the thread must not read this manager: shutdown may free it
// meanwhile and the next run make its own at the same address, whose lock
// the thread would then take and hold for good. The lock it waits for is
// read first; shutdown keeps that one held and never frees it.
__attribute__((noinline)) void ObjectManager::takeCollectorLock() {
  __builtin_unwind_init();
  CRITICAL_SECTION* const lock = m_collectorLock;
  WorldControl* const world = m_worldControl;
  if (world != nullptr) world->enterSafeRegion();
  EnterCriticalSection(lock);
  if (world != nullptr) world->leaveSafeRegion();
  asm volatile("" ::: "memory");
}

// A call of its own, so that the entries it handles stay in registers and
// stack that the scan will not see.
__attribute__((noinline)) void ObjectManager::prepareRegistry(bool freeEverything) {
  const FragmentHeap& heap = m_application.getMemoryManagers()->m_objectHeap;
  m_marksInBitmap = m_marker.begin(heap.regionBegin(), heap.regionEnd());
  // Objects are born marked in their headers. Afterwards only marking in
  // the headers sets those bits, and then the sweep clears them on the
  // objects it keeps: only the newcomers need clearing here.
  Object** entries = m_registry.entries();
  for (uint32_t i = m_registry.sortedCount(); i < m_registry.count(); ++i) entries[i]->clearMarks();
  m_registry.sortByAddress();
  if (freeEverything) {
    for (uint32_t i = 0; i < m_registry.count(); ++i) entries[i]->setCollectable(1);
  }
}

void ObjectManager::markRoots(uint32_t flags) {
  StaticClass* block = m_application.getStaticClass();
  MemoryManagers* managers = m_application.getMemoryManagers();
  m_marker.setRecords(block != nullptr ? block->classes : nullptr);
  if (block != nullptr) {
    for (Object** root : block->roots) m_marker.mark(*root);
    for (size_t i = 0; i < block->gameRootCount; ++i) m_marker.mark(*block->gameRoots[i]);
    m_marker.mark(block->literalPool);
  }
  m_marker.mark(m_application.m_midlet);
  m_marker.mark(m_application.m_current);
  m_marker.mark(m_application.m_screenImage);
  m_marker.mark(m_application.m_screenGraphics);
  m_marker.mark(m_application.m_scratch);
  // A thrown object waiting for its handler is referenced from nowhere else.
  forEachThreadExceptionState(
      [](ThreadExceptionState& state, void* marker) { static_cast<Marker*>(marker)->mark(state.pending); }, &m_marker);

  m_scan.begin(m_registry, managers->m_objectHeap, managers->m_nativePool, m_marker);
  scanThisThreadsStack();
  if (m_worldControl != nullptr) m_worldControl->markThreadRoots(*this);
  m_scan.markPinnedOwners();

  if ((flags & keepNewest) != 0) m_marker.mark(m_newest);
  // The sweep keeps an uncollectable object whatever the marking says, so
  // what it holds must be kept too, or it would point at freed memory.
  Object** entries = m_registry.entries();
  for (uint32_t i = 0; i < m_registry.count(); ++i) {
    if (entries[i]->collectable() == 0) m_marker.mark(entries[i]);
  }
  m_marker.finish(m_registry);
}

__attribute__((noinline, no_sanitize("address"))) void ObjectManager::scanThisThreadsStack() {
  // Registers that hold references of the callers go onto this frame, which
  // the scan covers.
  __builtin_unwind_init();
  m_scan.scanCurrentThreadStack();
  // No tail call: the spilled registers must stay in this frame during the
  // scan.
  asm volatile("" ::: "memory");
}

void ObjectManager::sweep() {
  const uint32_t sweptCount = m_registry.count();
  const uint32_t sortedCount = m_registry.sortedCount();
  // From the highest address down, the survivors gathered at the end in
  // their order: each freed block then lies below the blocks freed before
  // it, where the pool's address-ordered free list takes it without a
  // search. A survivor whose mark is in the bitmap is not read at all. The
  // entries are read afresh after each object freed: a finaliser that
  // allocates may move them.
  Object** entries = m_registry.entries();
  uint32_t firstKept = sweptCount;
  uint32_t keptUnsorted = 0;
  for (uint32_t i = sweptCount; i-- > 0;) {
    Object* object = entries[i];
    if (m_marker.isMarked(object) || object->collectable() == 0) {
      if (!m_marksInBitmap) object->clearMarks();
      entries[--firstKept] = object;
      if (i >= sortedCount) ++keptUnsorted;
      continue;
    }
    if (object == m_newest) m_newest = nullptr;
    object->finalize();
    object->setFreedClassId();
    if (m_worldControl != nullptr) m_worldControl->releaseMonitor(object);
    // Back to whichever pool holds it (the object heap, as a rule).
    nativeFree(object);
    entries = m_registry.entries();
  }
  // The survivors to the front, then the objects registered while
  // finalisers ran.
  const uint32_t kept = sweptCount - firstKept;
  const uint32_t registered = m_registry.count() - sweptCount;
  if (kept > 0 && firstKept > 0) std::memmove(entries, entries + firstKept, sizeof(Object*) * kept);
  if (registered > 0 && firstKept > 0) std::memmove(entries + kept, entries + sweptCount, sizeof(Object*) * registered);
  m_registry.truncate(kept + registered, kept - keptUnsorted);
}
