#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Canvas.h"

#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Image.h"
#include "runtime/Application.h"
#include "runtime/app/ApplicationImpl.h"
#include "runtime/display/DisplayDevice.h"
#include "runtime/gc/ObjectManager.h"

void paintCycle(Application& application) {
  auto* graphics = static_cast<javax_microedition_lcdui_Graphics*>(application.m_screenGraphics);
  auto* screen = static_cast<javax_microedition_lcdui_Image*>(application.m_screenImage);
  if (graphics == nullptr || screen == nullptr) return;
  const int32_t width = screen->getWidth();
  const int32_t height = screen->getHeight();
  // A clip set under a translation paint left behind would not cover the
  // screen, so the origin goes back first.
  auto resetOriginAndClip = [&] {
    graphics->translate(-graphics->getTranslateX(), -graphics->getTranslateY());
    graphics->setClip(0, 0, width, height);
  };
  if (auto* displayable = static_cast<javax_microedition_lcdui_Displayable*>(application.m_current)) {
    resetOriginAndClip();
    graphics->setColor(0xFFFFFF);
    displayable->paint(graphics);
    application.getObjectManager()->gc(application.m_gcRequested != 0 ? ObjectManager::forced : 0);
    application.m_gcRequested = 0;
  }
  resetOriginAndClip();
}

void javax_microedition_lcdui_Canvas::repaint(javax_microedition_lcdui_Canvas* /*canvas*/) {
  ApplicationImpl* host = ApplicationImpl::get();
  if (host == nullptr || host->application == nullptr || host->displayActive != 1 || host->repaintSkip == 1) return;
  paintCycle(*host->application);
  if (host->display != nullptr) host->display->flush();
}
