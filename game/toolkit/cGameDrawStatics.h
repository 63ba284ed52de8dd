#pragma once
// cGame's statics that the drawing helpers read or keep: the Graphics they
// draw on, the screen size, the translucent fill block and the cached
// one-colour image. The shell sets graphics, screenGraphics and the size.
#include <cstdint>

#include "runtime/object/ReferenceFields.h"

class IntArray;
class javax_microedition_lcdui_Graphics;
class javax_microedition_lcdui_Image;

struct cGameDrawStatics {
  // cGame::graphics: what every helper draws on when it is handed no Graphics.
  javax_microedition_lcdui_Graphics* graphics;
  // The real screen's Graphics: blocks drawn onto it are cut to the screen
  // size by hand first.
  javax_microedition_lcdui_Graphics* screenGraphics;
  int32_t screenWidth;
  int32_t screenHeight;

  int32_t fillColour;
  IntArray* fillBlock;  // int[4096]: 64 x 64 of fillColour

  int32_t colourImageColour;  // the colour colourImage shows
  IntArray* colourImageBuffer;  // int[4096]
  javax_microedition_lcdui_Image* colourImage;  // 64 x 64

  static constexpr auto referenceFields() {
    return ReferenceFieldList{&cGameDrawStatics::graphics, &cGameDrawStatics::screenGraphics,
                              &cGameDrawStatics::fillBlock, &cGameDrawStatics::colourImageBuffer,
                              &cGameDrawStatics::colourImage};
  }
};
