#pragma once
// The row tables of the front-end menus (each row a text id) and the flag
// the inventory leaves for the in-game menu.
#include <cstdint>

#include "runtime/object/ReferenceFields.h"

class IntArray;

struct cGameMenusStatics {
  IntArray* mainMenuRows;
  IntArray* chapterRows;
  IntArray* inGameMenuRows;
  IntArray* soundRows;
  IntArray* buttonTexts;
  IntArray* optionRows;
  bool inventoryDone;  // the inventory asked to return to play
  static constexpr auto referenceFields() {
    return ReferenceFieldList{&cGameMenusStatics::mainMenuRows,   &cGameMenusStatics::chapterRows,
                              &cGameMenusStatics::inGameMenuRows, &cGameMenusStatics::soundRows,
                              &cGameMenusStatics::buttonTexts,    &cGameMenusStatics::optionRows};
  }
};
