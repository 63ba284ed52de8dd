#pragma once
// What the runtime calls of the MIDlet and of the current Displayable: the
// virtual operations of the platform's classes, in their table order, as
// data-less bases those classes derive from. The runtime calls through these
// and never includes a platform header.
#include <cstdint>

#include "runtime/object/Object.h"

class String;
class javax_microedition_lcdui_Graphics;

class MidletOperations : public Object {
 public:
  virtual String* getAppProperty(String* key) = 0;
  virtual void startApp() = 0;
  virtual void pauseApp() = 0;
  virtual void destroyApp(bool unconditional) = 0;
};

class DisplayableOperations : public Object {
 public:
  virtual int32_t getWidth() = 0;
  virtual int32_t getHeight() = 0;
  virtual void sizeChanged(int32_t width, int32_t height) = 0;
  virtual void keyPressed(int32_t keyCode) = 0;
  virtual void keyReleased(int32_t keyCode) = 0;
  virtual void pointerPressed(int32_t x, int32_t y) = 0;
  virtual void pointerReleased(int32_t x, int32_t y) = 0;
  virtual void pointerDragged(int32_t x, int32_t y) = 0;
  virtual void showNotify() = 0;
  virtual void hideNotify() = 0;
  virtual void paint(javax_microedition_lcdui_Graphics* graphics) = 0;
};
