#include "game/shell/ShellClassInitialisers.h"

#include "game/shell/Kivra.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "platform/java_util/java_util_Vector.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/lang/String.h"
#include "runtime/literals/StringLiteralPool.h"
#include "runtime/object/ObjectFactory.h"

using namespace shell;

namespace {

// The menu box from the number of menu rows; needs cGame's table first.
void IMenus_clinit() {
  ObjectArray* rows = shellStatics().cGame.menuRows;
  if (rows == nullptr) debugLog("NullPointer");
  const int32_t rowCount = rows != nullptr ? rows->length() : 0;
  IMenusStatics& menus = shellStatics().IMenus;
  menus.menuHeight = rowCount * 30 - 10;
  menus.menuTop = 260 - menus.menuHeight / 2;
  menus.menuBottom = menus.menuHeight + menus.menuTop - 8;
}

// Its constants are compile-time values (IDefines.h); nothing to set.
void IDefines_clinit() {}

}  // namespace

void cGame::clinit() {
  cGameToolkit::clinit();
  cGameWorld::clinit();
  cGameStory::clinit();
  cGameLoopStatics& frame = loop();
  frame.screenWidth = 800;
  frame.screenHeight = 480;
  frame.framePeriod = 62;
  frame.diagnosticsOn = false;
  // The device paints translucent and back-buffered effects.
  toolkitStatics().DrawEffects.available = 1;
  shell::setRunState(-1);
  shellStatics().cGame.menuRows = newObjectArray(6);
  // The language resources' names: literals 200..206, 49, 207..213.
  static constexpr int32_t languageLiterals[] = {200, 201, 202, 203, 204, 205, 206, 49,
                                                 207, 208, 209, 210, 211, 212, 213};
  frame.languageNames = newObjectArray(15);
  if (frame.languageNames != nullptr) {
    for (int32_t i = 0; i < 15; ++i) frame.languageNames->set(i, stringLiteral(languageLiterals[i]));
  }
  touch().touchAreas = newObject<java_util_Vector>(10);
  touch().overlayTouchAreas = newObject<java_util_Vector>(2);
  touch().hudKeyCode = -1;
  // No softkey until a screen asks for one: a zeroed code would draw back.
  setSoftkeys(0, 0);
  initKeySequences();
  clinitSavedGame();
  clinitProgress();
  clinitShared();
  clinitMenuList();
  clinitLoading();
  clinitResults();
  clinitTextPage();
  clinitHelp();
  clinitPromotionStates();
  clinitMenus();
}

void setShellClassInitialisers(ClassInitialisers& table) {
  table.IDefines = &IDefines_clinit;
  table.cGame = &cGame::clinit;
  table.IMenus = &IMenus_clinit;
  table.Kivra = &Kivra::clinit;
}
