// The allocation entry points over both pools, their fallbacks, and the
// process's out-of-memory handler.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "runtime/memory/MemoryManagers.h"
#include "wince/log.h"

namespace {

bool allZero(const void* address, size_t byteCount) {
  const auto* bytes = static_cast<const unsigned char*>(address);
  return std::all_of(bytes, bytes + byteCount, [](unsigned char byte) { return byte == 0; });
}

class Managers : public testing::Test {
 protected:
  Managers() : m_previous(MemoryManagers::current()) {
    MemoryManagers::setCurrent(&managers);
    managers.m_registerObject = [](void* object, void* context) {
      static_cast<Managers*>(context)->registered.push_back(object);
    };
    managers.m_registerContext = this;
  }
  ~Managers() override { MemoryManagers::setCurrent(m_previous); }

  MemoryManagers managers{2048, 2048};
  std::vector<void*> registered;

 private:
  MemoryManagers* m_previous;
};

TEST_F(Managers, PoolsAreCreatedWithTheirTypes) {
  EXPECT_EQ(managers.m_objectHeap.type(), FragmentHeap::objectHeapType);
  EXPECT_EQ(managers.m_nativePool.type(), FragmentHeap::nativePoolType);
  EXPECT_EQ(managers.m_objectHeap.m_heapSize, 2048u);
  MemoryManagers defaults;
  EXPECT_EQ(defaults.m_objectHeap.m_heapSize, 0x300000u);
  EXPECT_EQ(defaults.m_nativePool.m_heapSize, 0x500000u);
}

TEST_F(Managers, NativeMallocTakesZeroedBytesFromTheNativePool) {
  void* first = nativeMalloc(100);
  ASSERT_TRUE(managers.m_nativePool.contains(first));
  std::memset(first, 0xAB, 100);
  nativeFree(first);
  EXPECT_EQ(managers.m_nativePool.m_heapUsed, 0u);
  void* again = nativeMalloc(100);
  ASSERT_EQ(again, first);
  EXPECT_TRUE(allZero(again, 100));
  nativeFree(again);
}

TEST_F(Managers, NativeMallocFallsBackToTheSystemWhenThePoolIsFull) {
  wince::LogCapture capture;
  void* large = nativeMalloc(4000);
  ASSERT_NE(large, nullptr);
  EXPECT_FALSE(managers.m_nativePool.contains(large));
  EXPECT_FALSE(managers.m_objectHeap.contains(large));
  EXPECT_TRUE(allZero(large, 4000));
  EXPECT_TRUE(capture.contains("totalFragmentSizeNeeded=4016 m_heapUsed=0 m_heapSize=2048\n"));
  nativeFree(large);  // the system's: a wrong release would trip the sanitizer
  EXPECT_EQ(managers.m_nativePool.m_heapUsed, 0u);
}

TEST_F(Managers, NativeFreeReturnsEachAddressToWhereItCameFrom) {
  void* native = nativeMalloc(32);
  void* object = allocObject(32, 0);
  void* system = std::malloc(32);
  nativeFree(object);
  EXPECT_EQ(managers.m_objectHeap.m_heapUsed, 0u);
  EXPECT_NE(managers.m_nativePool.m_heapUsed, 0u);
  nativeFree(native);
  EXPECT_EQ(managers.m_nativePool.m_heapUsed, 0u);
  nativeFree(system);
  nativeFree(nullptr);
}

TEST_F(Managers, NativeFreeOfABadPoolAddressIsNotPassedToTheSystem) {
  auto* native = static_cast<std::byte*>(nativeMalloc(32));
  wince::LogCapture capture;
  nativeFree(native + 8);
  EXPECT_TRUE(capture.contains("is not an allocated block"));
  EXPECT_NE(managers.m_nativePool.m_heapUsed, 0u);
  nativeFree(native);
  EXPECT_EQ(managers.m_nativePool.m_heapUsed, 0u);
}

TEST_F(Managers, ObjectsComeZeroedAndRegisteredFromTheObjectHeap) {
  void* first = allocObject(40, 0);
  ASSERT_TRUE(managers.m_objectHeap.contains(first));
  std::memset(first, 0xCD, 40);
  nativeFree(first);
  void* second = allocObject(40, 0);
  ASSERT_EQ(second, first);
  EXPECT_TRUE(allZero(second, 40));
  EXPECT_EQ(registered, (std::vector<void*>{first, second}));
}

TEST_F(Managers, ObjectHeapExhaustionAnswersNullAndRegistersNothing) {
  wince::LogCapture capture;
  EXPECT_EQ(allocObject(4000, 0), nullptr);
  EXPECT_TRUE(registered.empty());
  EXPECT_TRUE(capture.contains("totalFragmentSizeNeeded=4008 m_heapUsed=0 m_heapSize=2048\n"));
}

TEST_F(Managers, OtherSelectorsGiveUnregisteredNativeBlocksWithFallback) {
  for (int selector : {1, 2, -1}) {
    SCOPED_TRACE(selector);
    void* block = allocObject(64, selector);
    EXPECT_TRUE(managers.m_nativePool.contains(block));
    EXPECT_TRUE(allZero(block, 64));
    wince::LogCapture capture;
    void* large = allocObject(3000, selector);
    ASSERT_NE(large, nullptr);
    EXPECT_FALSE(managers.m_nativePool.contains(large));
    EXPECT_TRUE(allZero(large, 3000));
    nativeFree(large);
    nativeFree(block);
  }
  EXPECT_TRUE(registered.empty());
}

TEST(MemoryManagersWithoutRuntime, EntryPointsUseTheSystemAllocator) {
  MemoryManagers* previous = MemoryManagers::current();
  MemoryManagers::setCurrent(nullptr);
  for (void* block : {nativeMalloc(48), allocObject(48, 0), allocObject(48, 1)}) {
    ASSERT_NE(block, nullptr);
    EXPECT_TRUE(allZero(block, 48));
    nativeFree(block);
  }
  void* empty = nativeMalloc(0);
  EXPECT_NE(empty, nullptr) << "null would read as failure";
  nativeFree(empty);
  MemoryManagers::setCurrent(previous);
}

TEST(OutOfMemoryHandler, LogsItsMessageAndThrowsBadAlloc) {
  const std::new_handler previous = std::get_new_handler();
  installOutOfMemoryHandler();
  const std::new_handler handler = std::get_new_handler();
  ASSERT_NE(handler, nullptr);
  wince::LogCapture capture;
  EXPECT_THROW(handler(), std::bad_alloc);
  EXPECT_EQ(capture.text(), "ERROR: Operator new failed: out of store.\n");
  std::set_new_handler(previous);
}

}  // namespace
