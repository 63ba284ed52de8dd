#pragma once
// The row tables of the front-end menus (each row a text id), the flag the
// inventory leaves for the in-game menu and the promotion row's marker.
#include <cstdint>

#include "runtime/object/ReferenceFields.h"

class IntArray;
class javax_microedition_lcdui_Image;

struct cGameMenusStatics {
  IntArray* mainMenuRows;
  IntArray* chapterRows;
  IntArray* inGameMenuRows;
  IntArray* soundRows;
  IntArray* buttonTexts;
  IntArray* optionRows;
  bool inventoryDone;  // the inventory asked to return to play
  // The "new" marker of the promotion row, made at its first paint.
  javax_microedition_lcdui_Image* newArrowImage;
  static constexpr auto referenceFields() {
    return ReferenceFieldList{&cGameMenusStatics::mainMenuRows,   &cGameMenusStatics::chapterRows,
                              &cGameMenusStatics::inGameMenuRows, &cGameMenusStatics::soundRows,
                              &cGameMenusStatics::buttonTexts,    &cGameMenusStatics::optionRows,
                              &cGameMenusStatics::newArrowImage};
  }
};
