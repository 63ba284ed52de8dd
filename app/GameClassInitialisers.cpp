#include "app/GameClassInitialisers.h"

#include "game/GameStatics.h"
#include "game/toolkit/ToolkitClassInitialisers.h"
#include "game/toolkit/cGameToolkit.h"

#include "platform/java_lang/LangClassInitialisers.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/lang/ObjectArray.h"

namespace {

// Stands in for cGame::clinit until the game shell exists: only the menu-row
// table, six rows, which IMenus::clinit measures. The real rows are int[3];
// they arrive with the shell. The toolkit's share of cGame's statics first.
void cGame_clinit_stub() {
  cGameToolkit::clinit();
  shellStatics().cGame.menuRows = newObjectArray(6);
}

// The set-up makes cActor's statics in place of an initialiser of its own.
void cActor_clinit() {
  cActorStatics& actor = worldStatics().cActor;
  actor.layerHeads = newObjectArray(1);
  actor.displayList = newObjectArray(200);
  actor.displayListCount = 0;
}

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

}  // namespace

const ClassInitialisers& gameClassInitialisers() {
  static const ClassInitialisers initialisers = [] {
    ClassInitialisers table;
    table.gameStatics = describeGameStatics<GameStatics>();
    setLangClassInitialisers(table);
    setToolkitClassInitialisers(table);
    table.cActor = &cActor_clinit;
    table.cGame = &cGame_clinit_stub;
    table.IMenus = &IMenus_clinit;
    return table;
  }();
  return initialisers;
}
