#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_CanvasScreen.h"

#include <algorithm>

#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Image.h"
#include "runtime/Application.h"
#include "runtime/display/DisplayDevice.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/object/ObjectFactory.h"

void createScreenObjects(Application& application, uint16_t* backBuffer) {
  if (backBuffer == nullptr) {
    debugLog("createScreenObjects: no back buffer");
    return;
  }
  auto* screen = newObject<javax_microedition_lcdui_ScreenImage>();
  if (screen == nullptr) return;
  application.m_screenImage = screen;
  screen->wrapScreenBuffer(displayBufferWidth, displayBufferHeight, backBuffer);
  // A fresh screen is black, as a fresh mutable image is.
  std::fill_n(backBuffer, size_t{displayBufferWidth} * displayBufferHeight, uint16_t{0});
  application.m_screenGraphics = newObject<javax_microedition_lcdui_Graphics>(
      static_cast<javax_microedition_lcdui_Image*>(screen));
}
