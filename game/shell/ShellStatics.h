#pragma once
// The shell's statics: one struct per class (the shell's share of cGame's
// statics under cGame), reached as shellStatics().cGame.menuRows.
#include <cstdint>
#include <tuple>

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
  static constexpr auto referenceFields() { return ReferenceFieldList{&CorvaQNDRStatics::instance}; }
};

struct cGameStatics {
  ObjectArray* menuRows;  // the menu-row table: one int[3] per row
  static constexpr auto referenceFields() { return ReferenceFieldList{&cGameStatics::menuRows}; }
};

struct ShellStatics {
  IMenusStatics IMenus;
  CorvaQNDRStatics CorvaQNDR;
  cGameStatics cGame;
  auto parts() { return std::tie(IMenus, CorvaQNDR, cGame); }
};
