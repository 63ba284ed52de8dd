// Transient effects: effect slots, the timed notice, the falling streaks,
// the marker and the carried-object icon.
#include <gtest/gtest.h>

#include "game/world/cActorMC.h"
#include "tests/game/world/world_fixture.h"

namespace {

class EffectsTest : public WorldFixture {
 protected:
  void SetUp() override {
    WorldFixture::SetUp();
    m_sprite = makeSprite(27, {{0, 0, 4, 4}, {0, 0, 6, 6}}, {{0}, {1}, {0, 1}});
  }
  static cGameEffectsStatics& effects() { return worldStatics().cGameEffects; }
  static cGameNoticeStatics& notice() { return shellStatics().cGameNotice; }
  ASprite* m_sprite = nullptr;
};

TEST_F(EffectsTest, SpawnTakesTheLowestFreeSlotAndDropsTheEleventh) {
  play().cameraPixelX = 100;
  for (int32_t i = 0; i < 11; ++i) cGame::spawnEffect(27, 0, 1000, 500 + i, i % 2 == 0);
  ASSERT_NE(effects().effectPlayers, nullptr);
  EXPECT_EQ(cGame::findFreeEffectSlot(), -1);
  for (int32_t i = 0; i < 10; ++i) EXPECT_EQ(effects().effectWorldX->get(i), 500 + i) << "the eleventh is dropped";
  auto* first = static_cast<CVLibPlayer*>(effects().effectPlayers->get(0));
  EXPECT_EQ(first->x, 400);
  EXPECT_EQ(first->y, 25);
  EXPECT_EQ(static_cast<CVLibPlayer*>(effects().effectPlayers->get(1))->y, 450);
  cGame::removeEffect(3);
  EXPECT_EQ(cGame::findFreeEffectSlot(), 3);
  EXPECT_EQ(effects().effectWorldX->get(3), -1);
}

TEST_F(EffectsTest, SpawnRefusesNegativeAndUnloadedSprites) {
  testing::internal::CaptureStdout();
  cGame::spawnEffect(-1, 0, 1000, 0, true);
  cGame::spawnEffect(27, -1, 1000, 0, true);
  cGame::spawnEffect(40, 0, 1000, 0, true);  // nothing loaded there
  cGame::spawnEffect(52, 0, 1000, 0, true);  // past the table
  cGame::spawnEffect(100000, 0, 1000, 0, true);
  const std::string log = testing::internal::GetCapturedStdout();
  EXPECT_EQ(effects().effectPlayers, nullptr);
  EXPECT_NE(log.find("Effect sprite 40 is not loaded"), std::string::npos);
}

TEST_F(EffectsTest, EffectsLiveTheirTimeFollowTheCameraAndDropTheArraysWhenDone) {
  cGame::spawnEffect(27, 0, 0, 300, false);
  cGame::spawnEffect(27, 0, 100, 300, false);
  play().cameraPixelX = 50;
  setTimeStep(62);
  cGame::updateEffects();
  ASSERT_NE(effects().effectPlayers, nullptr);
  EXPECT_EQ(effects().effectPlayers->get(0), nullptr) << "0 ms: removed in the next update";
  auto* second = static_cast<CVLibPlayer*>(effects().effectPlayers->get(1));
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->x, 250);
  EXPECT_EQ(effects().effectTimeLeft->get(1), 38);
  cGame::updateEffects();
  EXPECT_EQ(effects().effectPlayers, nullptr);
  EXPECT_EQ(effects().effectWorldX, nullptr);
}

TEST_F(EffectsTest, NoticeShowsItsTextAndAnIconOnlyWhenBothAreGiven) {
  String* text = String::valueOf(u'A');
  cGame::showNotice(text, 100, m_sprite, 1);
  EXPECT_TRUE(cGame::isHintShown());
  ASSERT_NE(notice().noticeIcon, nullptr);
  EXPECT_EQ(notice().noticeIcon->anim, 1);
  cGame::showNotice(text, 100, nullptr, 1);
  EXPECT_EQ(notice().noticeIcon, nullptr);
  cGame::showNotice(text, 100, m_sprite, -1);
  EXPECT_EQ(notice().noticeIcon, nullptr);
  notice().noticeY = 40;
  cGame::showNotice(nullptr, 5, m_sprite, 1);
  EXPECT_EQ(notice().noticeText, text) << "a null text leaves the notice";
  EXPECT_EQ(notice().noticeY, 0);
  setTimeStep(60);
  cGame::updateNotice();
  EXPECT_TRUE(cGame::isHintShown());
  cGame::updateNotice();
  EXPECT_FALSE(cGame::isHintShown());
  EXPECT_EQ(notice().noticeRemaining, 0);
}

TEST_F(EffectsTest, StreaksMoveByConstantStepsWhateverTheFrameTime) {
  cGame::startFallingParticles(1);
  ASSERT_NE(effects().particleX, nullptr);
  std::vector<std::pair<int32_t, int32_t>> before;
  for (int32_t i = 0; i < 200; ++i) before.push_back({effects().particleX->get(i), effects().particleY->get(i)});
  for (int32_t i = 0; i < 200; ++i) {
    EXPECT_GE(before[i].first, 0);
    EXPECT_LT(before[i].first, 1600);
    EXPECT_GE(before[i].second, 0);
    EXPECT_LT(before[i].second, 480);
  }
  setTimeStep(900);
  cGame::updateFallingParticles();
  for (int32_t i = 0; i < 200; ++i) {
    const bool stays = before[i].first - 5 >= 0 && before[i].second + 18 <= 480;
    if (i >= 50) {
      EXPECT_EQ(effects().particleX->get(i), before[i].first) << "a light shower moves 50 streaks";
    } else if (stays) {
      EXPECT_EQ(effects().particleX->get(i), before[i].first - 5);
      EXPECT_EQ(effects().particleY->get(i), before[i].second + 18);
    } else {
      EXPECT_LT(effects().particleY->get(i), 0) << "placed anew above the screen";
    }
  }
}

TEST_F(EffectsTest, AStoppingShowerEndsOnceEveryStreakHasLeftAndCanResume) {
  cGame::startFallingParticles(2);
  cGame::startFallingParticles(0);
  EXPECT_TRUE(effects().particlesStopping);
  int32_t updates = 0;
  while (effects().particleMode != 0 && updates < 1000) {
    cGame::updateFallingParticles();
    ++updates;
    if (updates == 3) {
      cGame::startFallingParticles(1);  // resumes with 50
      EXPECT_FALSE(effects().particlesStopping);
      EXPECT_EQ(effects().particleMode, 1);
      cGame::startFallingParticles(0);
    }
  }
  EXPECT_LT(updates, 1000);
  EXPECT_GT(updates, 3);
  EXPECT_EQ(effects().particleX, nullptr);
  EXPECT_EQ(effects().particleY, nullptr);
  EXPECT_FALSE(effects().particlesStopping);
}

TEST_F(EffectsTest, TheCarriedIconIsShownForTheFocusCharacter) {
  IntArray* position = newIntArray(3);
  cActorMC* hero = cActorMC::create(10, 0, position);
  play().focusActor = hero;
  hero->showCarriedIcon(2);
  ASSERT_NE(hero->carriedIcon, nullptr);
  EXPECT_EQ(hero->carriedIcon->anim, 2);
  EXPECT_TRUE(effects().carriedIconShown);
  cGame::paintActorMarker();
  EXPECT_EQ(hero->carriedIcon->x, 400);
  EXPECT_EQ(hero->carriedIcon->y, 412);
  hero->hideCarriedIcon();
  EXPECT_FALSE(effects().carriedIconShown);
  EXPECT_EQ(hero->carriedIcon, nullptr);
}

TEST_F(EffectsTest, ClearingForARoomLoadDropsEverything) {
  cGame::spawnEffect(27, 0, 1000, 0, true);
  cGame::startFallingParticles(2);
  cGame::showNotice(String::valueOf(u'B'), 1000, nullptr, -1);
  effects().markerShown = true;
  cGame::clearTransientEffects();
  EXPECT_EQ(effects().effectPlayers, nullptr);
  EXPECT_EQ(effects().particleX, nullptr);
  EXPECT_EQ(effects().particleMode, 0);
  EXPECT_FALSE(effects().markerShown);
  EXPECT_FALSE(cGame::isHintShown());
}

}  // namespace
