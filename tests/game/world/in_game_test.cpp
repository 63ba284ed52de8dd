// GameState 14: which mode owns a frame and what it steps, the world's time
// step, the timer ring, the way into the in-game menu and the paint order.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "game/shell/StandIns.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/SensibleRectangle.h"
#include "game/world/cActorMC.h"
#include "game/world/cActorNPC.h"
#include "tests/game/story/conversation_kit.h"
#include "tests/game/story/script_builder.h"
#include "tests/game/world/world_fixture.h"

namespace {

// What the stand-ins and the painters reported, in order, and what the
// stand-ins are told to answer.
std::vector<std::string>& heard() {
  static std::vector<std::string> calls;
  return calls;
}
std::map<std::string, int32_t>& answers() {
  static std::map<std::string, int32_t> table;
  return table;
}
int32_t recordStandIn(const char* name, int32_t value) {
  heard().push_back(name);
  const auto it = answers().find(name);
  return it != answers().end() ? it->second : value;
}

bool wasHeard(const std::string& name) { return std::find(heard().begin(), heard().end(), name) != heard().end(); }

class InGameTest : public WorldFixture {
 protected:
  void SetUp() override {
    WorldFixture::SetUp();
    heard().clear();
    answers().clear();
    standInHook() = &recordStandIn;
    CVLibPlayer::initLayerTables(800, 480, 32, 32);
    m_actor = makeActor(63, 100, 100);
    m_actor->updatedThisFrame = false;
  }
  void TearDown() override {
    standInHook() = nullptr;
    WorldFixture::TearDown();
  }

  // One update of GameState 14 as the state machine sends it. The camera
  // stop at the blockers is heard by the camera position it records.
  void update() {
    heard().clear();
    m_actor->updatedThisFrame = false;
    constexpr int32_t unseen = -99999;
    cGameCameraStatics& camera = worldStatics().cGameCamera;
    camera.lastCameraPixelX = unseen;
    cGame::stateInGame(StateMessage::update);
    if (camera.lastCameraPixelX != unseen) heard().push_back("clampCameraAtBlockers");
  }
  bool actorsUpdated() const { return m_actor->updatedThisFrame; }

  // A cutscene that runs for a minute: one plain track with a far keyframe.
  static void runLongCutscene(bool background) {
    ScriptBuilder script;
    script.cutscene(1, 1).track(0, 0).key(600).cmd(56);
    cGame::loadEventScript(script.array());
    ASSERT_TRUE(cGame::startCutscene(0, 0, background, false, false));
  }
  // The skip control offered and its softkey released this frame.
  static void askToSkip() {
    storyStatics().cGameCutscene.cutsceneSkipOffered = true;
    storyStatics().cGameCutscene.cutsceneSkipMode = false;
    shell::keys().frameReleased = 1 << 18;
  }
  static void endAnyCutscene() {
    cGame::endCutscene(cGame::currentCutscene());
    storyStatics().cGameCutscene.cutsceneTransition = -1;
  }

  cActorMC* makePartner(int32_t id, int32_t partnerIndex) {
    IntArray* position = newIntArray(3);
    cActorMC* partner = cActorMC::create(ActorKind::PLAYER, 0, position);
    partner->id = id;
    partner->partnerIndex = partnerIndex;
    partner->hp = 100;
    partner->setParams(newIntArray(8), 8);
    return partner;
  }

  cActor* m_actor = nullptr;
};

TEST_F(InGameTest, EachModeStepsOnlyWhatItOwns) {
  // The popup's and the cutscene's own steps are real; their tests see them run.
  // The conversation's own step is real too: ConversationTest sees the
  // in-game update dismiss a line.
  const std::vector<std::string> steps = {"updateChoice", "updateCountdown", "clampCameraAtBlockers"};
  enum class Cutscene { none, holding, skipAsked };
  struct Case {
    const char* mode;
    std::map<std::string, int32_t> answers;
    Cutscene cutscene;
    int32_t ringMode;
    std::vector<std::string> stepped;
    bool actors;
    bool menuBlocked;
  };
  const Case cases[] = {
      // The cinematic's own step is real: its clock moves on.
      {"cinematic", {{"cinematic", 1}, {"choice", 1}}, Cutscene::none, -1, {}, false, true},
      {"choice", {{"choice", 1}, {"timed", 1}}, Cutscene::none, -1, {"updateChoice"}, false, false},
      {"timed event", {{"timed", 1}}, Cutscene::holding, -1, {}, true, true},
      {"skip", {}, Cutscene::skipAsked, 1, {}, false, false},
      {"cutscene hold", {}, Cutscene::holding, 0, {"clampCameraAtBlockers"}, false, false},
      {"ring turning", {}, Cutscene::none, 2, {"clampCameraAtBlockers"}, false, false},
      {"normal play", {}, Cutscene::none, -1, {"updateCountdown", "clampCameraAtBlockers"}, true, false},
      // The countdown waits while a line is shown or an interaction runs.
      {"conversation", {{"conversation", 1}}, Cutscene::none, -1, {"clampCameraAtBlockers"}, false, false},
      {"interaction", {{"interaction", 1}}, Cutscene::none, 1, {"clampCameraAtBlockers"}, false, false},
  };
  // The camera stops only with a focus character.
  cGame::setFocusActor(makePartner(1, 0));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    answers() = c.answers;
    cGame::initConversationQueue();
    // The choice, the timed events and the countdown are real: their steps
    // are seen in their state.
    cGame::clearChoice();
    if (answers().erase("choice") != 0) cGame::openChoice(nullptr, 2, nullptr, 0);
    cGame::startCaptionPhase(answers().erase("timed") != 0 ? 0 : -1);
    constexpr int32_t countdownMs = 60000;
    cGame::setCountdown(countdownMs, -1);
    shell::loop().frameTime = 62;
    if (answers().erase("conversation") != 0) conversationkit::showLine();
    const bool cinematic = answers().erase("cinematic") != 0;
    if (cinematic) cGame::openCinematic(0, 1, -1);
    // An open close-up without its target: its update only marks that it ran.
    cGameInteractionStatics& interaction = storyStatics().cGameInteraction;
    const bool interactionOpen = answers().erase("interaction") != 0;
    interaction.interactionMode = interactionOpen ? 1 : 0;
    interaction.interactionModeSeen = 0;
    interaction.interactionKind = 0;
    if (c.cutscene != Cutscene::none) runLongCutscene(true);
    if (c.cutscene == Cutscene::holding) storyStatics().cGameCutscene.cutsceneTransition = 2;
    if (c.cutscene == Cutscene::skipAsked) askToSkip();
    play().ringMode = c.ringMode;
    play().ringElapsed = 0;
    play().ringDuration = 100000;
    play().menuBlocked = !c.menuBlocked;
    update();
    std::vector<std::string> stepped;
    for (const std::string& step : steps) {
      const bool ran = step == "updateChoice"      ? storyStatics().cGameChoice.choiceState == 2
                       : step == "updateCountdown" ? storyStatics().cGameCountdown.countdownMs < countdownMs
                                                   : wasHeard(step);
      if (ran) stepped.push_back(step);
    }
    EXPECT_EQ(stepped, c.stepped);
    EXPECT_EQ(interaction.interactionModeSeen, interactionOpen ? 1 : 0) << "the interaction's update ran";
    interaction.interactionMode = 0;
    interaction.interactionModeSeen = 0;
    EXPECT_EQ(actorsUpdated(), c.actors);
    EXPECT_EQ(play().menuBlocked, c.menuBlocked);
    EXPECT_EQ(storyStatics().cGameCinematic.cinematicElapsed > 0, cinematic);
    cGame::closeCinematic();
    endAnyCutscene();
  }
}

TEST_F(InGameTest, AForegroundCutsceneOrADefeatedPlayerBlocksTheMenu) {
  update();
  EXPECT_FALSE(play().menuBlocked);

  runLongCutscene(false);
  update();
  EXPECT_TRUE(play().menuBlocked);
  shellStatics().cGameShared.fullSpeedAnimation = true;
  update();
  EXPECT_FALSE(play().menuBlocked) << "a background cutscene leaves the menu open";
  endAnyCutscene();

  cActorMC* player = makePartner(1, 0);
  cGame::setFocusActor(player);
  player->hp = 0;
  update();
  EXPECT_TRUE(play().menuBlocked);
}

TEST_F(InGameTest, BehavioursRunOutsideForegroundCutscenesAndRunningTimedEvents) {
  struct Case {
    bool cutscene, fullSpeed;
    int32_t phase;
    bool enabled;
  };
  for (const Case& c : {Case{false, false, -1, true}, Case{false, false, -2, true}, Case{false, false, 0, false},
                        Case{false, false, 4, false}, Case{true, false, -1, false}, Case{true, true, -1, true},
                        Case{true, true, 2, false}}) {
    SCOPED_TRACE(testing::Message() << "cutscene " << c.cutscene << " full speed " << c.fullSpeed << " phase "
                                    << c.phase);
    cGame::startTimedCaption(c.phase);
    if (c.cutscene) runLongCutscene(c.fullSpeed);
    shellStatics().cGameShared.fullSpeedAnimation = c.fullSpeed;
    update();
    EXPECT_EQ(play().behavioursEnabled, c.enabled);
    endAnyCutscene();
  }
}

TEST_F(InGameTest, TheTimeStepIsTheFrameTimeCappedInTheSideView) {
  struct Case {
    bool sideView;
    int32_t frameTime, step;
  };
  for (const Case& c : {Case{false, 62, 62}, Case{false, 120, 120}, Case{false, 1000, 1000}, Case{true, 120, 50},
                        Case{true, 50, 50}, Case{true, 49, 49}, Case{true, 1000, 50}}) {
    SCOPED_TRACE(testing::Message() << "side view " << c.sideView << " frame " << c.frameTime);
    shellStatics().cGameProgress.sideViewMode = c.sideView;
    shellStatics().cGameLoop.frameTime = c.frameTime;
    update();
    EXPECT_EQ(shellStatics().cGameLoop.timeStep, c.step);
  }
}

TEST_F(InGameTest, TheRunningRingSlowsTheWorldToThreeSixteenths) {
  struct Case {
    int32_t frameTime, step;
  };
  // 333 ms is the longest frame the slow motion stretches.
  for (const Case& c : {Case{62, 11}, Case{16, 3}, Case{0, 0}, Case{333, 62}, Case{334, 62}, Case{1000, 62}}) {
    SCOPED_TRACE(c.frameTime);
    play().ringMode = 1;
    play().ringElapsed = 0;
    play().ringDuration = 5000;
    shellStatics().cGameLoop.frameTime = c.frameTime;
    update();
    EXPECT_EQ(shellStatics().cGameLoop.timeStep, c.step);
    EXPECT_TRUE(actorsUpdated());
  }
}

TEST_F(InGameTest, TheRingOpensRunsAndClosesAroundItsAnchor) {
  cActor* anchor = makeActor(63, 300, 200);
  anchor->setParams(newIntArray(6), 6);
  anchor->setParam(5, 1000);
  anchor->screenX = 300;
  anchor->screenY = 200;
  cGamePlayStatics& ring = play();
  ring.ringMode = 0;
  ring.ringElapsed = 0;
  ring.ringDuration = 200;
  ring.ringAnchor = anchor;
  EXPECT_TRUE(cGame::isAnchoredPanelActive());

  shellStatics().cGameLoop.frameTime = 250;
  cGame::updateTimerRing();
  EXPECT_TRUE(cGame::isRingFrozen());
  cGame::updateTimerRing();
  EXPECT_EQ(ring.ringMode, 1) << "opened at 500 ms";
  EXPECT_EQ(ring.ringElapsed, 0);
  EXPECT_FALSE(cGame::isRingFrozen());

  shellStatics().cGameLoop.frameTime = 100;
  cGame::updateTimerRing();
  EXPECT_EQ(anchor->param(5), 900) << "the anchor's gauge runs down by the frame time";
  EXPECT_EQ(ring.ringMode, 1);
  shellStatics().cGameLoop.timeStep = 100;
  cGame::updateTimerRing();
  EXPECT_EQ(ring.ringMode, 2) << "closed at its duration";
  EXPECT_EQ(ring.ringElapsed, 0);
  EXPECT_EQ(ring.ringX, 300);
  EXPECT_EQ(ring.ringY, 155);
  EXPECT_EQ(shellStatics().cGameLoop.timeStep, 100) << "the closing frame is not slowed";

  shellStatics().cGameLoop.frameTime = 499;
  cGame::updateTimerRing();
  EXPECT_EQ(ring.ringMode, 2);
  shellStatics().cGameLoop.frameTime = 1;
  cGame::updateTimerRing();
  EXPECT_EQ(ring.ringMode, -1);
  EXPECT_FALSE(cGame::isAnchoredPanelActive());

  ring.ringAnchor = nullptr;
  cGame::closeAnchoredPanel();
  EXPECT_EQ(ring.ringX, 400);
  EXPECT_EQ(ring.ringY, 240);
}

class InGameMenuTest : public InGameTest {
 protected:
  void SetUp() override {
    InGameTest::SetUp();
    machine().stateChangePending = false;
    shell::states().nextState = GameState::none;
    shell::states().menuSuspended = false;
    shell::menu().menuMemory->set(2, 74);
    m_corner = newObject<SensibleRectangle>();
  }
  static cGameStateStatics& machine() { return toolkitStatics().cGameState; }
  bool menuOpened() const { return machine().stateChangePending && shell::states().nextState == GameState::inGameMenu; }

  SensibleRectangle* m_corner = nullptr;
};

TEST_F(InGameMenuTest, TheLeftSoftkeyOpensTheMenuOnlyAsTheHighestReleasedKey) {
  struct Case {
    int32_t released;
    bool opens;
  };
  for (const Case& c : {Case{1 << 18, true}, Case{(1 << 18) | (1 << 5), true}, Case{(1 << 18) | (1 << 19), false},
                        Case{(1 << 18) | (1 << 23), false}, Case{(1 << 18) | (1 << 24), true}, Case{1 << 17, false},
                        Case{0, false}}) {
    SCOPED_TRACE(c.released);
    machine().stateChangePending = false;
    shell::states().menuSuspended = false;
    shell::keys().frameReleased = c.released;
    update();
    EXPECT_EQ(menuOpened(), c.opens);
    if (c.opens) {
      EXPECT_TRUE(shell::states().menuSuspended);
      EXPECT_EQ(shell::menu().menuMemory->get(2), -1) << "the menu opens on its first row";
    }
  }
}

TEST_F(InGameMenuTest, AResumeOrATapOnTheMenuCornerOpensTheMenu) {
  struct Case {
    const char* what;
    bool forcePaint, suspended;
    int32_t area;
    bool released, opens;
  };
  for (const Case& c : {Case{"resumed", true, false, 0, false, true},
                        Case{"resumed over the menu", true, true, 0, false, false},
                        Case{"corner tapped", false, false, 1001, true, true},
                        Case{"corner held", false, false, 1001, false, false},
                        Case{"other area tapped", false, false, 1002, true, false}}) {
    SCOPED_TRACE(c.what);
    machine().stateChangePending = false;
    shell::states().menuSuspended = c.suspended;
    shell::loop().forcePaint = c.forcePaint;
    m_corner->set(0, 0, 70, 70, c.area);
    shell::touch().touchedOverlayArea = c.area != 0 ? m_corner : nullptr;
    shell::touch().pointerWasReleased = c.released;
    update();
    EXPECT_EQ(menuOpened(), c.opens);
  }
}

TEST_F(InGameMenuTest, ABlockedMenuStillConsumesTheTap) {
  cGame::openCinematic(0, 1, -1);
  m_corner->set(0, 0, 70, 70, 1001);
  shell::touch().touchedOverlayArea = m_corner;
  shell::touch().pointerWasReleased = true;
  update();
  EXPECT_FALSE(menuOpened());
  EXPECT_EQ(shell::touch().touchedOverlayArea, nullptr);
  EXPECT_FALSE(shell::touch().pointerWasReleased);
  EXPECT_FALSE(shell::states().menuSuspended);
  EXPECT_EQ(shell::menu().menuMemory->get(2), 74);

  // The skip control's frame ends before the menu rule.
  cGame::closeCinematic();
  runLongCutscene(true);
  askToSkip();
  update();
  EXPECT_FALSE(menuOpened());
}

TEST_F(InGameTest, EnteringSetsTheSoftkeysAndTheLoadProfile) {
  cGame::stateInGame(StateMessage::enter);
  EXPECT_EQ(shell::box().leftSoftkey, -2);
  EXPECT_EQ(shell::box().rightSoftkey, -1);
  EXPECT_EQ(shell::loading().loadProfile, LoadProfile::keepCount);
  ASSERT_NE(cGame::stateHandlerSlot(GameState::inGame), nullptr);
  EXPECT_EQ(*cGame::stateHandlerSlot(GameState::inGame), &cGame::stateInGame);
}

// --- the paint order

std::vector<ASprite*>& labelledSprites() {
  static std::vector<ASprite*> sprites;
  return sprites;
}

void recordSprite(ASprite* sprite) {
  const auto it = std::find(labelledSprites().begin(), labelledSprites().end(), sprite);
  const std::string label =
      "sprite " + std::to_string(it != labelledSprites().end() ? it - labelledSprites().begin() : -1);
  // A layer paints many tiles: one entry per run.
  if (heard().empty() || heard().back() != label) heard().push_back(label);
}

class InGamePaintTest : public InGameTest {
 protected:
  void SetUp() override {
    InGameTest::SetUp();
    m_saved = spritePainterCalls();
    spritePainterCalls().paintFrame = [](ASprite* sprite, javax_microedition_lcdui_Graphics*, int32_t, int32_t,
                                         int32_t, int32_t) { recordSprite(sprite); };
    spritePainterCalls().paintModule = spritePainterCalls().paintFrame;
    spritePainterCalls().paintAFrame = [](ASprite* sprite, javax_microedition_lcdui_Graphics*, int32_t, int32_t,
                                          int32_t, int32_t, int32_t) { recordSprite(sprite); };
    // Sprites 0..2 tile map layers 0, 2 and 3; sprite 3 is the actor's.
    labelledSprites().clear();
    for (int32_t layer : {0, 2, 3}) {
      ASprite* tiles = makeSprite(7 + layer, {{0, 0, 32, 32}}, {});
      labelledSprites().push_back(tiles);
      CVLibPlayer::loadLayer(layer, layerHeader(), filledTiles(), nullptr, tiles, false, 16, 0, 0);
    }
    ASprite* actorSprite = makeSprite(20, {{-8, -16, 16, 16}}, {{0}});
    labelledSprites().push_back(actorSprite);
    m_actor->setSprite(actorSprite);
    m_actor->setAnim(0, -1);
    m_actor->setFlag(ActorFlags::ACTIVE, true);
  }
  void TearDown() override {
    spritePainterCalls() = m_saved;
    InGameTest::TearDown();
  }
  // An open close-up without a picture: what it paints is its cursor,
  // labelled "sprite 4".
  void openCloseUp(bool overWorld) {
    cGameInteractionStatics& interaction = storyStatics().cGameInteraction;
    interaction.interactionMode = 1;
    interaction.interactionKind = 0;
    interaction.interactionTarget = m_actor;
    interaction.interactionOverWorld = overWorld;
    ASprite* cursorSprite = makeSprite(30, {{-4, -4, 8, 8}}, {{0}});
    labelledSprites().push_back(cursorSprite);
    CVLibPlayer* cursor = newObject<CVLibPlayer>();
    cursor->setSprite(cursorSprite);
    cursor->setAnim(0, -1);
    interaction.closeUpCursor = cursor;
  }
  static ByteArray* layerHeader() {
    ByteArray* header = newByteArray(4);
    header->set(0, 25);
    header->set(2, 15);
    return header;
  }
  static ByteArray* filledTiles() { return newByteArray(25 * 15); }

  std::vector<std::string> paint() {
    heard().clear();
    cGame::stateInGame(StateMessage::paint);
    std::vector<std::string> painted;
    for (const std::string& call : heard()) {
      if (call.rfind("paint", 0) == 0 || call.rfind("sprite", 0) == 0 || call.rfind("cActor", 0) == 0)
        painted.push_back(call);
    }
    return painted;
  }

  SpritePainterCalls m_saved{};
};

TEST_F(InGamePaintTest, TheSceneIsPaintedLayersActorsOverlaysThenTheModes) {
  cActorMC* player = makePartner(1, 0);
  cGame::setFocusActor(player);
  // The line shown counts one painted frame per pass of the conversation.
  cGame::initConversationQueue();
  conversationkit::showLine();
  EXPECT_EQ(paint(), (std::vector<std::string>{"sprite 0", "sprite 1", "sprite 3", "cActorMC::paintExtras",
                                               "sprite 2"}));
  EXPECT_EQ(conversationkit::talk().conversationFrames, 1);

  // Inside a camera zone the layer over the scene is left out; an open
  // interaction paints over the scene again.
  worldStatics().cGameCamera.outsideZones = false;
  openCloseUp(true);
  EXPECT_EQ(paint(), (std::vector<std::string>{"sprite 0", "sprite 1", "sprite 3", "cActorMC::paintExtras",
                                               "sprite 4"}));
  EXPECT_EQ(conversationkit::talk().conversationFrames, 3) << "under and over the interaction";
}

TEST_F(InGamePaintTest, AnInteractionWithAScreenOfItsOwnHidesTheScene) {
  openCloseUp(false);
  cGame::initConversationQueue();
  conversationkit::showLine();
  EXPECT_EQ(paint(), (std::vector<std::string>{"sprite 0", "sprite 1", "sprite 4"}));
  EXPECT_EQ(conversationkit::talk().conversationFrames, 1) << "over the interaction's screen";
}

TEST_F(InGamePaintTest, TheRunningRingDarkensTheScene) {
  play().highlightPresent = true;
  play().ringMode = 1;
  auto* g = shell::loop().graphics;
  g->setColor(0xFFFFFF);
  g->fillRect(0, 0, 800, 480);
  // Layers without tiles painted over the white, so the darkening shows.
  CVLibPlayer::clearLayer(0, true);
  CVLibPlayer::clearLayer(2, true);
  CVLibPlayer::clearLayer(3, true);
  paint();
  EXPECT_FALSE(play().highlightPresent) << "each paint starts without a highlight";
  IntArray* pixel = newIntArray(1);
  screen()->getRGB(pixel, 0, 1, 700, 400, 1, 1);
  // 0x70 of black over white, as near as the screen's colours come.
  const int32_t red = (pixel->get(0) >> 16) & 0xFF;
  EXPECT_GT(red, 0x78);
  EXPECT_LT(red, 0x98);
}

// --- the player's control and the partners

TEST_F(InGameTest, TakingControlAwayStopsThePlayerAndClosesTheRing) {
  cActorMC* player = makePartner(1, 0);
  cGame::setFocusActor(player);
  player->state = 3;
  cActor* carried = makeActor(ActorKind::BLOCKING_OBJECT, 0, 0);
  carried->setParams(newIntArray(14), 14);
  carried->setParam(4, 3);
  carried->setParam(13, 1);
  player->linkedActor = carried;
  player->damageTimeLeft = 300;
  player->damageElapsed = 20;
  player->damageInterval = 100;
  player->damageSource = 2;
  play().ringMode = 1;

  cGame::setPlayerControl(true);
  EXPECT_TRUE(cGame::hasPlayerControl());
  cGame::setPlayerControl(false);
  EXPECT_FALSE(cGame::hasPlayerControl());
  EXPECT_EQ(player->state, 0);
  EXPECT_EQ(carried->param(13), 0) << "set down";
  EXPECT_EQ(carried->param(4), 0) << "resting, to be lifted again";
  EXPECT_EQ(player->linkedActor, nullptr);
  EXPECT_EQ(player->damageTimeLeft, 0);
  EXPECT_EQ(player->damageElapsed, 0);
  EXPECT_EQ(player->damageInterval, 0x7FFFFFFF);
  EXPECT_EQ(player->damageSource, 0);
  EXPECT_EQ(play().ringMode, 2);

  // An object that is only linked, not carried, stays with the character.
  heard().clear();
  carried->setParam(13, 0);
  carried->setParam(4, 4);
  player->linkedActor = carried;
  cGame::setPlayerControl(false);
  EXPECT_EQ(player->linkedActor, carried);
  EXPECT_EQ(carried->param(4), 4) << "not set down";

  cGame::setPlayerControl(true);
  play().focusActor = nullptr;
  EXPECT_FALSE(cGame::hasPlayerControl()) << "control needs someone to control";
}

TEST_F(InGameTest, SelectingAPlayerMovesTheFocusAndRelinksThePartners) {
  cActorMC* first = makePartner(1, 0);
  cActorMC* second = makePartner(2, 1);
  first->setX(64 << 8);
  first->setY(96 << 8);
  second->attachCompanion(first, 1);
  second->state = 21;
  cGame::setFocusActor(second);

  cGame::selectPlayer(1);
  EXPECT_EQ(play().focusActor, first);
  EXPECT_EQ(play().lastFocusX, 64);
  EXPECT_EQ(play().lastFocusY, 96);
  EXPECT_EQ(second->state, 0);
  EXPECT_EQ(second->companion, first);
  EXPECT_EQ(play().firstPartner, first);
  EXPECT_EQ(play().secondPartner, second);
  EXPECT_EQ(worldStatics().cGameCamera.cameraTarget, first);

  // The companion named is gone: the link goes.
  first->attachCompanion(nullptr, 9);
  cGame::selectPlayer(2);
  EXPECT_EQ(first->companion, nullptr);
  EXPECT_EQ(first->param(6), -1);

  // An id that names no character leaves the focus where it is.
  cGame::selectPlayer(7);
  EXPECT_EQ(play().focusActor, second);
}

TEST_F(InGameTest, LinkingPartnersAttachesOrDetachesTheCompanion) {
  cActorMC* first = makePartner(1, 0);
  cActorMC* second = makePartner(2, 1);
  cGame::linkPartners(1, 2);
  EXPECT_EQ(first->companion, second);
  EXPECT_EQ(first->param(6), 2);
  EXPECT_EQ(first->param(2) & 1, 1);

  first->state = 21;
  cGame::linkPartners(1, 5);
  EXPECT_EQ(first->companion, nullptr);
  EXPECT_EQ(first->param(2) & 1, 0);
  EXPECT_EQ(first->state, 0);

  cGame::linkPartners(5, 1);  // no such character: nothing happens
  EXPECT_EQ(second->companion, nullptr);
}

TEST_F(InGameTest, PlacingAnActorMovesItAndTheFocusPosition) {
  cActorMC* player = makePartner(1, 0);
  cGame::setFocusActor(player);
  player->flags = 0;
  cGame::placeActor(player, 200 << 8, (300 << 8) + 100);
  EXPECT_EQ(player->x, 200 << 8);
  EXPECT_TRUE(player->hasFlag(ActorFlags::MOVED));
  EXPECT_EQ(play().lastFocusX, 200);
  EXPECT_EQ(play().lastFocusY, 300);

  player->flags = 0;
  cGame::placeActor(player, 200 << 8, (300 << 8) + 100);
  EXPECT_FALSE(player->hasFlag(ActorFlags::MOVED)) << "no move, no re-sort";

  cActor* other = makeActor(63, 0, 0);
  cGame::placeActor(other, 10 << 8, 20 << 8);
  EXPECT_EQ(play().lastFocusX, 200);
}

TEST_F(InGameTest, AHotspotIsConsumedOnceAlongTheChain) {
  cActor* head = makeActor(ActorKind::COLLECTIBLE, 0, 0);
  cActor* shown = makeActor(ActorKind::COLLECTIBLE, 0, 0);
  cActor* hidden = makeActor(ActorKind::COLLECTIBLE, 0, 0);
  cActor* other = makeActor(63, 0, 0);
  for (cActor* actor : {head, shown, hidden, other}) actor->setParams(newIntArray(7), 7);
  head->id = 1;
  shown->id = 5;
  shown->setParam(1, 1);
  hidden->id = 5;
  other->id = 6;
  head->chainNext = shown;
  shown->chainNext = other;
  other->chainNext = hidden;
  storyStatics().cGameInteraction.closeUpChain = head;

  EXPECT_EQ(cGame::consumeHotspot(5), hidden);
  EXPECT_TRUE(hidden->isActive());
  EXPECT_EQ(hidden->param(1), 1);
  EXPECT_EQ(cGame::consumeHotspot(5), nullptr) << "used up";
  EXPECT_EQ(cGame::consumeHotspot(6), nullptr) << "not a hotspot";

  // A chain the data closed into a loop ends.
  hidden->chainNext = head;
  EXPECT_EQ(cGame::consumeHotspot(9), nullptr);
}

// --- the action marker

// The marker is shown afresh when its position is written again.
constexpr int32_t markerUnset = -12345;
void forgetMarkerPosition() { worldStatics().cGameEffects.markerX = markerUnset; }
bool markerShownAgain() { return worldStatics().cGameEffects.markerX != markerUnset; }
int32_t markerIcon() {
  const CVLibPlayer* player = worldStatics().cGameEffects.markerPlayer;
  return player != nullptr ? player->anim : -1;
}

TEST_F(InGameTest, TheMarkerGoesOverWhatThePlayerCanActOn) {
  cActorMC* player = makePartner(1, 0);
  cGame::setFocusActor(player);
  cActor* object = makeActor(63, 200, 300);
  player->objectInReach = object;
  cGame::updateActionMarker();
  const cGameEffectsStatics& marker = worldStatics().cGameEffects;
  EXPECT_TRUE(marker.markerShown);
  EXPECT_EQ(marker.markerActor, object);
  EXPECT_EQ(marker.markerX, 200);
  EXPECT_EQ(marker.markerY, 200) << "100 px above";

  // Already marked: not shown again.
  forgetMarkerPosition();
  cGame::updateActionMarker();
  EXPECT_FALSE(markerShownAgain());

  // A pushable block is marked only while it is not being handled.
  player->objectInReach = nullptr;
  cActor* block = makeActor(15, 50, 50);
  player->pushable = block;
  player->state = 10;
  forgetMarkerPosition();
  cGame::updateActionMarker();
  EXPECT_FALSE(markerShownAgain());
  player->state = 0;
  cGame::updateActionMarker();
  EXPECT_EQ(marker.markerActor, block);
  EXPECT_TRUE(marker.markerForced);

  // A character to talk to must be active, willing and in talk mode 3.
  player->pushable = nullptr;
  IntArray* position = newIntArray(3);
  cActorNPC* npc = cActorNPC::create(ActorKind::NPC, 0, position);
  npc->setParams(newIntArray(4), 4);
  npc->setParam(3, 1);
  npc->talkMode = 3;
  player->characterInReach = npc;
  player->objectInReach = object;
  forgetMarkerPosition();
  cGame::updateActionMarker();
  EXPECT_FALSE(markerShownAgain()) << "an inactive character hides what lies behind it";
  npc->setFlag(ActorFlags::ACTIVE, true);
  cGame::updateActionMarker();
  EXPECT_EQ(marker.markerActor, npc);

  play().focusActor = nullptr;
  cGame::updateActionMarker();
  EXPECT_FALSE(marker.markerShown);
  EXPECT_EQ(marker.markerActor, nullptr);
  EXPECT_FALSE(marker.markerForced);
}

// Out of reach the marker stays over what it marked, but not once that is
// gone: a sunk block or a picked-up hotspot leaves no hand over empty ground.
TEST_F(InGameTest, TheMarkerLeavesWhatWasKilled) {
  cActorMC* player = makePartner(1, 0);
  cGame::setFocusActor(player);
  cActor* block = makeActor(15, 50, 50);
  player->pushable = block;
  cGame::updateActionMarker();
  const cGameEffectsStatics& marker = worldStatics().cGameEffects;
  ASSERT_EQ(marker.markerActor, block);

  player->pushable = nullptr;
  cGame::updateActionMarker();
  EXPECT_TRUE(marker.markerShown) << "walked away: still marked";
  EXPECT_EQ(marker.markerActor, block);

  block->setFlag(ActorFlags::KILLED, true);
  cGame::updateActionMarker();
  EXPECT_FALSE(marker.markerShown);
  EXPECT_EQ(marker.markerActor, nullptr);

  // The next thing in reach is marked as usual.
  cActor* object = makeActor(63, 200, 300);
  player->objectInReach = object;
  cGame::updateActionMarker();
  EXPECT_TRUE(marker.markerShown);
  EXPECT_EQ(marker.markerActor, object);
}

// In a side-view chapter the stances 115 and 116 point up (icon 6); every
// other reason takes the icon of what the player has in reach.
TEST_F(InGameTest, TheSideViewMarkerShowsThePlayersStance) {
  shellStatics().cGameProgress.chapter = 1;
  shellStatics().cGameProgress.sideViewMode = true;
  cActorMC* player = makePartner(1, 0);
  cGame::setFocusActor(player);
  player->state = 115;
  player->behaviourMode = 2;
  player->hitMarked = true;
  cGame::updateActionMarker();
  EXPECT_EQ(worldStatics().cGameEffects.markerActor, player) << "the player itself without a side-view target";
  EXPECT_EQ(markerIcon(), 0) << "the machine's hit replaces the raised stance";

  // Already marked: the reasons are applied again as the stance changes.
  player->hitMarked = false;
  cGame::updateActionMarker();
  EXPECT_EQ(markerIcon(), 6);
  player->state = 114;
  cGame::updateActionMarker();
  EXPECT_EQ(markerIcon(), 0);

  // Outside the side view the reason is the plain one: an object of mode 0
  // in reach shows the talk icon.
  shellStatics().cGameProgress.sideViewMode = false;
  cActor* object = makeActor(63, 10, 10);
  player->objectInReach = object;
  cGame::updateActionMarker();
  EXPECT_EQ(worldStatics().cGameEffects.markerActor, object);
  EXPECT_EQ(markerIcon(), 1);
}

// --- the partners' carried items

class PartnerItemsTest : public InGameTest {
 protected:
  void SetUp() override {
    InGameTest::SetUp();
    cGame::createItemTable();
    IntArray* record = newIntArray(7);
    record->set(5, 1);  // counted
    for (int32_t item = 1; item <= 3; ++item) cGame::setItemRecord(record, item);
    m_first = makePartner(1, 0);
    m_second = makePartner(2, 1);
    for (cActorMC* partner : {m_first, m_second}) partner->items = newObjectArray(15);
  }
  static IntArray* counts() { return shellStatics().cGameSave.partnerItemCounts; }
  static int32_t carried(cActorMC* partner, int32_t item) {
    const int32_t slot = partner->findInventorySlot(item);
    return slot < 0 ? -1 : static_cast<IntArray*>(partner->items->get(slot))->get(1);
  }

  cActorMC* m_first = nullptr;
  cActorMC* m_second = nullptr;
};

TEST_F(PartnerItemsTest, CountsGoToEachPartnersHalfAndComeBack) {
  m_first->addItem(1, 4, false);
  m_first->addItem(3, 2, false);
  m_second->addItem(2, 7, false);
  for (int32_t i = 0; i < 6; ++i) counts()->set(i, 100 + i);
  cGame::storeAllPartnerItemCounts();
  // An item a partner does not carry keeps its count.
  EXPECT_EQ((std::vector<int32_t>{counts()->get(0), counts()->get(1), counts()->get(2), counts()->get(3),
                                  counts()->get(4), counts()->get(5)}),
            (std::vector<int32_t>{4, 101, 2, 103, 7, 105}));

  // A new room's partners get them back.
  for (cActorMC* partner : {m_first, m_second}) partner->items = newObjectArray(15);
  for (int32_t i = 0; i < 6; ++i) counts()->set(i, i % 3 == 1 ? 0 : i + 1);
  cGame::restorePartners();
  EXPECT_EQ(carried(m_first, 1), 1);
  EXPECT_EQ(carried(m_first, 2), -1) << "a count of 0 gives nothing";
  EXPECT_EQ(carried(m_first, 3), 3);
  EXPECT_EQ(carried(m_second, 1), 4);
  EXPECT_EQ(carried(m_second, 2), -1);
  EXPECT_EQ(carried(m_second, 3), 6);

  cGame::storePartnerItemCounts(nullptr);
  cGame::restorePartnerItemCounts(nullptr);
}

TEST_F(PartnerItemsTest, OnlyASixEntryTableReplacesTheCounts) {
  IntArray* before = counts();
  cGame::setCounterTable(nullptr);
  cGame::setCounterTable(newIntArray(3));
  EXPECT_EQ(counts(), before);
  IntArray* table = newIntArray(6);
  cGame::setCounterTable(table);
  EXPECT_EQ(counts(), table);
}

}  // namespace
