// The compiled-code glue: element access with its null checks, constant
// tables, and the operand stack's operations and tags.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "runtime/exceptions/Exceptions.h"
#include "runtime/glue/ElementAccess.h"
#include "runtime/glue/OperandStack.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/String.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/support/RuntimeFixture.h"
#include "wince/log.h"
#include "wince/log.h"

namespace {

class GlueTest : public RuntimeFixture {
 protected:
  void TearDown() override {
    application().m_pending = nullptr;
    RuntimeFixture::TearDown();
  }
};

TEST_F(GlueTest, LoadsSignExtendExceptForCharacters) {
  ShortArray* shorts = newShortArray(2);
  storeElement(shorts, 1, static_cast<int16_t>(0xFFFF));
  EXPECT_EQ(loadElement(shorts, 1), -1);
  ByteArray* bytes = newByteArray(1);
  storeElement(bytes, 0, static_cast<int8_t>(0x80));
  EXPECT_EQ(loadElement(bytes, 0), -128);
  CharArray* chars = newCharArray(1);
  storeElement(chars, 0, u'\xFFFF');

  OperandStackFrame<4> stack;
  stack.pushRef(chars);
  stack.pushInt(0);
  stack.caload();
  EXPECT_EQ(stack.popInt(), 65535);
  stack.pushRef(shorts);
  stack.pushInt(1);
  stack.saload();
  EXPECT_EQ(stack.popInt(), -1);
  stack.pushRef(bytes);
  stack.pushInt(0);
  stack.baload();
  EXPECT_EQ(stack.popInt(), -128);
}

TEST_F(GlueTest, NullOrFreedArraysAreLoggedAndNothingIsTouched) {
  IntArray* freed = newIntArray(3);
  freed->setFreedClassId();
  for (IntArray* array : {static_cast<IntArray*>(nullptr), freed}) {
    wince::LogCapture log;
    EXPECT_EQ(loadElement(array, 0), 0);
    storeElement(array, 0, 5);
    OperandStackFrame<4> stack;
    stack.pushRef(array);
    stack.pushInt(0);
    stack.iaload();
    EXPECT_EQ(stack.popInt(), 0);
    stack.pushRef(array);
    stack.pushInt(0);
    stack.pushInt(7);
    stack.iastore();
    stack.pushRef(array);
    stack.arraylength();
    EXPECT_EQ(stack.popInt(), 0);
    EXPECT_EQ(stack.depth(), 0);
    std::string fiveReports;
    for (int i = 0; i < 5; ++i) fiveReports += "NullPointer\nstacktrace:\n\n";
    EXPECT_EQ(log.text(), fiveReports);
  }
  EXPECT_EQ(freed->m_elements[0], 0);
}

TEST_F(GlueTest, AnIndexOutsideLogsAndAnswersZeroWithNothingPending) {
  IntArray* array = newIntArray(2);
  ByteArray* bytes = newByteArray(1);
  wince::LogCapture log;
  OperandStackFrame<4> stack;
  stack.pushRef(array);
  stack.pushInt(2);
  stack.pushInt(9);
  stack.iastore();
  EXPECT_EQ(takePending(), nothingPending);
  stack.pushRef(array);
  stack.pushInt(-1);
  stack.iaload();
  EXPECT_EQ(stack.popInt(), 0);
  EXPECT_EQ(takePending(), nothingPending);
  storeElement(bytes, 1, int8_t{7});
  EXPECT_EQ(loadElement(bytes, 1), 0);
  EXPECT_EQ(loadElement(bytes, 0), 0) << "the store outside stored nothing";
  EXPECT_EQ(takePending(), nothingPending);
  EXPECT_TRUE(log.contains("array index 2\narray index OOB\nstacktrace:\n"));
  EXPECT_EQ(array->get(0), 0);
  EXPECT_EQ(array->get(1), 0);
}

TEST_F(GlueTest, InitElementsFillsFromZeroCutToTheElementWidth) {
  ByteArray* bytes = newByteArray(3);
  EXPECT_EQ(initElements(bytes, {0x1FF, -2}), bytes);
  EXPECT_EQ(loadElement(bytes, 0), -1);
  EXPECT_EQ(loadElement(bytes, 1), -2);
  EXPECT_EQ(loadElement(bytes, 2), 0);
  IntArray* ints = newIntArray(2);
  storeElement(ints, 0, 42);
  EXPECT_EQ(initElements(ints, {}), ints);
  EXPECT_EQ(loadElement(ints, 0), 42) << "no values: untouched";
  wince::LogCapture log;
  initElements(ints, {1, 2, 3});
  EXPECT_EQ(loadElement(ints, 1), 2);
  EXPECT_TRUE(log.contains("more values than elements"));
}

TEST_F(GlueTest, TagsFollowTheValues) {
  Object* object = newObject<Object>();
  OperandStackFrame<8> stack;
  stack.pushRefDup(object);
  stack.pushRef(nullptr);
  stack.pushIntDup(3);
  EXPECT_EQ(stack.depth(), 5);
  const uint8_t expectedTags[] = {0, 0, 0, 1, 1};  // from the top down
  for (int32_t n = 0; n < 5; ++n) EXPECT_EQ(stack.tagAt(n), expectedTags[n]) << n;
  stack.popPushInt(8, 0);
  EXPECT_EQ(stack.depth(), 6) << "popPushInt with n 0 is a plain push";
  stack.popPushRef(object, 4);
  EXPECT_EQ(stack.depth(), 3);
  EXPECT_EQ(stack.tagAt(0), 1);
  EXPECT_EQ(stack.popRef(), object);

  // ..., a, b -> ..., b, a, b and ..., z, a, b -> ..., a, b, z, a, b
  OperandStackFrame<8> juggled;
  juggled.pushInt(1);
  juggled.pushRef(object);
  juggled.dupX1();
  ASSERT_EQ(juggled.depth(), 3);
  EXPECT_EQ(juggled.popRef(), object);
  EXPECT_EQ(juggled.popInt(), 1);
  EXPECT_EQ(juggled.tagAt(0), 1);
  EXPECT_EQ(juggled.popRef(), object);
  juggled.pushInt(9);  // z
  juggled.pushInt(1);  // a
  juggled.pushRef(object);
  juggled.dup2X1();
  ASSERT_EQ(juggled.depth(), 5);
  EXPECT_EQ(juggled.popRef(), object);
  EXPECT_EQ(juggled.popInt(), 1);
  EXPECT_EQ(juggled.popInt(), 9);
  EXPECT_EQ(juggled.popRef(), object);
  EXPECT_EQ(juggled.popInt(), 1);

  juggled.pushLong(-5000000000);
  juggled.pushInt(-7);
  EXPECT_EQ(juggled.peekWide(0), -7);
  EXPECT_EQ(juggled.peekWide(1), -5000000000) << "a long's second slot";
  juggled.popInt();
  EXPECT_EQ(juggled.popLong(), -5000000000);
}

TEST_F(GlueTest, ArithmeticAndComparisons) {
  OperandStackFrame<4> stack;
  stack.pushInt(-7);
  stack.pushInt(3);
  stack.irem();
  EXPECT_EQ(stack.popInt(), -1);
  stack.pushInt(5);
  stack.pushInt(0);
  stack.irem();
  EXPECT_EQ(stack.popInt(), 0);
  EXPECT_EQ(takePending(), classid::java_lang_ArithmeticException);

  struct Compare {
    int32_t value1, value2, ge, gt, lt, eq;
  };
  for (const Compare& c : {Compare{1, 2, 0, 0, 1, 0}, Compare{2, 2, 1, 0, 0, 1}, Compare{-1, -2, 1, 1, 0, 0}}) {
    int32_t (OperandStack::*branches[])() = {&OperandStack::ifIcmpge, &OperandStack::ifIcmpgt, &OperandStack::ifIcmplt,
                                             &OperandStack::ifIcmpeq};
    const int32_t expected[] = {c.ge, c.gt, c.lt, c.eq};
    for (int i = 0; i < 4; ++i) {
      stack.pushInt(c.value1);
      stack.pushInt(c.value2);
      EXPECT_EQ((stack.*branches[i])(), expected[i]) << c.value1 << " vs " << c.value2 << " #" << i;
      EXPECT_EQ(stack.depth(), 0);
    }
  }

  const float infinity = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  struct FloatCompare {
    float value1, value2;
    int32_t result;
  };
  for (const FloatCompare& c : {FloatCompare{infinity, infinity, 0}, FloatCompare{nan, 1, -1}, FloatCompare{1, nan, -1},
                                FloatCompare{nan, nan, -1}, FloatCompare{2, 1, 1}, FloatCompare{-0.0f, 0.0f, 0}}) {
    stack.pushFloat(c.value1);
    stack.pushFloat(c.value2);
    stack.fcmpl();
    EXPECT_EQ(stack.tagAt(0), 0);
    EXPECT_EQ(stack.popInt(), c.result) << c.value1 << " vs " << c.value2;
  }
}

struct Holder : public Object {
  using Super = Object;
  static constexpr uint16_t classId = classid::java_util_Date;
  int32_t m_count;
  uint8_t m_flag;
};

TEST_F(GlueTest, FieldStoresNeedAnObjectAndReferenceElementsKeepTheirTag) {
  auto* holder = newObject<Holder>();
  OperandStackFrame<4> stack;
  stack.pushRef(holder);
  stack.pushInt(12);
  stack.putfieldInt(&holder->m_count);
  stack.pushRef(holder);
  stack.pushInt(7);
  stack.putfieldBoolean(&holder->m_flag);
  EXPECT_EQ(holder->m_count, 12);
  EXPECT_EQ(holder->m_flag, 1);
  wince::LogCapture log;
  stack.pushRef(nullptr);
  stack.pushInt(99);
  stack.putfieldInt(&holder->m_count);
  EXPECT_EQ(holder->m_count, 12) << "nothing is written for a null object";
  EXPECT_TRUE(log.contains("NullPointer"));
  EXPECT_EQ(stack.depth(), 0);
  uint8_t staticFlag = 5;
  stack.pushInt(0);
  stack.popBoolean(&staticFlag);
  EXPECT_EQ(staticFlag, 0);

  ObjectArray* objects = newObjectArray(2);
  objects->set(0, holder);
  for (int32_t index : {0, 1}) {
    stack.pushRef(objects);
    stack.pushInt(index);
    stack.aaload();
    EXPECT_EQ(stack.tagAt(0), index == 0 ? 1 : 0);
    EXPECT_EQ(stack.popRef(), index == 0 ? holder : nullptr);
  }
}

TEST_F(GlueTest, MultiDimensionalArraysTakeTheirLengthsFromTheStack) {
  OperandStackFrame<4> stack;
  stack.pushInt(2);
  stack.pushInt(3);
  stack.multianewarray("[[I", 2);
  ASSERT_EQ(stack.depth(), 1);
  auto* outer = static_cast<ObjectArray*>(stack.popRef());
  ASSERT_NE(outer, nullptr);
  EXPECT_EQ(outer->length(), 2);
  ASSERT_NE(outer->get(1), nullptr);
  EXPECT_EQ(outer->get(1)->getClassId(), classid::IntArray);
  EXPECT_EQ(static_cast<IntArray*>(outer->get(1))->length(), 3);
}

TEST_F(GlueTest, ClassTestsThrowAndDumpThatNothingCallsYet) {
  Object* exception = newObject<java_io_EOFException>();
  OperandStackFrame<4> stack;
  stack.pushRef(exception);
  stack.instanceOf(classid::java_io_IOException);
  EXPECT_EQ(stack.popInt(), 1);

  wince::LogCapture log;
  stack.pushRef(exception);
  stack.checkcast(classid::java_lang_RuntimeException);
  EXPECT_EQ(log.text(), "check cast\nstacktrace:\n\n");
  EXPECT_EQ(stack.depth(), 1) << "the reference stays";
  stack.pushInt(-3);
  log.clear();
  stack.dump();
  EXPECT_TRUE(log.contains("OperandStack dump:\n\t-1 value=0xfffffffffffffffd class=?\n\t-2 value=0x"));
  EXPECT_TRUE(log.contains(" class=java_io_EOFException\n"));
  stack.popInt();

  stack.athrow();
  EXPECT_EQ(application().getPending(), exception);
  EXPECT_EQ(stack.depth(), 0);
}

}  // namespace
