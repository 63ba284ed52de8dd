#pragma once
// The screen device the runtime draws through: one 800 x 480 back buffer that
// the game draws into in place, and flush() presents it stretched to the
// physical screen. Operations answer 1 for success and 0 for failure.
#include "wince/types.h"

class DisplayDevice {
 public:
  virtual ~DisplayDevice() = default;
  virtual int open(HWND window) = 0;
  virtual void close() = 0;
  virtual int setWindowed() = 0;
  virtual int setFullScreen() = 0;
  virtual void setFastStretch() = 0;
  virtual void setSmoothStretch() = 0;
  virtual int getScreenWidth() = 0;
  virtual int getScreenHeight() = 0;
  virtual int getBitsPerPixel() = 0;
  virtual int getPixelFormat() = 0;
  virtual int getScreenPitch() = 0;
  virtual int getBufferPitch() = 0;
  virtual int lockBuffer() = 0;
  virtual int unlockBuffer() = 0;
  virtual int getBufferWidth() = 0;
  virtual int getBufferHeight() = 0;
  virtual void* getBufferPixels() = 0;
  virtual int flush() = 0;
};

// The back buffer's fixed size and the pixel format code of RGB565.
constexpr int displayBufferWidth = 800;
constexpr int displayBufferHeight = 480;
constexpr int displayPixelFormatRgb565 = 2;
