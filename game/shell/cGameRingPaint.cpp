// The timer ring as the HUD starts and draws it: a yellow circle that grows
// over the screen as the ring opens and shrinks back as it closes, drawn as
// short lines along an ellipse.
#include <cmath>
#include <cstdint>

#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/world/cActor.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "runtime/glue/JavaArithmetic.h"
#include "runtime/lang/DebugLog.h"

using namespace shell;

namespace {

constexpr int32_t opening = 0;
constexpr int32_t closing = 2;
constexpr int32_t ringColour = 0xFFFF00;
constexpr int32_t degreesPerLine = 2;
constexpr int32_t fullTurn = 360;

cGamePlayStatics& play() { return worldStatics().cGamePlay; }

}  // namespace

void cGame::startTimerRing(int32_t ms) {
  if (ms < 1) return;
  cGamePlayStatics& ring = play();
  ring.ringMode = opening;
  ring.ringElapsed = 0;
  ring.ringDuration = ms;
  ring.ringAnchor = ring.focusActor;
  if (cActor* anchor = ring.ringAnchor) {
    ring.ringX = anchor->screenX;
    ring.ringY = anchor->screenY - 45;
  } else {
    ring.ringX = 400;
    ring.ringY = 240;
  }
}

void cGame::paintTimerRing() {
  const cGamePlayStatics& ring = play();
  if (ring.ringMode != opening && ring.ringMode != closing) return;
  javax_microedition_lcdui_Graphics* g = loop().graphics;
  if (g == nullptr) return;
  const int32_t grown = ring.ringElapsed * 780 / 1000;
  const int32_t d = ring.ringMode == opening ? grown + 20 : 800 - grown;
  g->setColor(ringColour);
  drawArcLines(ring.ringX - d / 2, ring.ringY - d / 2, d, d, 0, fullTurn);
}

void cGame::drawArcLines(int32_t x, int32_t y, int32_t w, int32_t h, int32_t startAngle, int32_t arcAngle) {
  javax_microedition_lcdui_Graphics* g = loop().graphics;
  if (g == nullptr) return;
  // Past a full turn the lines only go round again; a huge arc would keep
  // the frame drawing for minutes.
  if (arcAngle > fullTurn || arcAngle < -fullTurn) {
    debugLog("drawArcLines: arc of %d degrees drawn as one turn", arcAngle);
    arcAngle = arcAngle > 0 ? fullTurn : -fullTurn;
  }
  cGameHudStatics& point = shellStatics().cGameHud;
  ellipsePoint(x, y, w, h, startAngle);
  int32_t lastX = point.ellipseX;
  int32_t lastY = point.ellipseY;
  const int32_t step = arcAngle < 0 ? -degreesPerLine : degreesPerLine;
  const int64_t end = int64_t{startAngle} + arcAngle;
  for (int64_t angle = int64_t{startAngle} + step; step > 0 ? angle <= end : angle >= end; angle += step) {
    ellipsePoint(x, y, w, h, static_cast<int32_t>(angle));
    g->drawLine(lastX, lastY, point.ellipseX, point.ellipseY);
    lastX = point.ellipseX;
    lastY = point.ellipseY;
  }
}

void cGame::ellipsePoint(int32_t x, int32_t y, int32_t w, int32_t h, int32_t angle) {
  const int32_t cx = x + w / 2;
  const int32_t cy = y + h / 2;
  const float rx = static_cast<float>(w) / 2.0f;
  const float ry = static_cast<float>(h) / 2.0f;
  // Screen y points down: a positive angle turns counter-clockwise.
  const float a = static_cast<float>(angle) * -0.0174532924f;
  cGameHudStatics& point = shellStatics().cGameHud;
  point.ellipseX = javaFloatToInt(static_cast<float>(cx) + rx * std::cos(a));
  point.ellipseY = javaFloatToInt(static_cast<float>(cy) + ry * std::sin(a));
}
