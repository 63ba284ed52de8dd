#include "runtime/display/GdiDisplay.h"

GdiDisplay::GdiDisplay(int screenWidth, int screenHeight, int bufferWidth, int bufferHeight)
    : m_screenWidth(screenWidth),
      m_screenHeight(screenHeight),
      m_bufferWidth(bufferWidth),
      m_bufferHeight(bufferHeight) {}

GdiDisplay::~GdiDisplay() { close(); }

int GdiDisplay::open(HWND window) {
  m_windowDC = GetDC(window);
  m_window = window;
  m_bitsPerPixel = 16;
  m_pixelFormat = displayPixelFormatRgb565;
  m_screenPitch = m_screenWidth * 2;
  m_bufferPitch = m_bufferWidth * 2;

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = m_bufferWidth;
  info.bmiHeader.biHeight = -m_bufferHeight;  // rows top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 16;
  info.bmiHeader.biCompression = BI_BITFIELDS;
  info.bmiHeader.biSizeImage = DWORD(m_bufferWidth * m_bufferHeight * 2);
  info.bmiColors[0] = 0xF800;
  info.bmiColors[1] = 0x07E0;
  info.bmiColors[2] = 0x001F;
  void* bits = nullptr;
  m_dibSection = CreateDIBSection(m_windowDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!m_dibSection) {
    close();
    return 0;
  }
  m_bitmap = BITMAP{0, m_bufferWidth, m_bufferHeight, m_bufferPitch, 1, 16, bits};

  m_memoryDC = CreateCompatibleDC(m_windowDC);
  if (!m_memoryDC) {
    close();
    return 0;
  }
  return 1;
}

void GdiDisplay::close() {
  if (m_windowDC) ReleaseDC(m_window, m_windowDC);
  m_windowDC = nullptr;
  m_window = nullptr;
  if (m_memoryDC) DeleteDC(m_memoryDC);
  m_memoryDC = nullptr;
  if (m_dibSection) DeleteObject(m_dibSection);
  m_dibSection = nullptr;
  // The pixels went with the DIB section.
  m_bitmap.bmBits = nullptr;
}

int GdiDisplay::flush() {
  if (!m_window || !m_windowDC) return 0;
  SelectObject(m_memoryDC, m_dibSection);
  SetStretchBltMode(m_windowDC, m_stretchMode);
  return StretchBlt(m_windowDC, 0, 0, m_screenWidth, m_screenHeight, m_memoryDC, 0, 0, m_bufferWidth, m_bufferHeight,
                    SRCCOPY)
             ? 1
             : 0;
}
