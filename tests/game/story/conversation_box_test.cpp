// Where the conversation box, its question rows and their touch areas go,
// with a block font whose lines are 10 px apart and 200 x 60 buttons.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/ASprite.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/toolkit/SensibleRectangle.h"
#include "platform/java_util/java_util_Vector.h"
#include "runtime/lang/Arrays.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/game/shell/text_kit.h"
#include "tests/game/story/conversation_kit.h"
#include "tests/game/story/story_fixture.h"
#include "tests/game/world/paint_recorder.h"

namespace {

using conversationkit::talk;

struct Area {
  int32_t x, y, w, h, id;
  bool operator==(const Area&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Area& a) {
  return out << a.id << " at " << a.x << "," << a.y << " " << a.w << "x" << a.h;
}

class ConversationBoxTest : public StoryFixture {
 protected:
  void SetUp() override {
    StoryFixture::SetUp();
    shell::loop().sprites->set(5, blockFont());
    installSprite(50, {.animations = 15, .steps = 3, .frameBox = [](int) { return worldkit::TestFrameBox{-100, -30, 200, 60}; }});
    if (shell::touch().touchAreas == nullptr) shell::touch().touchAreas = newObject<java_util_Vector>();
    setTexts({{272 + 1, "Who goes there?"}, {272 + 10, "A friend"}, {272 + 11, "Nobody"}, {272 + 12, "Bram"},
              {2 + 147, "Wren"}});
  }

  static std::vector<Area> areas() {
    std::vector<Area> out;
    java_util_Vector* list = shell::touch().touchAreas;
    for (int32_t i = 0; list != nullptr && i < list->size(); ++i) {
      auto* r = static_cast<SensibleRectangle*>(list->elementAt(i));
      out.push_back({r->x, r->y, r->width, r->height, r->id});
    }
    return out;
  }

  static ASprite* blockFont() { return textkit::blockFont(); }
  static void setTexts(const std::map<int32_t, std::string>& entries) { textkit::setTexts(entries, 400); }
  static IntArray* ints(std::initializer_list<int32_t> values) {
    IntArray* a = newIntArray(static_cast<int32_t>(values.size()));
    int32_t i = 0;
    for (int32_t v : values) a->set(i++, v);
    return a;
  }
  static int32_t pitch() {
    ASprite* font = shell::spriteAt(5);
    return font->getLineHeight() + font->getLineGap();
  }
};

TEST_F(ConversationBoxTest, APlainLineIsABoxAtLeast195HighAroundY380) {
  ASSERT_NE(shell::spriteAt(5), nullptr);
  ASSERT_LT(pitch(), 195);
  cGame::queueConversationLine(1, -1, -1, -1);
  worldkit::PaintRecorder paints(screenGraphics());
  cGame::paintConversation();
  const int32_t top = 380 - 195 / 2;
  EXPECT_EQ(areas(), (std::vector<Area>{{0, top, 800, 195, 201}}));
  EXPECT_TRUE(shell::touch().touchAreasComplete);
  const std::vector<std::string> lines = paints.lines();
  auto has = [&](const std::string& prefix) {
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
  };
  EXPECT_TRUE(has("setClip 0," + std::to_string(top) + ",800,195"));
  EXPECT_TRUE(has("drawLine 0," + std::to_string(top) + ",799," + std::to_string(top)));
  EXPECT_TRUE(has("drawLine 0," + std::to_string(top + 194) + ",799," + std::to_string(top + 194)));
}

TEST_F(ConversationBoxTest, QuestionRowsAre97ApartAndEachIsATouchArea) {
  cGame::queueConversationQuestion(1, 2, -1, ints({10, 11, 12}), 3, 1, -1, -1);
  cGame::paintConversation();
  const int32_t q = pitch() - shell::spriteAt(5)->getLineGap();
  const int32_t h = std::max(q + 126 + 3 * (q + 63) + 20, 220);
  const int32_t top = 347 - h / 2;
  const int32_t y0 = top + q + 68;
  EXPECT_EQ(areas(), (std::vector<Area>{{242, y0 - 30, 200, 60, 100},
                                        {242, y0 + 97 - 30, 200, 60, 101},
                                        {242, y0 + 194 - 30, 200, 60, 102}}))
      << "no area 201 for a question";
  EXPECT_EQ(talk().answerChosen, -1) << "no row pressed, no highlight kept";
}

TEST_F(ConversationBoxTest, TouchingTheSecondRowTakesTheSecondAnswer) {
  addAction(60, {1, 20, -1, -1, 0});
  cGame::queueConversationQuestion(1, -1, -1, ints({10, 11, 12}), 3, 1, 1, -1);
  cGame::paintConversation();
  const Area second = areas().at(1);
  cGame::applyPointerReleased(second.x + 5, second.y + 5);
  cGame::updateConversation();
  EXPECT_EQ(conversationkit::shownText(), 20) << "the right action's line";
}

}  // namespace

namespace {

TEST_F(ConversationBoxTest, EachPaintedScreenStepsTheNextLineIndicator) {
  cGame::initConversationQueue();  // with the button sprite installed
  CVLibPlayer* icon = talk().conversationNextIcon;
  ASSERT_NE(icon, nullptr);
  std::vector<std::pair<int32_t, int32_t>> seen;
  for (int32_t frame = 0; frame < 4; ++frame) {
    seen.emplace_back(icon->aframe, icon->time);
    cGame::paintScreen();
  }
  seen.emplace_back(icon->aframe, icon->time);
  EXPECT_NE(seen.front(), seen.back()) << "the indicator moved on";
}

}  // namespace
