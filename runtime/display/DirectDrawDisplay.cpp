#include "runtime/display/DirectDrawDisplay.h"

#include "wince/ddraw_library.h"

int pixelFormatOf(const DDPIXELFORMAT& format) {
  const bool rgb565 = format.dwRGBBitCount == 16 && format.dwRBitMask == 0xF800 && format.dwGBitMask == 0x07E0 &&
                      format.dwBBitMask == 0x001F;
  return rgb565 ? displayPixelFormatRgb565 : 0;
}

DirectDrawDisplay::DirectDrawDisplay(int screenWidth, int screenHeight, int bufferWidth, int bufferHeight)
    : m_screenWidth(screenWidth),
      m_screenHeight(screenHeight),
      m_bufferWidth(bufferWidth),
      m_bufferHeight(bufferHeight) {}

DirectDrawDisplay::~DirectDrawDisplay() { close(); }

int DirectDrawDisplay::open(HWND window) {
  m_window = window;
  m_library = LoadLibraryW(u"ddraw.dll");
  if (!m_library) return 0;
  m_directDrawCreate = reinterpret_cast<DirectDrawCreateFunction>(GetProcAddressW(m_library, u"DirectDrawCreate"));
  // A library without the entry point fails like one whose call fails.
  if (!m_directDrawCreate || m_directDrawCreate(nullptr, &m_directDraw, nullptr) != DD_OK || !m_directDraw) {
    m_directDraw = nullptr;
    FreeLibrary(m_library);
    m_library = nullptr;
    return 0;
  }
  if (!setWindowed()) {
    releaseAll();
    return 0;
  }

  m_primaryDescription = DDSURFACEDESC{};
  m_primaryDescription.dwSize = sizeof(DDSURFACEDESC);
  m_primaryDescription.dwFlags = DDSD_CAPS;
  m_primaryDescription.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
  if (m_directDraw->CreateSurface(&m_primaryDescription, &m_primarySurface, nullptr) != DD_OK || !m_primarySurface ||
      !readPrimaryDescription()) {
    releaseAll();
    return 0;
  }

  m_backDescription = DDSURFACEDESC{};
  m_backDescription.dwSize = sizeof(DDSURFACEDESC);
  m_backDescription.dwFlags = DDSD_HEIGHT | DDSD_WIDTH | DDSD_PIXELFORMAT;
  m_backDescription.dwHeight = DWORD(m_bufferHeight);
  m_backDescription.dwWidth = DWORD(m_bufferWidth);
  m_backDescription.ddpfPixelFormat = m_primaryDescription.ddpfPixelFormat;
  if (m_directDraw->CreateSurface(&m_backDescription, &m_backSurface, nullptr) != DD_OK || !m_backSurface ||
      !readBackDescription()) {
    releaseAll();
    return 0;
  }

  m_blitEffects = DDBLTFX{};
  m_blitEffects.dwSize = sizeof(DDBLTFX);
  m_blitEffects.dwROP = m_rop;
  m_blitFlags = DDBLT_ROP;
  return 1;
}

bool DirectDrawDisplay::readPrimaryDescription() {
  DDSURFACEDESC description{};
  description.dwSize = sizeof(DDSURFACEDESC);
  if (m_primarySurface->Lock(nullptr, &description, DDLOCK_WAIT, nullptr) != DD_OK) return false;
  m_primarySurface->Unlock(nullptr);
  m_primaryDescription = description;
  m_screenWidth = int(description.dwWidth);
  m_screenHeight = int(description.dwHeight);
  m_screenPitch = description.lPitch;
  m_bitsPerPixel = int(description.ddpfPixelFormat.dwRGBBitCount);
  m_pixelFormat = pixelFormatOf(description.ddpfPixelFormat);
  return true;
}

bool DirectDrawDisplay::readBackDescription() {
  DDSURFACEDESC description{};
  description.dwSize = sizeof(DDSURFACEDESC);
  if (m_backSurface->Lock(nullptr, &description, DDLOCK_WAIT, nullptr) != DD_OK) return false;
  m_backSurface->Unlock(nullptr);
  m_backDescription = description;
  m_bufferPitch = description.lPitch;
  return true;
}

void DirectDrawDisplay::releaseAll() {
  if (m_backSurface) m_backSurface->Release();
  m_backSurface = nullptr;
  if (m_primarySurface) m_primarySurface->Release();
  m_primarySurface = nullptr;
  if (m_directDraw) m_directDraw->Release();
  m_directDraw = nullptr;
  if (m_library) FreeLibrary(m_library);
  m_library = nullptr;
  m_directDrawCreate = nullptr;
}

void DirectDrawDisplay::close() { releaseAll(); }

int DirectDrawDisplay::setWindowed() {
  return m_directDraw && m_directDraw->SetCooperativeLevel(m_window, DDSCL_NORMAL) == DD_OK ? 1 : 0;
}

int DirectDrawDisplay::setFullScreen() {
  return m_directDraw && m_directDraw->SetCooperativeLevel(m_window, DDSCL_FULLSCREEN) == DD_OK ? 1 : 0;
}

void DirectDrawDisplay::restorePrimaryIfLost() {
  if (m_primarySurface && m_primarySurface->IsLost() != DD_OK && m_primarySurface->Restore() == DD_OK)
    readPrimaryDescription();
}

void DirectDrawDisplay::restoreBackIfLost() {
  if (m_backSurface && m_backSurface->IsLost() != DD_OK && m_backSurface->Restore() == DD_OK) readBackDescription();
}

int DirectDrawDisplay::getScreenWidth() {
  restorePrimaryIfLost();
  return m_screenWidth;
}

int DirectDrawDisplay::getScreenHeight() {
  restorePrimaryIfLost();
  return m_screenHeight;
}

int DirectDrawDisplay::getBitsPerPixel() {
  restorePrimaryIfLost();
  return m_bitsPerPixel;
}

int DirectDrawDisplay::getPixelFormat() {
  restorePrimaryIfLost();
  return m_pixelFormat;
}

int DirectDrawDisplay::getScreenPitch() {
  restorePrimaryIfLost();
  return m_screenPitch;
}

int DirectDrawDisplay::getBufferPitch() {
  restoreBackIfLost();
  return m_bufferPitch;
}

int DirectDrawDisplay::lockBuffer() {
  if (!m_backSurface) return 0;
  m_backDescription.dwSize = sizeof(DDSURFACEDESC);
  return m_backSurface->Lock(nullptr, &m_backDescription, DDLOCK_WAIT, nullptr) == DD_OK ? 1 : 0;
}

int DirectDrawDisplay::unlockBuffer() { return m_backSurface && m_backSurface->Unlock(nullptr) == DD_OK ? 1 : 0; }

void* DirectDrawDisplay::getBufferPixels() {
  restoreBackIfLost();
  return m_backSurface ? m_backDescription.lpSurface : nullptr;
}

int DirectDrawDisplay::flush() {
  if (!m_primarySurface || !m_backSurface) return 0;
  restorePrimaryIfLost();
  restoreBackIfLost();
  return m_primarySurface->Blt(nullptr, m_backSurface, nullptr, m_blitFlags, &m_blitEffects) == DD_OK ? 1 : 0;
}
