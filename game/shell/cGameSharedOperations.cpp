// Small cGame operations the world and story call from many places: random
// numbers, the timed advance of an animation, the countdown, the item
// combinations, narration with a stored position and the chapter's results.
#include <algorithm>
#include <cstdint>

#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/CVLibPlayer.h"
#include "platform/java_util/java_util_Random.h"
#include "runtime/LiteralIds.h"
#include "runtime/glue/ElementAccess.h"
#include "runtime/glue/JavaArithmetic.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/literals/StringLiteralPool.h"
#include "runtime/object/ObjectFactory.h"
#include "runtime/thread/SynchronizedScope.h"
#include "runtime/lang/DebugLog.h"

namespace {

constexpr int32_t resultCount = 13;
constexpr int32_t maxResultsCounter = 32767;  // the record keeps it as s16
constexpr int32_t maxChaptersOpen = 10;

cGameSharedStatics& shared() { return shellStatics().cGameShared; }

}  // namespace

void cGame::clinitShared() { shared().results = newIntArray(resultCount); }

void cGame::seedRandom(int32_t low, int32_t high) {
  java_util_Random*& random = shell::loop().random;
  if (random == nullptr) random = newObject<java_util_Random>();
  if (random == nullptr) return;
  const int64_t seed =
      static_cast<int64_t>((static_cast<uint64_t>(static_cast<uint32_t>(high)) << 32) | static_cast<uint32_t>(low));
  SynchronizedScope lock(random);
  random->setSeed(seed);
}

int32_t cGame::randomInRange(int32_t a, int32_t b) {
  if (a == b) return a;
  java_util_Random* random = shell::loop().random;
  if (!objectIsUsable(random)) return a;
  int32_t draw;
  {
    SynchronizedScope lock(random);
    draw = random->nextInt();
  }
  // The width wraps as int arithmetic does, so a reversed range still draws
  // and its remainder takes the dividend's sign. Only |INT_MIN|, which
  // does not fit an int, is taken in 64 bits.
  const int32_t width = b - a;
  const int64_t magnitude = draw < 0 ? -int64_t{draw} : int64_t{draw};
  return a + static_cast<int32_t>(magnitude % width);
}

int32_t cGame::animTimedStep() {
  const int32_t step = shell::loop().timeStep;
  return shared().fullSpeedAnimation ? step : javaDivide(step * 10, 16);
}

void cGame::updateAnimTimed(CVLibPlayer* player) {
  if (objectIsUsable(player)) player->update(animTimedStep());
}

void cGame::setTimer(int32_t seconds, int32_t action) {
  if (seconds >= 1) {
    setCountdown(seconds * 1000, action);
  } else {
    setCountdown(0, -1);
  }
}

void cGame::addCombinationRecord(IntArray* record) {
  ObjectArray* table = shared().combinationTable;
  if (!objectIsUsable(table)) return;
  for (int32_t slot = 0; slot < table->length(); ++slot) {
    if (table->get(slot) != nullptr) continue;
    IntArray* entry = newIntArray(3);
    if (entry == nullptr) return;
    for (int32_t i = 0; i < 3; ++i) entry->set(i, loadElement(record, i));
    table->set(slot, entry);
    return;
  }
  // A full table drops the record; its message is fetched but never shown.
  stringLiteral(static_cast<int32_t>(LiteralId::combinationTableFull));
}

void cGame::startCutsceneAt(int32_t time, int32_t text, int32_t x, int32_t y, bool narration, bool force) {
  openCinematic(time, narration ? 4 : 1, text);
  setCinematicPosition(x, y);
  if (narration || force) setCinematicPhase(2);
}

void cGame::computeResultScores() {
  storeAllPartnerItemCounts();
  IntArray* results = shared().results;
  cGameSaveStatics& saved = shellStatics().cGameSave;
  if (!objectIsUsable(results)) return;
  const auto r = [results](int32_t i) { return results->get(i); };
  const auto p = [&saved](int32_t i) { return loadElement(saved.partnerItemCounts, i); };
  results->set(2, r(1) * 10);
  results->set(4, r(3) * 100);
  results->set(6, r(5) * 150);
  results->set(8, r(7) * -200);
  results->set(9, (p(0) + p(3)) * 50);
  results->set(9, r(9) + (p(1) + p(4)) * 100);
  results->set(9, r(9) + (p(2) + p(5)) * 150);
  results->set(0, std::max(r(2) + r(4) + r(6) + r(8) + r(9), 0));
  results->set(12, std::min(r(7), 3));
  // Saturates where the record's s16 would turn a large total negative.
  saved.resultsCounter =
      static_cast<int32_t>(std::min<int64_t>(int64_t{saved.resultsCounter} + r(0), maxResultsCounter));
  const int32_t chapter = shellStatics().cGameProgress.chapter;
  if (chapter >= saved.chaptersOpen - 1 && saved.chaptersOpen < maxChaptersOpen) saved.chaptersOpen += 1;
  debugLog("cGame: chapter %d done; %d open", chapter + 1, saved.chaptersOpen);
}
