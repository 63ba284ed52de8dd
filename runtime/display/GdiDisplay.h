#pragma once
// The display device over GDI: a top-down RGB565 DIB section as the back
// buffer, stretched onto the window's device context on flush.
#include "runtime/display/DisplayDevice.h"
#include "wince/gdi.h"

class GdiDisplay final : public DisplayDevice {
 public:
  GdiDisplay(int screenWidth, int screenHeight, int bufferWidth, int bufferHeight);
  ~GdiDisplay() override;
  GdiDisplay(const GdiDisplay&) = delete;
  GdiDisplay& operator=(const GdiDisplay&) = delete;

  int open(HWND window) override;
  void close() override;
  int setWindowed() override { return 1; }
  int setFullScreen() override { return 1; }
  void setFastStretch() override { m_stretchMode = COLORONCOLOR; }
  void setSmoothStretch() override { m_stretchMode = HALFTONE; }
  int getScreenWidth() override { return m_screenWidth; }
  int getScreenHeight() override { return m_screenHeight; }
  int getBitsPerPixel() override { return m_bitsPerPixel; }
  int getPixelFormat() override { return m_pixelFormat; }
  int getScreenPitch() override { return m_screenPitch; }
  int getBufferPitch() override { return m_bufferPitch; }
  int lockBuffer() override { return 1; }
  int unlockBuffer() override { return 1; }
  int getBufferWidth() override { return m_bufferWidth; }
  int getBufferHeight() override { return m_bufferHeight; }
  void* getBufferPixels() override { return m_bitmap.bmBits; }
  int flush() override;

  int stretchMode() const { return m_stretchMode; }

 private:
  HWND m_window = nullptr;
  int m_bitsPerPixel = 0;
  int m_screenWidth;
  int m_screenHeight;
  int m_pixelFormat = 0;
  int m_screenPitch = 0;
  int m_bufferPitch = 0;
  int m_bufferWidth;
  int m_bufferHeight;
  int m_stretchMode = COLORONCOLOR;
  HBITMAP m_dibSection = nullptr;
  BITMAP m_bitmap{};
  HDC m_windowDC = nullptr;
  HDC m_memoryDC = nullptr;
};
