// The room's actions: the dispatch of every type, the lookups by id and
// what a fast-forward holds back.
#include <gtest/gtest.h>

#include <functional>

#include "game/story/EventScriptFormat.h"
#include "tests/game/story/story_fixture.h"

namespace {

class ActionTableTest : public StoryFixture {};

TEST_F(ActionTableTest, EachTypeRunsAsItsRowSays) {
  installSprite(20);
  // Script text 0 is the pack's text 272.
  cGameTextStatics& texts = toolkitStatics().cGameText;
  texts.count = 273;
  texts.offsets = newIntArray(274);
  texts.offsets->set(273, 1);
  texts.bytes = newByteArray(1);
  texts.bytes->set(0, 'A');
  ScriptBuilder script;
  script.cutscene(6, 1).track(0, 0).key(0).key(50);
  struct Case {
    uint8_t type;
    std::vector<int32_t> fields;  // after the id
    std::function<void()> check;
  };
  const Case cases[] = {
      {60, {4, 43, 2, 9}, [] {
         EXPECT_EQ(conversationkit::shownText(), 4);
         EXPECT_EQ(conversationkit::talk().conversationActions->get(0), 9);
       }},
      {61, {0, 1500}, [] { EXPECT_EQ(shellStatics().cGameNotice.noticeRemaining, 1500); }},
      {62, {6, 0, 1, 0}, [] {
         EXPECT_EQ(cGame::currentCutscene(), 0);
         EXPECT_TRUE(shellStatics().cGameShared.fullSpeedAnimation) << "in the background";
       }},
      {63, {1, 2, 3, 300, 1, -1}, [] {
         const cGamePopupStatics& popup = shellStatics().cGamePopup;
         ASSERT_TRUE(cGame::isPopupActive());
         EXPECT_EQ(popup.popupTimeLimit, 1000) << "300 ms and 700 more";
         EXPECT_EQ(popup.popupIcons->get(0), 1);
         EXPECT_EQ(popup.popupIcons->get(1), 2);
         EXPECT_EQ(popup.popupIcons->get(2), 3);
         EXPECT_EQ(popup.popupSuccessAction, 1);
         EXPECT_EQ(popup.popupFailureAction, -1);
         EXPECT_FALSE(popup.popupCounterAttack);
       }},
      {64, {43, 1, 2}, [] { EXPECT_TRUE(storytest::heardCalls().empty()); }},
      {65, {1}, [] {
         EXPECT_EQ(camera().zoneCount, 1);
         EXPECT_EQ(camera().zoneIds->get(0), 9) << "the zone at place 1 went";
       }},
      {66, {0, 12}, [] { EXPECT_EQ(cGame::cinematicKind(), 3); }},
      {67, {43}, [] { EXPECT_TRUE(cActor::findById(43)->isKilled()); }},
      {68, {43}, [] {
         EXPECT_TRUE(cGame::isInteractionActive());
         EXPECT_EQ(storyStatics().cGameInteraction.interactionTarget, cActor::findById(43));
       }},
      {69, {100, 0, 20, 0, 500, 1}, [] {
         ASSERT_NE(worldStatics().cGameEffects.effectPlayers, nullptr);
         EXPECT_NE(worldStatics().cGameEffects.effectPlayers->get(0), nullptr) << "sprite 4 + 16";
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.type));
    cActor::releaseLayer(0);
    cGame::clearScriptActors();
    cGame::initConversationQueue();
    // Actor 43 opens a close-up of its own picture, with no line to say.
    cActor* object = scriptActor(43);
    object->setParams(newIntArray(15), 15);
    object->setParam(2, 43);
    object->setParam(13, -1);
    cGame::initCameraZones();
    cGame::addCameraZone(9, 0, 0, 100, 100, 0, 0, 100, 100);
    cGame::addCameraZone(10, 0, 0, 100, 100, 0, 0, 100, 100);
    cGame::clearTransientEffects();
    load(script);
    cGame::resetActionTable();
    std::vector<int32_t> values{1};
    values.insert(values.end(), c.fields.begin(), c.fields.end());
    // The unused fields of 66 and 69 are left out of the list above.
    if (c.type == 69) values[3] -= 16;
    addAction(c.type, values);
    forget();
    cGame::runAction(0);
    c.check();
    cGame::endCutscene(cGame::currentCutscene());
    if (cGame::isInteractionActive()) cGame::leaveInteraction();
  }
}

TEST_F(ActionTableTest, LookupsFindTheFirstOfAnIdAndNegativeIdsToo) {
  addAction(61, {-2, 0, 100});
  addAction(61, {5, 1, 100});
  addAction(61, {5, 2, 100});
  EXPECT_EQ(cGame::findActionById(-2), 0);
  EXPECT_EQ(cGame::findActionById(5), 1);
  EXPECT_EQ(cGame::findActionById(6), -1);
  cGame::runAction(-1);
  cGame::runAction(3);
  EXPECT_FALSE(cGame::runActionById(6));
  EXPECT_FALSE(cGame::runActionById(5)) << "only a cutscene action answers true";
  cGame::clearActionTable();
  EXPECT_EQ(cGame::findActionById(5), -1);
}

TEST_F(ActionTableTest, AFastForwardHoldsBackKeyPromptsAndInertActions) {
  addAction(63, {1, 1, 2, 3, 300, 2, -1});
  addAction(64, {2, 43, 0, 0});
  addAction(62, {3, 99, 0, 0, 0});
  cutscene().cutsceneFastForward = true;
  EXPECT_FALSE(cGame::runActionById(1));
  EXPECT_FALSE(cGame::isPopupActive());
  EXPECT_FALSE(cGame::runActionById(2));
  EXPECT_TRUE(cGame::runActionById(3)) << "a cutscene start is asked for, deferred or not";
  cutscene().cutsceneFastForward = false;
  EXPECT_FALSE(cGame::runActionById(1));
  EXPECT_TRUE(cGame::isPopupActive());
  EXPECT_EQ(shellStatics().cGamePopup.popupTimeLimit, 1000);
}

TEST_F(ActionTableTest, AKeyPromptWhoseResultNothingTakesStaysClosed) {
  addAction(63, {1, 1, 2, 3, 300, 7, 8});  // neither 7 nor 8 exists
  testing::internal::CaptureStdout();
  cGame::runAction(0);
  EXPECT_NE(testing::internal::GetCapturedStdout().find("nothing takes"), std::string::npos);
  EXPECT_FALSE(cGame::isPopupActive());
  addAction(61, {8, 0, 100});
  cGame::runAction(0);
  EXPECT_TRUE(cGame::isPopupActive()) << "the failure runs action 8";
  EXPECT_EQ(shellStatics().cGamePopup.popupFailureAction, 8);
}

TEST_F(ActionTableTest, InRoom3TheChapterEndWaitsForTheTimedEvents) {
  addAction(66, {1, 0, 12});
  for (int32_t room : {3, 4}) {
    SCOPED_TRACE(room);
    shellStatics().cGameProgress.progress->set(shellStatics().cGameProgress.chapter, room);
    storyStatics().cGameActions.pendingCinematicText = -1;
    cGame::closeCinematic();
    cGame::runAction(0);
    EXPECT_EQ(cGame::isCinematicActive(), room != 3);
    EXPECT_EQ(storyStatics().cGameActions.pendingCinematicText, room == 3 ? 12 : -1);
  }
}

}  // namespace
