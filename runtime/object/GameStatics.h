#pragma once
// Class statics of the game classes, one struct per class, as members of the
// static block (statics().cGame.menuRows). Every static starts as zero before
// its class initialiser runs. A struct with reference statics lists them in
// referenceFields(), which puts them in the collector's root table.
#include <cstdint>

#include "runtime/object/ReferenceFields.h"

class Object;
class ObjectArray;

struct IMenusStatics {
  int32_t menuHeight;  // (menu rows x 30) - 10
  int32_t menuTop;     // 260 - menuHeight / 2
  int32_t menuBottom;  // menuHeight + menuTop - 8
};

struct cActorStatics {
  ObjectArray* layerHeads;   // ObjectArray of 1
  ObjectArray* displayList;  // ObjectArray of 200
  int32_t displayListCount;
  static constexpr auto referenceFields() {
    return ReferenceFieldList{&cActorStatics::layerHeads, &cActorStatics::displayList};
  }
};

struct CorvaQNDRStatics {
  Object* instance;  // the one MIDlet
  static constexpr auto referenceFields() { return ReferenceFieldList{&CorvaQNDRStatics::instance}; }
};

struct cGameStatics {
  ObjectArray* menuRows;  // the menu-row table: one int[3] per row
  static constexpr auto referenceFields() { return ReferenceFieldList{&cGameStatics::menuRows}; }
};
