// The conversation ring: what it takes and refuses, when a line may be
// dismissed, what a dismissal runs and where reading goes on, and how a
// question takes its answer.
#include <gtest/gtest.h>

#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/SensibleRectangle.h"
#include "platform/java_util/java_util_Vector.h"
#include "runtime/lang/Arrays.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/game/story/conversation_kit.h"
#include "tests/game/story/story_fixture.h"

namespace {

using conversationkit::queuedText;
using conversationkit::shownText;
using conversationkit::talk;

constexpr int32_t okKey = 5;
constexpr int32_t previousKey = 8;
constexpr int32_t nextKey = 14;

class ConversationTest : public StoryFixture {
 protected:
  void SetUp() override {
    StoryFixture::SetUp();
    cGameTouchStatics& touch = shell::touch();
    if (touch.touchAreas == nullptr) touch.touchAreas = newObject<java_util_Vector>();
  }

  static void press(int32_t key) { shell::keys().framePressed = 1 << key; }
  // A tap (press and release) on the area with this id, as the frame's input leaves it.
  static void releaseOn(int32_t id) {
    cGame::clearInput();
    cGame::addTouchArea(0, 0, 10, 10, id);
    cGame::applyPointerPressed(5, 5);
    cGame::applyPointerReleased(5, 5);
  }
  // Only the release of a press made earlier, landing on the area with this id.
  static void letGoOn(int32_t id) {
    cGame::clearInput();
    cGame::addTouchArea(0, 0, 10, 10, id);
    cGame::applyPointerReleased(5, 5);
  }
  // The frames a line is painted before the player can move it on.
  static void paintFrames(int32_t n) {
    for (int32_t i = 0; i < n; ++i) cGame::paintConversation();
  }
  static void dismissWithOk() {
    paintFrames(16);
    press(okKey);
    cGame::updateConversation();
  }
  static IntArray* ints(std::initializer_list<int32_t> values) {
    IntArray* a = newIntArray(static_cast<int32_t>(values.size()));
    int32_t i = 0;
    for (int32_t v : values) a->set(i++, v);
    return a;
  }
};

TEST_F(ConversationTest, TheRingHoldsFifteenLinesAndRefusesMore) {
  for (int32_t i = 0; i < 15; ++i) EXPECT_EQ(cGame::queueConversationLine(i, -1, -1, -1), i);
  EXPECT_TRUE(cGame::isConversationQueueFull());
  EXPECT_EQ(cGame::queueConversationLine(15, -1, -1, -1), -1) << "the sixteenth";
  EXPECT_EQ(shownText(), 0);
  EXPECT_FALSE(worldStatics().cGamePlay.playerControl);

  cGame::initConversationQueue();
  EXPECT_EQ(cGame::queueConversationLine(-1, -1, -1, -1), -1) << "no text";
  EXPECT_FALSE(cGame::isConversationActive());
  EXPECT_TRUE(cGame::isConversationQueueIdle());
}

TEST_F(ConversationTest, ALineGoesOnlyFromItsSixteenthPaintedFrame) {
  struct Case {
    const char* how;
    bool byTouch;
  };
  for (const Case& c : {Case{"OK key", false}, Case{"touch on the box", true}}) {
    SCOPED_TRACE(c.how);
    cGame::initConversationQueue();
    cGame::queueConversationLine(7, -1, -1, -1);
    cGame::queueConversationLine(8, -1, -1, -1);
    for (int32_t frame = 1; frame <= 15; ++frame) {
      cGame::paintConversation();
      if (c.byTouch) releaseOn(201);
      else press(okKey);
      cGame::updateConversation();
      ASSERT_EQ(shownText(), 7) << "frame " << frame;
    }
    cGame::paintConversation();
    EXPECT_TRUE(talk().conversationMayAdvance);
    if (c.byTouch) releaseOn(201);
    else press(okKey);
    cGame::updateConversation();
    EXPECT_EQ(shownText(), 8);
    EXPECT_EQ(talk().conversationFrames, 0) << "the next line counts afresh";
    EXPECT_FALSE(talk().conversationMayAdvance);
    EXPECT_TRUE(worldStatics().cGamePlay.playerControl) << "given back at the dismissal";
  }
}

TEST_F(ConversationTest, ATouchPressedBeforeTheLineShowedDoesNotDismissIt) {
  // The player holds the pad as a trigger queues a line and lets go over
  // the box: before the line is first painted, or once it may go.
  for (const bool beforeFirstPaint : {true, false}) {
    SCOPED_TRACE(beforeFirstPaint ? "let go before the first paint" : "let go once it may go");
    cGame::initConversationQueue();
    cGame::applyPointerPressed(100, 400);
    cGame::queueConversationLine(7, -1, -1, -1);
    if (beforeFirstPaint) letGoOn(201);
    paintFrames(16);
    if (!beforeFirstPaint) letGoOn(201);
    cGame::updateConversation();
    ASSERT_EQ(shownText(), 7) << "still up, unread";
    releaseOn(201);
    cGame::updateConversation();
    EXPECT_FALSE(cGame::isConversationActive()) << "a tap made while it shows moves it on";
  }
}

TEST_F(ConversationTest, ALineWhoseActionQueuesAFollowUpShowsItNext) {
  // The follow-up's queueing moves reading on to it while the dismissed
  // slot is empty; the dismissal must not move on past it.
  addAction(60, {1, 4, -1, -1, 0});  // id 1: text 4
  cGame::queueConversationLine(3, 1, -1, -1);
  dismissWithOk();
  EXPECT_EQ(shownText(), 4) << "the follow-up";
  EXPECT_FALSE(worldStatics().cGamePlay.playerControl);
  dismissWithOk();
  EXPECT_FALSE(cGame::isConversationActive());
  EXPECT_TRUE(cGame::isConversationQueueIdle());
  EXPECT_TRUE(worldStatics().cGamePlay.playerControl);
}

TEST_F(ConversationTest, AQueueLaggingBehindItsWriteIndexCatchesUp) {
  talk().conversationWrite = 2;
  cGame::updateConversation();
  EXPECT_EQ(talk().conversationRead, 1);
  cGame::updateConversation();
  EXPECT_EQ(talk().conversationRead, 2);
  cGame::updateConversation();
  EXPECT_EQ(talk().conversationRead, 2) << "idle";
}

TEST_F(ConversationTest, TheAnswerKeysMoveTheHighlightRoundTheAnswers) {
  struct Case {
    int32_t from, key, to;
  };
  const Case cases[] = {{-1, previousKey, 1}, {-1, nextKey, 0}, {0, previousKey, 2},
                        {2, nextKey, 0},      {1, 1, 0},        {1, 2, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.from << " key " << c.key);
    cGame::initConversationQueue();
    cGame::queueConversationQuestion(1, -1, -1, ints({10, 11, 12}), 3, 0, -1, -1);
    talk().answerChosen = c.from;
    press(c.key);
    cGame::updateConversation();
    EXPECT_EQ(talk().answerChosen, c.to);
    press(okKey);
    paintFrames(20);
    cGame::updateConversation();
    EXPECT_EQ(shownText(), 1) << "OK takes no answer: only a touch does";
  }
}

TEST_F(ConversationTest, ATouchedAnswerRunsTheRightOrTheWrongAction) {
  addAction(60, {1, 20, -1, -1, 0});  // id 1: right
  addAction(60, {2, 21, -1, -1, 0});  // id 2: wrong
  struct Case {
    int32_t touched;
    int32_t followUp;
  };
  for (const Case& c : {Case{1, 20}, Case{0, 21}, Case{2, 21}}) {
    SCOPED_TRACE(c.touched);
    cGame::initConversationQueue();
    cGame::queueConversationQuestion(1, 2, -1, ints({10, 11, 12}), 3, 1, 1, 2);
    EXPECT_TRUE(cGame::isAnswerPending());
    releaseOn(100 + c.touched);
    cGame::updateConversation();
    EXPECT_EQ(talk().answerTexts, nullptr) << "answers dropped";
    EXPECT_EQ(talk().answerChosen, -1);
    EXPECT_EQ(shownText(), c.followUp);
  }
}

TEST_F(ConversationTest, ASecondQuestionCannotTakeTheFirstOnesAnswers) {
  cGame::queueConversationQuestion(1, -1, -1, ints({10, 11}), 2, 1, 5, 6);
  cGame::queueConversationQuestion(2, -1, -1, ints({20, 21, 22}), 3, 0, 7, 8);
  EXPECT_EQ(queuedText(1), -1) << "refused";
  ASSERT_NE(talk().answerTexts, nullptr);
  EXPECT_EQ(talk().answerTexts->length(), 2);
  EXPECT_EQ(talk().answerTexts->get(1), 11 + 272);
  EXPECT_EQ(talk().answerRightAction, 5);

  // Bad questions are not queued.
  cGame::initConversationQueue();
  cGame::queueConversationQuestion(3, -1, -1, ints({10, 11}), 2, -1, 5, 6);
  cGame::queueConversationQuestion(3, -1, -1, ints({10, 11}), 2, 2, 5, 6);
  cGame::queueConversationQuestion(3, -1, -1, ints({10, 11}), 0, 0, 5, 6);
  EXPECT_FALSE(cGame::isConversationActive());
}

TEST_F(ConversationTest, SpeakersHaveTheirPortraits) {
  const std::pair<int32_t, int32_t> table[] = {{1, 21}, {2, 22}, {5, 24}, {6, 23}, {10, 26},
                                               {11, 27}, {0, 25}, {3, 25}, {-1, 25}};
  for (auto [code, frame] : table) EXPECT_EQ(cGame::speakerPortrait(code), frame) << code;
}

TEST_F(ConversationTest, TheInGameUpdateDismissesTheLine) {
  cGame::queueConversationLine(7, -1, -1, -1);
  paintFrames(16);
  press(okKey);
  cGame::stateInGame(StateMessage::update);
  EXPECT_FALSE(cGame::isConversationActive());
}

}  // namespace
