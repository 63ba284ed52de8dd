// Every exception class against every catch clause: which clauses catch it,
// what it is an instance of, and its messages. The expected hierarchy is
// written out here from the class list, not read from the class table.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "runtime/exceptions/Exceptions.h"
#include "runtime/exceptions/ThrowNew.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/lang/String.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/support/RuntimeFixture.h"

namespace {

// Class id -> superclass id of the 25 Throwable classes (0: Object).
const std::map<uint16_t, uint16_t> superclassOf = {
    {49, 0},  {32, 49}, {33, 49}, {45, 33}, {26, 45},  {28, 45},  {35, 45},  {36, 45},  {37, 45},
    {27, 37}, {42, 45}, {53, 45}, {59, 45}, {31, 33},  {39, 33},  {22, 33},  {20, 22},  {25, 22},
    {70, 22}, {93, 33}, {108, 33}, {101, 108}, {109, 108}, {110, 108}, {111, 108},
};

std::set<uint16_t> selfAndAncestors(uint16_t id) {
  std::set<uint16_t> chain;
  for (uint16_t at = id; at != 0; at = superclassOf.at(at)) chain.insert(at);
  return chain;
}

struct ExceptionKind {
  uint16_t classId;
  const char* name;
  java_lang_Throwable* (*make)();
  java_lang_Throwable* (*makeWithMessage)(String* message);
};

template <class E>
constexpr ExceptionKind kind(const char* name) {
  return {E::classId, name, [] { return static_cast<java_lang_Throwable*>(newObject<E>()); },
          [](String* message) { return static_cast<java_lang_Throwable*>(newObject<E>(message)); }};
}

#define KIND(E) kind<E>(#E)
const ExceptionKind kinds[] = {
    KIND(java_lang_Throwable),
    KIND(java_lang_Error),
    KIND(java_lang_Exception),
    KIND(java_lang_RuntimeException),
    KIND(java_lang_ArithmeticException),
    KIND(java_lang_ArrayStoreException),
    KIND(java_lang_IllegalArgumentException),
    KIND(java_lang_IllegalStateException),
    KIND(java_lang_IndexOutOfBoundsException),
    KIND(java_lang_ArrayIndexOutOfBoundsException),
    KIND(java_lang_NullPointerException),
    KIND(java_util_EmptyStackException),
    KIND(java_util_NoSuchElementException),
    KIND(java_lang_ClassNotFoundException),
    KIND(java_lang_InterruptedException),
    KIND(java_io_IOException),
    KIND(java_io_EOFException),
    KIND(java_io_UTFDataFormatException),
    KIND(javax_microedition_io_ConnectionNotFoundException),
    KIND(javax_microedition_media_MediaException),
    KIND(javax_microedition_rms_RecordStoreException),
    KIND(javax_microedition_rms_InvalidRecordIDException),
    KIND(javax_microedition_rms_RecordStoreFullException),
    KIND(javax_microedition_rms_RecordStoreNotFoundException),
    KIND(javax_microedition_rms_RecordStoreNotOpenException),
};
#undef KIND

std::string textOf(String* text) {
  if (text == nullptr) return "(null)";
  std::string bytes;
  for (int32_t i = 0; i < text->length(); ++i) bytes += static_cast<char>(text->charAt(i));
  return bytes;
}

class ExceptionHierarchy : public RuntimeFixture {
 protected:
  void TearDown() override {
    application().m_pending = nullptr;
    RuntimeFixture::TearDown();
  }

  // Throws a new exception of kind at site 5 and searches table; -1 leaves
  // nothing pending either.
  int32_t throwAndCatch(const ExceptionKind& thrown, const HandlerTableEntry* table) {
    application().m_pending = nullptr;
    application().throwPending(thrown.make());
    EXPECT_EQ(application().checkPending(5), 1);
    const int32_t handler = application().findHandler(table);
    EXPECT_EQ(application().getPending() == nullptr, handler >= 0) << "caught exactly when a handler matches";
    application().m_pending = nullptr;
    return handler;
  }
};

TEST_F(ExceptionHierarchy, EveryClassAgainstEveryCatchClause) {
  ASSERT_EQ(std::size(kinds), superclassOf.size());
  for (const ExceptionKind& thrown : kinds) {
    const std::set<uint16_t> caughtBy = selfAndAncestors(thrown.classId);
    java_lang_Throwable* instance = thrown.make();
    ASSERT_NE(instance, nullptr) << thrown.name;
    EXPECT_EQ(instance->getClassId(), thrown.classId) << thrown.name;
    EXPECT_EQ(superclassIds[thrown.classId], superclassOf.at(thrown.classId)) << thrown.name;
    for (const ExceptionKind& clause : kinds) {
      const bool expected = caughtBy.count(clause.classId) != 0;
      const HandlerTableEntry table[] = {{clause.classId, 5, 6}, {0, 0, 0}};
      EXPECT_EQ(throwAndCatch(thrown, table), expected ? 0 : -1) << "catch (" << clause.name << ") of " << thrown.name;
      EXPECT_EQ(Object::instanceOf(instance, clause.classId), expected ? 1 : 0)
          << thrown.name << " instanceof " << clause.name;
    }
    // Classes outside the hierarchy never catch a Throwable.
    for (uint16_t other : {classid::String, classid::java_util_Vector, classid::java_lang_Thread}) {
      const HandlerTableEntry table[] = {{other, 5, 6}, {0, 0, 0}};
      EXPECT_EQ(throwAndCatch(thrown, table), -1) << thrown.name << " caught by class " << other;
    }
  }
}

TEST_F(ExceptionHierarchy, AnOrderedHandlerTableTakesTheFirstMatchingClause) {
  const HandlerTableEntry table[] = {
      {classid::java_io_IOException, 5, 6},
      {classid::java_lang_IndexOutOfBoundsException, 5, 6},
      {classid::java_lang_RuntimeException, 5, 6},
      {classid::javax_microedition_rms_RecordStoreException, 5, 6},
      {classid::java_lang_Exception, 5, 6},
      {classid::java_lang_Throwable, 5, 6},
      {0, 0, 0},
  };
  for (const ExceptionKind& thrown : kinds) {
    const std::set<uint16_t> chain = selfAndAncestors(thrown.classId);
    int32_t expected = -1;
    for (int32_t i = 0; table[i].caughtClassId != 0 && expected < 0; ++i) {
      if (chain.count(static_cast<uint16_t>(table[i].caughtClassId)) != 0) expected = i;
    }
    EXPECT_EQ(throwAndCatch(thrown, table), expected) << thrown.name;
  }
  // The Part's examples, spelled out.
  EXPECT_EQ(throwAndCatch(kinds[16], table), 0) << "EOFException by IOException";
  EXPECT_EQ(throwAndCatch(kinds[18], table), 0) << "ConnectionNotFoundException by IOException";
  EXPECT_EQ(throwAndCatch(kinds[9], table), 1) << "ArrayIndexOutOfBounds by IndexOutOfBounds";
  EXPECT_EQ(throwAndCatch(kinds[1], table), 5) << "an Error only by Throwable";
}

TEST_F(ExceptionHierarchy, MessagesOfEveryClass) {
  ObjectArray* pool = newObjectArray(2);
  block().literalPool = pool;
  pool->set(1, newString(""));
  String* given = newString("given message");
  for (const ExceptionKind& kind : kinds) {
    java_lang_Throwable* plain = kind.make();
    EXPECT_EQ(plain->getMessage(), pool->get(1)) << kind.name << ": literal 1 itself";
    EXPECT_EQ(plain->toString(), plain->getMessage()) << kind.name;
    EXPECT_EQ(plain->m_trace, nullptr);

    java_lang_Throwable* withMessage = kind.makeWithMessage(given);
    EXPECT_EQ(withMessage->getMessage(), given) << kind.name;
    EXPECT_EQ(textOf(withMessage->toString()), "given message") << kind.name << ": no class name is added";

    java_lang_Throwable* withNull = kind.makeWithMessage(nullptr);
    EXPECT_EQ(withNull->getMessage(), nullptr) << kind.name;
    EXPECT_EQ(withNull->toString(), nullptr) << kind.name;
  }
  block().literalPool = nullptr;
}

}  // namespace
