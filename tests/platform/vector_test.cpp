// Vector and Stack: growth, the range checks, and a model test against
// std::vector over seeded random operation sequences.
#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <vector>

#include "platform/java_util/java_util_Stack.h"
#include "platform/java_util/java_util_Vector.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/platform/vector_fixture.h"
#include "tests/runtime/thread_test_support.h"
#include "wince/log.h"

namespace {

class VectorTest : public CollectionsFixture {};

TEST_F(VectorTest, GrowthFollowsTheIncrement) {
  struct Case {
    int32_t initialCapacity;
    int32_t increment;
    std::vector<int32_t> capacities;  // after each of the first additions that grow
  };
  const Case cases[] = {
      {0, 0, {1, 2, 4, 8, 16}},
      {10, 0, {20, 40, 80}},
      {3, 2, {5, 7, 9}},
      {2, -4, {4, 8}},
  };
  for (const Case& c : cases) {
    auto* vector = keep(0, newObject<java_util_Vector>(c.initialCapacity, c.increment));
    std::vector<int32_t> seen;
    int32_t capacity = vector->capacity();
    ASSERT_EQ(capacity, c.initialCapacity);
    while (seen.size() < c.capacities.size()) {
      vector->addElement(vector);
      if (vector->capacity() != capacity) seen.push_back(capacity = vector->capacity());
    }
    EXPECT_EQ(seen, c.capacities) << "initial " << c.initialCapacity << " increment " << c.increment;
  }
}

TEST_F(VectorTest, NegativeCapacityRaisesAndMakesNoArray) {
  auto* vector = newObject<java_util_Vector>(-1, 0);
  EXPECT_EQ(pendingMessage(), "Illegal capacity");
  EXPECT_EQ(takePending(), classid::java_lang_IllegalArgumentException);
  EXPECT_EQ(vector->elementData, nullptr);
}

TEST_F(VectorTest, RangeChecksRaiseAndChangeNothing) {
  auto* vector = keep(0, newObject<java_util_Vector>());
  Object* a = keep(1, newObject<Object>());
  Object* b = keep(2, newObject<Object>());
  vector->addElement(a);
  vector->addElement(b);
  auto* shortArray = keep(3, newObjectArray(1));
  struct Case {
    const char* name;
    void (*operation)(java_util_Vector*, ObjectArray*);
    int32_t exceptionClass;
  };
  const Case cases[] = {
      {"elementAt(size)", [](java_util_Vector* v, ObjectArray*) { v->elementAt(2); },
       classid::java_lang_ArrayIndexOutOfBoundsException},
      {"elementAt(-1)", [](java_util_Vector* v, ObjectArray*) { v->elementAt(-1); },
       classid::java_lang_ArrayIndexOutOfBoundsException},
      {"setElementAt(2)", [](java_util_Vector* v, ObjectArray*) { v->setElementAt(v, 2); },
       classid::java_lang_ArrayIndexOutOfBoundsException},
      {"removeElementAt(-1)", [](java_util_Vector* v, ObjectArray*) { v->removeElementAt(-1); },
       classid::java_lang_ArrayIndexOutOfBoundsException},
      {"insertElementAt(3)", [](java_util_Vector* v, ObjectArray*) { v->insertElementAt(v, 3); },
       classid::java_lang_ArrayIndexOutOfBoundsException},
      {"insertElementAt(-1)", [](java_util_Vector* v, ObjectArray*) { v->insertElementAt(v, -1); },
       classid::java_lang_ArrayIndexOutOfBoundsException},
      {"lastIndexOf(x, size)", [](java_util_Vector* v, ObjectArray*) { v->lastIndexOf(v, 2); },
       classid::java_lang_IndexOutOfBoundsException},
      {"indexOf(x, -1)", [](java_util_Vector* v, ObjectArray*) { v->indexOf(v, -1); },
       classid::java_lang_ArrayIndexOutOfBoundsException},
      {"setSize(-1)", [](java_util_Vector* v, ObjectArray*) { v->setSize(-1); },
       classid::java_lang_ArrayIndexOutOfBoundsException},
      {"copyInto(short array)", [](java_util_Vector* v, ObjectArray* s) { v->copyInto(s); },
       classid::java_lang_ArrayIndexOutOfBoundsException},
      {"copyInto(null)", [](java_util_Vector* v, ObjectArray*) { v->copyInto(nullptr); },
       classid::java_lang_NullPointerException},
  };
  for (const Case& c : cases) {
    c.operation(vector, shortArray);
    EXPECT_EQ(takePending(), c.exceptionClass) << c.name;
    ASSERT_EQ(vector->size(), 2) << c.name;
    EXPECT_EQ(vector->elementAt(0), a) << c.name;
    EXPECT_EQ(vector->elementAt(1), b) << c.name;
    EXPECT_EQ(shortArray->get(0), nullptr) << c.name;
  }
  vector->lastIndexOf(a, 7);
  EXPECT_EQ(pendingMessage(), "7") << "the message is the index";
  takePending();
  vector->elementAt(5);
  EXPECT_EQ(pendingMessage(), "Array index out of range: 5");
  takePending();
}

TEST_F(VectorTest, EdgesOfTheOperations) {
  auto* vector = keep(0, newObject<java_util_Vector>(4, 0));
  EXPECT_EQ(vector->firstElement(), nullptr);
  EXPECT_EQ(vector->lastElement(), nullptr);
  EXPECT_EQ(vector->lastIndexOf(nullptr), -1);
  EXPECT_EQ(vector->lastIndexOf(vector, -1), -1);
  EXPECT_EQ(takePending(), -1);

  Object* a = keep(1, newObject<Object>());
  vector->addElement(a);
  vector->insertElementAt(vector, 1);
  EXPECT_EQ(vector->elementAt(1), vector) << "inserting at size() appends";
  // Spare slots beyond the count hold null but are never matched.
  EXPECT_EQ(vector->indexOf(nullptr), -1);
  vector->setSize(5);
  EXPECT_EQ(vector->capacity(), 8);
  EXPECT_EQ(vector->indexOf(nullptr), 2);
  EXPECT_EQ(vector->lastIndexOf(nullptr), 4);
  EXPECT_EQ(vector->indexOf(a, 5), -1);
  vector->setSize(1);
  EXPECT_EQ(vector->elementData->get(1), nullptr) << "dropped slots are cleared";
  vector->setSize(3);
  EXPECT_EQ(vector->elementAt(1), nullptr);

  vector->removeAllElements();
  EXPECT_EQ(vector->size(), 0);
  EXPECT_EQ(vector->capacity(), 8) << "the array keeps its length";
  vector->trimToSize();
  EXPECT_EQ(vector->capacity(), 0);
  vector->ensureCapacity(3);
  EXPECT_EQ(vector->capacity(), 3);

  auto* target = keep(2, newObjectArray(3));
  vector->addElement(a);
  vector->copyInto(target);
  EXPECT_EQ(target->get(0), a);
  EXPECT_EQ(takePending(), -1);
}

TEST_F(VectorTest, EqualsOfTheArgumentMatches) {
  auto* vector = keep(0, newObject<java_util_Vector>());
  vector->addElement(keep(1, newString("one")));
  vector->addElement(keep(2, newString("two")));
  vector->addElement(keep(3, newString("one")));
  String* probe = keep(4, newString("one"));
  EXPECT_EQ(vector->indexOf(probe), 0);
  EXPECT_EQ(vector->indexOf(probe, 1), 2);
  EXPECT_EQ(vector->lastIndexOf(probe), 2);
  EXPECT_TRUE(vector->contains(probe));
  EXPECT_TRUE(vector->removeElement(probe));
  EXPECT_EQ(textOf(static_cast<String*>(vector->firstElement())), "two");
  EXPECT_FALSE(vector->removeElement(keep(5, newString("three"))));

  auto* copy = keep(6, newObject<java_util_Vector>(vector));
  ASSERT_EQ(copy->size(), 2);
  EXPECT_EQ(copy->capacity(), 2);
  EXPECT_EQ(copy->elementAt(1), vector->elementAt(1));
}

TEST_F(VectorTest, StackOperations) {
  auto* stack = keep(0, newObject<java_util_Stack>());
  EXPECT_TRUE(stack->empty());
  EXPECT_EQ(stack->capacity(), 10);
  EXPECT_EQ(stack->pop(), nullptr);
  EXPECT_EQ(takePending(), classid::java_util_EmptyStackException);
  EXPECT_EQ(stack->peek(), nullptr);
  EXPECT_EQ(takePending(), classid::java_util_EmptyStackException);

  Object* bottom = keep(1, newObject<Object>());
  Object* top = keep(2, newObject<Object>());
  EXPECT_EQ(stack->push(bottom), bottom);
  stack->push(top);
  EXPECT_EQ(stack->search(top), 1);
  EXPECT_EQ(stack->search(bottom), 2);
  EXPECT_EQ(stack->search(stack), -1);
  EXPECT_EQ(stack->peek(), top);
  EXPECT_EQ(stack->pop(), top);
  EXPECT_EQ(stack->pop(), bottom);
  EXPECT_TRUE(stack->empty());
  EXPECT_EQ(takePending(), -1);
}

// Random operations on a Vector and a std::vector of the same objects; the
// two must agree after every step. Elements are Strings so that equals
// matches distinct objects of the same text.
TEST_F(VectorTest, AgreesWithAStandardVectorOverRandomOperations) {
  constexpr int32_t distinctTexts = 6;
  std::vector<String*> texts;
  for (int32_t i = 0; i < distinctTexts; ++i) texts.push_back(keep(1 + i, newString(std::to_string(i).c_str())));
  auto textIndex = [&](Object* object) {
    for (int32_t i = 0; i < distinctTexts; ++i)
      if (texts[static_cast<size_t>(i)]->equals(object)) return i;
    return -1;  // null
  };
  for (uint32_t seed = 1; seed <= 40; ++seed) {
    std::mt19937 random(seed);
    auto* vector = keep(0, newObject<java_util_Vector>(static_cast<int32_t>(random() % 3), static_cast<int32_t>(random() % 3)));
    std::vector<int32_t> model;  // text index, -1 for null
    auto pick = [&](int32_t bound) { return static_cast<int32_t>(random() % static_cast<uint32_t>(bound)); };
    auto someValue = [&] { return pick(distinctTexts + 1) - 1; };
    auto objectOf = [&](int32_t value) -> Object* { return value < 0 ? nullptr : texts[static_cast<size_t>(value)]; };
    auto modelIndexOf = [&](int32_t value, int32_t from) {
      for (int32_t i = from; i < static_cast<int32_t>(model.size()); ++i)
        if (model[static_cast<size_t>(i)] == value) return i;
      return -1;
    };
    for (int step = 0; step < 400; ++step) {
      const auto size = static_cast<int32_t>(model.size());
      switch (pick(9)) {
        case 0:
        case 1: {
          const int32_t value = someValue();
          vector->addElement(objectOf(value));
          model.push_back(value);
          break;
        }
        case 2: {
          const int32_t value = someValue(), at = pick(size + 1);
          vector->insertElementAt(objectOf(value), at);
          model.insert(model.begin() + at, value);
          break;
        }
        case 3:
          if (size > 0) {
            const int32_t at = pick(size);
            vector->removeElementAt(at);
            model.erase(model.begin() + at);
          }
          break;
        case 4: {
          const int32_t value = someValue();
          const int32_t at = modelIndexOf(value, 0);
          EXPECT_EQ(vector->removeElement(objectOf(value)), at >= 0);
          if (at >= 0) model.erase(model.begin() + at);
          break;
        }
        case 5: {
          const int32_t value = someValue(), from = pick(size + 2);
          EXPECT_EQ(vector->indexOf(objectOf(value), from), modelIndexOf(value, from));
          break;
        }
        case 6:
          if (size > 0) {
            const int32_t value = someValue(), at = pick(size);
            vector->setElementAt(objectOf(value), at);
            model[static_cast<size_t>(at)] = value;
          }
          break;
        case 7: {
          const int32_t newSize = pick(size + 4);
          vector->setSize(newSize);
          model.resize(static_cast<size_t>(newSize), -1);
          break;
        }
        case 8:
          if (pick(10) == 0) {
            vector->removeAllElements();
            model.clear();
          } else if (pick(4) == 0) {
            vector->trimToSize();
          }
          break;
      }
      ASSERT_EQ(takePending(), -1) << "seed " << seed << " step " << step;
      ASSERT_EQ(vector->size(), static_cast<int32_t>(model.size())) << "seed " << seed << " step " << step;
      ASSERT_GE(vector->capacity(), vector->size());
    }
    for (int32_t i = 0; i < vector->size(); ++i) {
      ASSERT_EQ(textIndex(vector->elementAt(i)), model[static_cast<size_t>(i)]) << "seed " << seed << " at " << i;
    }
    for (int32_t i = vector->size(); i < vector->capacity(); ++i) {
      ASSERT_EQ(vector->elementData->get(i), nullptr) << "spare slots hold null";
    }
  }
}

TEST_F(VectorTest, TwoThreadsAddingLoseNoElement) {
  constexpr int addsPerThread = 20000;
  auto* vector = keep(0, newObject<java_util_Vector>(1, 0));
  Object* first = keep(1, newObject<Object>());
  Object* second = keep(2, newObject<Object>());
  std::atomic<int> ready{0};
  auto adder = [&](Object* mark) {
    ++ready;
    while (ready.load() < 2) {
    }
    for (int i = 0; i < addsPerThread; ++i) vector->addElement(mark);
  };
  auto runFirst = [&] { adder(first); };
  auto runSecond = [&] { adder(second); };
  java_lang_Thread* firstThread = threadtest::startThread(runFirst);
  java_lang_Thread* secondThread = threadtest::startThread(runSecond);
  threadtest::expectEnds(firstThread);
  threadtest::expectEnds(secondThread);
  ASSERT_EQ(vector->size(), 2 * addsPerThread);
  int firsts = 0;
  for (int32_t i = 0; i < vector->size(); ++i) firsts += vector->elementAt(i) == first ? 1 : 0;
  EXPECT_EQ(firsts, addsPerThread);
}

}  // namespace

namespace {

class VectorOutOfMemoryTest : public CollectionsFixture {
 protected:
  VectorOutOfMemoryTest() : CollectionsFixture(64 * 1024) {}
};

TEST_F(VectorOutOfMemoryTest, AFailedGrowthKeepsTheOldArray) {
  auto* vector = keep(0, newObject<java_util_Vector>(2, 0));
  Object* first = keep(1, newObject<Object>());
  vector->addElement(first);
  vector->addElement(vector);
  ObjectArray* before = vector->elementData;
  ASSERT_TRUE(fillObjectHeap(2)) << "the heap filled up";

  wince::LogCapture log;
  vector->addElement(first);
  vector->insertElementAt(first, 0);
  vector->setSize(5);
  EXPECT_TRUE(log.contains("Vector: no room for"));
  EXPECT_EQ(vector->elementData, before);
  ASSERT_EQ(vector->size(), 2);
  EXPECT_EQ(vector->elementAt(0), first);
  EXPECT_EQ(vector->elementAt(1), vector);

  keep<Object>(2, nullptr);
  collect();
  vector->addElement(first);
  EXPECT_EQ(vector->size(), 3) << "with room again it grows";
  EXPECT_EQ(vector->capacity(), 4);
}

}  // namespace
