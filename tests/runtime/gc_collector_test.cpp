// The collector's flags, throttle, sweep and the hooks thread support plugs
// in.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/gc/WorldControl.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/lang/String.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/support/RuntimeFixture.h"
#include "wince/clock.h"
#include "wince/log.h"

namespace {

int finalisedCount = 0;
// Not a root: globals are not scanned.
Object* lastThread = nullptr;

class Counted : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::java_util_Random;
  void finalize() override { ++finalisedCount; }
};

// A Thread by class id: collected like any object until a start makes it
// uncollectable.
class ThreadLike : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::java_lang_Thread;
  void finalize() override { ++finalisedCount; }
};

class TimerThreadLike : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::java_util_TimerThread;
};

// Records what the collector asks of thread support.
class RecordingWorld : public WorldControl {
 public:
  void enterSafeRegion() override { ++safeRegions; }
  void leaveSafeRegion() override {}
  void stopTheWorld() override { ++stops; }
  void resumeTheWorld() override { ++resumes; }
  void markThreadRoots(ObjectManager& manager) override {
    ++rootScans;
    manager.mark(pendingException);
  }
  void releaseMonitor(Object* object) override { releasedClassIds.push_back(object->getClassId()); }

  int safeRegions = 0;
  int stops = 0;
  int resumes = 0;
  int rootScans = 0;
  Object* pendingException = nullptr;
  std::vector<uint16_t> releasedClassIds;
};

class CollectorTest : public RuntimeFixture {
 protected:
  void SetUp() override {
    RuntimeFixture::SetUp();
    finalisedCount = 0;
  }
  void TearDown() override {
    RuntimeFixture::TearDown();
    lastThread = nullptr;
  }
  void useRecordingWorld() { objectManager().setWorldControl(&world); }

  RecordingWorld world;
};

__attribute__((noinline)) void makeCounted(int count) {
  for (int i = 0; i < count; ++i) newObject<Counted>();
}

__attribute__((noinline)) void makeCountedAndAnArray() {
  makeCounted(3);
  newObjectArray(2);  // a class with a finaliser of its own
}

TEST_F(CollectorTest, UnreachableObjectsAreFinalisedOnceAndSweptAsFEEE) {
  useRecordingWorld();
  makeCountedAndAnArray();
  collect();
  EXPECT_EQ(finalisedCount, 3);
  EXPECT_EQ(objectManager().registeredCount(), 0u);
  // The monitor of every swept object is released, whatever its finaliser,
  // and by then its class id reads 0xFEEE.
  ASSERT_EQ(world.releasedClassIds.size(), 4u);
  for (uint16_t id : world.releasedClassIds) EXPECT_EQ(id, 0xFEEE);
  collect();
  EXPECT_EQ(finalisedCount, 3);
}

TEST_F(CollectorTest, WorldIsStoppedAndResumedAroundEachCollection) {
  useRecordingWorld();
  collect();
  collect(ObjectManager::keepNewest | ObjectManager::unthrottled);
  EXPECT_EQ(world.stops, 2);
  EXPECT_EQ(world.resumes, 2);
  EXPECT_EQ(world.rootScans, 2);
  EXPECT_EQ(world.safeRegions, 2);
}

__attribute__((noinline)) Object* makePendingException() { return newObject<Counted>(); }

TEST_F(CollectorTest, ThreadSupportAddsRoots) {
  useRecordingWorld();
  world.pendingException = makePendingException();
  makeCounted(1);
  collect();
  EXPECT_EQ(finalisedCount, 1);
  EXPECT_EQ(world.pendingException->getClassId(), Counted::classId);
  world.pendingException = nullptr;
  collect();
  EXPECT_EQ(finalisedCount, 2);
}

TEST_F(CollectorTest, ApplicationReferencesAndPendingExceptionAreRoots) {
  application().m_midlet = makePendingException();
  application().m_scratch = makePendingException();
  application().m_pending = makePendingException();
  makeCounted(1);
  collect();
  EXPECT_EQ(finalisedCount, 1);
  application().m_midlet = nullptr;
  collect();
  EXPECT_EQ(finalisedCount, 2);
  application().m_pending = nullptr;
  collect();
  EXPECT_EQ(finalisedCount, 3);
  application().m_scratch = nullptr;
}

__attribute__((noinline)) void makeThreads() {
  EXPECT_EQ(newObject<ThreadLike>()->collectable(), 1);
  EXPECT_EQ(newObject<TimerThreadLike>()->collectable(), 1);
}

TEST_F(CollectorTest, AnUnreachableThreadThatNeverStartedIsFreed) {
  makeThreads();
  collect();
  EXPECT_EQ(objectManager().registeredCount(), 0u);
  EXPECT_EQ(finalisedCount, 1);
}

// As a start leaves it: uncollectable until its run ends.
__attribute__((noinline)) void makeThreadAndGarbage() {
  makeCounted(2);
  lastThread = newObject<ThreadLike>();
  lastThread->setCollectable(0);
}

__attribute__((noinline)) void endRunOfLastThread() {
  lastThread->setCollectable(1);
  lastThread = nullptr;
}

TEST_F(CollectorTest, FreeEverythingAtCloseFinalisesThreadsAndRootsWithoutResumingAnyone) {
  useRecordingWorld();
  testRoots().object = newObject<Counted>();
  makeThreadAndGarbage();
  EXPECT_EQ(lastThread->collectable(), 0);
  lastThread = nullptr;
  application().close();
  EXPECT_EQ(finalisedCount, 4);
  EXPECT_EQ(world.stops, 0);
  EXPECT_EQ(world.resumes, 0);
  EXPECT_EQ(world.releasedClassIds.size(), 4u);
}

TEST_F(CollectorTest, FinalisedThreadBecomesCollectableWhenItsRunEnds) {
  makeThreadAndGarbage();
  collect();
  EXPECT_EQ(finalisedCount, 2);
  endRunOfLastThread();
  collect();
  EXPECT_EQ(finalisedCount, 3);
}

class Holder : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::java_util_Vector;
  static constexpr auto referenceFields() { return ReferenceFieldList{&Holder::m_held}; }
  Object* m_held;
};

constexpr const char* heldText = "held by an uncollectable object";

// Its address comes back disguised, so that only its collectable byte keeps it.
__attribute__((noinline)) uintptr_t makeHiddenUncollectableHolder() {
  auto* holder = newObject<Holder>();
  holder->m_held = newString(heldText);
  holder->setCollectable(0);
  return ~reinterpret_cast<uintptr_t>(holder);
}

__attribute__((noinline)) void makeRootedNeighbours(int32_t count) {
  testRoots().kept = newObjectArray(count);
  for (int32_t i = 0; i < count; ++i) testRoots().kept->set(i, newString(("neighbour " + std::to_string(i)).c_str()));
}

TEST_F(CollectorTest, WhatAnUncollectableObjectHoldsIsKeptAndItsNeighboursAreUntouched) {
  const uintptr_t hidden = makeHiddenUncollectableHolder();
  collect();
  // They would take the place of a freed text.
  makeRootedNeighbours(64);
  auto* holder = reinterpret_cast<Holder*>(~hidden);
  testRoots().object = holder;
  collect();
  collect();
  ASSERT_EQ(holder->m_held->getClassId(), classid::String);
  EXPECT_EQ(asciiOf(static_cast<String*>(holder->m_held)), heldText);
  for (int32_t i = 0; i < 64; ++i) {
    EXPECT_EQ(asciiOf(static_cast<String*>(testRoots().kept->get(i))), "neighbour " + std::to_string(i));
  }
  testRoots().object = nullptr;
}

TEST_F(CollectorTest, KeepNewestKeepsOnlyTheNewestObject) {
  makeCounted(3);
  collect(ObjectManager::keepNewest | ObjectManager::unthrottled);
  EXPECT_EQ(finalisedCount, 2);
  EXPECT_EQ(objectManager().registeredCount(), 1u);
  collect(ObjectManager::keepNewest | ObjectManager::forced);
  EXPECT_EQ(finalisedCount, 2) << "still the newest";
  makeCounted(1);
  collect(ObjectManager::keepNewest | ObjectManager::unthrottled);
  EXPECT_EQ(finalisedCount, 3);
  collect(ObjectManager::forced);
  EXPECT_EQ(finalisedCount, 4);
}

std::string stackTraceSeenByFinaliser;

class StackTraceProbe : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::java_util_Date;
  void finalize() override { stackTraceSeenByFinaliser = Application::get()->stackTraceText(); }
};

__attribute__((noinline)) void makeStackTraceProbe() { newObject<StackTraceProbe>(); }

TEST_F(CollectorTest, CollectionNamesItselfOnTheMethodStack) {
  makeStackTraceProbe();
  collect();
  EXPECT_EQ(stackTraceSeenByFinaliser, "stacktrace:\nObjectManager::gc()\n");
  EXPECT_EQ(application().stackTraceText(), "stacktrace:\n");
}

// The throttle needs the fake clock from before the runtime starts.
TEST(CollectorThrottle, PeriodicRequestsRunAtMostOnceIn2000Milliseconds) {
  wince::useFakeClock(50000, true);
  Application application;
  application.init(nullptr, 1u << 18, 1u << 18);
  ObjectManager& manager = *application.getObjectManager();
  manager.gc(ObjectManager::periodic);
  EXPECT_EQ(manager.collectionCount(), 0u) << "start-up counts as the last collection";
  wince::advanceFakeClock(1999);
  manager.gc(ObjectManager::periodic);
  EXPECT_EQ(manager.collectionCount(), 0u);
  wince::advanceFakeClock(1);
  manager.gc(ObjectManager::periodic);
  EXPECT_EQ(manager.collectionCount(), 1u);
  manager.gc(ObjectManager::periodic);
  EXPECT_EQ(manager.collectionCount(), 1u);
  manager.gc(ObjectManager::forced);
  manager.gc(ObjectManager::unthrottled);
  manager.gc(ObjectManager::keepNewest | ObjectManager::unthrottled);
  EXPECT_EQ(manager.collectionCount(), 4u) << "any flag skips the throttle";
  wince::advanceFakeClock(1500);
  manager.gc(ObjectManager::periodic);
  EXPECT_EQ(manager.collectionCount(), 4u) << "measured from the last collection of any kind";
  wince::advanceFakeClock(500);
  manager.gc(ObjectManager::periodic);
  EXPECT_EQ(manager.collectionCount(), 5u);
  application.close();
  wince::useRealClock();
}

}  // namespace
