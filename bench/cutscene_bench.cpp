// A cutscene's frame: 16 tracks, each driving an actor through 150
// keyframes of moves with interpolation, stepped once a frame as the driver
// does (the keyframes are read from the script's bytes every time), against
// the 62 ms frame period (frame_period_ratio: the share of a frame it
// takes). The script is written by the script assembler.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "game/GameClassInitialisers.h"
#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/world/cActor.h"
#include "runtime/Application.h"
#include "runtime/lang/Arrays.h"
#include "tools/compiler/ScriptAssembler.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr double framePeriodMs = 62.0;
// As much as a script holds: its tracks' offsets are 16-bit.
constexpr int32_t trackCount = 16, keyframes = 150;

std::string longCutscene() {
  std::string text = "cutscene 1\n";
  for (int32_t t = 0; t < trackCount; ++t) {
    text += " track actor " + std::to_string(t + 1) + " interpolate\n";
    for (int32_t k = 0; k < keyframes; ++k)
      text += "  at " + std::to_string(k) + ": place " + std::to_string((k * 37 + t * 11) % 900) + " " +
              std::to_string((k * 53 + t * 7) % 400) + "; depth " + std::to_string(k % 3) + "\n";
  }
  return text;
}

void BM_CutsceneFrame(benchmark::State& state) {
  Application application;
  application.init(&gameClassInitialisers(), 16u << 20, 16u << 20, Application::LiteralPool::none);
  shellStatics().cGameLoop.sprites = newObjectArray(52);
  shellStatics().cGameLoop.timeStep = 62;
  IntArray* position = newIntArray(3);
  for (int32_t id = 1; id <= trackCount; ++id) {
    cActor* actor = cActor::create(ActorKind::NPC, 0, position);
    actor->id = id;
    cGame::addScriptActor(actor);
  }
  const std::vector<uint8_t> bytes = tools::assembleScript(longCutscene(), "bench.evs").bytes;
  ByteArray* block = newByteArray(int32_t(bytes.size()));
  for (size_t i = 0; i < bytes.size(); ++i) block->set(int32_t(i), int8_t(bytes[i]));
  cGame::loadEventScript(block);
  if (storyStatics().cGameEventScript.trackCount != trackCount) {
    state.SkipWithError("the script was refused");
    application.close();
    return;
  }
  const auto start = Clock::now();
  for (auto _ : state) {
    if (!cGame::isCutsceneActive()) cGame::startCutscene(0, 0, true, false, false);
    cGame::stepCutscene();
    benchmark::ClobberMemory();
  }
  const double perFrameMs =
      std::chrono::duration<double, std::milli>(Clock::now() - start).count() / double(state.iterations());
  state.counters["frame_period_ratio"] = perFrameMs / framePeriodMs;
  application.close();
}
BENCHMARK(BM_CutsceneFrame)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
