#include "app/PlaceholderMidlet.h"

#include "game/GameClassInitialisers.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_CanvasScreen.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Display.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "runtime/Application.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/object/ObjectFactory.h"

namespace {

constexpr int32_t frameColour = 0xC0C0C0;
constexpr int32_t fieldColour = 0x202840;
constexpr int32_t borderWidth = 8;

Object* createPlaceholderMidlet() { return newObject<PlaceholderMidlet>(); }

}  // namespace

void PlaceholderCanvas::paint(javax_microedition_lcdui_Graphics* graphics) {
  graphics->setColor(frameColour);
  graphics->fillRect(0, 0, getWidth(), getHeight());
  graphics->setColor(fieldColour);
  graphics->fillRect(borderWidth, borderWidth, getWidth() - 2 * borderWidth, getHeight() - 2 * borderWidth);
}

void PlaceholderCanvas::pointerPressed(int32_t x, int32_t y) {
  debugLog("PlaceholderCanvas: pen pressed at %d,%d", x, y);
}

void PlaceholderCanvas::pointerReleased(int32_t x, int32_t y) {
  debugLog("PlaceholderCanvas: pen released at %d,%d", x, y);
}

void PlaceholderCanvas::finalize() {
  debugLog("PlaceholderCanvas: freed");
  Super::finalize();
}

void PlaceholderMidlet::destroyApp(bool unconditional) {
  debugLog("CorvaQNDR::destroyApp(%s)", unconditional ? "true" : "false");
}

void PlaceholderMidlet::startApp() {
  Application* application = Application::get();
  if (application == nullptr) return;
  auto* canvas = static_cast<javax_microedition_lcdui_Canvas*>(application->m_current);
  if (canvas == nullptr) {
    canvas = newObject<PlaceholderCanvas>();
    javax_microedition_lcdui_Display::getDisplay(this)->setCurrent(canvas);
  }
  javax_microedition_lcdui_Canvas::repaint(canvas);
}

ApplicationStartup placeholderApplicationStartup() {
  ApplicationStartup startup;
  startup.classInitialisers = &gameClassInitialisers();
  startup.createScreen = &createScreenObjects;
  startup.createMidlet = &createPlaceholderMidlet;
  return startup;
}
