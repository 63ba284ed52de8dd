// The player's actions: the surroundings scan and its caps, the attack
// codes and their chaining, the turn-around blow, the aiming ring's rating,
// the carried items, and using what is in reach in the world's test room.

#include "game/world/cActorNPC.h"
#include "tests/game/story/conversation_kit.h"
#include "tests/game/world/player_fixture.h"
#include "tests/game/world/source_room.h"

namespace {

using namespace playertest;

constexpr int32_t L = DirectionMask::LEFT, R = DirectionMask::RIGHT;

class PlayerActionsTest : public PlayerFixture {
 protected:
  void SetUp() override {
    PlayerFixture::SetUp();
    makeOpenRoom();
    installMathTables();
  }

  // Fire pressed, then frames until the attack has played out; the code the
  // press chose.
  int32_t attack(cActorMC* player) {
    tap(FIRE);
    frame(player);
    const int32_t code = player->actionCode;
    for (int i = 0; i < 40 && player->state == 8; ++i) frame(player);
    EXPECT_NE(player->state, 8) << "the attack ends";
    return code;
  }

  // An item record: type, amount column, value, no name.
  static void makeItem(int32_t id, int32_t type, int32_t amount, int32_t value) {
    IntArray* record = newIntArray(7);
    record->set(2, type);
    record->set(3, -1);
    record->set(5, amount);
    record->set(6, value);
    cGame::setItemRecord(record, id);
  }
};

TEST_F(PlayerActionsTest, ChainedBlowsRunTwoHundredToTwoHundredTwoAndRestartAfterOneAndAHalfSeconds) {
  cActorMC* player = makePlayer(400, 300);
  player->setFacing(R);
  cActorEnemy* creature = makeCreature(470, 300);
  creature->state = 5;  // chasing: not one to be stepped to and taken
  const int32_t startHp = creature->hp;
  std::vector<int32_t> codes;
  for (int i = 0; i < 4; ++i) codes.push_back(attack(player));
  EXPECT_EQ(codes, (std::vector<int32_t>{200, 201, 202, 200}));
  EXPECT_EQ(player->state, 9) << "guarding: the creature is near";

  for (int i = 0; i < 25; ++i) frame(player);
  EXPECT_EQ(attack(player), 200) << "after 1.5 s the chain starts again";
  EXPECT_EQ(attack(player), 201);
  EXPECT_LT(creature->hp, startHp) << "blows were struck";
}

TEST_F(PlayerActionsTest, WithoutACreatureInReachEveryBlowIsTheFirst) {
  cActorMC* player = makePlayer(400, 300);
  player->setFacing(R);
  EXPECT_EQ(attack(player), 200);
  EXPECT_EQ(attack(player), 200);
  EXPECT_EQ(player->state, 0);
}

TEST_F(PlayerActionsTest, TheTurnAroundBlowEndsFacingTheOtherWay) {
  cActorMC* player = makePlayer(400, 300);
  player->setFacing(R);
  makeCreature(350, 300);
  frame(player);
  ASSERT_TRUE(player->enemyBehind);
  setKeys({LEFT}, {LEFT});
  frame(player);
  EXPECT_EQ(player->state, 8);
  EXPECT_EQ(player->actionCode, 205);
  setKeys({}, {});
  for (int i = 0; i < 40 && player->state == 8; ++i) frame(player);
  EXPECT_EQ(player->horizontalFacing(), L);
  EXPECT_EQ(player->dirX, -1);
}

TEST_F(PlayerActionsTest, AnIdleCreatureAloneInReachIsSteppedToAndTaken) {
  cActorMC* player = makePlayer(400, 300);
  player->setFacing(R);
  cActorEnemy* creature = makeCreature(470, 300);
  tap(FIRE);
  frame(player);
  EXPECT_EQ(player->actionCode, 199);
  EXPECT_EQ(player->grabTarget, creature);
  EXPECT_EQ(player->targetPoint->get(0), 454) << "16 px on the character's side";
  for (int i = 0; i < 10 && player->actionCode == 199; ++i) frame(player);
  EXPECT_EQ(player->actionCode, 204);
  frame(player);
  EXPECT_EQ(creature->state, 100) << "taken";
  EXPECT_EQ(creature->subState, 4) << "by a blow of kind 4";
  EXPECT_EQ(player->getPixelX(), 454);
}

// A caller that has seen the heroes backs off and throws for good (state
// 26): the blows and the sling must still find it, or it cannot be beaten.
TEST_F(PlayerActionsTest, ACallerBackingOffIsStillInReachAndTakesBlows) {
  cActorMC* player = makePlayer(400, 300);
  player->setFacing(R);
  cActorEnemy* caller = makeCreature(470, 300);
  caller->setParams(newIntArray(30), 30);
  caller->setParam(0, 2);
  caller->setParam(22, 50);
  caller->state = 26;
  player->scanSurroundings(R, 96, 32);
  EXPECT_EQ(player->enemyCount, 1);
  EXPECT_EQ(worldStatics().cActorMC.targetCount, 1) << "the sling can aim at it";
  attack(player);
  EXPECT_LT(caller->hp, 50) << "the blow lands";

  cActorEnemy* reeling = makeCreature(470, 300);
  reeling->state = 100;
  const int32_t before = reeling->hp;
  attack(player);
  EXPECT_EQ(reeling->hp, before) << "one still reeling from a blow is passed over";
}

TEST_F(PlayerActionsTest, TheScanListsKeepTheirSizes) {
  cActorMC* player = makePlayer(400, 300);
  player->setFacing(R);
  for (int i = 0; i < 12; ++i) makeCreature(440, 300);
  for (int i = 0; i < 300; ++i) makeCreature(100 + i, 100);
  for (int i = 0; i < 12; ++i) {
    cActor* breakable = makeActor(ActorKind::BLOCKING_OBJECT, 440, 300);
    breakable->setParams(newIntArray(8), 8);
    breakable->setFlag(ActorFlags::ACTIVE, true);
  }
  // Sliders just behind the character, free to be knocked further away.
  for (int i = 0; i < 6; ++i) {
    cActor* slider = makeActor(ActorKind::SLIDER, 440, 310);
    slider->setParams(newIntArray(8), 8);
    slider->setFlag(ActorFlags::ACTIVE, true);
  }
  for (int i = 0; i < 12; ++i) makeActor(ActorKind::CRITTER, 440, 300);
  player->scanSurroundings(R, 96, 32);
  EXPECT_EQ(player->enemyCount, 10);
  EXPECT_EQ(worldStatics().cActorMC.targetCount, 300);
  EXPECT_EQ(player->breakableCount, 10);
  EXPECT_EQ(player->moverCount, 4);
  EXPECT_EQ(player->otherCount, 10);
  EXPECT_TRUE(player->enemyOnScreen);
  EXPECT_TRUE(player->enemyNear);
}

TEST_F(PlayerActionsTest, TheAimingRingRatesTheShot) {
  cActorMC* player = makePlayer(400, 300, 1);
  player->setFacing(R);
  cActorEnemy* creature = makeCreature(600, 300);
  player->scanSurroundings(R, 96, 32);
  cActorMCStatics& aim = worldStatics().cActorMC;
  aim.aimCode = 0;
  player->updateAim(R, true, false);
  ASSERT_EQ(player->selectedAimTarget(), creature);
  ASSERT_EQ(aim.aimTarget, creature);
  struct Case {
    int32_t ring, damage;
    bool hit;
  };
  setTimeStep(0);  // the ring holds its size
  for (const Case& c : {Case{18, 100, true}, Case{19, 50, true}, Case{25, 50, true}, Case{26, 30, true},
                        Case{32, 30, true}, Case{33, 20, true}, Case{39, 20, true}, Case{47, -1, false},
                        Case{48, -1, false}}) {
    SCOPED_TRACE(c.ring);
    aim.aimRing->set(0, c.ring);
    aim.aimDamage = -1;
    tap(FIRE);
    player->updateAim(R, true, true);
    EXPECT_TRUE(aim.aimKeyPressed);
    EXPECT_EQ(aim.aimHit, c.hit);
    if (c.hit) {
      EXPECT_EQ(aim.aimDamage, c.damage);
    }
  }
}

TEST_F(PlayerActionsTest, AddingItems) {
  for (int32_t id = 1; id <= 29; ++id) makeItem(id, 1, 1, 0);
  cActorMC* player = makePlayer(400, 300);
  EXPECT_EQ(player->addItem(5, 1, true), 0);
  EXPECT_EQ(player->addItem(5, 2, false), 0) << "the same id keeps its slot";
  EXPECT_EQ(static_cast<IntArray*>(player->items->get(0))->get(1), 3);
  for (int32_t id = 6; id < 20; ++id) EXPECT_EQ(player->addItem(id, 1, false), id - 5);
  EXPECT_EQ(player->firstFreeItemSlot(), -1);
  EXPECT_EQ(player->addItem(25, 1, false), -1) << "a sixteenth item has no slot";
  EXPECT_EQ(player->findInventorySlot(25), -1);
  EXPECT_EQ(player->addItem(0, 1, false), -1);
  EXPECT_EQ(player->addItem(30, 1, false), -1);
}

TEST_F(PlayerActionsTest, FindingASlotTakesOnlyIdsOfTheItemTable) {
  cActorMC* player = makePlayer(400, 300);
  for (int32_t slot = 0; slot < 3; ++slot) {
    IntArray* entry = newIntArray(2);
    entry->set(0, slot == 0 ? 0 : slot == 1 ? 30 : 29);
    entry->set(1, 1);
    player->items->set(slot, entry);
  }
  EXPECT_EQ(player->findInventorySlot(0), -1);
  EXPECT_EQ(player->findInventorySlot(30), -1) << "30 lies past the item table";
  EXPECT_EQ(player->findInventorySlot(29), 2);
  EXPECT_EQ(player->firstFreeItemSlot(), 0) << "an id below 1 is a free slot";
}

TEST_F(PlayerActionsTest, UsingItemsByType) {
  makeItem(1, 0, 1, 30);   // heals 30 % of the maximum
  makeItem(2, 5, 1, 300);  // stamina
  makeItem(3, 2, 1, 0);    // no effect of its own
  makeItem(4, 7, 1, 0);    // not usable
  makeItem(5, 1, 0, 0);    // carried without a count
  cActorMC* player = makePlayer(400, 300);
  player->hp = 50;
  player->setParam(5, 500);
  for (int32_t id = 1; id <= 5; ++id) player->addItem(id, 1, false);
  EXPECT_TRUE(player->canUseItemSlot(0));
  EXPECT_TRUE(player->canUseItemSlot(1));
  EXPECT_FALSE(player->canUseItemSlot(2));
  EXPECT_FALSE(player->canUseItemSlot(15));
  EXPECT_FALSE(player->canUseItemSlot(-1));

  EXPECT_TRUE(player->useItem(0));
  EXPECT_EQ(player->hp, 80);
  EXPECT_EQ(player->items->get(0), nullptr) << "its last one used";
  EXPECT_TRUE(player->useItem(1));
  EXPECT_EQ(player->param(5), 800);
  EXPECT_TRUE(player->useItem(2));
  EXPECT_EQ(player->items->get(2), nullptr);
  EXPECT_FALSE(player->useItem(3));
  EXPECT_NE(player->items->get(3), nullptr) << "a refused use takes nothing";
  EXPECT_TRUE(player->useItem(4));
  EXPECT_TRUE(player->useItem(4));
  EXPECT_EQ(player->findInventorySlot(5), 4) << "a count of 0 never empties its slot";
  EXPECT_FALSE(player->useItem(14));
  EXPECT_FALSE(player->useItem(99));
}

class PlayerInTestRoomTest : public PlayerFixture {
 protected:
  void SetUp() override {
    PlayerFixture::SetUp();
    makeOpenRoom();
    for (int32_t slot : {17, 23}) installSprite(slot);
    // The room's last load step makes the conversation ring.
    cGame::initConversationQueue();
    m_room = worldkit::loadSourceRoom("test_room.lvl");
  }
  cActor* actor(const char* name) const { return cActor::findById(m_room.symbols.actors.at(name)); }

  tools::AssembledLevel m_room;
};

TEST_F(PlayerInTestRoomTest, TheHotspotGivesItsItemAndThePersonQueuesTheirLine) {
  auto* hero = static_cast<cActorMC*>(actor("hero"));
  ASSERT_EQ(play().focusActor, hero);
  ASSERT_NE(hero->items, nullptr);

  // Beside the ferryman, facing him.
  cActor* ferryman = actor("ferryman");
  hero->setX((ferryman->getPixelX() - 40) << 8);
  hero->setY(ferryman->getPixelY() << 8);
  hero->setFacing(R);
  tap(FIRE);
  frame(hero);
  EXPECT_EQ(hero->characterInReach, nullptr) << "talked to";
  EXPECT_EQ(conversationkit::shownText(), 272);
  EXPECT_EQ(hero->state, 0);
  // Read: the line goes and the player has control again.
  cGame::dismissConversationLine();

  hero->setX(actor("lanternSpot")->getPixelX() << 8);
  hero->setY(actor("lanternSpot")->getPixelY() << 8);
  // What the hotspot reveals is switched on by its trigger.
  cActor* gate = actor("gate");
  gate->deactivate();
  actor("lanternSpot")->setParam(3, gate->id);
  tap(FIRE);
  frame(hero);
  EXPECT_EQ(hero->state, 103);
  for (int i = 0; i < 20 && hero->state == 103; ++i) frame(hero);
  EXPECT_EQ(hero->state, 0);
  EXPECT_EQ(hero->findInventorySlot(1), 0) << "the lantern";
  EXPECT_TRUE(actor("lanternSpot") == nullptr || actor("lanternSpot")->isKilled());
  EXPECT_TRUE(gate->isActive()) << "revealed by the hotspot's trigger";
}

}  // namespace
