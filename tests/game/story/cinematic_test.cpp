// The cinematic screen: each kind's phases frame by frame, the bars, what
// confirms a text, a narration or the game-over choice, the cutscene start
// that waits for the screen, the chapter's end and the retry.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/shell/GameState.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/SensibleRectangle.h"
#include "game/world/cActorMC.h"
#include "platform/java_util/java_util_Vector.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/game/shell/text_kit.h"
#include "tests/game/story/story_fixture.h"

namespace {

constexpr int32_t forever = 0x7FFFFFFF;

class CinematicTest : public StoryFixture {
 protected:
  void SetUp() override {
    StoryFixture::SetUp();
    shell::loop().sprites->set(5, textkit::blockFont());
    shell::loop().sprites->set(6, textkit::blockFont());
    textkit::setTexts({{272 + 4, "A long way below the hill, the river keeps its own counsel."}, {149, "Narrator"}}, 400);
    shell::touch().touchAreas = newObject<java_util_Vector>();
    shell::touch().overlayTouchAreas = newObject<java_util_Vector>();
    m_area = newObject<SensibleRectangle>();
    hero = cActorMC::create(ActorKind::PLAYER, 0, newIntArray(3));
    hero->id = 1;
    hero->hp = 100;
    hero->setParams(newIntArray(8), 8);
    cGame::addScriptActor(hero);
    cGame::setFocusActor(hero);
  }

  static cGameCinematicStatics& cine() { return storyStatics().cGameCinematic; }

  // One frame of the screen: the frame's input latched, then the update.
  static void frame() {
    setTimeStep(framePeriod);
    cGame::updateCinematic();
    shell::keys().framePressed = shell::keys().frameReleased = shell::keys().frameHeld = 0;
    shell::touch().touchedArea = shell::touch().touchedOverlayArea = nullptr;
    shell::touch().pointerWasReleased = false;
  }
  // Frames until the phase changes (at most limit); the frames taken.
  static int32_t framesInPhase(int32_t limit = 100) {
    const int32_t phase = cGame::cinematicPhase();
    int32_t n = 0;
    while (cGame::cinematicPhase() == phase && n < limit) {
      frame();
      ++n;
    }
    return n;
  }
  // The phases the screen goes through, frame by frame, until it closes or
  // waits (limit frames).
  static std::vector<int32_t> timeline(int32_t limit = 40) {
    std::vector<int32_t> phases{cGame::cinematicPhase()};
    for (int32_t n = 0; n < limit && cGame::isCinematicActive(); ++n) {
      frame();
      if (phases.back() != cGame::cinematicPhase()) phases.push_back(cGame::cinematicPhase());
    }
    return phases;
  }
  static void untilPhase(int32_t phase) {
    for (int32_t n = 0; n < 40 && cGame::cinematicPhase() != phase; ++n) frame();
    ASSERT_EQ(cGame::cinematicPhase(), phase);
  }

  static void press(int32_t key) { shell::keys().framePressed |= 1 << key; }
  static void release(int32_t key) { shell::keys().frameReleased |= 1 << key; }
  static void hold(int32_t key) { shell::keys().frameHeld |= 1 << key; }
  void tap(int32_t id, bool overlay) {
    m_area->set(0, 0, 800, 480, id);
    (overlay ? shell::touch().touchedOverlayArea : shell::touch().touchedArea) = m_area;
    shell::touch().pointerWasReleased = true;
  }

  // A cutscene of one plain track; playCutscene (0) starts it.
  static void loadCutscene() {
    ScriptBuilder script;
    script.cutscene(1, 1).track(0, 0).key(0).key(50);
    cGame::loadEventScript(script.array());
  }

  cActorMC* hero = nullptr;
  SensibleRectangle* m_area = nullptr;
};

TEST_F(CinematicTest, EachKindGoesThroughItsPhases) {
  struct Case {
    const char* name;
    int32_t time, kind, text;
    bool narration;
    std::vector<int32_t> phases;
  };
  const Case cases[] = {
      // Closes, skips the cutscene, waits 1 ms and opens again.
      {"message without text", 0, 1, -1, false, {0, 2, 3, 1, -1}},
      {"message waiting 500 ms", 500, 1, -1, false, {0, 2, 3, 1, -1}},
      {"restart", 0, 0, -1, false, {0, 2, 3, 1, -1}},
      {"message with text", 0, 1, 4, false, {0, 2, 3}},
      {"game over", forever, 2, 0, false, {0, 2, 5}},
      {"chapter end", forever, 3, 12, false, {0, 3}},
      {"narration", 0, 4, 4, true, {2, 4}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cGame::closeCinematic();
    if (c.narration) cGame::startCutsceneAt(c.time, c.text, -1, -1, true, false);
    else cGame::openCinematic(c.time, c.kind, c.text);
    EXPECT_TRUE(cGame::isCinematicActive());
    EXPECT_EQ(cGame::cinematicKind(), c.kind);
    EXPECT_EQ(timeline(), c.phases);
  }
  EXPECT_EQ(cine().cinematicKind, 4);
}

TEST_F(CinematicTest, BarsMoveIn400MsAndTheWaitKeepsItsTime) {
  cGame::openCinematic(500, 1, -1);
  EXPECT_EQ(cine().cinematicDuration, 500);
  EXPECT_EQ(framesInPhase(), 7) << "400 ms of 62 ms frames";
  EXPECT_EQ(framesInPhase(), 1) << "the closed screen lasts one frame";
  EXPECT_EQ(framesInPhase(), 9) << "500 ms";
  EXPECT_EQ(framesInPhase(), 7) << "the bars open for their whole 400 ms, however long the wait was";
  EXPECT_FALSE(cGame::isCinematicActive());
  EXPECT_EQ(cGame::cinematicKind(), -1);
  for (auto [time, text, duration] : {std::tuple{0, -1, 1}, {-5, -1, forever}, {300, 2, forever}}) {
    cGame::openCinematic(time, 1, text);
    EXPECT_EQ(cine().cinematicDuration, duration) << time << ", text " << text;
  }
}

TEST_F(CinematicTest, TheBarsCoverTopAndBottomByTheirElapsedTime) {
  struct Case {
    int32_t phase, elapsed, height;
  };
  for (const Case& c : {Case{0, 200, 120}, Case{0, 400, 240}, Case{1, 100, 180}, Case{1, 0, 240}, Case{0, 30, 18}}) {
    SCOPED_TRACE(testing::Message() << "phase " << c.phase << " at " << c.elapsed << " ms");
    fillScreen(0xFFFF);
    cGame::openCinematic(0, 1, -1);
    cine().cinematicPhase = c.phase;
    cine().cinematicElapsed = c.elapsed;
    cGame::paintCinematic();
    EXPECT_EQ(pixelAt(400, c.height - 1), 0);
    EXPECT_EQ(pixelAt(400, 480 - c.height), 0);
    if (c.height < 240) {
      EXPECT_EQ(pixelAt(400, c.height), 0xFFFF);
      EXPECT_EQ(pixelAt(400, 479 - c.height), 0xFFFF);
    }
  }
}

TEST_F(CinematicTest, ATextIsConfirmedByOkOrATouchOnTheScreen) {
  struct Case {
    const char* name;
    int32_t key;       // pressed, -1 none
    int32_t area;      // released touch, -1 none
    bool confirmed;
  };
  for (const Case& c : {Case{"OK", 5, -1, true}, Case{"the other OK", 11, -1, true}, Case{"touch 202", -1, 202, true},
                        Case{"another area", -1, 201, false}, Case{"another key", 1, -1, false},
                        Case{"nothing", -1, -1, false}}) {
    SCOPED_TRACE(c.name);
    cGame::openCinematic(0, 1, 4);
    untilPhase(3);
    for (int32_t n = 0; n < 20; ++n) frame();
    EXPECT_EQ(cGame::cinematicPhase(), 3) << "a text waits";
    if (c.key >= 0) press(c.key);
    if (c.area >= 0) tap(c.area, false);
    frame();
    EXPECT_EQ(cGame::cinematicPhase(), c.confirmed ? 1 : 3);
  }
}

TEST_F(CinematicTest, TheTextScreenRegistersItsContinueArea) {
  cGame::openCinematic(0, 1, 4);
  untilPhase(3);
  cGame::paintCinematic();
  ASSERT_EQ(shell::touch().touchAreas->size(), 1);
  auto* area = static_cast<SensibleRectangle*>(shell::touch().touchAreas->elementAt(0));
  EXPECT_EQ(area->id, 202);
  EXPECT_EQ(area->x, 2);
  EXPECT_EQ(area->width, 796);
  EXPECT_EQ(area->height, 476);
  EXPECT_TRUE(shell::touch().touchAreasComplete);
}

// A screen opened during play finds the pad's areas registered and frozen
// for the frame; it clears them so that its own are taken, or the chapter's
// end and the game over could not be touched.
TEST_F(CinematicTest, AScreenOpenedOverThePadRegistersItsOwnAreas) {
  for (const int32_t kind : {1, 2, 3}) {
    SCOPED_TRACE("kind " + std::to_string(kind));
    SensibleRectangle* pad = newObject<SensibleRectangle>();
    pad->set(30, 300, 80, 80, 218);
    shell::touch().touchAreas->removeAllElements();
    shell::touch().touchAreas->addElement(pad);
    shell::touch().touchAreasComplete = true;
    cGame::openCinematic(0, kind, 4);
    EXPECT_EQ(shell::touch().touchAreas->size(), 0);
    EXPECT_FALSE(shell::touch().touchAreasComplete);
    if (kind == 2) continue;
    untilPhase(3);
    cGame::paintCinematic();
    ASSERT_EQ(shell::touch().touchAreas->size(), 1);
    EXPECT_EQ(static_cast<SensibleRectangle*>(shell::touch().touchAreas->elementAt(0))->id, 202);
  }
}

TEST_F(CinematicTest, ANarrationEndsOnlyOnTheSoftkeyOrItsOverlayArea) {
  struct Case {
    const char* name;
    int32_t key;
    int32_t overlayArea;
    bool closed;
  };
  for (const Case& c : {Case{"softkey", 18, -1, true}, Case{"overlay 202", -1, 202, true},
                        Case{"OK does not", 5, -1, false}, Case{"other softkey", 19, -1, false}}) {
    SCOPED_TRACE(c.name);
    cGame::startCutsceneAt(0, 4, -1, -1, true, false);
    untilPhase(4);
    if (c.key >= 0) press(c.key);
    if (c.overlayArea >= 0) tap(c.overlayArea, true);
    frame();
    EXPECT_EQ(cGame::cinematicPhase(), c.closed ? -1 : 4) << "a narration closes without bars";
    if (c.closed) {
      EXPECT_EQ(cine().narrationCaption, nullptr);
      EXPECT_EQ(cine().narrationLines, nullptr);
    }
  }
}

// Opened over the world, the narration's first frames come after the
// scene's softkeys have completed the overlay areas (the menu corner); a tap
// anywhere must still end it once it shows.
TEST_F(CinematicTest, ANarrationOverTheWorldIsEndedByATapAnywhere) {
  cGame::startCutsceneAt(0, 4, -1, -1, true, false);
  SensibleRectangle* corner = newObject<SensibleRectangle>();
  corner->set(720, 4, 76, 76, 1001);
  shell::touch().overlayTouchAreas->addElement(corner);
  shell::touch().overlayAreasComplete = true;
  untilPhase(4);
  cGame::paintCinematic();
  cGame::applyPointerPressed(400, 240);
  cGame::applyPointerReleased(400, 240);
  frame();
  EXPECT_EQ(cGame::cinematicPhase(), -1);
}

TEST_F(CinematicTest, TheChapterEndIsConfirmedWhateverItsTextAndLeavesForTheResults) {
  shellStatics().cGameShared.results = newIntArray(13);
  shellStatics().cGameProgress.chapter = 2;
  shellStatics().cGameProgress.finishedChapter = -1;
  // Its text id is not what it shows: -1 once kept it waiting for a time
  // that never comes.
  for (int32_t text : {-1, 12}) {
    SCOPED_TRACE(text);
    cGame::openCinematic(forever, 3, text);
    EXPECT_EQ(shellStatics().cGameProgress.finishedChapter, 2);
    untilPhase(3);
    shell::loading().loadProfile = -1;
    for (int32_t n = 0; n < 20; ++n) frame();
    EXPECT_EQ(shell::loading().loadProfile, -1) << "it waits";
    press(5);
    frame();
    EXPECT_EQ(shell::loading().loadProfile, LoadProfile::leaveWorld);
    EXPECT_EQ(shell::loading().stateAfterLoading, GameState::results);
    EXPECT_EQ(shell::states().nextState, GameState::loading);
    EXPECT_EQ(cGame::cinematicPhase(), 3) << "it leaves through the loading screen";
  }
  // The room is left, and the loading screen hands over to the results.
  shell::machine().currentState = GameState::inGame;
  for (int32_t n = 0; n < 200 && shell::machine().currentState != GameState::results; ++n) cGame::updateState();
  EXPECT_EQ(shell::machine().currentState, GameState::results);
  EXPECT_FALSE(cGame::isCinematicActive()) << "leaving the room closed it";
}

TEST_F(CinematicTest, ADeferredStartRunsWhenAMessageOrNarrationCloses) {
  struct Case {
    int32_t kind;
    bool started;
  };
  for (const Case& c : {Case{1, true}, Case{4, true}, Case{0, false}, Case{2, false}, Case{3, false}}) {
    SCOPED_TRACE(c.kind);
    loadCutscene();
    shellStatics().cGameShared.results = newIntArray(13);
    if (c.kind == 4) cGame::startCutsceneAt(0, -1, -1, -1, true, false);
    else cGame::openCinematic(c.kind == 1 || c.kind == 0 ? 0 : forever, c.kind, c.kind == 3 ? 1 : -1);
    EXPECT_FALSE(cGame::playCutscene(0)) << "it waits for the screen";
    EXPECT_EQ(cutscene().deferredCutscene, 0);
    for (int32_t n = 0; n < 40 && cGame::isCinematicActive(); ++n) {
      if (cGame::cinematicPhase() == 4) press(18);
      if (cGame::cinematicPhase() == 3 && c.kind == 3) press(5);
      frame();
    }
    EXPECT_EQ(cGame::isCutsceneActive(), c.started);
    EXPECT_EQ(cutscene().deferredCutscene, c.started ? -1 : 0);
    cGame::endCutscene(cGame::currentCutscene());
    cGame::closeCinematic();
  }
  // Opening a screen drops what waited.
  loadCutscene();
  cGame::openCinematic(0, 1, -1);
  cGame::playCutscene(0);
  cGame::openCinematic(0, 1, -1);
  EXPECT_EQ(cutscene().deferredCutscene, -1);
}

TEST_F(CinematicTest, AMessageMovesTheCameraWhereItWasToldWhenItCloses) {
  cGame::startCutsceneAt(0, -1, 300, 120, false, true);
  EXPECT_EQ(cGame::cinematicPhase(), 2) << "forced: no closing bars";
  for (int32_t n = 0; n < 20 && cGame::cinematicPhase() != 1; ++n) frame();
  ASSERT_EQ(cGame::cinematicPhase(), 1);
  EXPECT_EQ(worldStatics().cGameCamera.cameraX, 300 << 8);
  EXPECT_EQ(worldStatics().cGameCamera.cameraY, 120 << 8);
  EXPECT_EQ(worldStatics().cGameCamera.cameraTarget, hero);
}

TEST_F(CinematicTest, ANarrationScrollsInThenTypesItsWholeCaption) {
  // Without a text nothing scrolls and the caption types at once.
  cGame::startCutsceneAt(0, -1, -1, -1, true, false);
  untilPhase(4);
  EXPECT_EQ(cine().narrationScroll, 110 << 8);
  frame();
  EXPECT_EQ(cine().narrationScroll, 110 << 8);
  EXPECT_EQ(cine().narrationTyped, 128);

  // With a text it comes up from 410 px, 6 px a frame, then types.
  cGame::closeCinematic();
  cGame::startCutsceneAt(0, 4, -1, -1, true, false);
  EXPECT_EQ(cine().narrationHeight, 300) << "at least the window";
  EXPECT_EQ(cine().narrationScroll, 410 << 8);
  untilPhase(4);
  frame();
  EXPECT_EQ(cine().narrationScroll, 404 << 8);
  EXPECT_EQ(cine().narrationTyped, 0);
  for (int32_t n = 0; n < 48; ++n) frame();
  EXPECT_EQ(cine().narrationScroll, 116 << 8);
  EXPECT_EQ(cine().narrationTyped, 0);
  frame();
  EXPECT_EQ(cine().narrationScroll, 110 << 8);
  EXPECT_GT(cine().narrationTyped, 0);
  // "- Narrator": ten characters, half a character a frame, the last one
  // typed too.
  const int32_t length = cine().narrationCaption->length();
  ASSERT_EQ(length, 10);
  for (int32_t n = 0; n < 40; ++n) frame();
  EXPECT_EQ(cine().narrationTyped, length << 8);
  // A text no taller than the window does not scroll by the keys.
  hold(2);
  frame();
  EXPECT_EQ(cine().narrationScroll, 110 << 8);
}

TEST_F(CinematicTest, ATallNarrationScrollsByTheHeldKeysWithinItsBounds) {
  std::string tall;
  for (int32_t i = 0; i < 80; ++i) tall += "word word word word word word word word word word ";
  textkit::setTexts({{272 + 4, tall}, {149, "Narrator"}}, 400);
  cGame::startCutsceneAt(0, 4, -1, -1, true, false);
  const int32_t height = cine().narrationHeight;
  ASSERT_GT(height, 300);
  untilPhase(4);
  for (int32_t n = 0; n < 60 && cine().narrationTyped == 0; ++n) frame();
  ASSERT_EQ(cine().narrationScroll, 110 << 8);
  hold(14);
  frame();
  EXPECT_EQ(cine().narrationScroll, 104 << 8);
  for (int32_t n = 0; n < 400; ++n) {
    hold(2);
    frame();
  }
  EXPECT_EQ(cine().narrationScroll, (220 - height) << 8);
  hold(1);
  frame();
  EXPECT_EQ(cine().narrationScroll, (226 - height) << 8);
  for (int32_t n = 0; n < 400; ++n) {
    hold(8);
    frame();
  }
  EXPECT_EQ(cine().narrationScroll, 110 << 8);
}

TEST_F(CinematicTest, TheGameOverChoiceTogglesByKeysButIsTakenByTouch) {
  cGame::openCinematic(forever, 2, 0);
  untilPhase(5);
  EXPECT_EQ(cine().gameOverOption, 0);
  for (int32_t key : {3, 10, 4, 12}) {
    const int32_t before = cine().gameOverOption;
    release(key);
    frame();
    EXPECT_EQ(cine().gameOverOption, 1 - before) << key;
  }
  press(5);
  release(5);
  frame();
  EXPECT_EQ(cGame::cinematicPhase(), 5) << "OK takes nothing";
  shell::loading().loadProfile = -1;
  tap(11, false);
  frame();
  EXPECT_EQ(shell::loading().loadProfile, LoadProfile::leaveWorld);
  EXPECT_EQ(shell::loading().stateAfterLoading, GameState::mainMenu);
  EXPECT_EQ(shell::states().nextState, GameState::loading);
}

TEST_F(CinematicTest, TheRetryPutsTheRoomBackFromItsSnapshot) {
  shellStatics().cGameShared.results = newIntArray(13);
  cActor* crate = makeActor(13, 100, 200);
  crate->id = 5;
  crate->setParams(newIntArray(4), 4);
  cGame::snapshotRoomState(false, -1);
  crate->setX(600 << 8);
  cActor* scripted = makeActor(13, 20, 20);
  scripted->id = 6;
  scripted->flags |= 512;
  hero->hp = 0;
  hero->setState(14);
  cGame::openCinematic(forever, 2, 0);
  untilPhase(5);
  tap(10, false);
  frame();
  EXPECT_FALSE(cGame::isCinematicActive());
  EXPECT_EQ(hero->hp, 100) << "the defeated player is back on its feet";
  EXPECT_FALSE(hero->isDefeated());
  EXPECT_EQ(crate->getPixelX(), 100);
  EXPECT_EQ(cActor::findById(6), nullptr) << "made since the snapshot";
  EXPECT_EQ(shellStatics().cGameShared.results->get(7), 1) << "one retry";
  EXPECT_TRUE(cGame::hasPlayerControl());
}

TEST_F(CinematicTest, TheRestartPutsTheFocusAndItsPartnerAtTheCheckpoint) {
  cActorMC* partner = cActorMC::create(ActorKind::PLAYER, 0, newIntArray(3));
  partner->id = 2;
  partner->setParams(newIntArray(8), 8);
  partner->companion = hero;
  cActor* checkpoint = makeActor(13, 0, 0);
  IntArray* params = newIntArray(8);
  params->set(0, 0x2040);  // right
  params->set(4, 640);
  params->set(5, 300);
  checkpoint->setParams(params, 8);
  cGame::openCinematic(0, 0, -1);
  cGame::setCinematicObject(checkpoint);
  untilPhase(1);
  EXPECT_EQ(hero->getPixelX(), 640);
  EXPECT_EQ(hero->getPixelY(), 300);
  EXPECT_EQ(hero->facing, 0x1010) << "facing back the way it came";
  EXPECT_EQ(partner->getPixelX(), 640);
  EXPECT_EQ(partner->getPixelY(), 280);
  EXPECT_EQ(worldStatics().cGamePlay.lastFocusX, 640);

  // Without a checkpoint the focus stays where it is.
  cGame::closeCinematic();
  cGame::openCinematic(0, 0, -1);
  hero->setX(50 << 8);
  untilPhase(1);
  EXPECT_EQ(hero->getPixelX(), 50);
}

TEST_F(CinematicTest, TheScenesPaintEndsWithTheScreenOverEverything) {
  fillScreen(0xFFFF);
  cGame::openCinematic(0, 1, -1);
  cGame::setCinematicPhase(2);
  cGame::paintInGame();
  for (auto [x, y] : {std::pair{0, 0}, {400, 240}, {799, 479}}) EXPECT_EQ(pixelAt(x, y), 0) << x << "," << y;
}

TEST_F(CinematicTest, TheNarrationSetsItsFontsPalette) {
  cGame::startCutsceneAt(0, 4, -1, -1, true, false);
  untilPhase(4);
  ASprite* font = sprite(5);
  font->setPalette(3);
  cGame::paintCinematic();
  EXPECT_EQ(font->getPalette(), 1);
  ASSERT_EQ(shell::touch().overlayTouchAreas->size(), 1);
  EXPECT_EQ(static_cast<SensibleRectangle*>(shell::touch().overlayTouchAreas->elementAt(0))->id, 202);
}

}  // namespace
