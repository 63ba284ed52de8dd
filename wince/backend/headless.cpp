#include "wince/backend/backend.h"
#include "wince/window_input.h"

namespace wince::backend {

namespace {

// No host window: frames stay on the screen for the test driver to read and
// input comes only from the driver.
class HeadlessBackend final : public Backend {
 public:
  const char* name() const override { return "headless"; }
  bool openWindow(HWND, int, int) override { return true; }
  void closeWindow() override {}
  void pollEvents() override {}
  bool waitForEvents(int) override { return false; }
  void wake() override {}
  void framePresented() override {}
  void raiseWindow() override {}
  void minimizeWindow() override {}
  bool readShownPixels(std::vector<uint32_t>&, int&, int&) override { return false; }
  // The window is the screen: window coordinates are screen coordinates.
  void injectPointer(UINT message, int windowX, int windowY) override { deliverPen(message, windowX, windowY); }
};

}  // namespace

std::unique_ptr<Backend> makeHeadlessBackend() { return std::make_unique<HeadlessBackend>(); }

}  // namespace wince::backend
