// Strings and arrays built, copied and concatenated while every allocation
// from the native pool first collects and moves every owned block, as a
// compaction does: any character or element address kept across an
// allocation would read or write a block's old place.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "runtime/lang/ArrayCopy.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/NumberText.h"
#include "runtime/lang/String.h"
#include "runtime/lang/StringBuffer.h"
#include "runtime/memory/FragmentHeap.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/support/RuntimeFixture.h"

namespace {

// Keeps the native pool full, so that each request reaches the exhaustion
// hook; the hook collects, moves every owned block (ignoring stack pins, so
// that even a pointer on the stack goes stale), then leaves exactly one free
// block of the requested size.
class MovingPool {
 public:
  MovingPool(FragmentHeap& pool, ObjectManager& manager) : m_pool(pool), m_manager(manager) {}

  void start() {
    m_pool.setExhaustionHook(&MovingPool::onRequest, this);
    fillFreeSpace();
  }
  void stop() {
    m_pool.setExhaustionHook(nullptr, nullptr);
    releaseFillers();
  }

  int requests() const { return m_requests; }
  int moves() const { return m_moves; }

 private:
  struct Block {
    void* payload;
    uint32_t size;
    void** owner;
    bool inUse;
  };

  static void onRequest(FragmentHeap& pool, uint32_t need, void* context) {
    auto& self = *static_cast<MovingPool*>(context);
    pool.setExhaustionHook(nullptr, nullptr);
    self.releaseFillers();
    self.m_manager.gc(ObjectManager::forced | ObjectManager::keepNewest);
    self.moveEveryOwnedBlock();
    void* reserved = pool.alloc(need - pool.headerSize());
    self.fillFreeSpace();
    if (reserved != nullptr) pool.free(reserved);
    ++self.m_requests;
    pool.setExhaustionHook(&MovingPool::onRequest, context);
  }

  std::vector<Block> blocks() const {
    std::vector<Block> all;
    const std::byte* payload = m_pool.regionBegin() + m_pool.headerSize();
    while (payload < m_pool.regionEnd()) {
      const uint32_t size = m_pool.payloadSize(payload);
      // The block's first header word is its size, negative while in use.
      intptr_t sizeWord;
      std::memcpy(&sizeWord, payload - m_pool.headerSize(), sizeof sizeWord);
      all.push_back({const_cast<std::byte*>(payload), size, m_pool.owner(payload), sizeWord < 0});
      payload += size + m_pool.headerSize();
    }
    return all;
  }

  uint32_t largestFreePayload() const {
    uint32_t largest = 0;
    for (const Block& block : blocks()) {
      if (!block.inUse && block.size > largest) largest = block.size;
    }
    return largest;
  }

  void moveEveryOwnedBlock() {
    for (const Block& block : blocks()) {
      if (block.owner == nullptr || m_pool.contains(block.owner)) continue;
      if (largestFreePayload() < block.size) continue;
      void* moved = m_pool.alloc(block.size);
      std::memcpy(moved, block.payload, block.size);
      // Whatever still reads the old place must notice.
      std::memset(block.payload, 0xA5, block.size);
      *block.owner = moved;
      m_pool.setOwner(moved, block.owner);
      m_pool.free(block.payload);
      ++m_moves;
    }
  }

  // Every free block becomes an ownerless filler, which nothing moves.
  void fillFreeSpace() {
    for (const Block& block : blocks()) {
      if (block.inUse) continue;
      if (void* filler = m_pool.alloc(block.size)) m_fillers.push_back(filler);
    }
  }

  void releaseFillers() {
    for (void* filler : m_fillers) m_pool.free(filler);
    m_fillers.clear();
  }

  FragmentHeap& m_pool;
  ObjectManager& m_manager;
  std::vector<void*> m_fillers;
  int m_requests = 0;
  int m_moves = 0;
};

class CompactionStressTest : public RuntimeFixture {
 protected:
  CompactionStressTest() : RuntimeFixture(1u << 20, 128u << 10) {}
};

std::u16string unitsOf(String* text) {
  return std::u16string(text->characters(), static_cast<size_t>(text->length()));
}

std::u16string widened(const std::string& text) { return std::u16string(text.begin(), text.end()); }

std::string longLine(int i) { return "line " + std::to_string(i) + " of a text long enough for a block"; }

TEST_F(CompactionStressTest, ContentsSurviveAMoveAtEveryAllocation) {
  constexpr int rounds = 60;
  ObjectArray* kept = newObjectArray(rounds + 2);
  testRoots().kept = kept;
  MovingPool moving(pools().m_nativePool, objectManager());
  moving.start();

  StringBuffer* joined = newObject<StringBuffer>(int32_t{4});
  kept->set(0, joined);
  std::u16string expectedJoined;
  IntArray* numbers = newIntArray(0);
  for (int i = 0; i < rounds; ++i) {
    // Concatenation, number text and a buffer that grows many times.
    String* line = newString(longLine(i).c_str())->concat(intToText(i * 7919));
    const std::u16string expectedLine = widened(longLine(i) + std::to_string(i * 7919));
    ASSERT_EQ(unitsOf(line), expectedLine) << i;
    joined->append(line)->append(u'|')->append(int64_t{i} << 33)->insert(0, "<");
    expectedJoined = u"<" + expectedJoined + expectedLine + u"|" + widened(std::to_string(int64_t{i} << 33));

    // Substring, case, trim, UTF-8 round trip and the character array path.
    String* part = line->substring(5, 30)->toUpperCase()->concat(newString("   "))->trim();
    String* utf8 = newString("UTF-8");
    String* roundTrip = newObject<String>(part->getBytes(utf8), utf8);
    String* fromCharacters = newObject<String>(roundTrip->toCharArray());
    std::u16string expectedPart = expectedLine.substr(5, 25);
    for (char16_t& c : expectedPart) c = c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c;
    while (expectedPart.back() == u' ') expectedPart.pop_back();
    ASSERT_EQ(unitsOf(fromCharacters), expectedPart) << i;
    kept->set(1 + i, fromCharacters);

    // An int array that grows by copy into a new one each round.
    IntArray* grown = newIntArray(numbers->length() + 5);
    arraycopy(numbers, 0, grown, 0, numbers->length());
    for (int32_t k = numbers->length(); k < grown->length(); ++k) grown->set(k, k * k);
    numbers = grown;
    kept->set(1 + rounds, numbers);
    arraycopy(numbers, 0, numbers, 1, numbers->length() - 1);
    arraycopy(numbers, 1, numbers, 0, numbers->length() - 1);
    numbers->set(numbers->length() - 1, (numbers->length() - 1) * (numbers->length() - 1));
  }
  String* all = joined->toString();
  moving.stop();

  EXPECT_EQ(unitsOf(all), expectedJoined);
  for (int32_t k = 0; k < numbers->length(); ++k) ASSERT_EQ(numbers->get(k), k * k) << k;
  EXPECT_GT(moving.requests(), rounds * 8) << "the allocations went through the hook";
  EXPECT_GT(moving.moves(), moving.requests()) << "blocks moved";
  std::string why;
  EXPECT_TRUE(pools().m_nativePool.checkInvariants(&why)) << why;
}

}  // namespace
