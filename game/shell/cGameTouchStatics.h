#pragma once
// Touch input: the two lists of touch areas the screens register while
// painting, what the last pointer event hit, and the HUD pad's held key.
#include <cstdint>

#include "runtime/object/ReferenceFields.h"

class SensibleRectangle;
class java_util_Vector;

struct cGameTouchStatics {
  java_util_Vector* touchAreas;
  java_util_Vector* overlayTouchAreas;
  bool touchAreasComplete;
  bool overlayAreasComplete;
  SensibleRectangle* touchedArea;
  SensibleRectangle* touchedOverlayArea;
  bool touchHit;
  bool overlayHit;
  bool releasedOnArea;
  int32_t pointerX;
  int32_t pointerY;
  bool pointerIsDown;
  bool pointerDragging;
  bool pointerWasReleased;
  int32_t pressClock;
  int32_t pressSerial;  // counts presses, so a release can be told from one begun earlier
  bool hudActive;
  int32_t hudKeyCode;  // the digit code the pad holds down, -1 none
  bool menuButtonUsed;
  static constexpr auto referenceFields() {
    return ReferenceFieldList{&cGameTouchStatics::touchAreas, &cGameTouchStatics::overlayTouchAreas,
                              &cGameTouchStatics::touchedArea, &cGameTouchStatics::touchedOverlayArea};
  }
};
