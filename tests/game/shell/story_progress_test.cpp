// Story progress: chapters, their switches and the loader's queries.
#include <gtest/gtest.h>

#include "game/shell/cGame.h"
#include "tests/game/shell/shell_runtime_fixture.h"

namespace {

class StoryProgressTest : public ShellRuntimeFixture {};

TEST_F(StoryProgressTest, ProgressValuesEqualTheChapterIndex) {
  for (int32_t i = 0; i < 10; ++i) EXPECT_EQ(cGame::getProgress(i), i);
  EXPECT_EQ(progress().finishedChapter, -1);
}

TEST_F(StoryProgressTest, NextChapter) {
  EXPECT_EQ(cGame::nextChapter(0), 1);
  EXPECT_EQ(cGame::nextChapter(8), 9);
  EXPECT_EQ(cGame::nextChapter(9), -1);
  progress().chapterEnding = true;
  for (int32_t i = 0; i < 10; ++i) EXPECT_EQ(cGame::nextChapter(i), -1) << i;
  cGame::setChapter(3);  // a chapter start clears the ending
  EXPECT_EQ(cGame::nextChapter(3), 4);
}

TEST_F(StoryProgressTest, StartingAChapterSetsItsSwitches) {
  cGame::setChapter(1);
  EXPECT_TRUE(progress().sideViewMode);
  EXPECT_TRUE(progress().chapterFlag);
  cGame::setChapter(2);
  EXPECT_FALSE(progress().sideViewMode);
  EXPECT_TRUE(progress().chapterFlag);  // never cleared by a chapter start
  cGame::setChapter(6);
  EXPECT_TRUE(progress().sideViewMode);
  EXPECT_EQ(progress().chapter, 6);
}

TEST_F(StoryProgressTest, QueriesOnTheCurrentChapter) {
  const struct {
    int32_t chapter;
    bool at3Or7, at9;
    int32_t code, modeOf37;
  } cases[] = {
      {0, false, false, 18, 4}, {1, false, false, 18, 4}, {2, false, false, 18, 1}, {3, true, false, 18, 1},
      {4, false, false, 18, 2}, {5, false, false, 18, 1}, {6, false, false, 18, 1}, {7, true, false, 19, 1},
      {8, false, false, 18, 1}, {9, false, true, 20, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.chapter);
    cGame::setChapter(c.chapter);
    EXPECT_EQ(cGame::isProgressAt3Or7(), c.at3Or7);
    EXPECT_EQ(cGame::isProgressAt9(), c.at9);
    EXPECT_EQ(cGame::getProgressCode(), c.code);
    EXPECT_EQ(cGame::getProgressMode(37), c.modeOf37);
    EXPECT_EQ(cGame::getProgressMode(36), 1);
  }
}

TEST_F(StoryProgressTest, ResourceListsOfTheChapters) {
  for (int32_t chapter = 0; chapter < 10; ++chapter) {
    SCOPED_TRACE(chapter);
    cGame::setChapter(chapter);
    EXPECT_FALSE(cGame::isIdInProgressList(41));  // though five lists name it
    EXPECT_FALSE(cGame::isIdInProgressList(26));  // though every list names it
    EXPECT_TRUE(cGame::isIdInProgressList(11));
    EXPECT_EQ(cGame::isIdInProgressList(15), chapter == 2);
    EXPECT_EQ(cGame::isIdInProgressList(46), chapter == 9);
    EXPECT_EQ(cGame::isIdInProgressList(48), chapter == 3);
    EXPECT_FALSE(cGame::isIdInProgressList(49));
  }
  cGame::setChapter(0);
  int32_t count = 0;
  for (int32_t id = 0; id < 60; ++id) count += cGame::isIdInProgressList(id);
  EXPECT_EQ(count, 23 - 2);
}

TEST_F(StoryProgressTest, RoomFlag) {
  EXPECT_FALSE(cGame::getRoomFlag());
  progress().roomFlag = true;
  EXPECT_TRUE(cGame::getRoomFlag());
}

}  // namespace
