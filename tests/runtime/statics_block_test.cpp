// The static block: records, the root table of reference statics, the order
// of the class initialisers, and one block per runtime.
#include <gtest/gtest.h>

#include <set>
#include <tuple>
#include <string>
#include <vector>

#include "runtime/lang/ObjectArray.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/support/RuntimeFixture.h"

namespace {

class StaticsTest : public RuntimeFixture {};

TEST_F(StaticsTest, EveryRootPointsAtAStaticOfTheBlock) {
  const auto* statics = reinterpret_cast<const char*>(&block());
  const auto* staticsEnd = reinterpret_cast<const char*>(&block().roots);
  std::set<Object**> distinct;
  ASSERT_EQ(StaticClass::rootCount, BlockStatics::referenceCount);
  for (Object** root : block().roots) {
    const auto* address = reinterpret_cast<const char*>(root);
    EXPECT_GE(address, statics);
    EXPECT_LT(address, staticsEnd);
    distinct.insert(root);
  }
  EXPECT_EQ(distinct.size(), StaticClass::rootCount);
  EXPECT_EQ(distinct.count(reinterpret_cast<Object**>(&block().java_lang_System.out)), 1u);
}

TEST_F(StaticsTest, TheGameBlockListsItsOwnReferenceStatics) {
  ASSERT_NE(block().gameBlock, nullptr);
  EXPECT_EQ(block().gameBlockSize, sizeof(TestRoots));
  ASSERT_EQ(block().gameRootCount, 2u);
  EXPECT_EQ(block().gameRoots[0], reinterpret_cast<Object**>(&testRoots().kept));
  EXPECT_EQ(block().gameRoots[1], &testRoots().object);
}

TEST_F(StaticsTest, StaticsStartAsZero) {
  EXPECT_EQ(testRoots().kept, nullptr);
  EXPECT_EQ(testRoots().object, nullptr);
  EXPECT_EQ(block().literalPool, nullptr);
  EXPECT_EQ(&statics(), &block());
}

// Nested statics structs: every reference static of every part is a root, in
// declaration order, and a plain part adds none.
struct PlainPart {
  int32_t counter;
};
struct PartWithReferences {
  Object* first;
  int32_t between;
  ObjectArray* second;
  static constexpr auto referenceFields() {
    return ReferenceFieldList{&PartWithReferences::first, &PartWithReferences::second};
  }
};
struct InnerBlock {
  PlainPart plain;
  PartWithReferences references;
  auto parts() { return std::tie(plain, references); }
};
struct OuterBlock {
  PartWithReferences head;
  InnerBlock inner;
  auto parts() { return std::tie(head, inner); }
};

TEST(GameStaticsDescription, CollectsNestedPartsInOrder) {
  constexpr GameStaticsDescription description = describeGameStatics<OuterBlock>();
  static_assert(description.size == sizeof(OuterBlock));
  static_assert(description.referenceCount == 4);
  OuterBlock block{};
  void* addresses[4] = {};
  EXPECT_EQ(description.collectReferences(&block, addresses), addresses + 4);
  EXPECT_EQ(addresses[0], &block.head.first);
  EXPECT_EQ(addresses[1], &block.head.second);
  EXPECT_EQ(addresses[2], &block.inner.references.first);
  EXPECT_EQ(addresses[3], &block.inner.references.second);
}

__attribute__((noinline)) void fillReferenceStatics() {
  testRoots().kept = newObjectArray(6);
  testRoots().kept->set(0, newObjectArray(3));
  testRoots().object = newObject<Object>();
  newObject<Object>();  // garbage
}

// Out of line, so that no word of the test's own frame holds the array.
__attribute__((noinline)) void expectTheKeptArrayWhole() {
  ASSERT_EQ(testRoots().kept->getClassId(), classid::ObjectArray);
  EXPECT_EQ(static_cast<ObjectArray*>(testRoots().kept->get(0))->length(), 3);
  testRoots().kept = nullptr;
}

TEST_F(StaticsTest, ReferenceStaticsAreRoots) {
  fillReferenceStatics();
  collect();
  EXPECT_EQ(objectManager().registeredCount(), 3u);
  expectTheKeptArrayWhole();
  collect();
  EXPECT_EQ(objectManager().registeredCount(), 1u);
}

std::vector<std::string>* initialiserLog = nullptr;

template <const char* name>
void recordInitialiser() {
  initialiserLog->push_back(name);
}

constexpr char systemName[] = "java_lang_System", enemyName[] = "cActorEnemy", definesName[] = "IDefines",
               booleanName[] = "java_lang_Boolean", spriteName[] = "ASprite", fontName[] = "BitmapFont",
               actorName[] = "cActor", playerName[] = "CVLibPlayer", heroName[] = "cActorMC", gameName[] = "cGame",
               menusName[] = "IMenus", kivraName[] = "Kivra", runtimeName[] = "java_lang_Runtime";

TEST(StaticBlockSetUp, RunsTheInitialisersInTheirFixedOrder) {
  std::vector<std::string> log;
  initialiserLog = &log;
  ClassInitialisers table;
  // Filled out of order on purpose: the set-up owns the order.
  table.java_lang_Runtime = &recordInitialiser<runtimeName>;
  table.IMenus = &recordInitialiser<menusName>;
  table.cGame = &recordInitialiser<gameName>;
  table.java_lang_System = &recordInitialiser<systemName>;
  table.cActorEnemy = &recordInitialiser<enemyName>;
  table.IDefines = &recordInitialiser<definesName>;
  table.java_lang_Boolean = &recordInitialiser<booleanName>;
  table.ASprite = &recordInitialiser<spriteName>;
  table.BitmapFont = &recordInitialiser<fontName>;
  table.cActor = &recordInitialiser<actorName>;
  table.CVLibPlayer = &recordInitialiser<playerName>;
  table.cActorMC = &recordInitialiser<heroName>;
  table.Kivra = &recordInitialiser<kivraName>;
  Application application;
  application.init(&table, 1u << 18, 1u << 18);
  application.close();
  initialiserLog = nullptr;
  const std::vector<std::string> expected = {systemName, enemyName, definesName, booleanName, spriteName,
                                             fontName,   actorName, playerName,  heroName,    gameName,
                                             menusName,  kivraName, runtimeName};
  EXPECT_EQ(log, expected);
}

void storeAMidlet() { testRoots().object = newObject<Object>(); }

TEST(StaticBlockSetUp, EachRuntimeHasItsOwnBlock) {
  ClassInitialisers table = testRootsInitialisers();
  table.cGame = &storeAMidlet;
  for (int run = 0; run < 3; ++run) {
    Application application;
    application.init(&table, 1u << 18, 1u << 18);
    EXPECT_EQ(Application::get(), &application);
    ASSERT_NE(testRoots().object, nullptr);
    EXPECT_TRUE(application.getMemoryManagers()->m_objectHeap.contains(testRoots().object));
    EXPECT_EQ(statics().classes[classid::Object].m_refFieldOffsets, nullptr);
    application.close();
    EXPECT_EQ(Application::get(), nullptr);
  }
}

}  // namespace
