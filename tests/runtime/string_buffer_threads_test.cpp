// Two threads appending to one StringBuffer, which grows under them: each
// operation holds the buffer's monitor, so no append is lost or torn.
#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "runtime/lang/ObjectArray.h"
#include "runtime/lang/String.h"
#include "runtime/lang/StringBuffer.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/runtime/thread_test_support.h"
#include "tests/support/RuntimeFixture.h"

namespace {

class StringBufferThreadsTest : public RuntimeFixture {};

constexpr int appendsPerThread = 40000;

// Both threads start appending together, so that they overlap.
void appendMany(StringBuffer* buffer, char16_t mark, std::atomic<int>& ready) {
  ++ready;
  while (ready.load() < 2) {
  }
  for (int i = 0; i < appendsPerThread; ++i) {
    buffer->append(mark);
    // A text of several characters lands whole.
    if (i % 100 == 0) buffer->append(newString("<ab>"));
  }
}

TEST_F(StringBufferThreadsTest, ConcurrentAppendsAllLandWhole) {
  testRoots().kept = newObjectArray(1);
  auto* buffer = newObject<StringBuffer>(int32_t{1});
  testRoots().kept->set(0, buffer);
  std::atomic<int> ready{0};
  auto first = [&] { appendMany(buffer, u'x', ready); };
  auto second = [&] { appendMany(buffer, u'y', ready); };
  java_lang_Thread* firstThread = threadtest::startThread(first);
  java_lang_Thread* secondThread = threadtest::startThread(second);
  threadtest::expectEnds(firstThread);
  threadtest::expectEnds(secondThread);

  const std::u16string text(buffer->m_characters, static_cast<size_t>(buffer->m_length));
  int xs = 0, ys = 0, pieces = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'x') ++xs;
    if (text[i] == u'y') ++ys;
    if (text.compare(i, 4, u"<ab>") == 0) ++pieces;
  }
  EXPECT_EQ(xs, appendsPerThread);
  EXPECT_EQ(ys, appendsPerThread);
  EXPECT_EQ(pieces, 2 * appendsPerThread / 100);
  EXPECT_EQ(text.size(), static_cast<size_t>(2 * appendsPerThread + 4 * pieces));
}

}  // namespace
