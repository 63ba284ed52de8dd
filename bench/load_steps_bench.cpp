// Room loading: the slowest single step of entering each chapter's room,
// against the 62 ms frame period the loading screen keeps
// (ratio_vs_frame; below 1 every step fits in one frame). Runs over the
// built data.bar with the whole game's statics; each iteration leaves the
// world first, as the game does between rooms.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "game/GameClassInitialisers.h"
#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "runtime/Application.h"
#include "runtime/lang/ObjectArray.h"
#include "wince/path_mapping.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr double framePeriodMs = 62.0;

struct Runtime {
  Application application;
  bool ready = false;

  Runtime() {
    const std::filesystem::path installed = std::filesystem::path(QUENDRILL_DATA_BAR).parent_path();
    const std::filesystem::path scratch = std::filesystem::temp_directory_path() / "quendrill-load-bench";
    std::filesystem::create_directories(scratch / "data");
    std::filesystem::create_directories(scratch / "temp");
    wince::configureFileSystem({installed.string(), (scratch / "data").string(), (scratch / "temp").string()});
    ready = application.init(&gameClassInitialisers(), 48u << 20, 32u << 20, Application::LiteralPool::fromArchive);
    if (!ready) return;
    shellStatics().cGameLoop.sprites = newObjectArray(52);
    shellStatics().cGameStates.twoEntryTable = newObjectArray(2);
  }
};

Runtime& runtime() {
  static Runtime instance;
  return instance;
}

// The profile's steps; answers the slowest one in milliseconds.
double runProfile(int32_t profile) {
  cGameLoadStatics& run = shellStatics().cGameLoad;
  run.loadProfile = profile;
  cGame::startLoading();
  double slowest = 0;
  while (!run.loadingDone) {
    const Clock::time_point start = Clock::now();
    cGame::loadStep();
    slowest = std::max(slowest, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  return slowest;
}

void BM_SlowestRoomStep(benchmark::State& state) {
  if (!runtime().ready) {
    state.SkipWithError("the built data.bar could not be opened");
    return;
  }
  const int32_t chapter = int32_t(state.range(0));
  double slowest = 0;
  for (auto _ : state) {
    runProfile(5);
    cGame::setChapter(chapter);
    slowest = std::max(slowest, runProfile(4));
  }
  state.counters["slowest_step_ms"] = slowest;
  state.counters["ratio_vs_frame"] = slowest / framePeriodMs;
}
BENCHMARK(BM_SlowestRoomStep)->DenseRange(0, 9)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
