// DataInputStream's typed reads and readUTF, and DataOutputStream's writes
// read back, over byte-array streams.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "runtime/io/java_io_ByteArrayInputStream.h"
#include "runtime/io/java_io_ByteArrayOutputStream.h"
#include "runtime/io/java_io_DataInputStream.h"
#include "runtime/io/java_io_DataOutputStream.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/runtime/stream_test_support.h"
#include "tests/support/RuntimeFixture.h"

namespace {

using namespace streamtest;

class TypedReadsTest : public RuntimeFixture {
 protected:
  java_io_DataInputStream* over(const std::vector<uint8_t>& bytes) {
    return newObject<java_io_DataInputStream>(newObject<java_io_ByteArrayInputStream>(byteArrayOf(bytes)));
  }
};

TEST_F(TypedReadsTest, IntegersAreBigEndianAndSignedAsNamed) {
  struct Case {
    std::vector<uint8_t> bytes;
    int64_t (*read)(java_io_DataInputStream*);
    int64_t expected;
  };
  const Case cases[] = {
      {{0xFF, 0xFF, 0xFF, 0xFE}, [](java_io_DataInputStream* s) -> int64_t { return s->readInt(); }, -2},
      {{0x12, 0x34, 0x56, 0x78}, [](java_io_DataInputStream* s) -> int64_t { return s->readInt(); }, 0x12345678},
      {{0x80, 0x00}, [](java_io_DataInputStream* s) -> int64_t { return s->readShort(); }, -32768},
      {{0x80, 0x00}, [](java_io_DataInputStream* s) -> int64_t { return s->readUnsignedShort(); }, 32768},
      {{0x80, 0x00}, [](java_io_DataInputStream* s) -> int64_t { return s->readChar(); }, 0x8000},
      {{0x80}, [](java_io_DataInputStream* s) -> int64_t { return s->readByte(); }, -128},
      {{0x80}, [](java_io_DataInputStream* s) -> int64_t { return s->readUnsignedByte(); }, 128},
      {{0x02}, [](java_io_DataInputStream* s) -> int64_t { return s->readBoolean(); }, 1},
      {{0x00}, [](java_io_DataInputStream* s) -> int64_t { return s->readBoolean(); }, 0},
      {{0xFF, 0xFF, 0xFF, 0xFF, 0x80, 0, 0, 0}, [](java_io_DataInputStream* s) -> int64_t { return s->readLong(); },
       -0x80000000LL},
      {{0x00, 0x00, 0x00, 0x01, 0xFF, 0xFF, 0xFF, 0xFF}, [](java_io_DataInputStream* s) -> int64_t { return s->readLong(); },
       0x1FFFFFFFFLL},
  };
  for (const Case& c : cases) {
    java_io_DataInputStream* stream = over(c.bytes);
    EXPECT_EQ(c.read(stream), c.expected);
    EXPECT_EQ(takePending(), nothingPending);
    EXPECT_EQ(stream->available(), 0);
  }
}

TEST_F(TypedReadsTest, ShortDataRaisesEOFException) {
  java_io_DataInputStream* stream = over({1, 2, 3});
  EXPECT_EQ(stream->readInt(), 0);
  EXPECT_EQ(takePending(), classid::java_io_EOFException);
  EXPECT_EQ(over({})->readBoolean(), 0);
  EXPECT_EQ(takePending(), classid::java_io_EOFException);
  EXPECT_EQ(over({1})->readShort(), 0);
  EXPECT_EQ(takePending(), classid::java_io_EOFException);
  EXPECT_EQ(over({0, 0, 0, 1, 2})->readLong(), 0);
  EXPECT_EQ(takePending(), classid::java_io_EOFException);
}

TEST_F(TypedReadsTest, ReadUtfTable) {
  struct Case {
    std::vector<uint8_t> bytes;
    std::u16string text;  // when the bytes are well formed
    int32_t exception;
  };
  const Case cases[] = {
      {{0, 3, 0x41, 0xC3, 0xA9}, u"A\u00E9", nothingPending},
      {{0, 0}, u"", nothingPending},
      {{0, 3, 0xE2, 0x82, 0xAC}, u"\u20AC", nothingPending},
      {{0, 2, 0xC0, 0x80}, std::u16string(1, u'\0'), nothingPending},
      {{0, 1, 0x00}, std::u16string(1, u'\0'), nothingPending},
      {{0, 1, 0x80}, u"", classid::java_io_UTFDataFormatException},
      {{0, 2, 0xC3, 0x41}, u"", classid::java_io_UTFDataFormatException},
      {{0, 1, 0xC3}, u"", classid::java_io_UTFDataFormatException},
      {{0, 2, 0xE2, 0x82}, u"", classid::java_io_UTFDataFormatException},
      {{0, 1, 0xF0}, u"", classid::java_io_UTFDataFormatException},
      {{0, 4, 'a', 'b'}, u"", classid::java_io_EOFException},
      {{0}, u"", classid::java_io_EOFException},
  };
  for (const Case& c : cases) {
    String* text = over(c.bytes)->readUTF();
    EXPECT_EQ(takePending(), c.exception) << c.bytes.size();
    if (c.exception == nothingPending) {
      ASSERT_NE(text, nullptr);
      EXPECT_EQ(textOf(text), c.text);
    } else {
      EXPECT_EQ(text, nullptr);
    }
  }
}

TEST_F(TypedReadsTest, ReadUtfConsumesExactlyItsBytes) {
  java_io_DataInputStream* stream = over({0, 0, 0, 1, 'z', 7});
  EXPECT_EQ(textOf(stream->readUTF()), u"");
  EXPECT_EQ(textOf(stream->readUTF()), u"z");
  EXPECT_EQ(stream->read(), 7);
}

TEST_F(TypedReadsTest, ReadFullyAndSkipBytes) {
  java_io_DataInputStream* stream = over({1, 2, 3, 4, 5});
  ByteArray* into = newByteArray(4);
  stream->readFully(into, 1, 3);
  EXPECT_EQ(takePending(), nothingPending);
  EXPECT_EQ(bytesOf(into), (std::vector<uint8_t>{0, 1, 2, 3}));
  EXPECT_EQ(stream->skipBytes(10), 2);
  stream->readFully(into);
  EXPECT_EQ(takePending(), classid::java_io_EOFException);
  // A range outside the array touches nothing.
  over({9})->readFully(into, 3, 2);
  EXPECT_EQ(takePending(), classid::java_lang_IndexOutOfBoundsException);
}

TEST_F(TypedReadsTest, WritesReadBack) {
  auto* bytes = newObject<java_io_ByteArrayOutputStream>();
  auto* out = newObject<java_io_DataOutputStream>(bytes);
  out->writeInt(-2);
  out->writeShort(0x1234);
  out->writeLong(0x0102030405060708LL);
  out->writeBoolean(5);
  out->writeUTF(newObject<String>(u"A\u00E9\u20AC"));
  const char16_t withNul[] = {u'x', 0, u'y'};
  out->writeUTF(newObject<String>(withNul, 0, 3));
  out->writeChars(newObject<String>(u"Q"));
  EXPECT_EQ(bytesOf(bytes->toByteArray(), 4), (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFE}));

  java_io_DataInputStream* in = over(bytesOf(bytes->toByteArray()));
  EXPECT_EQ(in->readInt(), -2);
  EXPECT_EQ(in->readShort(), 0x1234);
  EXPECT_EQ(in->readLong(), 0x0102030405060708LL);
  EXPECT_EQ(in->readBoolean(), 1);
  EXPECT_EQ(textOf(in->readUTF()), u"A\u00E9\u20AC");
  EXPECT_EQ(textOf(in->readUTF()), std::u16string(withNul, 3));
  EXPECT_EQ(in->readChar(), u'Q');
  EXPECT_EQ(in->available(), 0);
  EXPECT_EQ(takePending(), nothingPending);
}

}  // namespace
