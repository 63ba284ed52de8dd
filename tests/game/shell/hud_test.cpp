// The in-game HUD: where the pad's areas lie and which keys a touch on them
// gives, when the pad shows, the OK button's looks, the action and
// inventory buttons, the timer ring, the gauge and the status panel.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <map>
#include <string>
#include <vector>

#include "game/shell/StandIns.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/SensibleRectangle.h"
#include "game/world/cActorMC.h"
#include "game/world/cActorNPC.h"
#include "platform/java_util/java_util_Vector.h"
#include "runtime/lang/ObjectArray.h"
#include "tests/game/story/conversation_kit.h"
#include "tests/game/world/world_fixture.h"

namespace {

std::map<std::string, int32_t>& answers() {
  static std::map<std::string, int32_t> table;
  return table;
}
int32_t answerStandIn(const char* name, int32_t value) {
  const auto it = answers().find(name);
  return it != answers().end() ? it->second : value;
}

struct Area {
  int32_t x, y, w, h, id;
  bool operator==(const Area&) const = default;
};

std::vector<Area> areasOf(java_util_Vector* list) {
  std::vector<Area> areas;
  for (int32_t i = 0; list != nullptr && i < list->size(); ++i) {
    auto* r = static_cast<SensibleRectangle*>(list->elementAt(i));
    areas.push_back({r->x, r->y, r->width, r->height, r->id});
  }
  return areas;
}

// The HUD sprite's frames as the art draws them: the arrows 70 px out from
// the pad's anchor, the OK button 110 round, the action button 90, the
// square faces 72.
worldkit::TestFrameBox hudFrame(int frame) {
  switch (frame) {
    case 2: case 11: return {-102, -32, 64, 64};
    case 3: case 12: return {38, -32, 64, 64};
    case 4: case 13: return {-32, -102, 64, 64};
    case 5: case 14: return {-32, 38, 64, 64};
    case 19: case 20: case 21: case 22: case 23: case 24: return {-55, -55, 110, 110};
    case 25: case 26: return {-45, -45, 90, 90};
    case 66: case 67: return {-36, -36, 72, 72};
    default: return {-10, -10, 20, 20};
  }
}

class HudTest : public WorldFixture {
 protected:
  void SetUp() override {
    WorldFixture::SetUp();
    answers().clear();
    standInHook() = &answerStandIn;
    worldkit::TestSpriteDescription hud;
    hud.animations = 1;
    hud.steps = 70;
    hud.palettes = 1;
    hud.frameBox = hudFrame;
    hud.stepOffset = [](int, int) { return worldkit::TestStepOffset{0, 0}; };
    installSprite(51, hud);
    shell::machine().currentState = GameState::inGame;
    m_player = makePartner(0);
    cGame::setFocusActor(m_player);
    play().firstPartner = m_player;
    play().playerControl = true;
  }
  void TearDown() override {
    standInHook() = nullptr;
    WorldFixture::TearDown();
  }

  static cActorMC* makePartner(int32_t partnerIndex) {
    cActorMC* partner = cActorMC::create(ActorKind::PLAYER, 0, newIntArray(3));
    partner->partnerIndex = partnerIndex;
    partner->hp = 100;
    partner->setParams(newIntArray(8), 8);
    return partner;
  }

  // A fresh screen: both lists empty, then one paint of the pad.
  static void paintPad() {
    cGame::clearInput();
    cGame::clearTouchState();
    cGame::paintHudButtons();
  }
  static std::vector<Area> areas() { return areasOf(shell::touch().touchAreas); }
  static std::vector<Area> overlayAreas() { return areasOf(shell::touch().overlayTouchAreas); }
  static bool hasArea(int32_t id) {
    const std::vector<Area> all = areas();
    return std::any_of(all.begin(), all.end(), [id](const Area& a) { return a.id == id; });
  }
  // The digit key the pad holds down after a press at (x, y), 0 for none.
  static int32_t keyPressedAt(int32_t x, int32_t y) {
    cGame::applyPointerPressed(x, y);
    const int32_t code = shell::touch().hudKeyCode;
    cGame::applyPointerReleased(x, y);
    return code == -1 ? 0 : code;
  }

  cActorMC* m_player = nullptr;
};

TEST_F(HudTest, ThePadsAreasLieAroundItsArrowsAndGiveTheirDigitKeys) {
  paintPad();
  EXPECT_TRUE(shell::touch().hudActive);
  const std::vector<Area> all = areas();
  const std::vector<Area> pad(all.begin(), all.begin() + 8);
  EXPECT_EQ(pad, (std::vector<Area>{{100, 255, 60, 80, 210},
                                    {100, 395, 60, 80, 211},
                                    {20, 335, 80, 60, 212},
                                    {160, 335, 80, 60, 213},
                                    {20, 255, 80, 80, 215},
                                    {160, 255, 80, 80, 214},
                                    {160, 395, 80, 80, 216},
                                    {20, 395, 80, 80, 217}}));
  EXPECT_EQ(all[8], (Area{550, 320, 140, 140, 218})) << "frame 19 and 30 px more, centred on the OK button";
  EXPECT_TRUE(shell::touch().touchAreasComplete);

  struct Case {
    int32_t x, y, key;
  };
  for (const Case& c : {Case{130, 295, '2'}, Case{130, 435, '8'}, Case{60, 365, '4'}, Case{200, 365, '6'},
                        Case{60, 295, '1'}, Case{200, 295, '3'}, Case{200, 435, '9'}, Case{60, 435, '7'},
                        Case{620, 390, '5'}, Case{130, 365, 0}, Case{400, 240, 0}}) {
    EXPECT_EQ(keyPressedAt(c.x, c.y), c.key) << c.x << "," << c.y;
  }
}

TEST_F(HudTest, InTheSideViewChaptersTheStraightArrowsAreWideAndTheDiagonalsDoNothing) {
  for (int32_t chapter : {1, 6}) {
    SCOPED_TRACE(chapter);
    shellStatics().cGameProgress.chapter = chapter;
    paintPad();
    const std::vector<Area> all = areas();
    EXPECT_EQ(std::vector<Area>(all.begin(), all.begin() + 4),
              (std::vector<Area>{{60, 255, 140, 80, 210},
                                 {60, 395, 140, 80, 211},
                                 {20, 305, 80, 120, 212},
                                 {160, 305, 80, 120, 213}}));
    EXPECT_EQ(all[4].id, 218) << "no diagonal areas";
    // The corners a diagonal has elsewhere.
    EXPECT_EQ(keyPressedAt(40, 275), 0);
    EXPECT_EQ(keyPressedAt(220, 455), 0);
    EXPECT_EQ(keyPressedAt(190, 295), '2');
    EXPECT_EQ(keyPressedAt(70, 440), '8');
  }
  shellStatics().cGameProgress.chapter = 0;
  paintPad();
  EXPECT_EQ(keyPressedAt(40, 275), '1');
  EXPECT_EQ(keyPressedAt(190, 295), '3');
}

TEST_F(HudTest, PressingAndDraggingOverThePadHoldsOneKeyAtATime) {
  // The digits as the canvas maps them.
  cGame::initKeyMap();
  for (int32_t code = '1'; code <= '9'; ++code) cGame::setKeyMapping(0, code, code - '1' + 7);
  paintPad();
  cGame::applyPointerPressed(130, 295);
  EXPECT_EQ(shell::touch().hudKeyCode, '2');
  cGame::applyPointerDragged(60, 365);
  EXPECT_EQ(shell::touch().hudKeyCode, '4');
  cGame::latchInput();
  EXPECT_TRUE(cGame::isKeyHeld(10)) << "key 4 held: the player walks left";
  EXPECT_FALSE(cGame::isKeyHeld(8));
  cGame::applyPointerReleased(60, 365);
  EXPECT_EQ(shell::touch().hudKeyCode, -1);
}

TEST_F(HudTest, TheActionHighlightPressesTheArrowsAndKeepsOnlyTheSideAreasForOnePaint) {
  cGame::clearInput();
  cGame::clearTouchState();
  play().hudActionHighlight = true;
  cGame::paintHudButtons();
  std::vector<int32_t> ids;
  for (const Area& a : areas()) ids.push_back(a.id);
  EXPECT_EQ(ids, (std::vector<int32_t>{212, 213, 218, 1003}));
  EXPECT_FALSE(play().hudActionHighlight);
}

TEST_F(HudTest, ThePadStaysAwayWhileAnotherPartOwnsThePlayer) {
  struct Case {
    const char* why;
    std::map<std::string, int32_t> answers;
    int32_t cutscene;  // the story's running cutscene, -1 none
    int32_t chapter;
    bool control, suspended, shown;
  };
  const Case cases[] = {
      {"plain play", {}, -1, 0, true, false, true},
      {"cinematic phase 0", {{"cinematicPhase", 0}}, -1, 0, true, false, false},
      {"cinematic phase 1", {{"cinematicPhase", 1}}, -1, 0, true, false, true},
      {"cinematic phase 5", {{"cinematicPhase", 5}}, -1, 0, true, false, false},
      {"no control", {}, -1, 0, false, false, false},
      {"conversation", {{"conversation", 1}}, -1, 0, true, false, false},
      {"cutscene", {}, 5, 0, true, false, false},
      {"cutscene 3", {}, 3, 0, true, false, true},
      {"cutscene 3 in chapter 3", {}, 3, 3, true, false, false},
      {"cutscene 2 in chapter 3", {}, 2, 3, true, false, true},
      {"cutscene 10 in chapter 5", {}, 10, 5, true, false, true},
      {"menu", {}, -1, 0, true, true, false},
      {"choice", {{"choice", 1}}, -1, 0, true, false, false},
      {"interaction", {{"interaction", 1}}, -1, 0, true, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    answers() = c.answers;
    storyStatics().cGameCutscene.currentCutscene = c.cutscene;
    cGame::initConversationQueue();
    if (answers().erase("conversation") != 0) conversationkit::showLine();
    const auto phase = answers().find("cinematicPhase");
    storyStatics().cGameCinematic.cinematicPhase = phase != answers().end() ? phase->second : -1;
    if (answers().erase("choice") != 0) cGame::openChoice(nullptr, 2, nullptr, 0);
    storyStatics().cGameInteraction.interactionMode = answers().erase("interaction") != 0 ? 1 : 0;
    shellStatics().cGameProgress.chapter = c.chapter;
    play().playerControl = c.control;
    shellStatics().cGameStates.menuSuspended = c.suspended;
    paintPad();
    EXPECT_EQ(shell::touch().hudActive, c.shown);
    EXPECT_EQ(hasArea(218), c.shown);
    cGame::clearChoice();
  }
}

TEST_F(HudTest, TheOkButtonLooksByWhatIsInReach) {
  cActorNPC* talker = cActorNPC::create(ActorKind::NPC, 0, newIntArray(3));
  cActor* object = makeActor(63, 0, 0);
  object->setParams(newIntArray(4), 4);
  cActor* block = makeActor(15, 0, 0);
  struct Case {
    const char* what;
    bool block, npc, object, marker, creature;
    int32_t talkMode, standAnim, objectKind, chapter, look;
  };
  const Case cases[] = {
      {"nothing", false, false, false, true, false, 0, 0, 0, 0, 19},
      {"a block, marked", true, false, false, true, false, 0, 0, 0, 0, 21},
      {"a block, no marker", true, false, false, false, false, 0, 0, 0, 0, 19},
      {"a block, creature near", true, false, false, true, true, 0, 0, 0, 0, 19},
      {"an object to use", false, false, true, true, false, 0, 0, 2, 0, 21},
      {"an object to look at", false, false, true, true, false, 0, 0, 0, 0, 23},
      {"an object to look at, creature near", false, false, true, true, true, 0, 0, 0, 0, 19},
      {"someone to talk to", false, true, false, true, false, 0, 0, 0, 0, 23},
      {"someone busy", false, true, false, true, false, 3, 5, 0, 0, 21},
      {"someone busy in chapter 4, anim 0", false, true, false, true, false, 3, 0, 0, 4, 23},
      {"someone busy in chapter 5, anim 2", false, true, false, true, false, 3, 2, 0, 5, 23},
      {"someone idle in chapter 5", false, true, false, true, false, 3, -1, 0, 5, 23},
      {"someone idle elsewhere", false, true, false, true, false, 3, -1, 0, 0, 19},
      {"someone standing at 13", false, true, false, true, false, 3, 13, 0, 0, 19},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    m_player->pushable = c.block ? block : nullptr;
    m_player->characterInReach = c.npc ? talker : nullptr;
    m_player->objectInReach = c.object ? object : nullptr;
    m_player->enemyNear = c.creature;
    worldStatics().cGameEffects.markerShown = c.marker;
    talker->talkMode = c.talkMode;
    talker->standAnim = c.standAnim;
    object->setParam(1, c.objectKind);
    shellStatics().cGameProgress.chapter = c.chapter;
    EXPECT_EQ(cGame::okButtonLook(), c.look);
  }
}

TEST_F(HudTest, TheActionAreaIsRegisteredOnEveryPadPaintWithTheSizeLastMeasured) {
  paintPad();
  EXPECT_EQ(overlayAreas(), (std::vector<Area>{{680, 210, 140, 140, 1002}})) << "the OK button's size";

  play().actionButtonEnabled = true;
  m_player->setParam(5, 3);
  paintPad();
  EXPECT_EQ(overlayAreas(), (std::vector<Area>{{680, 210, 120, 120, 1002}})) << "the action button's size";

  // The second partner gets no action button, but the area stays.
  cActorMC* second = makePartner(1);
  play().secondPartner = second;
  cGame::setFocusActor(second);
  paintPad();
  EXPECT_EQ(overlayAreas(), (std::vector<Area>{{680, 210, 140, 140, 1002}}));
}

TEST_F(HudTest, TheInventoryButtonLeadsToTheInGameMenuAndOnToTheInventory) {
  paintPad();
  const std::vector<Area> all = areas();
  ASSERT_EQ(all.back(), (Area{626, 10, 72, 72, 1003}));
  cGame::applyPointerPressed(662, 46);
  EXPECT_NE(shellStatics().cGameStates.nextState, GameState::inGameMenu) << "a press alone does nothing";
  cGame::applyPointerReleased(662, 46);
  EXPECT_EQ(shellStatics().cGameStates.nextState, GameState::inGameMenu);
  EXPECT_TRUE(shellStatics().cGameStates.menuSuspended);
  EXPECT_TRUE(shell::touch().menuButtonUsed);
  cGame::stateInGameMenu(StateMessage::enter);
  EXPECT_EQ(shellStatics().cGameLoad.stateAfterLoading, GameState::inventory);
}

TEST_F(HudTest, TheItemShortcutIsOfferedForTheFirstCarriedItemWithAnIcon) {
  installSprite(34, {.animations = 3, .steps = 1});
  cGame::createItemTable();
  paintPad();
  EXPECT_FALSE(hasArea(1004));
  EXPECT_FALSE(shellStatics().cGameHud.itemShortcutShown);

  m_player->items = newObjectArray(15);
  IntArray* slot = newIntArray(2);
  slot->set(0, 2);
  slot->set(1, 1);
  m_player->items->set(0, slot);
  paintPad();
  EXPECT_TRUE(hasArea(1004));
  EXPECT_TRUE(shellStatics().cGameHud.itemShortcutShown);

  shellStatics().cGameProgress.sideViewMode = true;
  paintPad();
  EXPECT_FALSE(hasArea(1004)) << "not in the side view";
}

TEST_F(HudTest, TheSkipStripBlinksOverAnOfferedCutsceneUntilItCloses) {
  cGameCutsceneStatics& cutscene = storyStatics().cGameCutscene;
  cutscene.currentCutscene = 4;
  cutscene.cutsceneSkipOffered = false;
  cGame::clearTouchState();
  cGame::paintHudBackButton();
  EXPECT_TRUE(overlayAreas().empty()) << "not before the skip is offered";

  cutscene.cutsceneSkipOffered = true;
  cGame::clearTouchState();
  cGame::paintHudBackButton();
  EXPECT_EQ(overlayAreas(), (std::vector<Area>{{2, 0, 796, 75, 200}}));
  EXPECT_TRUE(shell::touch().overlayAreasComplete);

  cutscene.cutsceneTransition = 2;
  cGame::clearTouchState();
  cGame::paintHudBackButton();
  EXPECT_TRUE(overlayAreas().empty()) << "not in the closing pause";

  cutscene.currentCutscene = -1;
  cutscene.cutsceneTransition = -1;
  cutscene.cutsceneSkipOffered = false;
  // An open close-up.
  storyStatics().cGameInteraction.interactionMode = 1;
  storyStatics().cGameInteraction.interactionKind = 0;
  installSprite(50, {.animations = 15, .steps = 2});
  cGame::clearTouchState();
  cGame::paintHudBackButton();
  ASSERT_EQ(overlayAreas().size(), 1u);
  EXPECT_EQ(overlayAreas()[0].id, 1002) << "the close-up's back button";
}

// --- the timer ring

class RingTest : public HudTest {
 protected:
  // The width and height the ring's lines span.
  std::pair<int32_t, int32_t> ringExtent() {
    worldkit::PaintRecorder paints(screenGraphics());
    cGame::paintTimerRing();
    int32_t left = INT_MAX, right = INT_MIN, top = INT_MAX, bottom = INT_MIN;
    for (const worldkit::PaintRecord& r : paints.records()) {
      if (!r.is(GraphicsCallKind::drawLine)) continue;
      EXPECT_EQ(r.colour & 0xFFFFFF, 0xFFFF00);
      for (int i = 0; i < 4; i += 2) {
        left = std::min(left, r.values[i]);
        right = std::max(right, r.values[i]);
        top = std::min(top, r.values[i + 1]);
        bottom = std::max(bottom, r.values[i + 1]);
      }
    }
    if (left == INT_MAX) return {0, 0};
    return {right - left, bottom - top};
  }
};

TEST_F(RingTest, TheRingGrowsAsItOpensAndShrinksAsItCloses) {
  struct Case {
    int32_t mode, elapsed, diameter;
  };
  for (const Case& c : {Case{0, 0, 20}, Case{0, 800, 644}, Case{2, 0, 800}, Case{2, 500, 410}}) {
    SCOPED_TRACE(testing::Message() << "mode " << c.mode << " at " << c.elapsed);
    play().ringMode = c.mode;
    play().ringElapsed = c.elapsed;
    play().ringX = 400;
    play().ringY = 240;
    const auto [w, h] = ringExtent();
    // Single-precision points are truncated: a pixel either way.
    EXPECT_NEAR(w, c.diameter, 1);
    EXPECT_NEAR(h, c.diameter, 1);
  }
  play().ringMode = 1;
  EXPECT_EQ(ringExtent().first, 0) << "a running ring darkens the scene instead";
}

TEST_F(RingTest, StartingTheRingAnchorsItOverTheFocusActor) {
  cGame::startTimerRing(0);
  EXPECT_EQ(play().ringMode, -1);
  m_player->screenX = 300;
  m_player->screenY = 200;
  cGame::startTimerRing(1500);
  EXPECT_EQ(play().ringMode, 0);
  EXPECT_EQ(play().ringDuration, 1500);
  EXPECT_EQ(play().ringAnchor, m_player);
  EXPECT_EQ(play().ringX, 300);
  EXPECT_EQ(play().ringY, 155);
  cGame::setFocusActor(nullptr);
  cGame::startTimerRing(10);
  EXPECT_EQ(play().ringX, 400);
  EXPECT_EQ(play().ringY, 240);
}

TEST_F(RingTest, AnArcPastOneTurnIsDrawnAsOneTurn) {
  worldkit::PaintRecorder paints(screenGraphics());
  screenGraphics()->setColor(0xFFFFFF);
  cGame::drawArcLines(100, 100, 50, 50, 0, INT_MAX);
  EXPECT_EQ(paints.count([](const worldkit::PaintRecord& r) { return r.is(GraphicsCallKind::drawLine); }), 180);
  paints.clear();
  cGame::drawArcLines(100, 100, 50, 50, 90, -90);
  EXPECT_EQ(paints.count([](const worldkit::PaintRecord& r) { return r.is(GraphicsCallKind::drawLine); }), 45);
  cGame::ellipsePoint(100, 100, 50, 50, 90);
  EXPECT_EQ(shellStatics().cGameHud.ellipseX, 125);
  EXPECT_EQ(shellStatics().cGameHud.ellipseY, 100) << "90 degrees is straight up on the screen";
}

// --- the gauge and the status panel

worldkit::TestFrameBox panelFrame(int frame) {
  switch (frame) {
    case 0: case 2: return {0, 0, 200, 20};
    case 3: case 6: return {0, 0, 100, 10};
    case 14: return {0, 0, 100, 10};
    case 16: return {0, 5, 100, 5};  // only the lower half
    default: return {0, 0, 4, 4};
  }
}

class PanelTest : public HudTest {
 protected:
  void SetUp() override {
    HudTest::SetUp();
    worldkit::TestSpriteDescription panel;
    panel.animations = 1;
    panel.steps = 20;
    panel.palettes = 1;
    panel.frameBox = panelFrame;
    panel.stepOffset = [](int, int) { return worldkit::TestStepOffset{0, 0}; };
    installSprite(11, panel);
    fillScreen(0);
  }
};

TEST_F(PanelTest, TheGaugeFillsItsShareAndShowsTheWarningFrameBelowHalf) {
  cGame::paintGauge(50, 100, 1);
  EXPECT_NE(pixelAt(400, 448), 0) << "exactly half: the normal fill";
  EXPECT_NE(pixelAt(436, 448), 0);
  EXPECT_EQ(pixelAt(440, 448), 0) << "half of frame 14's width";

  fillScreen(0);
  cGame::paintGauge(49, 100, 1);
  EXPECT_EQ(pixelAt(400, 448), 0) << "just below half: the warning frame";
  EXPECT_NE(pixelAt(400, 454), 0);

  fillScreen(0);
  cGame::paintGauge(5, 0, 1);
  EXPECT_EQ(pixelAt(400, 448), 0) << "no maximum: an empty bar, and no exception";
  EXPECT_EQ(pixelAt(400, 454), 0);
}

TEST_F(PanelTest, TheGaugeWaitsForAForegroundCutscene) {
  cGameCutsceneStatics& cutscene = storyStatics().cGameCutscene;
  cutscene.currentCutscene = 4;
  cutscene.cutsceneTransition = -1;
  shellStatics().cGameShared.fullSpeedAnimation = false;  // as a foreground start leaves it
  cGame::paintGauge(100, 100, 1);
  EXPECT_EQ(pixelAt(400, 448), 0);
  shellStatics().cGameShared.fullSpeedAnimation = true;
  cutscene.cutsceneTransition = 2;
  cGame::paintGauge(100, 100, 1);
  EXPECT_EQ(pixelAt(400, 448), 0) << "nor a background cutscene's closing pause";
  cutscene.cutsceneTransition = -1;
  cGame::paintGauge(100, 100, 1);
  EXPECT_NE(pixelAt(400, 448), 0) << "a background cutscene shows it";
}

TEST_F(PanelTest, ThePanelShowsHealthAndChargeAndFlashesWhenHealthIsLow) {
  m_player->setParam(3, 100);
  m_player->setParam(4, 0);  // no charge maximum: the second bar stays empty
  m_player->setParam(5, 10);
  m_player->hp = 50;
  cGame::paintStatusPanel();
  EXPECT_NE(pixelAt(111, 21), 0);
  EXPECT_NE(pixelAt(208, 21), 0);
  EXPECT_EQ(pixelAt(212, 21), 0) << "half of the bar";
  EXPECT_EQ(pixelAt(111, 53), 0);
  EXPECT_EQ(shellStatics().cGameHud.damageFlashTime, 0);

  m_player->hp = 29;
  cGame::paintStatusPanel();
  EXPECT_EQ(shellStatics().cGameHud.damageFlashTime, 500);

  fillScreen(0);
  storyStatics().cGameCutscene.currentCutscene = 4;
  storyStatics().cGameCutscene.cutsceneTransition = 2;
  cGame::paintStatusPanel();
  EXPECT_EQ(pixelAt(111, 21), 0) << "not while a cutscene closes";
}

}  // namespace
