// arraycopy: every kind by its element width, overlap within one array both
// ways, and the arguments that copy nothing.
#include <gtest/gtest.h>

#include <vector>

#include "runtime/lang/ArrayCopy.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/String.h"
#include "tests/support/RuntimeFixture.h"
#include "wince/log.h"

namespace {

class ArrayCopyTest : public RuntimeFixture {};

template <class Kind>
Kind* filled(Kind* array) {
  for (int32_t i = 0; i < array->length(); ++i) array->set(i, static_cast<typename Kind::ElementType>(i + 1));
  return array;
}

template <class Kind>
std::vector<typename Kind::ElementType> elementsOf(Kind* array) {
  std::vector<typename Kind::ElementType> values;
  for (int32_t i = 0; i < array->length(); ++i) values.push_back(array->get(i));
  return values;
}

TEST_F(ArrayCopyTest, OverlapWithinOneArrayShiftsBothWays) {
  struct Case {
    int32_t from, to, count;
    std::vector<int32_t> expected;
  };
  const Case cases[] = {
      {0, 1, 3, {1, 1, 2, 3, 5}},  // upwards
      {1, 0, 3, {2, 3, 4, 4, 5}},  // downwards
      {0, 0, 5, {1, 2, 3, 4, 5}},  // onto itself
      {0, 2, 3, {1, 2, 1, 2, 3}},
  };
  for (const Case& c : cases) {
    IntArray* array = filled(newIntArray(5));
    arraycopy(array, c.from, array, c.to, c.count);
    EXPECT_EQ(elementsOf(array), c.expected) << c.from << "->" << c.to;
  }
}

TEST_F(ArrayCopyTest, EveryKindCopiesWholeElements) {
  auto check = [&](auto* source, auto* destination) {
    filled(source);
    arraycopy(source, 1, destination, 2, 3);
    auto values = elementsOf(destination);
    using Element = typename decltype(values)::value_type;
    EXPECT_EQ(values, (decltype(values){Element{}, Element{}, Element(2), Element(3), Element(4), Element{}}))
        << source->getClassId();
  };
  check(newBoolArray(6), newBoolArray(6));
  check(newByteArray(6), newByteArray(6));
  check(newCharArray(6), newCharArray(6));
  check(newShortArray(6), newShortArray(6));
  check(newIntArray(6), newIntArray(6));
  check(newLong64Array(6), newLong64Array(6));
  check(newFloatArray(6), newFloatArray(6));
  check(newDoubleArray(6), newDoubleArray(6));
}

TEST_F(ArrayCopyTest, DoublesAndLongsMoveAllEightBytes) {
  DoubleArray* doubles = newDoubleArray(2);
  doubles->set(0, 1.0000000000000002);
  arraycopy(doubles, 0, doubles, 1, 1);
  EXPECT_EQ(doubles->get(1), 1.0000000000000002);
  Long64Array* longs = newLong64Array(2);
  longs->set(0, INT64_C(0x0123456789ABCDEF));
  arraycopy(longs, 0, longs, 1, 1);
  EXPECT_EQ(longs->get(1), INT64_C(0x0123456789ABCDEF));
}

TEST_F(ArrayCopyTest, ReferencesCopyBetweenObjectArrays) {
  ObjectArray* source = newObjectArray(3);
  ObjectArray* destination = newObjectArray(3);
  String* text = newString("kept");
  source->set(2, text);
  arraycopy(source, 1, destination, 0, 2);
  EXPECT_EQ(destination->get(0), nullptr);
  EXPECT_EQ(destination->get(1), text);
}

TEST_F(ArrayCopyTest, BadArgumentsAreLoggedAndCopyNothing) {
  IntArray* source = filled(newIntArray(4));
  IntArray* destination = newIntArray(4);
  ShortArray* otherKind = newShortArray(8);
  IntArray* negative = newIntArray(-1);
  String* notAnArray = newString("abcd");
  struct Case {
    const char* name;
    Object* source;
    int32_t from;
    Object* destination;
    int32_t to;
    int32_t count;
    const char* message;
  };
  const Case cases[] = {
      {"null source", nullptr, 0, destination, 0, 1, "NullPointer\nstacktrace:\n"},
      {"null destination", source, 0, nullptr, 0, 1, "NullPointer\nstacktrace:\n"},
      {"kinds differ", source, 0, otherKind, 0, 1, "arraycopy: class 9 to class 8"},
      {"not an array", notAnArray, 0, destination, 0, 1, "arraycopy: class 2 to class 9"},
      {"source past its end", source, 2, destination, 0, 3, "nothing copied"},
      {"destination past its end", source, 0, destination, 3, 2, "nothing copied"},
      {"negative source position", source, -1, destination, 0, 2, "nothing copied"},
      {"negative destination position", source, 0, destination, -1, 2, "nothing copied"},
      {"negative count", source, 0, destination, 0, -1, "nothing copied"},
      {"overflowing position", source, INT32_MAX, destination, 0, 2, "nothing copied"},
      {"array of negative length", negative, 0, destination, 0, 1, "nothing copied"},
  };
  for (const Case& c : cases) {
    wince::LogCapture log;
    arraycopy(c.source, c.from, c.destination, c.to, c.count);
    EXPECT_TRUE(log.contains(c.message)) << c.name << ": " << log.text();
    EXPECT_EQ(elementsOf(destination), (std::vector<int32_t>{0, 0, 0, 0})) << c.name;
    EXPECT_EQ(elementsOf(source), (std::vector<int32_t>{1, 2, 3, 4})) << c.name;
  }
  wince::LogCapture quiet;
  arraycopy(nullptr, 0, nullptr, 0, 0);
  EXPECT_EQ(quiet.text(), "") << "a zero-length copy does nothing at all";
}

TEST_F(ArrayCopyTest, WrappersOverSharedStorageOverlapSafely) {
  int16_t pixels[6] = {1, 2, 3, 4, 5, 6};
  ShortArray* whole = wrapShortArray(pixels, 6);
  ShortArray* tail = wrapShortArray(pixels + 1, 5);
  arraycopy(whole, 0, tail, 0, 5);
  EXPECT_EQ(std::vector<int16_t>(pixels, pixels + 6), (std::vector<int16_t>{1, 1, 2, 3, 4, 5}));
}

}  // namespace
