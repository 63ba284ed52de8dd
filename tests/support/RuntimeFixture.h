#pragma once
// A runtime with small pools for one test: created in SetUp, closed in
// TearDown (which frees every object and runs every finaliser).
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "runtime/Application.h"
#include "runtime/exceptions/java_lang_Throwable.h"
#include "runtime/gc/ObjectManager.h"
#include "runtime/lang/String.h"
#include "runtime/object/ClassInitialisers.h"
#include "runtime/object/StaticClass.h"

// Reference statics that runtime tests keep objects alive through, as the
// game's block of statics when a test hands no class initialisers.
struct TestRoots {
  ObjectArray* kept;
  Object* object;
  static constexpr auto referenceFields() { return ReferenceFieldList{&TestRoots::kept, &TestRoots::object}; }
};
inline TestRoots& testRoots() { return gameStaticsAs<TestRoots>(); }
// A table with no initialisers whose game block is TestRoots.
const ClassInitialisers& testRootsInitialisers();

class RuntimeFixture : public ::testing::Test {
 protected:
  static constexpr uint32_t defaultObjectHeapBytes = 1u << 20;
  static constexpr uint32_t defaultNativePoolBytes = 1u << 20;

  explicit RuntimeFixture(uint32_t objectHeapBytes = defaultObjectHeapBytes,
                          uint32_t nativePoolBytes = defaultNativePoolBytes,
                          const ClassInitialisers* initialisers = nullptr)
      : m_objectHeapBytes(objectHeapBytes),
        m_nativePoolBytes(nativePoolBytes),
        m_initialisers(initialisers != nullptr ? initialisers : &testRootsInitialisers()) {}

  void SetUp() override { m_application.init(m_initialisers, m_objectHeapBytes, m_nativePoolBytes); }
  void TearDown() override { m_application.close(); }

  Application& application() { return m_application; }
  ObjectManager& objectManager() { return *m_application.getObjectManager(); }
  StaticClass& block() { return *m_application.getStaticClass(); }
  MemoryManagers& pools() { return *m_application.getMemoryManagers(); }

  static constexpr int32_t nothingPending = -1;
  // The class id of the pending exception (nothingPending when none), which
  // is cleared.
  int32_t takePending() {
    Object* pending = m_application.getPending();
    m_application.m_pending = nullptr;
    return pending == nullptr ? nothingPending : pending->getClassId();
  }
  // The pending exception's message, which stays pending.
  std::string pendingMessage() {
    auto* thrown = static_cast<java_lang_Throwable*>(m_application.getPending());
    return thrown == nullptr ? "(nothing pending)" : asciiOf(thrown->getMessage());
  }
  // The low bytes of a string's characters; enough for the ASCII texts tests compare.
  static std::string asciiOf(String* text) {
    if (text == nullptr) return "(null)";
    std::string out;
    for (int32_t i = 0; i < text->length(); ++i) out += static_cast<char>(text->charAt(i));
    return out;
  }

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
