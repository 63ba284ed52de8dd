#pragma once
// What the java_util tests share: a runtime with the string literals these
// classes read, a rooted array for objects a test keeps, and helpers for the
// pending exception.
#include <gtest/gtest.h>

#include <string>

#include "runtime/Application.h"
#include "runtime/exceptions/Exceptions.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/lang/String.h"
#include "runtime/object/ObjectFactory.h"
#include "runtime/object/StaticClass.h"
#include "tests/support/RuntimeFixture.h"

class CollectionsFixture : public RuntimeFixture {
 protected:
  static constexpr int32_t keptSlots = 64;

  explicit CollectionsFixture(uint32_t objectHeapBytes = defaultObjectHeapBytes) : RuntimeFixture(objectHeapBytes) {}

  void SetUp() override {
    RuntimeFixture::SetUp();
    ObjectArray* pool = newObjectArray(280);
    block().literalPool = pool;
    const struct {
      int32_t index;
      const char* text;
    } literals[] = {
        {1, ""}, {14, "="}, {107, ", "}, {220, "Illegal capacity"}, {221, "Illegal daylight saving value"},
        {222, "Illegal month "}, {223, "GMT"}, {224, "Illegal start month "}, {225, "Illegal start time "},
        {226, "Illegal start day of week "}, {227, "Illegal start day of week in month "},
        {228, "Illegal start day "}, {229, "Illegal end month "}, {230, "Illegal end time "},
        {231, "Illegal end day of week "}, {232, "Illegal end day of week in month "}, {233, "Illegal end day "},
        {234, "UTC"},
        {235, "Negative delay."}, {236, "Non-positive period."}, {237, "Illegal execution time."},
        {238, "Timer already cancelled."}, {239, "Task already scheduled or cancelled"},
        {240, "n must be positive"}, {241, "{"}, {242, "}"}, {243, "Hashtable Enumerator"}, {244, "null"},
        {245, "Jan"}, {246, "Feb"}, {247, "Mar"}, {248, "Apr"}, {249, "May"}, {250, "Jun"}, {251, "Jul"},
        {252, "Aug"}, {253, "Sep"}, {254, "Oct"}, {255, "Nov"}, {256, "Dec"}, {257, "Sun"}, {258, "Mon"},
        {259, "Tue"}, {260, "Wed"}, {261, "Thu"}, {262, "Fri"}, {263, "Sat"},
        {265, "Array index out of range: "},
    };
    for (const auto& literal : literals) pool->set(literal.index, newString(literal.text));
    testRoots().kept = newObjectArray(keptSlots);
  }

  void TearDown() override {
    application().m_pending = nullptr;
    RuntimeFixture::TearDown();
  }

  // Keeps the object reachable for the collector until the test ends.
  template <class T>
  T* keep(int32_t slot, T* object) {
    testRoots().kept->set(slot, object);
    return object;
  }


  // Fills the object heap with plain objects held by an array in slot;
  // true when the heap filled up. The array lives only in this frame and the
  // slot, so that emptying the slot frees it all at the next collection.
  __attribute__((noinline)) bool fillObjectHeap(int32_t slot) {
    ObjectArray* keeper = keep(slot, newObjectArray(100000));
    for (int32_t count = 0; count < keeper->length(); ++count) {
      Object* filler = newObject<Object>();
      if (filler == nullptr) return count > 0;
      keeper->set(count, filler);
    }
    return false;
  }

  static std::string textOf(String* text) { return asciiOf(text); }
};
