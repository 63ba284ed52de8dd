#pragma once
// The world fixture with the story's engine at hand: scripts built with
// ScriptBuilder, actions built from the level records' description, actors
// listed for the scripts, and the stand-ins of the story's other parts
// (conversations, popup, cinematic, countdown) heard with the value they
// report.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "game/GameStatics.h"
#include "game/shell/StandIns.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "tests/game/story/conversation_kit.h"
#include "tests/game/story/script_builder.h"
#include "tests/game/world/level_stream.h"
#include "tests/game/world/world_fixture.h"

namespace storytest {

inline std::vector<std::pair<std::string, int32_t>>& heardCalls() {
  static std::vector<std::pair<std::string, int32_t>> calls;
  return calls;
}
inline std::map<std::string, int32_t>& standInAnswers() {
  static std::map<std::string, int32_t> answers;
  return answers;
}
inline int32_t recordStandIn(const char* name, int32_t value) {
  heardCalls().emplace_back(name, value);
  const auto it = standInAnswers().find(name);
  return it != standInAnswers().end() ? it->second : value;
}

}  // namespace storytest

class StoryFixture : public WorldFixture {
 protected:
  void SetUp() override {
    WorldFixture::SetUp();
    storytest::heardCalls().clear();
    storytest::standInAnswers().clear();
    standInHook() = &storytest::recordStandIn;
    cGame::createItemTable();
    cGame::resetActionTable();
    cGame::initCameraZones();
    cGame::initConversationQueue();
    setTimeStep(framePeriod);
  }
  void TearDown() override {
    standInHook() = nullptr;
    WorldFixture::TearDown();
  }

  static cGameEventScriptStatics& events() { return storyStatics().cGameEventScript; }
  static cGameCutsceneStatics& cutscene() { return storyStatics().cGameCutscene; }
  static cGameCameraStatics& camera() { return worldStatics().cGameCamera; }

  // An actor with this id, in layer list 0 and in the scripts' actor list.
  static cActor* scriptActor(int32_t id, int32_t x = 0, int32_t y = 0, int32_t kind = ActorKind::NPC) {
    cActor* actor = makeActor(kind, x, y);
    actor->id = id;
    cGame::addScriptActor(actor);
    return actor;
  }

  // An object with this id whose interaction, a close-up of its own picture
  // with no line to say, is opened for real.
  static cActor* openCloseUp(int32_t id) {
    cActor* object = scriptActor(id, 0, 0, ActorKind::MARKER);
    IntArray* params = newIntArray(15);
    params->set(1, 0);
    params->set(2, id);
    params->set(13, -1);
    object->setParams(params, 15);
    EXPECT_TRUE(cGame::startInteraction(object)) << "a close-up with a picture opens";
    return object;
  }

  // One action record, its fields in the description's order.
  static void addAction(uint8_t type, const std::vector<int32_t>& values) {
    LevelStream stream;
    stream.record(type, values);
    cGame::addAction(stream.array());
  }

  static void load(const ScriptBuilder& builder) { cGame::loadEventScript(builder.array()); }

  // Loads and answers what the load logged.
  static std::string loadLogged(const std::vector<uint8_t>& bytes) {
    testing::internal::CaptureStdout();
    cGame::loadEventScript(ScriptBuilder::toArray(bytes));
    return testing::internal::GetCapturedStdout();
  }

  static int32_t heardCount(const std::string& name) {
    int32_t n = 0;
    for (const auto& [call, value] : storytest::heardCalls()) n += call == name ? 1 : 0;
    return n;
  }
  // The value the last call of name reported; -99 when it was not heard.
  static int32_t heardValue(const std::string& name) {
    int32_t found = -99;
    for (const auto& [call, value] : storytest::heardCalls())
      if (call == name) found = value;
    return found;
  }
  static void forget() { storytest::heardCalls().clear(); }
};
