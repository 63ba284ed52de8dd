#pragma once
// A runtime with small pools for one test: created in SetUp, closed in
// TearDown (which frees every object and runs every finaliser).
#include <gtest/gtest.h>

#include <cstdint>

#include "runtime/Application.h"
#include "runtime/gc/ObjectManager.h"
#include "runtime/object/ClassInitialisers.h"
#include "runtime/object/StaticClass.h"

class RuntimeFixture : public ::testing::Test {
 protected:
  static constexpr uint32_t defaultObjectHeapBytes = 1u << 20;
  static constexpr uint32_t defaultNativePoolBytes = 1u << 20;

  explicit RuntimeFixture(uint32_t objectHeapBytes = defaultObjectHeapBytes,
                          uint32_t nativePoolBytes = defaultNativePoolBytes,
                          const ClassInitialisers* initialisers = nullptr)
      : m_objectHeapBytes(objectHeapBytes), m_nativePoolBytes(nativePoolBytes), m_initialisers(initialisers) {}

  void SetUp() override { m_application.init(m_initialisers, m_objectHeapBytes, m_nativePoolBytes); }
  void TearDown() override { m_application.close(); }

  Application& application() { return m_application; }
  ObjectManager& objectManager() { return *m_application.getObjectManager(); }
  StaticClass& block() { return *m_application.getStaticClass(); }
  MemoryManagers& pools() { return *m_application.getMemoryManagers(); }

  // A collection that stale stack words cannot fool: objects made by an
  // earlier (non-inlined) helper and no longer referenced are really
  // unreachable. The cleared array covers the stack that such helpers used,
  // and the collector's frames lie below it.
  __attribute__((noinline, no_sanitize("address"))) void collect(uint32_t flags = ObjectManager::forced) {
    volatile uintptr_t clearedStack[4096];
    for (auto& word : clearedStack) word = 0;
    objectManager().gc(flags);
  }

 private:
  uint32_t m_objectHeapBytes;
  uint32_t m_nativePoolBytes;
  const ClassInitialisers* m_initialisers;
  Application m_application;
};
