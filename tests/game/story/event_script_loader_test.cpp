// The event script's loader: its tables against the blocks the builder
// writes, the blocks it refuses, the lookups, the script lists and each
// track's start and reset.
#include <gtest/gtest.h>

#include "game/toolkit/ASprite.h"
#include "game/world/cActorMC.h"
#include "tests/game/story/story_fixture.h"

namespace {

class EventScriptLoaderTest : public StoryFixture {};

ScriptBuilder threeTracks() {
  ScriptBuilder script;
  script.cutscene(5, 2).cutscene(-2, 1);
  script.track(2, 1, 42).key(0).cmd(21, {10, 20}).key(10).cmd(21, {30, 40}).cmd(56);
  script.track(0, 4).key(5).cmd(54, {1}).cmd(61, {1, 2, 3, 4, 5, 6, 7, 8, 0, -1, -1});
  script.track(3, 12, 11).key(0).cmd(22, {3}).key(2).cmd(58, {0, 1, 2, 3, 1});
  return script;
}

TEST_F(EventScriptLoaderTest, TablesIndexEveryCutsceneAndTrackAsWritten) {
  const ScriptBuilder script = threeTracks();
  load(script);
  EXPECT_EQ(events().cutsceneCount, 2);
  EXPECT_EQ(events().cutsceneIds->get(0), 5);
  EXPECT_EQ(events().cutsceneIds->get(1), -2);
  EXPECT_EQ(events().cutsceneTrackCounts->get(0), 2);
  ASSERT_EQ(events().trackCount, 3);
  const int32_t types[] = {2, 0, 3}, flags[] = {1, 4, 12};
  for (int32_t t = 0; t < 3; ++t) {
    SCOPED_TRACE(t);
    EXPECT_EQ(events().trackOffset->get(t), static_cast<int32_t>(script.trackOffset(static_cast<size_t>(t))));
    EXPECT_EQ(events().trackLength->get(t), static_cast<int32_t>(script.trackLength(static_cast<size_t>(t))));
    EXPECT_EQ(events().trackType->get(t), types[t]);
    EXPECT_EQ(events().trackFlags->get(t), flags[t]);
    EXPECT_EQ(events().trackReadPos->get(t), -1) << "idle until started";
    EXPECT_FALSE(events().trackStarted->get(t));
  }
  // The last track ends where the block does.
  EXPECT_EQ(events().trackOffset->get(2) + events().trackLength->get(2), static_cast<int32_t>(script.bytes().size()));
}

TEST_F(EventScriptLoaderTest, LookupsByIdAndByIndex) {
  load(threeTracks());
  EXPECT_EQ(cGame::findCutscene(5), 0);
  EXPECT_EQ(cGame::findCutscene(-2), 1) << "ids are signed";
  EXPECT_EQ(cGame::findCutscene(6), -1);
  EXPECT_EQ(cGame::getCutsceneFirstTrack(0), 0);
  EXPECT_EQ(cGame::getCutsceneFirstTrack(1), 2);
  EXPECT_EQ(cGame::getCutsceneFirstTrack(2), -1) << "an index equal to the count";
  EXPECT_EQ(cGame::getCutsceneFirstTrack(-1), -1);
  EXPECT_TRUE(cGame::isCutsceneFinished(-1));
  EXPECT_TRUE(cGame::isCutsceneFinished(2));
  EXPECT_TRUE(cGame::isCutsceneFinished(0)) << "nothing started";

  ScriptBuilder empty;
  load(empty.cutscene(3, 0).cutscene(3, 1).track(0, 0).key(0));
  EXPECT_EQ(cGame::findCutscene(3), 0) << "the first with the id";
  EXPECT_TRUE(cGame::isCutsceneFinished(0)) << "no tracks: finished at once";
  EXPECT_EQ(cGame::getCutsceneFirstTrack(1), 0);

  load(ScriptBuilder{});
  EXPECT_EQ(events().cutsceneCount, 0);
  EXPECT_EQ(cGame::findCutscene(0), -1);
}

TEST_F(EventScriptLoaderTest, BrokenBlocksAreRefusedAndTheRoomHasNoCutscenes) {
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
  };
  const auto block = [](auto build) {
    ScriptBuilder script;
    build(script);
    return script.bytes();
  };
  const std::vector<uint8_t> whole = threeTracks().bytes();
  const Case cases[] = {
      {"no keyframes", block([](ScriptBuilder& s) { s.cutscene(1, 1).track(0, 0); })},
      {"negative keyframe count", block([](ScriptBuilder& s) { s.cutscene(1, 1).track(0, 0).keyframes(-1).key(0); })},
      {"negative track count", block([](ScriptBuilder& s) { s.cutscene(1, -1).track(0, 0).key(0); })},
      {"negative command count",
       block([](ScriptBuilder& s) { s.cutscene(1, 1).track(0, 0).key(0).cmd(56).commands(-3); })},
      {"more keyframes than written", block([](ScriptBuilder& s) { s.cutscene(1, 1).track(0, 0).keyframes(2).key(0); })},
      {"more tracks than written", block([](ScriptBuilder& s) { s.cutscene(1, 2).track(0, 0).key(0); })},
      {"a command cut short", std::vector<uint8_t>(whole.begin(), whole.end() - 1)},
      {"the cutscene table cut short", {2, 1, 0, 1}},
      {"opcode 32", block([](ScriptBuilder& s) { s.cutscene(1, 1).track(0, 0).key(0).cmd(32); })},
      {"opcode 35", block([](ScriptBuilder& s) { s.cutscene(1, 1).track(0, 0).key(0).cmd(35); })},
      {"unknown track type", block([](ScriptBuilder& s) { s.cutscene(1, 1).track(4, 0).key(0); })},
      {"a track past 32767 bytes", block([](ScriptBuilder& s) {
         s.cutscene(1, 2).track(0, 0);
         for (int k = 0; k < 1200; ++k) s.key(k).cmd(36, {0, 0, 0, 0}).cmd(36, {0, 0, 0, 0}).cmd(36, {0, 0, 0, 0});
         s.track(0, 0).key(0);
       })},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    load(threeTracks());
    ASSERT_EQ(events().trackCount, 3);
    const std::string log = loadLogged(c.bytes);
    EXPECT_NE(log.find("Event script refused"), std::string::npos) << log;
    EXPECT_EQ(events().cutsceneCount, 0);
    EXPECT_EQ(events().trackCount, 0);
    EXPECT_EQ(events().eventScriptData, nullptr);
    EXPECT_FALSE(cGame::playCutscene(0));
    cGame::stepCutscene();
  }
  // Bytes after the last track are no track's.
  std::vector<uint8_t> trailing = whole;
  trailing.push_back(99);
  EXPECT_EQ(loadLogged(trailing), "");
  EXPECT_EQ(events().trackCount, 3);
}

TEST_F(EventScriptLoaderTest, EachLoadAppendsTheScriptSpritesAndResetsTheCutscene) {
  ASprite* first = installSprite(16);
  ASprite* last = installSprite(48);
  cutscene().currentCutscene = 3;
  cutscene().cutsceneTransition = 2;
  cutscene().cutsceneFastForward = true;
  cGame::loadEventScript(nullptr);
  EXPECT_EQ(events().scriptSpriteCount, 33);
  EXPECT_EQ(cGame::getScriptSprite(0), first);
  EXPECT_EQ(cGame::getScriptSprite(32), last);
  EXPECT_EQ(cGame::getScriptSprite(49), nullptr);
  EXPECT_EQ(cutscene().currentCutscene, -1);
  EXPECT_EQ(cutscene().cutsceneTransition, -1);
  EXPECT_FALSE(cutscene().cutsceneFastForward);
  cGame::loadEventScript(nullptr);
  EXPECT_EQ(events().scriptSpriteCount, 49) << "a full list drops the rest";
  cGame::resetCutscenes();
  EXPECT_EQ(events().scriptSpriteCount, 0);
  EXPECT_EQ(events().scriptSprites->get(0), nullptr);
}

TEST_F(EventScriptLoaderTest, TheActorListFindsTheFirstWithAnIdAndHoldsSixHundred) {
  cActor* a = scriptActor(7);
  scriptActor(7);
  cGame::addScriptActor(nullptr);
  EXPECT_EQ(events().scriptActorCount, 2);
  EXPECT_EQ(cGame::findScriptActorById(7), 0);
  EXPECT_EQ(events().scriptActors->get(0), a);
  EXPECT_EQ(cGame::findScriptActorById(8), -1);
  for (int i = 2; i < 610; ++i) cGame::addScriptActor(a);
  EXPECT_EQ(events().scriptActorCount, 600);
  cGame::clearScriptActors();
  EXPECT_EQ(events().scriptActorCount, 0);
  EXPECT_EQ(cGame::findScriptActorById(7), -1);
}

TEST_F(EventScriptLoaderTest, StartingATrackTakesItsActorAndStandsAtItsFirstKeyframe) {
  cActor* driven = scriptActor(42, 10, 10);
  ASprite* onTop = installSprite(27);
  const ScriptBuilder builder = threeTracks();
  load(builder);
  cGame::startEventTrack(0, true);
  EXPECT_TRUE(events().trackStarted->get(0));
  EXPECT_EQ(events().trackReadPos->get(0), events().trackOffset->get(0) + 6);
  EXPECT_EQ(events().trackActorSlot->get(0), 0);
  EXPECT_TRUE(driven->hasFlag(ActorFlags::HELD));
  EXPECT_EQ(events().trackFlags->get(0), 1 | 2) << "the loop argument is kept in bit 2";
  cGame::startEventTrack(0, false);
  EXPECT_EQ(events().trackFlags->get(0), 1);

  cGame::startEventTrack(1, false);
  EXPECT_EQ(events().trackReadPos->get(1), events().trackOffset->get(1) + 4);
  EXPECT_EQ(cGame::getTrackActor(1), nullptr) << "a plain track drives no actor";

  cGame::startEventTrack(2, false);
  EXPECT_EQ(events().trackReadPos->get(2), events().trackOffset->get(2) + 6);
  ASSERT_EQ(events().scriptActorCount, 2);
  EXPECT_EQ(events().trackActorSlot->get(2), 1);
  cActor* spawned = cGame::getTrackActor(2);
  ASSERT_NE(spawned, nullptr);
  EXPECT_EQ(spawned->kind, ActorKind::BARRIER);
  EXPECT_EQ(spawned->z, 999) << "sprite 27's actors stand above the others";
  EXPECT_TRUE(spawned->hasFlag(ActorFlags::ACTIVE | ActorFlags::HELD | ActorFlags::RESTORED));
  ASSERT_NE(spawned->player, nullptr);
  EXPECT_EQ(spawned->player->sprite, onTop);

  cGame::resetEventTrack(0);
  EXPECT_FALSE(driven->hasFlag(ActorFlags::HELD));
  EXPECT_EQ(events().trackReadPos->get(0), -1);
  EXPECT_FALSE(events().trackStarted->get(0));
  cGame::resetEventTrack(3);
  cGame::startEventTrack(-1, false);
}

TEST_F(EventScriptLoaderTest, ATrackWhoseActorIsMissingEndsAtStart) {
  load(threeTracks());
  testing::internal::CaptureStdout();
  cGame::startEventTrack(0, false);
  EXPECT_NE(testing::internal::GetCapturedStdout().find("which the room does not have"), std::string::npos);
  EXPECT_EQ(events().trackActorSlot->get(0), -1);
  EXPECT_EQ(events().trackReadPos->get(0), -1);
  EXPECT_TRUE(events().trackStarted->get(0));
  EXPECT_TRUE(cGame::isCutsceneFinished(0)) << "the other track was not started";
}

TEST_F(EventScriptLoaderTest, ATakenPartnerBringsAlongWhatItLeads) {
  cActorMC* partner = cActorMC::create(ActorKind::PLAYER, 0, newIntArray(3));
  partner->id = 42;
  partner->setX(300 << 8);
  partner->setY(200 << 8);
  cGame::addScriptActor(partner);
  cActor* led = makeActor(ActorKind::NPC, 10, 10);
  led->setParams(newIntArray(14), 14);
  led->setParam(13, 1);
  partner->linkedActor = led;
  load(threeTracks());
  cGame::startEventTrack(0, false);
  EXPECT_EQ(partner->linkedActor, nullptr);
  EXPECT_EQ(led->getPixelX(), 300);
  EXPECT_EQ(led->getPixelY(), 200);
}

TEST_F(EventScriptLoaderTest, TheLoaderLeavesTheDataStreamWhereItWas) {
  ByteArray* level = newByteArray(10);
  cGame::set(level, 4);
  load(threeTracks());
  cGame::startEventTrack(1, false);
  EXPECT_EQ(cGame::getData(), level);
  EXPECT_EQ(cGame::getPosition(), 4);
  cGame::restore();
}

}  // namespace
