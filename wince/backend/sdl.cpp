#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <string>
#include <thread>

#include "wince/backend/backend.h"
#include "wince/backend/sdl_keys.h"
#include "wince/display_screen.h"
#include "wince/log.h"
#include "wince/window.h"
#include "wince/window_input.h"
#include "wince/window_internal.h"

namespace wince::backend {

namespace {

std::string toUtf8(const std::u16string& text) {
  std::string result;
  for (char16_t unit : text) {
    const uint32_t code = unit;  // the window title is plain text; pairs are not expected
    if (code < 0x80) {
      result += char(code);
    } else if (code < 0x800) {
      result += char(0xC0 | (code >> 6));
      result += char(0x80 | (code & 0x3F));
    } else {
      result += char(0xE0 | (code >> 12));
      result += char(0x80 | ((code >> 6) & 0x3F));
      result += char(0x80 | (code & 0x3F));
    }
  }
  return result;
}

// A real window: the screen scaled into it with its aspect kept, the mouse as
// the pen, the keyboard as keys. SDL is touched on the UI thread only; other
// threads set flags and push a wake-up event.
class SdlBackend final : public Backend {
 public:
  explicit SdlBackend(bool fullScreen) : m_fullScreen(fullScreen) {}
  ~SdlBackend() override { closeWindow(); }

  const char* name() const override { return "sdl"; }

  bool openWindow(HWND window, int width, int height) override {
    if (!startVideo()) return false;
    m_logicalWidth = width;
    m_logicalHeight = height;
    const Uint32 flags = SDL_WINDOW_RESIZABLE | (m_fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    m_window = SDL_CreateWindow(toUtf8(window->title).c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width,
                                height, flags);
    // Without a display there is no GPU either, and the offscreen driver's GL
    // surface keeps its first size; the software renderer follows the window.
    const char* driver = SDL_GetCurrentVideoDriver();
    const bool noDisplay = driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
    if (noDisplay) SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (m_window && !noDisplay) m_renderer = SDL_CreateRenderer(m_window, -1, 0);
    if (!m_renderer && m_window) m_renderer = SDL_CreateRenderer(m_window, -1, SDL_RENDERER_SOFTWARE);
    if (m_renderer)
      m_texture = SDL_CreateTexture(m_renderer, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING, width, height);
    m_wakeEvent = SDL_RegisterEvents(1);
    if (!m_texture || m_wakeEvent == Uint32(-1)) {
      logPrintf("SDL: %s\n", SDL_GetError());
      closeWindow();
      return false;
    }
    m_uiThread = std::this_thread::get_id();
    m_windowId = SDL_GetWindowID(m_window);
    m_open = true;
    showFrame();
    if (m_fullScreen) logFullScreen();
    return true;
  }

  void closeWindow() override {
    m_open = false;
    if (m_texture) SDL_DestroyTexture(m_texture);
    if (m_renderer) SDL_DestroyRenderer(m_renderer);
    if (m_window) SDL_DestroyWindow(m_window);
    m_texture = nullptr;
    m_renderer = nullptr;
    m_window = nullptr;
  }

  void pollEvents() override {
    if (!m_open || std::this_thread::get_id() != m_uiThread) return;
    m_wakePending = false;
    if (m_raiseRequested.exchange(false)) {
      SDL_RestoreWindow(m_window);
      SDL_RaiseWindow(m_window);
    }
    if (m_minimizeRequested.exchange(false)) SDL_MinimizeWindow(m_window);
    SDL_Event event;
    bool redraw = false;
    while (SDL_PollEvent(&event)) redraw |= handleEvent(event);
    if (redraw || m_shownPresent != screen().presentCount()) showFrame();
  }

  bool waitForEvents(int milliseconds) override {
    if (!m_open || std::this_thread::get_id() != m_uiThread) return false;
    SDL_WaitEventTimeout(nullptr, milliseconds);
    return true;
  }

  void wake() override {
    if (!m_open || m_wakePending.exchange(true)) return;
    SDL_Event event{};
    event.type = m_wakeEvent;
    SDL_PushEvent(&event);
  }

  void framePresented() override { wake(); }

  void raiseWindow() override {
    m_raiseRequested = true;
    wake();
  }

  void minimizeWindow() override {
    m_minimizeRequested = true;
    wake();
  }

  void injectPointer(UINT message, int windowX, int windowY) override {
    if (!m_open) return;
    SDL_Event event{};
    if (message == WM_MOUSEMOVE) {
      event.type = SDL_MOUSEMOTION;
      event.motion.windowID = m_windowId;
      event.motion.state = SDL_BUTTON_LMASK;
      event.motion.x = windowX;
      event.motion.y = windowY;
    } else {
      const bool down = message == WM_LBUTTONDOWN;
      event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
      event.button.windowID = m_windowId;
      event.button.button = SDL_BUTTON_LEFT;
      event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
      event.button.clicks = 1;
      event.button.x = windowX;
      event.button.y = windowY;
    }
    SDL_PushEvent(&event);
  }

  bool readShownPixels(std::vector<uint32_t>& pixels, int& width, int& height) override {
    if (!m_open || std::this_thread::get_id() != m_uiThread) return false;
    // Read before presenting: after a present the back buffer's content is undefined.
    renderFrame();
    bool read = SDL_GetRendererOutputSize(m_renderer, &width, &height) == 0;
    if (read) {
      pixels.assign(size_t(width) * size_t(height), 0);
      read = SDL_RenderReadPixels(m_renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), width * 4) == 0;
    }
    SDL_RenderPresent(m_renderer);
    if (!read) return false;
    for (uint32_t& pixel : pixels) pixel &= 0xFFFFFF;
    return true;
  }

 private:
  // Where the screen lands in the window, in window coordinates of the given
  // size: as large as fits with the aspect kept, centred.
  SDL_Rect pictureRect(int windowWidth, int windowHeight) const {
    SDL_Rect rect;
    if (int64_t(windowWidth) * m_logicalHeight <= int64_t(windowHeight) * m_logicalWidth) {
      rect.w = windowWidth;
      rect.h = int(int64_t(windowWidth) * m_logicalHeight / m_logicalWidth);
    } else {
      rect.h = windowHeight;
      rect.w = int(int64_t(windowHeight) * m_logicalWidth / m_logicalHeight);
    }
    rect.x = (windowWidth - rect.w) / 2;
    rect.y = (windowHeight - rect.h) / 2;
    return rect;
  }

  // What the full-screen switch gave: the display and where the picture
  // lands on it, or why the window is not full screen.
  void logFullScreen() const {
    int width = 0, height = 0;
    SDL_GetRendererOutputSize(m_renderer, &width, &height);
    if ((SDL_GetWindowFlags(m_window) & SDL_WINDOW_FULLSCREEN) == 0) {
      const char* reason = SDL_GetError();
      logPrintf("SDL: full screen was asked for, but the video driver keeps a %dx%d window (%s); the picture is "
                "scaled into it\n",
                width, height, reason && *reason ? reason : "no reason given");
      return;
    }
    const SDL_Rect picture = pictureRect(width, height);
    logPrintf("SDL: full screen %dx%d, the picture scaled to %dx%d at %d,%d\n", width, height, picture.w, picture.h,
              picture.x, picture.y);
  }

  // Window coordinates to screen coordinates; false outside the picture.
  bool toLogical(int x, int y, int& logicalX, int& logicalY) const {
    int windowWidth, windowHeight;
    SDL_GetWindowSize(m_window, &windowWidth, &windowHeight);
    const SDL_Rect picture = pictureRect(windowWidth, windowHeight);
    if (picture.w <= 0 || picture.h <= 0) return false;
    const bool inside = x >= picture.x && y >= picture.y && x < picture.x + picture.w && y < picture.y + picture.h;
    logicalX = std::clamp(int(int64_t(x - picture.x) * m_logicalWidth / picture.w), 0, m_logicalWidth - 1);
    logicalY = std::clamp(int(int64_t(y - picture.y) * m_logicalHeight / picture.h), 0, m_logicalHeight - 1);
    return inside;
  }

  void rememberPen(int x, int y) {
    m_lastPenX = x;
    m_lastPenY = y;
  }

  // Events of a window closed earlier may still wait in SDL's queue.
  bool isForOtherWindow(const SDL_Event& event) const {
    const Uint32 ours = SDL_GetWindowID(m_window);
    switch (event.type) {
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP:
        return event.button.windowID != ours;
      case SDL_MOUSEMOTION:
        return event.motion.windowID != ours;
      case SDL_KEYDOWN:
      case SDL_KEYUP:
        return event.key.windowID != ours;
      case SDL_WINDOWEVENT:
        return event.window.windowID != ours;
      default:
        return false;
    }
  }

  // True when the window needs drawing again.
  bool handleEvent(const SDL_Event& event) {
    if (isForOtherWindow(event)) return false;
    int x = 0, y = 0;
    switch (event.type) {
      case SDL_MOUSEBUTTONDOWN:
        if (event.button.button == SDL_BUTTON_LEFT && !m_penDown && toLogical(event.button.x, event.button.y, x, y)) {
          m_penDown = true;
          rememberPen(x, y);
          deliverPen(WM_LBUTTONDOWN, x, y);
        }
        return false;
      case SDL_MOUSEBUTTONUP:
        if (event.button.button == SDL_BUTTON_LEFT && m_penDown) {
          m_penDown = false;
          toLogical(event.button.x, event.button.y, x, y);
          rememberPen(x, y);
          deliverPen(WM_LBUTTONUP, x, y);
        }
        return false;
      case SDL_MOUSEMOTION:
        if (m_penDown) {
          toLogical(event.motion.x, event.motion.y, x, y);
          rememberPen(x, y);
          deliverPen(WM_MOUSEMOVE, x, y);
        }
        return false;
      case SDL_KEYDOWN:
      case SDL_KEYUP:
        if (const DWORD virtualKey = virtualKeyFromSdl(event.key.keysym.sym))
          deliverKey(virtualKey, event.type == SDL_KEYDOWN);
        return false;
      case SDL_WINDOWEVENT:
        switch (event.window.event) {
          case SDL_WINDOWEVENT_FOCUS_GAINED:
            deliverFocus(true);
            return false;
          case SDL_WINDOWEVENT_FOCUS_LOST:
            if (m_penDown) {
              // A press must not stay without its release.
              m_penDown = false;
              deliverPen(WM_LBUTTONUP, m_lastPenX, m_lastPenY);
            }
            deliverFocus(false);
            return false;
          case SDL_WINDOWEVENT_CLOSE:
            deliverClose();
            return false;
          default:
            return true;
        }
      default:
        return false;
    }
  }

  void showFrame() {
    renderFrame();
    SDL_RenderPresent(m_renderer);
  }

  void renderFrame() {
    screen().readFrame([&](const uint16_t* pixels, int width, int height) {
      if (width == m_logicalWidth && height == m_logicalHeight)
        SDL_UpdateTexture(m_texture, nullptr, pixels, width * 2);
    });
    m_shownPresent = screen().presentCount();
    int outputWidth, outputHeight;
    SDL_GetRendererOutputSize(m_renderer, &outputWidth, &outputHeight);
    const SDL_Rect picture = pictureRect(outputWidth, outputHeight);
    SDL_SetRenderDrawColor(m_renderer, 0, 0, 0, 255);
    SDL_RenderClear(m_renderer);
    SDL_RenderCopy(m_renderer, m_texture, nullptr, &picture);
  }

  // Video stays up for the process once started: the drivers SDL loads keep
  // state of their own that a shutdown would strand.
  static bool startVideo() {
    static const bool started = [] {
      SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
      if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) return true;
      logPrintf("SDL: %s\n", SDL_GetError());
      return false;
    }();
    return started;
  }

  const bool m_fullScreen;
  std::atomic<bool> m_open{false};
  SDL_Window* m_window = nullptr;
  SDL_Renderer* m_renderer = nullptr;
  SDL_Texture* m_texture = nullptr;
  Uint32 m_wakeEvent = 0;
  std::atomic<Uint32> m_windowId{0};
  std::thread::id m_uiThread;
  int m_logicalWidth = 0;
  int m_logicalHeight = 0;
  uint64_t m_shownPresent = 0;
  bool m_penDown = false;
  int m_lastPenX = 0;
  int m_lastPenY = 0;
  std::atomic<bool> m_wakePending{false};
  std::atomic<bool> m_raiseRequested{false};
  std::atomic<bool> m_minimizeRequested{false};
};

}  // namespace

std::unique_ptr<Backend> makeSdlBackend(bool fullScreen) { return std::make_unique<SdlBackend>(fullScreen); }

}  // namespace wince::backend
