// Typed arrays read through the counting stream readers: the format's own
// byte fixtures, every width and sign edge, the writer's output read back,
// and data that ends early or nests too deep.
#include <gtest/gtest.h>

#include "game/toolkit/TypedArrayFormat.h"
#include "runtime/lang/Arrays.h"
#include "tests/game/toolkit/game_data_fixture.h"
#include "tools/writers/TypedArrayWriter.h"
#include "wince/log.h"

namespace {

using tools::TypedArrayValue;

class TypedArrayTest : public GameDataFixture {
 protected:
  Object* read(const std::vector<uint8_t>& bytes) {
    cGame::setStreamByteCount(0);
    return cGame::readTypedArray(streamOf(bytes));
  }

  // The array back as the writer's value, to compare whole trees.
  static TypedArrayValue valueOf(Object* object) {
    switch (object->getClassId()) {
      case classid::ByteArray: {
        auto* a = static_cast<ByteArray*>(object);
        std::vector<int32_t> v;
        for (int32_t i = 0; i < a->length(); ++i) v.push_back(static_cast<uint8_t>(a->get(i)));
        return TypedArrayValue::ofBytes(v);
      }
      case classid::ShortArray: {
        auto* a = static_cast<ShortArray*>(object);
        std::vector<int32_t> v;
        for (int32_t i = 0; i < a->length(); ++i) v.push_back(a->get(i));
        return TypedArrayValue::ofShorts(v);
      }
      case classid::IntArray: {
        auto* a = static_cast<IntArray*>(object);
        std::vector<int32_t> v;
        for (int32_t i = 0; i < a->length(); ++i) v.push_back(a->get(i));
        return TypedArrayValue::ofInts(v);
      }
      default: {
        auto* a = static_cast<ObjectArray*>(object);
        std::vector<TypedArrayValue> v;
        for (int32_t i = 0; i < a->length(); ++i) v.push_back(valueOf(a->get(i)));
        return TypedArrayValue::ofArrays(v);
      }
    }
  }
  static bool same(const TypedArrayValue& a, const TypedArrayValue& b) {
    if (a.kind != b.kind || a.values != b.values || a.elements.size() != b.elements.size()) return false;
    for (size_t i = 0; i < a.elements.size(); ++i) {
      if (!same(a.elements[i], b.elements[i])) return false;
    }
    return true;
  }
};

TEST_F(TypedArrayTest, FormatFixturesReadAsTheirArrays) {
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    uint16_t classId;
    std::vector<int32_t> values;
  };
  const Case cases[] = {
      {"00 00: empty byte[]", {0x00, 0x00}, classid::ByteArray, {}},
      {"byte[] keeps the low 8 bits", {0x00, 0x02, 0xFF, 0x80}, classid::ByteArray, {-1, -128}},
      {"11 02 FF FF 01 00: short[] {-1, 1}", {0x11, 0x02, 0xFF, 0xFF, 0x01, 0x00}, classid::ShortArray, {-1, 1}},
      {"short[] w=0 sign-extends", {0x01, 0x02, 0xFF, 0x7F}, classid::ShortArray, {-1, 127}},
      {"short[] w=2 is 16 bits", {0x21, 0x01, 0x00, 0x80}, classid::ShortArray, {-32768}},
      {"02 01 FE: int[] {-2}", {0x02, 0x01, 0xFE}, classid::IntArray, {-2}},
      {"int[] w=1 sign-extends", {0x12, 0x02, 0x00, 0x80, 0xFF, 0x7F}, classid::IntArray, {-32768, 32767}},
      {"int[] w=2", {0x22, 0x01, 0x00, 0x00, 0x00, 0x80}, classid::IntArray, {INT32_MIN}},
      {"int[] w=15 is 32 bits", {0xF2, 0x01, 0xFF, 0xFF, 0xFF, 0x7F}, classid::IntArray, {INT32_MAX}},
      {"16-bit count", {0x08, 0x01, 0x00, 0x2A}, classid::ByteArray, {42}},
  };
  for (const Case& c : cases) {
    Object* result = read(c.bytes);
    ASSERT_NE(result, nullptr) << c.what;
    EXPECT_EQ(result->getClassId(), c.classId) << c.what;
    std::vector<int32_t> values;
    visitArrayKind<int>(result, 0, [&](auto* array) {
      if constexpr (std::is_arithmetic_v<typename std::remove_pointer_t<decltype(array)>::ElementType>) {
        for (int32_t i = 0; i < array->length(); ++i) values.push_back(static_cast<int32_t>(array->get(i)));
      }
      return 0;
    });
    EXPECT_EQ(values, c.values) << c.what;
    EXPECT_EQ(cGame::getStreamByteCount(), static_cast<int32_t>(c.bytes.size())) << c.what;
  }
}

TEST_F(TypedArrayTest, NestedArraysKeepTheirOwnHeaders) {
  // 0B: kind 3 with a 16-bit count of 2; an empty byte[] and an int[] {-2}.
  const std::vector<uint8_t> bytes = {0x0B, 0x02, 0x00, 0x00, 0x00, 0x02, 0x01, 0xFE};
  Object* result = read(bytes);
  ASSERT_NE(result, nullptr);
  ASSERT_EQ(result->getClassId(), classid::ObjectArray);
  auto* outer = static_cast<ObjectArray*>(result);
  ASSERT_EQ(outer->length(), 2);
  ASSERT_NE(outer->get(0), nullptr);
  EXPECT_EQ(static_cast<ByteArray*>(outer->get(0))->length(), 0);
  EXPECT_EQ(static_cast<IntArray*>(outer->get(1))->get(0), -2);
  EXPECT_EQ(typedarray::measure(bytes), bytes.size());
  // Kinds 4..7 are arrays of arrays too; the outer width has no effect.
  EXPECT_EQ(read({0xF7, 0x01, 0x00, 0x01, 0x05})->getClassId(), classid::ObjectArray);
}

TEST_F(TypedArrayTest, WriterOutputReadsBackInTheNarrowestWidths) {
  const TypedArrayValue table = TypedArrayValue::ofArrays({
      TypedArrayValue::ofBytes({0, 255, 7}),
      TypedArrayValue::ofShorts({-128, 127}),
      TypedArrayValue::ofShorts({-32768, 65535}),
      TypedArrayValue::ofInts({-128, 127}),
      TypedArrayValue::ofInts({-32768, 32767}),
      TypedArrayValue::ofInts({INT32_MIN, INT32_MAX, 0}),
      TypedArrayValue::ofInts(std::vector<int32_t>(300, 5)),
      TypedArrayValue::ofArrays({TypedArrayValue::ofArrays({}), TypedArrayValue::ofBytes({})}),
  });
  const std::vector<uint8_t> bytes = tools::writeTypedArray(table);
  Object* result = read(bytes);
  ASSERT_NE(result, nullptr);
  TypedArrayValue back = valueOf(result);
  // Shorts stored as 16 bits read back signed.
  back.elements[2].values[1] &= 0xFFFF;
  EXPECT_TRUE(same(back, table));
  EXPECT_EQ(cGame::getStreamByteCount(), static_cast<int32_t>(bytes.size()));
  EXPECT_EQ(bytes[1 + 1 + 3 + 2], 0x01);  // shorts {-128, 127}: header 0x01, one byte each
  EXPECT_THROW(tools::writeTypedArray(TypedArrayValue::ofBytes({256})), std::runtime_error);
  EXPECT_THROW(tools::writeTypedArray(TypedArrayValue::ofBytes(std::vector<int32_t>(65536))), std::runtime_error);
}

TEST_F(TypedArrayTest, DataThatEndsEarlyOrNestsTooDeepReadsAsNull) {
  wince::LogCapture log;
  std::vector<uint8_t> deep;
  for (int i = 0; i <= typedarray::maxDepth + 1; ++i) deep.insert(deep.end(), {0x03, 0x01});
  deep.insert(deep.end(), {0x00, 0x00});
  const std::vector<std::vector<uint8_t>> cases = {
      {},
      {0x00},
      {0x08, 0x01},
      {0x00, 0x03, 1, 2},
      {0x22, 0x01, 0, 0, 0},
      {0x0B, 0xFF, 0xFF},  // 65535 arrays promised, none there
      {0x03, 0x02, 0x00, 0x00},
      deep,
  };
  for (const auto& bytes : cases) {
    EXPECT_EQ(read(bytes), nullptr) << bytes.size();
    EXPECT_FALSE(typedarray::measure(bytes).has_value()) << bytes.size();
  }
}

TEST_F(TypedArrayTest, StreamReadersCountOnlyTheBytesTheyGet) {
  java_io_ByteArrayInputStream* in = streamOf({1, 2, 3});
  cGame::setStreamByteCount(0);
  EXPECT_EQ(cGame::readStreamU16(in), 0x0201);
  ByteArray* into = newByteArray(8);
  EXPECT_EQ(cGame::readStreamFully(in, into, 0, 8), 1);
  EXPECT_EQ(cGame::getStreamByteCount(), 3);
  EXPECT_EQ(cGame::readStreamByte(in), -1);
  EXPECT_EQ(cGame::readStreamFully(in, into, 0, 8), 0);
  EXPECT_EQ(cGame::getStreamByteCount(), 3);
  EXPECT_EQ(cGame::readStreamS32(streamOf({0xFE, 0xFF, 0xFF, 0xFF})), -2);
}

}  // namespace
