#pragma once
// DirectDraw as the runtime calls it: a DirectDraw object, primary and
// off-screen surfaces, locks and blits. Nothing on the host offers it; a test
// registers a "ddraw.dll" of its own (ddraw_library.h) to drive the display
// device that uses it.
#include "wince/types.h"

using HRESULT = LONG;

constexpr HRESULT DD_OK = 0;
constexpr HRESULT DDERR_GENERIC = HRESULT(0x80004005u);
constexpr HRESULT DDERR_SURFACELOST = HRESULT(0x887601C2u);

constexpr DWORD DDSD_CAPS = 0x00000001;
constexpr DWORD DDSD_HEIGHT = 0x00000002;
constexpr DWORD DDSD_WIDTH = 0x00000004;
constexpr DWORD DDSD_PITCH = 0x00000008;
constexpr DWORD DDSD_PIXELFORMAT = 0x00001000;
constexpr DWORD DDSCAPS_PRIMARYSURFACE = 0x00000040;
constexpr DWORD DDSCL_NORMAL = 0x00000000;
constexpr DWORD DDSCL_FULLSCREEN = 0x00000001;
constexpr DWORD DDLOCK_WAIT = 0x00000001;
constexpr DWORD DDBLT_ROP = 0x00020000;
constexpr DWORD DDPF_RGB = 0x00000040;

struct DDPIXELFORMAT {
  DWORD dwSize;
  DWORD dwFlags;
  DWORD dwFourCC;
  DWORD dwRGBBitCount;
  DWORD dwRBitMask;
  DWORD dwGBitMask;
  DWORD dwBBitMask;
  DWORD dwRGBAlphaBitMask;
};

struct DDSCAPS {
  DWORD dwCaps;
};

struct DDSURFACEDESC {
  DWORD dwSize;
  DWORD dwFlags;
  DWORD dwHeight;
  DWORD dwWidth;
  LONG lPitch;
  DWORD dwBackBufferCount;
  DWORD dwRefreshRate;
  DWORD dwAlphaBitDepth;
  void* lpSurface;
  DDPIXELFORMAT ddpfPixelFormat;
  DDSCAPS ddsCaps;
};

// The size word and six further words; one of them is the raster operation.
struct DDBLTFX {
  DWORD dwSize;
  DWORD dwDDFX;
  DWORD dwROP;
  DWORD dwDDROP;
  DWORD dwRotationAngle;
  DWORD dwZBufferOpCode;
  DWORD dwFillColor;
};

class IDirectDrawSurface {
 public:
  virtual ULONG_PTR Release() = 0;
  virtual HRESULT Lock(RECT* rect, DDSURFACEDESC* description, DWORD flags, HANDLE event) = 0;
  virtual HRESULT Unlock(RECT* rect) = 0;
  virtual HRESULT IsLost() = 0;
  virtual HRESULT Restore() = 0;
  virtual HRESULT Blt(RECT* targetRect, IDirectDrawSurface* source, RECT* sourceRect, DWORD flags,
                      DDBLTFX* effects) = 0;

 protected:
  ~IDirectDrawSurface() = default;
};

class IDirectDraw {
 public:
  virtual ULONG_PTR Release() = 0;
  virtual HRESULT SetCooperativeLevel(HWND window, DWORD flags) = 0;
  virtual HRESULT CreateSurface(DDSURFACEDESC* description, IDirectDrawSurface** surface, void* outer) = 0;

 protected:
  ~IDirectDraw() = default;
};

using DirectDrawCreateFunction = HRESULT (*)(void* guid, IDirectDraw** directDraw, void* outer);
