// A pool that runs out of room asks the collector: collect (keeping the
// newest object), then, for the native pool, compact around the blocks that
// stack words point into.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/lang/ObjectArray.h"
#include "runtime/lang/String.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/support/RuntimeFixture.h"

namespace {

int finalisedCount = 0;

class Garbage : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::java_util_Random;
  void finalize() override { ++finalisedCount; }
  int64_t m_padding[6];
};

class ObjectHeapExhaustionTest : public RuntimeFixture {
 protected:
  ObjectHeapExhaustionTest() : RuntimeFixture(64u << 10, 64u << 10) {}
};

// Far more garbage than the heap holds; every allocation must succeed.
__attribute__((noinline)) int makeGarbageBeyondTheHeap(ObjectArray* kept) {
  int failures = 0;
  for (int i = 0; i < 20000; ++i) {
    Object* object = newObject<Garbage>();
    if (object == nullptr) ++failures;
    if (i % 1000 == 0) kept->set(i / 1000, object);
  }
  return failures;
}

TEST_F(ObjectHeapExhaustionTest, FullHeapCollectsAndTheRequestSucceeds) {
  finalisedCount = 0;
  testRoots().kept = newObjectArray(20);
  EXPECT_EQ(makeGarbageBeyondTheHeap(testRoots().kept), 0);
  EXPECT_GT(objectManager().collectionCount(), 0u);
  EXPECT_GT(finalisedCount, 0);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(testRoots().kept->get(i)->getClassId(), Garbage::classId);
}

class NativePoolExhaustionTest : public RuntimeFixture {
 protected:
  NativePoolExhaustionTest() : RuntimeFixture(256u << 10, 64u << 10) {}
};

std::string textOf(String* text) {
  std::string result;
  for (int32_t i = 0; i < text->length(); ++i) result += static_cast<char>(text->charAt(i));
  return result;
}

std::string textNumbered(int i) { return std::string(400, static_cast<char>('a' + i % 26)) + std::to_string(i); }

// Fills the pool with texts held by a rooted array, then drops every other
// one: the room left is in holes, none big enough for a long text.
__attribute__((noinline)) int fillPoolAndLeaveHoles() {
  ObjectArray* texts = newObjectArray(200);
  testRoots().kept = texts;
  int count = 0;
  while (count < 200) {
    String* text = newString(textNumbered(count).c_str());
    texts->set(count++, text);
    if (!MemoryManagers::current()->m_nativePool.contains(text->characters())) break;
  }
  for (int i = 1; i < count; i += 2) texts->set(i, nullptr);
  return count;
}

__attribute__((noinline)) String* makeLongText() { return newString(std::string(3000, 'z').c_str()); }

TEST_F(NativePoolExhaustionTest, FragmentedPoolCompactsAndMovedTextsReadTheSame) {
  const int count = fillPoolAndLeaveHoles();
  ASSERT_GT(count, 20);
  ObjectArray* texts = testRoots().kept;
  // A raw pointer into one text's characters: that block must stay put.
  String* pinnedText = static_cast<String*>(texts->get(10));
  const char16_t* pinnedCharacters = pinnedText->characters();
  std::vector<const char16_t*> before;
  for (int i = 0; i < count; i += 2) before.push_back(static_cast<String*>(texts->get(i))->characters());
  String* longText = makeLongText();
  ASSERT_NE(longText, nullptr);
  EXPECT_TRUE(pools().m_nativePool.contains(longText->characters())) << "compaction made room in the pool";
  EXPECT_EQ(textOf(longText), std::string(3000, 'z'));
  EXPECT_EQ(pinnedText->characters(), pinnedCharacters);
  EXPECT_EQ(pinnedCharacters[0], u'a' + 10);
  int moved = 0;
  for (int i = 0; i < count; i += 2) {
    String* text = static_cast<String*>(texts->get(i));
    EXPECT_EQ(textOf(text), textNumbered(i)) << i;
    if (text->characters() != before[static_cast<size_t>(i / 2)]) ++moved;
  }
  EXPECT_GT(moved, 0) << "the room came from moving texts";
  std::string why;
  EXPECT_TRUE(pools().m_nativePool.checkInvariants(&why)) << why;
}

}  // namespace
