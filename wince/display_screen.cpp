#include "wince/display_screen.h"

#include "wince/backend/backend.h"
#include "wince/log.h"

namespace wince {

Screen& screen() {
  static Screen* theScreen = new Screen;  // outlives exit() from any thread
  return *theScreen;
}

int Screen::width() const {
  std::lock_guard lock(m_mutex);
  return m_width;
}

int Screen::height() const {
  std::lock_guard lock(m_mutex);
  return m_height;
}

void Screen::setSize(int width, int height) {
  if (width <= 0 || height <= 0 || width > 4096 || height > 4096) {
    logPrintf("Screen: size %dx%d refused\n", width, height);
    return;
  }
  std::lock_guard lock(m_mutex);
  m_width = width;
  m_height = height;
  m_pixels.assign(size_t(width) * size_t(height), 0);
}

void Screen::ensurePixels() {
  if (m_pixels.size() != size_t(m_width) * size_t(m_height)) m_pixels.assign(size_t(m_width) * size_t(m_height), 0);
}

void Screen::draw(const RECT& area, const std::function<void(const PixelTarget&)>& drawing) {
  {
    std::lock_guard lock(m_mutex);
    ensurePixels();
    PixelTarget target;
    target.bits = reinterpret_cast<uint8_t*>(m_pixels.data());
    target.width = m_width;
    target.height = m_height;
    target.pitch = ptrdiff_t(m_width) * 2;
    target.bitsPerPixel = 16;
    target.clip = intersectRect(area, RECT{0, 0, m_width, m_height});
    drawing(target);
    ++m_presents;
    m_presented.notify_all();
  }
  if (backend::backendChosen()) backend::activeBackend().framePresented();
}

std::vector<uint16_t> Screen::copyFrame(uint64_t* presentCount) const {
  std::lock_guard lock(m_mutex);
  if (presentCount) *presentCount = m_presents;
  if (m_pixels.empty()) return std::vector<uint16_t>(size_t(m_width) * size_t(m_height), 0);
  return m_pixels;
}

uint64_t Screen::presentCount() const {
  std::lock_guard lock(m_mutex);
  return m_presents;
}

void Screen::readFrame(const std::function<void(const uint16_t*, int, int)>& reader) const {
  std::lock_guard lock(m_mutex);
  if (m_pixels.size() != size_t(m_width) * size_t(m_height)) {
    const std::vector<uint16_t> black(size_t(m_width) * size_t(m_height), 0);
    reader(black.data(), m_width, m_height);
    return;
  }
  reader(m_pixels.data(), m_width, m_height);
}

void Screen::waitForPresentAfter(uint64_t count) const {
  std::unique_lock lock(m_mutex);
  m_presented.wait(lock, [&] { return m_presents > count; });
}

}  // namespace wince
