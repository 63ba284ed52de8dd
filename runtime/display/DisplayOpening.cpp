#include "runtime/display/DisplayOpening.h"

#include <string_view>

#include "runtime/display/DirectDrawDisplay.h"
#include "runtime/display/GdiDisplay.h"
#include "wince/log.h"
#include "wince/window.h"

namespace {

// Stores the device, then opens it.
template <typename Device>
int openDevice(HWND window, DisplayDevice** display) {
  *display =
      new Device(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), displayBufferWidth, displayBufferHeight);
  return (*display)->open(window);
}

}  // namespace

int openDisplayDevice(LPCWSTR type, HWND window, DisplayDevice** display) {
  const std::u16string_view name = type ? type : u"";
  if (name == u"DDRAW") {
    const int result = openDevice<DirectDrawDisplay>(window, display);
    if (result == 1)
      logPrintf("openDisplay(DDRAW): Using DDRAW display type.");
    else
      logPrintf("openDisplay(DDRAW): Could not create a DDRAW display type.");
    return result;
  }
  if (name == u"GDI") {
    const int result = openDevice<GdiDisplay>(window, display);
    if (result == 1)
      logPrintf("\nApplicationImpl::openDisplay(GDI): Using GDI display type.\n");
    else
      logPrintf("\nApplicationImpl::openDisplay(GDI): Could not create a GDI display type.\n");
    return result;
  }
  if (name == u"AUTO") {
    if (openDevice<DirectDrawDisplay>(window, display) == 1) {
      logPrintf("\nApplicationImpl::openDisplay(AUTO): Using DDRAW display type.\n");
      return 1;
    }
    logPrintf("\nApplicationImpl::openDisplay(AUTO): Could not create a DDRAW display type.\n");
    delete *display;
    *display = nullptr;
    const int result = openDevice<GdiDisplay>(window, display);
    if (result == 1)
      logPrintf("\nApplicationImpl::openDisplay(AUTO): Using GDI display type.\n");
    else
      logPrintf("\nApplicationImpl::openDisplay(AUTO): Could not create a GDI display type.\n");
    return result;
  }
  logPrintf("\nApplicationImpl::openDisplay(): Display type invalid.\n");
  return 0;
}
