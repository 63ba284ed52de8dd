// The static block: records, the root table of reference statics, the order
// of the class initialisers, and one block per runtime.
#include <gtest/gtest.h>

#include <set>
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
  // The reference statics declared so far are among them.
  EXPECT_EQ(distinct.count(reinterpret_cast<Object**>(&block().cGame.menuRows)), 1u);
  EXPECT_EQ(distinct.count(reinterpret_cast<Object**>(&block().cActor.displayList)), 1u);
  EXPECT_EQ(distinct.count(&block().CorvaQNDR.instance), 1u);
}

TEST_F(StaticsTest, StaticsStartAsZero) {
  EXPECT_EQ(block().cGame.menuRows, nullptr);
  EXPECT_EQ(block().IMenus.menuHeight, 0);
  EXPECT_EQ(block().literalPool, nullptr);
  EXPECT_EQ(&statics(), &block());
}

__attribute__((noinline)) void fillReferenceStatics() {
  statics().cGame.menuRows = newObjectArray(6);
  statics().cGame.menuRows->set(0, newObjectArray(3));
  statics().CorvaQNDR.instance = newObject<Object>();
  newObject<Object>();  // garbage
}

TEST_F(StaticsTest, ReferenceStaticsAreRoots) {
  fillReferenceStatics();
  collect();
  EXPECT_EQ(objectManager().registeredCount(), 3u);
  ASSERT_EQ(block().cGame.menuRows->getClassId(), classid::ObjectArray);
  EXPECT_EQ(static_cast<ObjectArray*>(block().cGame.menuRows->get(0))->length(), 3);
  statics().cGame.menuRows = nullptr;
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

void storeAMidlet() { statics().CorvaQNDR.instance = newObject<Object>(); }

TEST(StaticBlockSetUp, EachRuntimeHasItsOwnBlock) {
  ClassInitialisers table;
  table.cGame = &storeAMidlet;
  for (int run = 0; run < 3; ++run) {
    Application application;
    application.init(&table, 1u << 18, 1u << 18);
    EXPECT_EQ(Application::get(), &application);
    ASSERT_NE(statics().CorvaQNDR.instance, nullptr);
    EXPECT_TRUE(application.getMemoryManagers()->m_objectHeap.contains(statics().CorvaQNDR.instance));
    EXPECT_EQ(statics().classes[classid::Object].m_refFieldOffsets, nullptr);
    application.close();
    EXPECT_EQ(Application::get(), nullptr);
  }
}

}  // namespace
