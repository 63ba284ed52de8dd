// The byte-array streams: end of data, available, skip, mark and reset,
// growth, range checks; and the console streams that swallow everything.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "runtime/io/java_io_ByteArrayInputStream.h"
#include "runtime/io/java_io_ByteArrayOutputStream.h"
#include "runtime/io/java_io_ConsoleOutputStream.h"
#include "runtime/io/java_io_PrintStream.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/runtime/stream_test_support.h"
#include "tests/support/RuntimeFixture.h"
#include "wince/log.h"

namespace {

using namespace streamtest;

class ByteArrayStreamTest : public RuntimeFixture {};

TEST_F(ByteArrayStreamTest, ReadsToTheEndThenAnswersMinusOne) {
  auto* in = newObject<java_io_ByteArrayInputStream>(byteArrayOf({10, 0xFF, 30}));
  EXPECT_EQ(in->available(), 3);
  EXPECT_EQ(in->read(), 10);
  EXPECT_EQ(in->read(), 255);
  ByteArray* into = newByteArray(4);
  EXPECT_EQ(in->read(into, 1, 3), 1);
  EXPECT_EQ(into->elements()[1], 30);
  EXPECT_EQ(in->read(), -1);
  EXPECT_EQ(in->read(into, 0, 4), -1);
  EXPECT_EQ(in->available(), 0);
}

TEST_F(ByteArrayStreamTest, OffsetLengthConstructorMarkResetAndSkip) {
  auto* in = newObject<java_io_ByteArrayInputStream>(byteArrayOf({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}), 2, 100);
  EXPECT_EQ(in->available(), 8);
  EXPECT_EQ(in->read(), 2);
  in->reset();
  EXPECT_EQ(in->read(), 2);
  EXPECT_EQ(in->skip(3), 3);
  in->mark(0);
  EXPECT_EQ(in->read(), 6);
  in->reset();
  EXPECT_EQ(in->read(), 6);
  EXPECT_EQ(in->skip(100), 3);
  EXPECT_EQ(in->skip(-5), 0);
  EXPECT_EQ(in->read(), -1);
  EXPECT_EQ(in->markSupported(), 1);
}

TEST_F(ByteArrayStreamTest, RangesOutsideTheArrayAreRefused) {
  auto* in = newObject<java_io_ByteArrayInputStream>(byteArrayOf({1, 2, 3}));
  ByteArray* into = newByteArray(2);
  EXPECT_EQ(in->read(into, 1, 2), 0);
  EXPECT_EQ(takePending(), classid::java_lang_IndexOutOfBoundsException);
  EXPECT_EQ(in->read(into, -1, 1), 0);
  EXPECT_EQ(takePending(), classid::java_lang_IndexOutOfBoundsException);
  EXPECT_EQ(in->available(), 3);
  auto* out = newObject<java_io_ByteArrayOutputStream>();
  out->write(into, 0, 3);
  EXPECT_EQ(takePending(), classid::java_lang_IndexOutOfBoundsException);
  EXPECT_EQ(out->size(), 0);
  // A negative offset to the constructor gives an empty stream.
  EXPECT_EQ(newObject<java_io_ByteArrayInputStream>(byteArrayOf({1}), -4, 2)->read(), -1);
}

TEST_F(ByteArrayStreamTest, OutputGrowsByDoublingAndHandsOverAFullBufferOnceClosed) {
  auto* out = newObject<java_io_ByteArrayOutputStream>();
  for (int i = 0; i < 33; ++i) out->write(i);
  EXPECT_EQ(out->m_buf->length(), 64);
  EXPECT_EQ(out->size(), 33);
  ByteArray* copy = out->toByteArray();
  EXPECT_NE(copy, out->m_buf);
  EXPECT_EQ(copy->length(), 33);
  EXPECT_EQ(copy->elements()[32], 32);

  auto* exact = newObject<java_io_ByteArrayOutputStream>(2);
  exact->write(byteArrayOf({'h', 'i'}));
  exact->close();
  EXPECT_EQ(exact->toByteArray(), exact->m_buf);
  EXPECT_EQ(textOf(exact->toString()), u"hi");
  exact->write(byteArrayOf({1, 2, 3}), 0, 3);  // still works after close
  EXPECT_EQ(exact->size(), 5);
  EXPECT_EQ(exact->m_buf->length(), 5);
  exact->reset();
  EXPECT_EQ(exact->size(), 0);
  EXPECT_EQ(exact->m_buf->length(), 5);
}

TEST_F(ByteArrayStreamTest, PrintingToTheConsoleGoesNowhereAndRaisesNothing) {
  auto* out = newObject<java_io_PrintStream>(newObject<java_io_ConsoleOutputStream>());
  out->print(newObject<String>("text"));
  out->println(42);
  out->print(int64_t{-7});
  out->print(u'c');
  out->println();
  out->write(byteArrayOf(std::vector<uint8_t>(1000, 'x')));
  EXPECT_EQ(takePending(), nothingPending);
}

TEST_F(ByteArrayStreamTest, PrintStreamWritesLowBytesAndLineFeeds) {
  auto* bytes = newObject<java_io_ByteArrayOutputStream>();
  auto* out = newObject<java_io_PrintStream>(bytes);
  out->print(newObject<String>(u"a\u0142"));
  out->println(-12);
  out->println(u'z');
  EXPECT_EQ(bytesOf(bytes->toByteArray()), (std::vector<uint8_t>{'a', 0x42, '-', '1', '2', 10, 'z', 10}));
}

// A full object heap: the write raises and the bytes written before stay
// whole.
class ByteArrayOutputStreamFullHeapTest : public RuntimeFixture {
 protected:
  ByteArrayOutputStreamFullHeapTest() : RuntimeFixture(64u << 10, 64u << 10) {}
};

TEST_F(ByteArrayOutputStreamFullHeapTest, AGrowthThatFailsRaisesInsteadOfDroppingBytes) {
  auto* out = newObject<java_io_ByteArrayOutputStream>(4);
  testRoots().kept = newObjectArray(1);
  testRoots().kept->set(0, out);
  for (int8_t b : {1, 2, 3, 4}) out->write(b);
  ASSERT_EQ(out->size(), 4);
  ByteArray* more = byteArrayOf({6, 7});
  testRoots().object = more;
  constexpr int32_t most = 1 << 14;
  testRoots().kept = newObjectArray(most);
  testRoots().kept->set(0, out);
  int32_t made = 1;
  while (made < most) {
    Object* filler = newObject<Object>();
    if (filler == nullptr) break;
    testRoots().kept->set(made++, filler);
  }
  ASSERT_LT(made, most) << "the heap never filled";
  wince::LogCapture log;
  // The heap has no room for the exception either: the failure is logged.
  out->write(5);
  takePending();
  out->write(more, 0, 2);
  takePending();
  EXPECT_TRUE(log.contains("ByteArrayOutputStream: no memory")) << log.text();
  EXPECT_EQ(out->size(), 4) << "nothing of the failed writes counts as written";
  for (int i = 0; i < 4; ++i) EXPECT_EQ(out->m_buf->elements()[i], i + 1);
  testRoots().kept = nullptr;
}

TEST_F(ByteArrayStreamTest, AWriteBeyondTheLargestBufferRaises) {
  auto* out = newObject<java_io_ByteArrayOutputStream>(4);
  out->write(1);
  // As if two gigabytes had been written: no buffer holds one byte more.
  out->m_count = INT32_MAX;
  wince::LogCapture log;
  out->write(2);
  EXPECT_EQ(takePending(), classid::java_io_IOException);
  out->write(byteArrayOf({3}), 0, 1);
  EXPECT_EQ(takePending(), classid::java_io_IOException);
  EXPECT_EQ(out->size(), INT32_MAX);
  EXPECT_TRUE(log.contains("do not fit"));
  out->m_count = 1;
}

}  // namespace
