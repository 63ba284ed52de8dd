#pragma once
// The display device over DirectDraw: an off-screen surface as the back
// buffer, blitted onto the primary surface on flush. Lost surfaces are
// restored before they are read.
#include "runtime/display/DisplayDevice.h"
#include "wince/ddraw.h"
#include "wince/gdi.h"

class DirectDrawDisplay final : public DisplayDevice {
 public:
  DirectDrawDisplay(int screenWidth, int screenHeight, int bufferWidth, int bufferHeight);
  ~DirectDrawDisplay() override;
  DirectDrawDisplay(const DirectDrawDisplay&) = delete;
  DirectDrawDisplay& operator=(const DirectDrawDisplay&) = delete;

  int open(HWND window) override;
  void close() override;
  int setWindowed() override;
  int setFullScreen() override;
  void setFastStretch() override { m_rop = SRCCOPY; }
  void setSmoothStretch() override { m_rop = SRCCOPY; }
  int getScreenWidth() override;
  int getScreenHeight() override;
  int getBitsPerPixel() override;
  int getPixelFormat() override;
  int getScreenPitch() override;
  int getBufferPitch() override;
  int lockBuffer() override;
  int unlockBuffer() override;
  int getBufferWidth() override { return m_bufferWidth; }
  int getBufferHeight() override { return m_bufferHeight; }
  void* getBufferPixels() override;
  int flush() override;

 private:
  bool readPrimaryDescription();
  bool readBackDescription();
  void restorePrimaryIfLost();
  void restoreBackIfLost();
  void releaseAll();

  HWND m_window = nullptr;
  int m_bitsPerPixel = 0;
  int m_screenWidth;
  int m_screenHeight;
  int m_pixelFormat = 0;
  int m_screenPitch = 0;
  int m_bufferPitch = 0;
  int m_bufferWidth;
  int m_bufferHeight;
  DWORD m_rop = SRCCOPY;
  HMODULE m_library = nullptr;
  DirectDrawCreateFunction m_directDrawCreate = nullptr;
  IDirectDraw* m_directDraw = nullptr;
  DDSURFACEDESC m_primaryDescription{};
  IDirectDrawSurface* m_primarySurface = nullptr;
  DDSURFACEDESC m_backDescription{};
  IDirectDrawSurface* m_backSurface = nullptr;
  DDBLTFX m_blitEffects{};
  DWORD m_blitFlags = DDBLT_ROP;
};

// The pixel format code of a surface's masks: RGB565 is 2, anything else 0.
int pixelFormatOf(const DDPIXELFORMAT& format);
