#pragma once
// The device's screen: one RGB565 frame that window device contexts draw
// into. Each drawing call on it is a present; the back end shows the newest.
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

#include "wince/gdi_pixels.h"

namespace wince {

class Screen {
 public:
  int width() const;
  int height() const;
  // Before the first window opens; the default is 800 x 480.
  void setSize(int width, int height);

  // Draws under the screen's lock, then counts a present and tells the back
  // end. The target's clip is the given rectangle within the screen.
  void draw(const RECT& area, const std::function<void(const PixelTarget&)>& drawing);
  // A copy of the frame as presented, and how many presents there were.
  std::vector<uint16_t> copyFrame(uint64_t* presentCount = nullptr) const;
  uint64_t presentCount() const;
  // Runs reader on the pixels under the screen's lock (the back end uploads).
  void readFrame(const std::function<void(const uint16_t* pixels, int width, int height)>& reader) const;
  // Waits until more than count presents happened.
  void waitForPresentAfter(uint64_t count) const;

 private:
  void ensurePixels();

  mutable std::mutex m_mutex;
  mutable std::condition_variable m_presented;
  int m_width = 800;
  int m_height = 480;
  std::vector<uint16_t> m_pixels;
  uint64_t m_presents = 0;
};

Screen& screen();

}  // namespace wince
