#pragma once
// The shell's statics: one struct per class (the shell's share of cGame's
// statics per concern, as cGame<Concern>), reached as
// shellStatics().cGameLoop.frameTime.
#include <cstdint>
#include <tuple>

#include "game/shell/KivraStatics.h"
#include "game/shell/cGameBoxStatics.h"
#include "game/shell/cGameMenuStatics.h"
#include "game/shell/cGameMenusStatics.h"
#include "game/shell/cGameHudStatics.h"
#include "game/shell/cGamePopupStatics.h"
#include "game/shell/cGameNoticeStatics.h"
#include "game/shell/cGamePagesStatics.h"
#include "game/shell/cGameLoadStatics.h"
#include "game/shell/cGameKeyStatics.h"
#include "game/shell/cGameLoopStatics.h"
#include "game/shell/cGameProgressStatics.h"
#include "game/shell/cGameSaveStatics.h"
#include "game/shell/cGameSharedStatics.h"
#include "game/shell/cGameStateMachineStatics.h"
#include "game/shell/cGameTouchStatics.h"
#include "runtime/object/ReferenceFields.h"

class Object;
class ObjectArray;

struct IMenusStatics {
  int32_t menuHeight;  // (menu rows x 30) - 10
  int32_t menuTop;     // 260 - menuHeight / 2
  int32_t menuBottom;  // menuHeight + menuTop - 8
};

struct CorvaQNDRStatics {
  Object* instance;  // the one MIDlet
  Object* canvas;    // the cGame, null until the first startApp
  static constexpr auto referenceFields() {
    return ReferenceFieldList{&CorvaQNDRStatics::instance, &CorvaQNDRStatics::canvas};
  }
};

struct cGameStatics {
  ObjectArray* menuRows;  // the menu-row table: one int[3] per row
  static constexpr auto referenceFields() { return ReferenceFieldList{&cGameStatics::menuRows}; }
};

struct ShellStatics {
  IMenusStatics IMenus;
  CorvaQNDRStatics CorvaQNDR;
  cGameStatics cGame;
  cGameLoopStatics cGameLoop;
  cGameStateMachineStatics cGameStates;
  cGameKeyStatics cGameKeys;
  cGameTouchStatics cGameTouch;
  cGameSaveStatics cGameSave;
  cGameProgressStatics cGameProgress;
  cGameSharedStatics cGameShared;
  KivraStatics Kivra;
  cGameBoxStatics cGameBox;
  cGameMenuStatics cGameMenu;
  cGameNoticeStatics cGameNotice;
  cGameLoadStatics cGameLoad;
  cGamePagesStatics cGamePages;
  cGameMenusStatics cGameMenus;
  cGameHudStatics cGameHud;
  cGamePopupStatics cGamePopup;
  auto parts() {
    return std::tie(IMenus, CorvaQNDR, cGame, cGameLoop, cGameStates, cGameKeys, cGameTouch, cGameSave,
                    cGameProgress, cGameShared, Kivra, cGameBox, cGameMenu, cGameNotice, cGameLoad,
                    cGamePages, cGameMenus, cGameHud, cGamePopup);
  }
};
