#include "game/toolkit/MathHelpers.h"

#include <algorithm>
#include <cstdlib>

#include "game/toolkit/ToolkitStatics.h"
#include "game/toolkit/cGameAlias.h"
#include "runtime/LiteralIds.h"
#include "runtime/exceptions/java_lang_Throwable.h"
#include "runtime/glue/ElementAccess.h"
#include "runtime/glue/JavaArithmetic.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/DebugLog.h"

using namespace angle;

int32_t cosineFromTable(const int32_t* cosines, int32_t angleUnits) {
  // |INT_MIN| wraps to itself, whose low byte is 0 like any full turn.
  const int32_t i = (fullTurn - 1) & (angleUnits < 0 ? -angleUnits : angleUnits);
  if (i <= quarter) return cosines[i];
  if (i < half) return -cosines[half - i];
  if (i <= threeQuarters) return -cosines[i - half];
  return cosines[fullTurn - i];
}

void buildArctangentTable(const int32_t* cosines, int32_t* arctangents) {
  int32_t tangents[quarter + 1];
  for (int32_t a = 0; a <= quarter; ++a)
    tangents[a] = cosines[a] == 0 ? 0x7FFFFFFF : javaDivide(cosines[quarter - a] << 8, cosines[a]);
  arctangents[0] = 0;
  for (int32_t i = 1; i <= tableSteps; ++i) {
    int32_t found = quarter;
    for (int32_t a = 0; a < quarter; ++a) {
      if (tangents[a] <= i && i < tangents[a + 1]) {
        found = a;
        break;
      }
    }
    arctangents[i] = found;
  }
}

int32_t angleFromArctangents(const int32_t* arctangents, int32_t x, int32_t y) {
  if (x == 0) return y > 0 ? quarter : y < 0 ? threeQuarters : 0;
  // In 64 bits the ratio always lies in 0..256, so no component can index
  // outside the table.
  const int64_t ax = std::abs(int64_t{x}), ay = std::abs(int64_t{y});
  const auto ratio = [&](int64_t smaller, int64_t larger) { return arctangents[tableSteps * smaller / larger]; };
  if (x > 0) {
    if (y >= 0) return ax >= ay ? ratio(ay, ax) : quarter - ratio(ax, ay);
    return ax >= ay ? fullTurn - ratio(ay, ax) : threeQuarters + ratio(ax, ay);
  }
  if (y >= 0) return ax >= ay ? half - ratio(ay, ax) : quarter + ratio(ax, ay);
  return ax >= ay ? half + ratio(ay, ax) : threeQuarters - ratio(ax, ay);
}

int32_t cGame::readShortLE(ByteArray* bytes, int32_t offset) {
  return (loadElement(bytes, offset) & 255) | (int32_t{loadElement(bytes, offset + 1)} << 8);
}

bool cGame::byteIsSet(ByteArray* bytes, int32_t i) { return loadElement(bytes, i) != 0; }

bool cGame::rectContains(int32_t x, int32_t y, IntArray* rect) {
  const int64_t left = loadElement(rect, 0), top = loadElement(rect, 1);
  const int64_t width = loadElement(rect, 2), height = loadElement(rect, 3);
  return left <= x && x <= left + width && top <= y && y <= top + height;
}

int32_t cGame::approxLength(int32_t dx, int32_t dy) {
  const int32_t ax = dx < 0 ? -dx : dx, ay = dy < 0 ? -dy : dy;
  return (246 * std::max(ax, ay) + 102 * std::min(ax, ay)) >> 8;
}

int32_t cGame::lerpColor(int32_t c0, int32_t c1, int32_t percent) {
  int32_t result = 0;
  for (int32_t shift = 0; shift < 32; shift += 8) {
    const int32_t from = (c0 >> shift) & 0xFF, to = (c1 >> shift) & 0xFF;
    result |= ((from + (to - from) * percent / 100) & 0xFF) << shift;
  }
  return result;
}

int32_t cGame::sqrtFixed(int32_t v) {
  if (v < 0) return 0;
  if (v == 0 || v == 256) return v;
  int64_t bit = int64_t{1} << 30, result = 0, rest = v;
  while (bit >= 256) {
    if (rest >= result + bit) {
      rest -= result + bit;
      result += 2 * bit;
    }
    bit /= 2;
    rest *= 2;
  }
  return int32_t(result >> 12);
}

namespace {

// The cosine table when it is there and whole; otherwise null, logged once
// (the world asks every frame).
const int32_t* loadedCosines() {
  cGameMathStatics& math = toolkitStatics().cGameMath;
  IntArray* table = math.cosTable;
  if (table == nullptr || table->elements() == nullptr || table->length() < cosTableLength) {
    if (math.missingCosinesLogged == 0) logFailedCheck("cosine table");
    math.missingCosinesLogged = 1;
    return nullptr;
  }
  return table->elements();
}

}  // namespace

int32_t cGame::cosLookup(int32_t angleUnits) {
  const int32_t* cosines = loadedCosines();
  return cosines != nullptr ? cosineFromTable(cosines, angleUnits) : 0;
}

int32_t cGame::angleOf(int32_t x, int32_t y) {
  IntArray*& arctangents = toolkitStatics().cGameMath.arctangentTable;
  if (arctangents == nullptr) {
    if (loadedCosines() == nullptr) return 0;
    IntArray* table = newIntArray(arctangentTableLength);
    if (table == nullptr || table->elements() == nullptr) return 0;
    // Re-read: the allocation may have moved the cosines.
    buildArctangentTable(loadedCosines(), table->elements());
    arctangents = table;
  }
  return angleFromArctangents(arctangents->elements(), x, y);
}

void cGame::loadMathTables() {
  openPack(literalOrNull(static_cast<int32_t>(LiteralId::mathTablePack)));
  Object* cosines = readPackTypedArray(0);
  Object* second = readPackTypedArray(1);
  closePack();
  cGameMathStatics& math = toolkitStatics().cGameMath;
  math.secondTable = second;
  if (cosines == nullptr || cosines->getClassId() != classid::IntArray ||
      static_cast<IntArray*>(cosines)->length() < cosTableLength) {
    debugLog("math tables: no cosine table of %d ints", cosTableLength);
    return;
  }
  math.cosTable = static_cast<IntArray*>(cosines);
  math.missingCosinesLogged = 0;
  // Built again from the new cosines at the next angleOf.
  math.arctangentTable = nullptr;
}
