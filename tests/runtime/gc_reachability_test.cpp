// What keeps objects alive: long chains and deep nests of references, and
// stack words that point inside an object or into its element storage.
#include <gtest/gtest.h>

#include "runtime/lang/ObjectArray.h"
#include "runtime/lang/java_lang_Runnable.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/support/RuntimeFixture.h"

namespace {

int finalisedCount = 0;

class Leaf : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::java_util_Random;
  void finalize() override { ++finalisedCount; }
};

// The next link comes first, so that marking a chain descends before it has
// finished with each node.
class Link : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::java_util_HashtableEntry;
  Object* m_next;
  Object* m_payload;
  static constexpr auto referenceFields() { return ReferenceFieldList{&Link::m_next, &Link::m_payload}; }
  void finalize() override { ++finalisedCount; }
};

class Task : public Object, public java_lang_Runnable {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::java_util_TimerTask;
  void run() override { ++m_runs; }
  void* lookupInterface(int32_t id) override {
    return id == classid::java_lang_Runnable ? static_cast<java_lang_Runnable*>(this) : nullptr;
  }
  void finalize() override { ++finalisedCount; }
  int32_t m_runs;
};

class ReachabilityTest : public RuntimeFixture {
 protected:
  ReachabilityTest() : RuntimeFixture(8u << 20, 1u << 20) {}
  void SetUp() override {
    RuntimeFixture::SetUp();
    finalisedCount = 0;
  }
};

constexpr int chainLength = 100000;

__attribute__((noinline)) void makeRootedChain() {
  auto* head = newObject<Link>();
  testRoots().object = head;
  Link* last = head;
  for (int i = 1; i < chainLength; ++i) {
    auto* link = newObject<Link>();
    link->m_payload = newObject<Leaf>();
    last->m_next = link;
    last = link;
  }
}

__attribute__((noinline)) void dropRoot() { testRoots().object = nullptr; }

TEST_F(ReachabilityTest, LongChainIsMarkedToItsEnd) {
  makeRootedChain();
  const uint32_t objects = 2 * chainLength - 1;
  ASSERT_EQ(objectManager().registeredCount(), objects);
  collect();
  EXPECT_EQ(finalisedCount, 0);
  EXPECT_EQ(objectManager().registeredCount(), objects);
  dropRoot();
  collect();
  EXPECT_EQ(finalisedCount, static_cast<int>(objects));
  EXPECT_EQ(objectManager().registeredCount(), 0u);
}

constexpr int nestDepth = 1000;

// Each level is {the next level, a leaf}: the marker must come back to every
// level after the levels below it.
__attribute__((noinline)) void makeRootedNest() {
  ObjectArray* outer = newObjectArray(2);
  testRoots().kept = outer;
  for (int level = 0; level < nestDepth; ++level) {
    ObjectArray* inner = newObjectArray(2);
    outer->set(0, inner);
    outer->set(1, newObject<Leaf>());
    outer = inner;
  }
  outer->set(1, newObject<Leaf>());
}

TEST_F(ReachabilityTest, DeepArrayNestIsMarkedCompletely) {
  makeRootedNest();
  collect();
  EXPECT_EQ(finalisedCount, 0);
  EXPECT_EQ(objectManager().registeredCount(), static_cast<uint32_t>(2 * nestDepth + 2));
  testRoots().kept = nullptr;
  collect();
  EXPECT_EQ(finalisedCount, nestDepth + 1);
}

__attribute__((noinline)) java_lang_Runnable* makeTaskKeepingOnlyItsView() {
  return static_cast<java_lang_Runnable*>(newObject<Task>()->lookupInterface(classid::java_lang_Runnable));
}

TEST_F(ReachabilityTest, InterfaceViewInALocalKeepsItsObject) {
  java_lang_Runnable* view = makeTaskKeepingOnlyItsView();
  collect();
  collect(ObjectManager::keepNewest | ObjectManager::unthrottled);
  EXPECT_EQ(finalisedCount, 0);
  EXPECT_EQ(objectManager().registeredCount(), 1u);
  view->run();
  auto* task = static_cast<Task*>(view);
  EXPECT_NE(static_cast<void*>(task), static_cast<void*>(view)) << "the view lies inside the object";
  EXPECT_EQ(task->m_runs, 1);
  EXPECT_EQ(task->getClassId(), Task::classId);
}

__attribute__((noinline)) Object** makeArrayKeepingOnlyAnElementAddress() {
  ObjectArray* array = newObjectArray(4);
  array->set(2, newObject<Leaf>());
  return &array->m_elements[2];
}

TEST_F(ReachabilityTest, ElementAddressInALocalKeepsTheArrayAndItsElements) {
  Object** element = makeArrayKeepingOnlyAnElementAddress();
  EXPECT_TRUE(pools().m_nativePool.contains(element));
  collect();
  EXPECT_EQ(finalisedCount, 0);
  EXPECT_EQ(objectManager().registeredCount(), 2u);
  EXPECT_EQ((*element)->getClassId(), Leaf::classId);
}

__attribute__((noinline)) void makeGarbageReachableOnlyFromGarbage() {
  auto* link = newObject<Link>();
  link->m_payload = newObject<Leaf>();
  link->m_next = newObject<Link>();
}

TEST_F(ReachabilityTest, ObjectsReachableOnlyFromGarbageAreSwept) {
  makeGarbageReachableOnlyFromGarbage();
  collect();
  EXPECT_EQ(finalisedCount, 3);
  EXPECT_EQ(objectManager().registeredCount(), 0u);
}

}  // namespace

// Marks of one collection must not keep anything in the next, and a kept
// object's header reads unmarked after each collection, new or not.
namespace marksPerCollection {

__attribute__((noinline)) void makeRootedPair() {
  auto* head = newObject<Link>();
  head->m_payload = newObject<Leaf>();
  head->m_next = newObject<Link>();
  testRoots().object = head;
}

// The collector bytes of the head, its payload and its next link, as
// hundreds, tens and units; 9 for a link that is gone.
__attribute__((noinline)) int collectorBytes() {
  auto* head = static_cast<Link*>(testRoots().object);
  if (head == nullptr) return 999;
  const int next = head->m_next != nullptr ? head->m_next->collectorByte() : 9;
  return head->collectorByte() * 100 + head->m_payload->collectorByte() * 10 + next;
}

__attribute__((noinline)) void cutNext() { static_cast<Link*>(testRoots().object)->m_next = nullptr; }

}  // namespace marksPerCollection

TEST_F(ReachabilityTest, MarksLastOneCollectionAndKeptObjectsReadUnmarked) {
  using namespace marksPerCollection;
  makeRootedPair();
  EXPECT_EQ(collectorBytes(), 111);  // born marked
  collect();
  EXPECT_EQ(finalisedCount, 0);
  EXPECT_EQ(collectorBytes(), 0);
  collect();
  EXPECT_EQ(collectorBytes(), 0);
  cutNext();
  collect();
  EXPECT_EQ(finalisedCount, 1);
  EXPECT_EQ(collectorBytes(), 9);
  dropRoot();
  collect();
  EXPECT_EQ(finalisedCount, 3);
  EXPECT_EQ(objectManager().registeredCount(), 0u);
}
