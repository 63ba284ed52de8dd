#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Display.h"

#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Displayable.h"
#include "runtime/Application.h"
#include "runtime/object/ObjectFactory.h"

javax_microedition_lcdui_Display* javax_microedition_lcdui_Display::getDisplay(Object* /*midlet*/) {
  return newObject<javax_microedition_lcdui_Display>();
}

void javax_microedition_lcdui_Display::setCurrent(javax_microedition_lcdui_Displayable* displayable) {
  if (Application* application = Application::get()) application->m_current = displayable;
}

javax_microedition_lcdui_Displayable* javax_microedition_lcdui_Display::getCurrent() {
  Application* application = Application::get();
  return application != nullptr ? static_cast<javax_microedition_lcdui_Displayable*>(application->m_current)
                                : nullptr;
}
