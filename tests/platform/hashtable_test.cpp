// Hashtable: rehash growth, bucket and enumeration order, null handling, the
// text form, and a model test against std::unordered_map.
#include <gtest/gtest.h>

#include <random>
#include <unordered_map>
#include <vector>

#include "platform/java_util/java_util_Hashtable.h"
#include "platform/java_util/java_util_Hashtable_HashtableEnumerator.h"
#include "runtime/lang/NumberText.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/platform/vector_fixture.h"
#include "wince/log.h"

namespace {

// A key with the hashCode and equals of an Integer: its value.
class IntegerKey : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::java_lang_Integer;
  void init(int32_t value) { m_value = value; }
  int32_t hashCode() override { return m_value; }
  int32_t equals(Object* other) override {
    return other != nullptr && other->getClassId() == classId && static_cast<IntegerKey*>(other)->m_value == m_value;
  }
  String* toString() override { return intToText(m_value); }
  int32_t m_value;
};

class HashtableTest : public CollectionsFixture {
 protected:
  IntegerKey* key(int32_t value) { return newObject<IntegerKey>(value); }

  // Everything an enumerator hands out, in order.
  std::vector<int32_t> walk(java_util_Hashtable_HashtableEnumerator* enumerator) {
    std::vector<int32_t> values;
    auto* view = static_cast<java_util_Enumeration*>(enumerator->lookupInterface(classid::java_util_Enumeration));
    while (view->hasMoreElements()) values.push_back(static_cast<IntegerKey*>(view->nextElement())->m_value);
    return values;
  }
};

TEST_F(HashtableTest, RehashGrowsTwicePlusOneAtTheLimit) {
  struct Case {
    int32_t initialCapacity;
    int32_t capacity;
    int32_t rehashLimit;
    std::vector<int32_t> capacitiesAfterPuts;  // capacity after put number 1, 2, ...
  };
  const Case cases[] = {
      {0, 1, 0, {3, 3, 7, 7, 7, 15}},
      {11, 11, 8, {11, 11, 11, 11, 11, 11, 11, 11, 23}},
      {1, 1, 0, {3, 3, 7}},
      {4, 4, 3, {4, 4, 4, 9}},
  };
  for (const Case& c : cases) {
    auto* table = keep(0, newObject<java_util_Hashtable>(c.initialCapacity));
    EXPECT_EQ(table->table->length(), c.capacity);
    EXPECT_EQ(table->rehashLimit, c.rehashLimit);
    std::vector<int32_t> capacities;
    for (size_t i = 0; i < c.capacitiesAfterPuts.size(); ++i) {
      table->put(key(static_cast<int32_t>(i)), table);
      capacities.push_back(table->table->length());
    }
    EXPECT_EQ(capacities, c.capacitiesAfterPuts) << "initial capacity " << c.initialCapacity;
    EXPECT_EQ(table->rehashLimit, capacities.back() * 75 / 100);
  }
  auto* table = keep(0, newObject<java_util_Hashtable>());
  for (int32_t i = 0; i < 9; ++i) table->put(key(i), table);
  EXPECT_EQ(table->rehashLimit, 17);
  for (int32_t i = 0; i < 9; ++i) EXPECT_EQ(table->get(key(i)), table) << "every entry moved, key " << i;

  newObject<java_util_Hashtable>(-1);
  EXPECT_EQ(takePending(), classid::java_lang_IllegalArgumentException);
}

TEST_F(HashtableTest, ReplacingAValueNeverRehashes) {
  auto* table = keep(0, newObject<java_util_Hashtable>(4));
  Object* first = keep(1, newObject<Object>());
  Object* second = keep(2, newObject<Object>());
  for (int32_t i = 0; i < 3; ++i) table->put(key(i), first);
  ASSERT_EQ(table->count, table->rehashLimit);
  EXPECT_EQ(table->put(key(1), second), first);
  EXPECT_EQ(table->table->length(), 4);
  EXPECT_EQ(table->get(key(1)), second);
  EXPECT_EQ(table->size(), 3);
}

TEST_F(HashtableTest, BucketsAndEnumerationOrder) {
  auto* table = keep(0, newObject<java_util_Hashtable>());
  Object* value = keep(1, newObject<Object>());
  // 1 and 12 share bucket 1; the newest comes first. -5 has a negative hash:
  // bucket (hash AND 0x7FFFFFFF) mod 11 = 2147483643 mod 11 = 8.
  for (int32_t k : {1, 2, 12, -5}) table->put(key(k), value);
  auto* bucketEight = static_cast<java_util_HashtableEntry*>(table->table->get(8));
  ASSERT_NE(bucketEight, nullptr);
  EXPECT_EQ(static_cast<IntegerKey*>(bucketEight->key)->m_value, -5);
  EXPECT_EQ(walk(table->keys()), (std::vector<int32_t>{-5, 2, 12, 1}));

  auto* enumerator = keep(2, table->keys());
  walk(enumerator);
  EXPECT_EQ(enumerator->nextElement(), nullptr);
  EXPECT_EQ(pendingMessage(), "Hashtable Enumerator");
  EXPECT_EQ(takePending(), classid::java_util_NoSuchElementException);
  EXPECT_FALSE(enumerator->hasMoreElements());
  EXPECT_FALSE(enumerator->hasMoreElements());
  EXPECT_EQ(Object::instanceOf(enumerator, classid::java_util_Enumeration), 1);
}

TEST_F(HashtableTest, NullKeysAndValuesRaiseAndChangeNothing) {
  auto* table = keep(0, newObject<java_util_Hashtable>());
  Object* value = keep(1, newObject<Object>());
  table->put(key(7), value);
  EXPECT_EQ(table->put(key(8), nullptr), nullptr);
  EXPECT_EQ(takePending(), classid::java_lang_NullPointerException);
  EXPECT_EQ(table->put(nullptr, value), nullptr);
  EXPECT_EQ(takePending(), classid::java_lang_NullPointerException);
  EXPECT_FALSE(table->contains(nullptr));
  EXPECT_EQ(takePending(), classid::java_lang_NullPointerException);
  EXPECT_EQ(table->get(nullptr), nullptr);
  EXPECT_EQ(takePending(), classid::java_lang_NullPointerException);
  EXPECT_FALSE(table->containsKey(nullptr));
  EXPECT_EQ(takePending(), classid::java_lang_NullPointerException);
  EXPECT_EQ(table->remove(nullptr), nullptr);
  EXPECT_EQ(takePending(), classid::java_lang_NullPointerException);
  EXPECT_EQ(table->size(), 1);
  EXPECT_EQ(table->get(key(7)), value);
  EXPECT_FALSE(table->containsKey(key(8)));

  EXPECT_EQ(table->get(key(9)), nullptr);
  EXPECT_EQ(table->remove(key(9)), nullptr);
  EXPECT_EQ(table->remove(key(7)), value);
  EXPECT_FALSE(table->containsKey(key(7)));
  EXPECT_TRUE(table->isEmpty());
  EXPECT_EQ(takePending(), -1);
}

TEST_F(HashtableTest, TextForm) {
  auto* table = keep(0, newObject<java_util_Hashtable>());
  EXPECT_EQ(textOf(table->toString()), "{}");
  table->put(key(1), key(10));
  table->put(key(12), key(120));
  table->put(key(2), key(20));
  EXPECT_EQ(textOf(table->toString()), "{2=20, 12=120, 1=10}");
  table->clear();
  EXPECT_EQ(textOf(table->toString()), "{}");
  EXPECT_EQ(table->table->length(), 11) << "clear keeps the capacity";
}

TEST_F(HashtableTest, EntriesSurviveACollection) {
  auto* table = keep(0, newObject<java_util_Hashtable>(2));
  for (int32_t i = 0; i < 50; ++i) table->put(key(i), key(i * 3));
  collect();
  for (int32_t i = 0; i < 50; ++i) {
    auto* found = static_cast<IntegerKey*>(table->get(key(i)));
    ASSERT_NE(found, nullptr) << i;
    EXPECT_EQ(found->m_value, i * 3);
  }
}

// Random operations on a Hashtable and an unordered_map of the same keys; the
// two agree after every step, and an enumeration hands out every key once.
TEST_F(HashtableTest, AgreesWithAStandardMapOverRandomOperations) {
  constexpr int32_t distinctValues = 5;
  std::vector<IntegerKey*> values;
  for (int32_t i = 0; i < distinctValues; ++i) values.push_back(keep(1 + i, key(i)));
  for (uint32_t seed = 1; seed <= 30; ++seed) {
    std::mt19937 random(seed);
    auto pick = [&](int32_t bound) { return static_cast<int32_t>(random() % static_cast<uint32_t>(bound)); };
    auto* table = keep(0, newObject<java_util_Hashtable>(pick(4)));
    std::unordered_map<int32_t, int32_t> model;
    // Keys spread over a few multiples so that chains form.
    auto someKey = [&] { return (pick(40) - 10) * (pick(2) == 0 ? 1 : 23); };
    for (int step = 0; step < 500; ++step) {
      const int32_t k = someKey();
      switch (pick(7)) {
        case 0:
        case 1:
        case 2: {
          const int32_t v = pick(distinctValues);
          Object* previous = table->put(key(k), values[static_cast<size_t>(v)]);
          auto found = model.find(k);
          EXPECT_EQ(previous, found == model.end() ? nullptr : values[static_cast<size_t>(found->second)]);
          model[k] = v;
          break;
        }
        case 3: {
          Object* removed = table->remove(key(k));
          auto found = model.find(k);
          EXPECT_EQ(removed, found == model.end() ? nullptr : values[static_cast<size_t>(found->second)]);
          model.erase(k);
          break;
        }
        case 4: {
          auto found = model.find(k);
          EXPECT_EQ(table->get(key(k)), found == model.end() ? nullptr : values[static_cast<size_t>(found->second)]);
          EXPECT_EQ(table->containsKey(key(k)), found != model.end());
          break;
        }
        case 5: {
          const int32_t v = pick(distinctValues);
          bool expected = false;
          for (const auto& [modelKey, modelValue] : model) expected |= modelValue == v;
          EXPECT_EQ(table->contains(key(v)), expected);
          break;
        }
        case 6:
          if (pick(20) == 0) {
            table->clear();
            model.clear();
          }
          break;
      }
      ASSERT_EQ(takePending(), -1) << "seed " << seed << " step " << step;
      ASSERT_EQ(table->size(), static_cast<int32_t>(model.size())) << "seed " << seed << " step " << step;
      ASSERT_LT(table->count, table->rehashLimit + 1);
    }
    std::vector<int32_t> keys = walk(table->keys());
    std::unordered_map<int32_t, int32_t> seen;
    for (int32_t k : keys) ++seen[k];
    EXPECT_EQ(keys.size(), model.size()) << "seed " << seed;
    for (const auto& [k, v] : model) EXPECT_EQ(seen[k], 1) << "seed " << seed << " key " << k;
    EXPECT_EQ(walk(table->elements()).size(), model.size());
  }
}

}  // namespace

namespace {

class HashtableOutOfMemoryTest : public CollectionsFixture {
 protected:
  HashtableOutOfMemoryTest() : CollectionsFixture(64 * 1024) {}
};

TEST_F(HashtableOutOfMemoryTest, AFailedRehashKeepsTheTable) {
  auto* table = keep(0, newObject<java_util_Hashtable>(4));
  for (int32_t i = 0; i < 3; ++i) table->put(keep(1 + i, newObject<IntegerKey>(i)), table);
  ObjectArray* before = table->table;
  auto* probe = keep(4, newObject<IntegerKey>(7));
  ASSERT_TRUE(fillObjectHeap(5)) << "the heap filled up";

  wince::LogCapture log;
  EXPECT_EQ(table->put(probe, table), nullptr);
  EXPECT_TRUE(log.contains("Hashtable: no room to rehash"));
  EXPECT_EQ(table->table, before);
  EXPECT_EQ(table->size(), 3);
  for (int32_t i = 0; i < 3; ++i) EXPECT_TRUE(table->containsKey(testRoots().kept->get(1 + i))) << i;

  keep<Object>(5, nullptr);
  collect();
  table->put(probe, table);
  EXPECT_EQ(table->size(), 4);
  EXPECT_EQ(table->table->length(), 9);
}

}  // namespace
