// The nine array kinds: storage in the native pool owned by the array,
// checked element access, multi-dimensional creation and the wrappers.
#include <gtest/gtest.h>

#include <string>

#include "runtime/lang/Arrays.h"
#include "runtime/lang/MultiArray.h"
#include "runtime/lang/String.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/support/RuntimeFixture.h"
#include "wince/log.h"

namespace {

using ArrayKindsTest = RuntimeFixture;

// Every kind, made through its factory, with its class id and element size.
struct KindRow {
  const char* name;
  Array* (*make)(int32_t);
  uint16_t classId;
  int32_t elementSize;
};

const KindRow kindRows[] = {
    {"ObjectArray", [](int32_t n) -> Array* { return newObjectArray(n); }, classid::ObjectArray, sizeof(Object*)},
    {"BoolArray", [](int32_t n) -> Array* { return newBoolArray(n); }, classid::BoolArray, 1},
    {"ByteArray", [](int32_t n) -> Array* { return newByteArray(n); }, classid::ByteArray, 1},
    {"CharArray", [](int32_t n) -> Array* { return newCharArray(n); }, classid::CharArray, 2},
    {"ShortArray", [](int32_t n) -> Array* { return newShortArray(n); }, classid::ShortArray, 2},
    {"IntArray", [](int32_t n) -> Array* { return newIntArray(n); }, classid::IntArray, 4},
    {"Long64Array", [](int32_t n) -> Array* { return newLong64Array(n); }, classid::Long64Array, 8},
    {"FloatArray", [](int32_t n) -> Array* { return newFloatArray(n); }, classid::FloatArray, 4},
    {"DoubleArray", [](int32_t n) -> Array* { return newDoubleArray(n); }, classid::DoubleArray, 8},
};

TEST_F(ArrayKindsTest, EveryKindOwnsZeroFilledStorageOfLengthTimesElementSize) {
  for (const KindRow& row : kindRows) {
    Array* array = row.make(7);
    ASSERT_NE(array, nullptr) << row.name;
    EXPECT_EQ(array->getClassId(), row.classId) << row.name;
    EXPECT_EQ(Array::from(array), array) << row.name;
    EXPECT_EQ(array->elementSize(), row.elementSize) << row.name;
    EXPECT_EQ(array->length(), 7) << row.name;
    std::byte* storage = array->storageBytes();
    ASSERT_TRUE(pools().m_nativePool.contains(storage)) << row.name;
    EXPECT_GE(pools().m_nativePool.payloadSize(storage), uint32_t(7 * row.elementSize)) << row.name;
    void** owner = pools().m_nativePool.owner(storage);
    ASSERT_NE(owner, nullptr) << row.name;
    EXPECT_EQ(*owner, storage) << row.name << ": the owner is the array's own storage field";
    for (int32_t i = 0; i < 7 * row.elementSize; ++i) EXPECT_EQ(storage[i], std::byte{0}) << row.name << " byte " << i;
  }
}

TEST_F(ArrayKindsTest, EmptyAndNegativeLengthsHaveNoStorage) {
  for (const KindRow& row : kindRows) {
    Array* empty = row.make(0);
    EXPECT_EQ(empty->length(), 0) << row.name;
    EXPECT_EQ(empty->storageBytes(), nullptr) << row.name;
    wince::LogCapture log;
    Array* negative = row.make(-1);
    EXPECT_EQ(negative->length(), -1) << row.name;
    EXPECT_EQ(negative->storageBytes(), nullptr) << row.name;
    EXPECT_TRUE(log.contains("length of array should be >= 0\nstacktrace:\n")) << row.name;
  }
}

TEST_F(ArrayKindsTest, AccessWithoutStorageIsANullPointerNotACrash) {
  IntArray* negative = newIntArray(-1);
  ByteArray* empty = newByteArray(0);
  wince::LogCapture log;
  EXPECT_EQ(negative->get(0), 0);
  negative->set(3, 9);
  EXPECT_EQ(empty->get(0), 0);
  EXPECT_TRUE(log.contains("NullPointer\nstacktrace:\n"));
  EXPECT_EQ(takePending(), nothingPending) << "runtime checks only log";
}

TEST_F(ArrayKindsTest, IndicesOutsideTheArrayTouchNothing) {
  IntArray* array = newIntArray(3);
  ShortArray* guard = newShortArray(4);
  for (int32_t i = 0; i < 3; ++i) array->set(i, 10 + i);
  wince::LogCapture log;
  for (int32_t index : {-1, 3, 4, INT32_MIN, INT32_MAX}) {
    EXPECT_EQ(array->get(index), 0) << index;
    EXPECT_EQ(takePending(), nothingPending) << index;
    array->set(index, 99);
    EXPECT_EQ(takePending(), nothingPending) << index;
  }
  EXPECT_TRUE(log.contains("array index 3\narray index OOB\nstacktrace:\n"));
  for (int32_t i = 0; i < 3; ++i) EXPECT_EQ(array->get(i), 10 + i);
  for (int32_t i = 0; i < 4; ++i) EXPECT_EQ(guard->get(i), 0);
}

TEST_F(ArrayKindsTest, ElementsKeepTheirTypesValues) {
  Long64Array* longs = newLong64Array(2);
  longs->set(1, INT64_MIN);
  EXPECT_EQ(longs->get(1), INT64_MIN);
  DoubleArray* doubles = newDoubleArray(1);
  doubles->set(0, -0.125);
  EXPECT_EQ(doubles->get(0), -0.125);
  ByteArray* bytes = newByteArray(1);
  bytes->set(0, -128);
  EXPECT_EQ(bytes->get(0), -128);
  CharArray* characters = newCharArray(1);
  characters->set(0, 0xFFFF);
  EXPECT_EQ(characters->get(0), 0xFFFF);
}

TEST_F(ArrayKindsTest, CharArrayTextStopsAtTheFirstZero) {
  CharArray* characters = newCharArray(5);
  const char16_t text[] = u"ab\0cd";
  for (int32_t i = 0; i < 5; ++i) characters->set(i, text[i]);
  String* upToZero = characters->toString();
  ASSERT_EQ(upToZero->length(), 2);
  EXPECT_EQ(upToZero->charAt(1), u'b');
  characters->set(2, u'-');
  EXPECT_EQ(characters->toString()->length(), 5);
  EXPECT_EQ(newCharArray(0)->toString()->length(), 0);
}

TEST_F(ArrayKindsTest, OtherObjectsAreNoArrays) {
  EXPECT_EQ(Array::from(nullptr), nullptr);
  EXPECT_EQ(Array::from(newString("text")), nullptr);
  EXPECT_EQ(Array::from(newObject<Object>()), nullptr);
}

TEST_F(ArrayKindsTest, TwoDimensionalIntArrayHasDistinctRowsOfZeroes) {
  const int32_t lengths[] = {3, 4};
  ObjectArray* rows = newMultiArray("[[I", lengths, 2);
  ASSERT_NE(rows, nullptr);
  EXPECT_EQ(rows->length(), 3);
  for (int32_t i = 0; i < 3; ++i) {
    Object* row = rows->get(i);
    ASSERT_NE(row, nullptr);
    ASSERT_EQ(row->getClassId(), classid::IntArray);
    auto* ints = static_cast<IntArray*>(row);
    EXPECT_EQ(ints->length(), 4);
    for (int32_t j = 0; j < 4; ++j) EXPECT_EQ(ints->get(j), 0);
    for (int32_t j = 0; j < i; ++j) EXPECT_NE(rows->get(j), row);
  }
}

TEST_F(ArrayKindsTest, MultiDimensionalLeavesFollowTheDescriptor) {
  struct Case {
    const char* descriptor;
    int32_t dimensions;
    uint16_t leafClass;
    int depth;  // levels of ObjectArray above the leaves
  };
  const Case cases[] = {
      {"[[B", 2, classid::ByteArray, 1},    {"[[C", 2, classid::CharArray, 1},
      {"[[D", 2, classid::DoubleArray, 1},  {"[[F", 2, classid::FloatArray, 1},
      {"[[J", 2, classid::Long64Array, 1},  {"[[S", 2, classid::ShortArray, 1},
      {"[[Z", 2, classid::BoolArray, 1},    {"[[Ljava/lang/String;", 2, classid::ObjectArray, 1},
      {"[[[I", 3, classid::IntArray, 2},    {"[[[I", 2, classid::ObjectArray, 1},
  };
  const int32_t lengths[] = {2, 2, 2};
  for (const Case& c : cases) {
    ObjectArray* outer = newMultiArray(c.descriptor, lengths, c.dimensions);
    ASSERT_NE(outer, nullptr) << c.descriptor;
    Object* level = outer;
    for (int i = 0; i < c.depth; ++i) {
      ASSERT_EQ(level->getClassId(), classid::ObjectArray) << c.descriptor;
      level = static_cast<ObjectArray*>(level)->get(1);
      ASSERT_NE(level, nullptr) << c.descriptor;
    }
    EXPECT_EQ(level->getClassId(), c.leafClass) << c.descriptor << " " << c.dimensions;
    if (c.leafClass == classid::ObjectArray) {
      EXPECT_EQ(static_cast<ObjectArray*>(level)->get(0), nullptr);
    }
  }
}

TEST_F(ArrayKindsTest, MultiDimensionalEdgeCases) {
  const int32_t zeroRows[] = {0, 5};
  EXPECT_EQ(newMultiArray("[[I", zeroRows, 2)->length(), 0);
  const int32_t oneDimension[] = {4};
  ObjectArray* flat = newMultiArray("[[I", oneDimension, 1);
  ASSERT_EQ(flat->length(), 4);
  EXPECT_EQ(flat->get(0), nullptr);
  wince::LogCapture log;
  EXPECT_EQ(newMultiArray("[[I", oneDimension, 0), nullptr);
  EXPECT_EQ(newMultiArray(nullptr, oneDimension, 1), nullptr);
  const int32_t lengths[] = {2, 2};
  // A descriptor shorter than its dimensions is read no further than its end.
  ObjectArray* shortDescriptor = newMultiArray("[", lengths, 2);
  ASSERT_NE(shortDescriptor, nullptr);
  EXPECT_EQ(shortDescriptor->get(0)->getClassId(), classid::ObjectArray);
}

TEST_F(ArrayKindsTest, WrappersUseForeignStorageAndLeaveItAlone) {
  int16_t pixels[6] = {1, 2, 3, 4, 5, 6};
  int8_t bytes[3] = {7, 8, 9};
  ShortArray* screen = wrapShortArray(pixels, 6);
  ByteArray* raw = wrapByteArray(bytes, 3);
  EXPECT_EQ(screen->getClassId(), classid::ShortArray);
  EXPECT_EQ(screen->elementSize(), 2);
  EXPECT_EQ(raw->elementSize(), 1);
  EXPECT_EQ(screen->get(5), 6);
  screen->set(0, -1);
  EXPECT_EQ(pixels[0], -1);
  screen->finalize();
  raw->finalize();
  EXPECT_EQ(screen->m_elements, nullptr);
  EXPECT_EQ(bytes[2], 9);
  EXPECT_EQ(wrapShortArray(nullptr, 5)->length(), 0);
}

__attribute__((noinline)) void makeUnreachableArrays() {
  for (const KindRow& row : kindRows) row.make(50);
}

TEST_F(ArrayKindsTest, FinalisersGiveEveryKindsStorageBack) {
  const uint32_t usedBefore = pools().m_nativePool.m_heapUsed;
  makeUnreachableArrays();
  EXPECT_GT(pools().m_nativePool.m_heapUsed, usedBefore);
  collect();
  EXPECT_EQ(pools().m_nativePool.m_heapUsed, usedBefore);
}

}  // namespace
