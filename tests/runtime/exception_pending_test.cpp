// Throwing, checking and catching: the handler-table search over the class
// hierarchy, the stack-trace text, per-thread pending exceptions as roots.
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <thread>

#include "runtime/exceptions/Exceptions.h"
#include "runtime/exceptions/ThrowNew.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/lang/String.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/support/RuntimeFixture.h"
#include "wince/log.h"

namespace {

std::string textOf(String* text) {
  std::string bytes;
  if (text == nullptr) return "(null)";
  for (int32_t i = 0; i < text->length(); ++i) bytes += static_cast<char>(text->charAt(i));
  return bytes;
}

// Each class's Super is the superclass the class table names.
template <class... Classes>
constexpr bool superclassesMatchTable() {
  return ((superclassIds[Classes::classId] == Classes::Super::classId) && ...);
}
static_assert(superclassesMatchTable<
              java_lang_Throwable, java_lang_Error, java_lang_Exception, java_lang_RuntimeException,
              java_lang_ArithmeticException, java_lang_ArrayStoreException, java_lang_IllegalArgumentException,
              java_lang_IllegalStateException, java_lang_IndexOutOfBoundsException,
              java_lang_ArrayIndexOutOfBoundsException, java_lang_NullPointerException, java_util_EmptyStackException,
              java_util_NoSuchElementException, java_lang_ClassNotFoundException, java_lang_InterruptedException,
              java_io_IOException, java_io_EOFException, java_io_UTFDataFormatException,
              javax_microedition_io_ConnectionNotFoundException, javax_microedition_media_MediaException,
              javax_microedition_rms_RecordStoreException, javax_microedition_rms_InvalidRecordIDException,
              javax_microedition_rms_RecordStoreFullException, javax_microedition_rms_RecordStoreNotFoundException,
              javax_microedition_rms_RecordStoreNotOpenException>());

class PendingExceptionTest : public RuntimeFixture {
 protected:
  void TearDown() override {
    application().m_pending = nullptr;
    RuntimeFixture::TearDown();
  }

  // Throws, notices at site and searches table; answers the handler index.
  template <class E>
  int32_t throwAndCatch(uint32_t site, const HandlerTableEntry* table) {
    application().m_pending = nullptr;
    throwNew<E>();
    EXPECT_EQ(application().checkPending(site), 1);
    EXPECT_EQ(application().getPendingSite(), site);
    return application().findHandler(table);
  }
};

TEST_F(PendingExceptionTest, HandlerTableMatchesSiteRangeThenClassInTableOrder) {
  const HandlerTableEntry eofOnly[] = {{classid::java_io_IOException, 0, 1}, {0, 0, 0}};
  EXPECT_EQ(throwAndCatch<java_io_EOFException>(0, eofOnly), 0);
  EXPECT_EQ(application().getPending(), nullptr) << "a match clears the pending exception";
  EXPECT_EQ(throwAndCatch<java_io_EOFException>(1, eofOnly), -1) << "the end site is not covered";
  ASSERT_NE(application().getPending(), nullptr);
  EXPECT_EQ(application().getPending()->getClassId(), classid::java_io_EOFException);

  const HandlerTableEntry table[] = {
      {classid::java_io_IOException, 0, 10},
      {classid::java_lang_RuntimeException, 5, 10},
      {classid::java_lang_IndexOutOfBoundsException, 5, 10},  // shadowed by the entry before it
      {classid::java_lang_Exception, 0, 20},
      {classid::java_lang_Throwable, 20, 30},
      {0, 0, 0},
  };
  EXPECT_EQ(throwAndCatch<java_io_UTFDataFormatException>(3, table), 0);
  EXPECT_EQ(throwAndCatch<javax_microedition_io_ConnectionNotFoundException>(9, table), 0);
  EXPECT_EQ(throwAndCatch<java_lang_ArrayIndexOutOfBoundsException>(5, table), 1);
  EXPECT_EQ(throwAndCatch<java_lang_ArrayIndexOutOfBoundsException>(4, table), 3);
  EXPECT_EQ(throwAndCatch<javax_microedition_rms_RecordStoreFullException>(15, table), 3);
  EXPECT_EQ(throwAndCatch<java_lang_Error>(15, table), -1) << "an Error is no Exception";
  EXPECT_EQ(throwAndCatch<java_lang_Error>(25, table), 4);
  EXPECT_EQ(throwAndCatch<java_lang_Error>(30, table), -1);

  const HandlerTableEntry empty[] = {{0, 0, 0}};
  EXPECT_EQ(throwAndCatch<java_lang_Exception>(0, empty), -1);
  EXPECT_EQ(application().findHandler(nullptr), -1);
}

TEST_F(PendingExceptionTest, CheckPendingAnswersZeroAndKeepsTheSiteWhenNothingIsPending) {
  EXPECT_EQ(application().checkPending(7), 0);
  throwNew<java_lang_Exception>();
  EXPECT_EQ(application().checkPending(7), 1);
  application().m_pending = nullptr;
  EXPECT_EQ(application().checkPending(9), 0);
  EXPECT_EQ(application().getPendingSite(), 7u);
}

TEST_F(PendingExceptionTest, ThrowStoresTheStackTraceTextInnermostFirst) {
  throwNew<java_lang_IllegalStateException>(newString("bad state"));
  auto* thrown = static_cast<java_lang_Throwable*>(application().getPending());
  ASSERT_NE(thrown, nullptr);
  EXPECT_EQ(textOf(thrown->m_trace), "stacktrace:\n");
  EXPECT_EQ(textOf(thrown->getMessage()), "bad state");

  application().pushName("outer()");
  application().pushName("inner()");
  throwNew<java_lang_IllegalStateException>();
  thrown = static_cast<java_lang_Throwable*>(application().getPending());
  EXPECT_EQ(textOf(thrown->m_trace), "stacktrace:\ninner()\nouter()\n");
  application().popName();
  application().popName();

  wince::LogCapture log;
  application().printStackTrace();
  EXPECT_EQ(log.text(), "stacktrace:\n\n");
}

TEST_F(PendingExceptionTest, ThrowingNullOrANonThrowableIsLoggedNotStoredAsTrace) {
  wince::LogCapture log;
  application().throwPending(nullptr);
  EXPECT_EQ(application().getPending(), nullptr);
  EXPECT_TRUE(log.contains("throw of a null exception"));
  Object* plain = newObject<Object>();
  application().throwPending(plain);
  EXPECT_EQ(application().getPending(), plain);
  EXPECT_TRUE(log.contains("not a Throwable"));
}

TEST_F(PendingExceptionTest, MessagesOfTheConstructors) {
  // The literal pool as far as these constructors read it.
  ObjectArray* pool = newObjectArray(266);
  block().literalPool = pool;
  pool->set(1, newString(""));
  pool->set(265, newString("Array index out of range: "));

  struct Case {
    java_lang_Throwable* exception;
    const char* message;
  };
  const Case cases[] = {
      {newObject<java_lang_Exception>(), ""},
      {newObject<java_lang_Exception>(newString("plain")), "plain"},
      {newObject<java_lang_Exception>(nullptr), "(null)"},
      {newObject<java_lang_ArrayIndexOutOfBoundsException>(-3), "Array index out of range: -3"},
      {newObject<java_lang_ArrayIndexOutOfBoundsException>(2147483647), "Array index out of range: 2147483647"},
      {newObject<java_lang_ArrayIndexOutOfBoundsException>(newString("given")), "given"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(textOf(c.exception->getMessage()), c.message);
    EXPECT_EQ(c.exception->toString(), c.exception->getMessage()) << "no class name is added";
    EXPECT_EQ(c.exception->m_trace, nullptr);
  }
  EXPECT_EQ(cases[0].exception->getMessage(), pool->get(1)) << "the literal itself";
  collect();
  EXPECT_EQ(textOf(cases[3].exception->getMessage()), "Array index out of range: -3") << "message kept by the field";
  block().literalPool = nullptr;
}

TEST_F(PendingExceptionTest, WithoutALiteralPoolTheDefaultMessageIsNull) {
  EXPECT_EQ(newObject<java_lang_RuntimeException>()->getMessage(), nullptr);
  EXPECT_EQ(textOf(newObject<java_lang_ArrayIndexOutOfBoundsException>(12)->getMessage()), "12");
}

__attribute__((noinline)) void throwFromHelper(const char* message) {
  throwNew<java_lang_NullPointerException>(newString(message));
}

TEST_F(PendingExceptionTest, EachThreadHasItsOwnPendingExceptionAndAllAreRoots) {
  std::mutex lock;
  std::condition_variable changed;
  int step = 0;
  std::thread other([&] {
    EXPECT_EQ(application().getPending(), nullptr) << "the main thread's exception is not seen here";
    throwFromHelper("other");
    std::unique_lock guard(lock);
    step = 1;
    changed.notify_all();
    // Stands still (touching no object) while the main thread collects.
    changed.wait(guard, [&] { return step == 2; });
    auto* mine = static_cast<java_lang_Throwable*>(application().getPending());
    ASSERT_NE(mine, nullptr);
    EXPECT_EQ(mine->getClassId(), classid::java_lang_NullPointerException) << "survived the collection";
    EXPECT_EQ(textOf(mine->getMessage()), "other");
    application().m_pending = nullptr;
  });
  throwFromHelper("main");
  {
    std::unique_lock guard(lock);
    changed.wait(guard, [&] { return step == 1; });
  }
  collect();
  EXPECT_EQ(textOf(static_cast<java_lang_Throwable*>(application().getPending())->getMessage()), "main");
  {
    std::lock_guard guard(lock);
    step = 2;
    changed.notify_all();
  }
  other.join();
  EXPECT_NE(application().getPending(), nullptr);
}

TEST(PendingExceptionOutsideARuntime, IsLoggedAndNothingIsPending) {
  wince::LogCapture log;
  throwNew<java_lang_ArithmeticException>();
  EXPECT_TRUE(log.contains("raised without a runtime"));
}

}  // namespace
