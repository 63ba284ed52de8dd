#include "game/shell/CorvaQNDR.h"

#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Display.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/object/ObjectFactory.h"

void CorvaQNDR::init() {
  Super::init();
  shellStatics().CorvaQNDR.instance = this;
}

void CorvaQNDR::startApp() {
  CorvaQNDRStatics& midlet = shellStatics().CorvaQNDR;
  if (midlet.canvas == nullptr) {
    cGame* canvas = newObject<cGame>(this, javax_microedition_lcdui_Display::getDisplay(this));
    if (canvas == nullptr) return;
    midlet.canvas = canvas;
    canvas->start();
  }
  cGame::resume();
}

void CorvaQNDR::pauseApp() { cGame::pause(); }

void CorvaQNDR::destroyApp(bool unconditional) {
  debugLog("CorvaQNDR::destroyApp(%s)", unconditional ? "true" : "false");
  if (shellStatics().CorvaQNDR.canvas != nullptr) shell::setRunState(-1);
}

Object* createCorvaQNDR() { return newObject<CorvaQNDR>(); }
