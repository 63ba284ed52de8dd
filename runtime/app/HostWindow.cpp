#include "runtime/app/HostWindow.h"

#include <new>

#include "runtime/Application.h"
#include "runtime/app/ApplicationImpl.h"
#include "runtime/app/KeyMapping.h"
#include "runtime/app/LifecycleTargets.h"
#include "runtime/app/PointerScaling.h"
#include "runtime/app/VolumeKeys.h"
#include "runtime/lang/DebugLog.h"
#include "wince/clock.h"
#include "wince/file_shell.h"
#include "wince/gdi.h"
#include "wince/input.h"
#include "wince/shell.h"
#include "wince/window.h"

namespace {

DisplayableOperations* currentDisplayable() {
  Application* application = hostWindow().application;
  if (application == nullptr) return nullptr;
  return static_cast<DisplayableOperations*>(application->m_current);
}

// Each half of lParam, sign-extended.
void penPosition(LPARAM lParam, int32_t& x, int32_t& y) {
  x = static_cast<int16_t>(static_cast<uint32_t>(lParam) & 0xFFFFu);
  y = static_cast<int16_t>((static_cast<uint32_t>(lParam) >> 16) & 0xFFFFu);
  if (hostWindow().pointerScalingOn == 1) scalePointer(x, y);
}

int32_t keyCodeOf(WPARAM wParam) {
  const uint32_t virtualKey =
      wParam == VK_PROCESSKEY ? hostWindow().imeVirtualKey : static_cast<uint32_t>(wParam & 0xFFu);
  return mapVirtualKey(virtualKey);
}

HWND ownedWindowsToo(HWND window) { return reinterpret_cast<HWND>(reinterpret_cast<uintptr_t>(window) | 1u); }

void onSetFocus(HWND window) {
  SetForegroundWindow(ownedWindowsToo(window));
  SHFullScreen(window, fullScreenHideBars);
  SHFullScreen(window, fullScreenHideBars);
  ShowWindow(window, SW_SHOW);
  AllKeys(TRUE);
  hostWindow().power.enforceWantedOrientation();
  if (ApplicationImpl* host = ApplicationImpl::get(); host != nullptr && hostWindow().application != nullptr) {
    host->focusGained();
  }
  pointerScale().x = 800.0f / static_cast<float>(GetSystemMetrics(SM_CXSCREEN));
  pointerScale().y = 480.0f / static_cast<float>(GetSystemMetrics(SM_CYSCREEN));
  hostWindow().power.registerPowerNotifications();
}

void onKillFocus(HWND window) {
  hostWindow().power.stopPowerNotifications();
  if (ApplicationImpl* host = ApplicationImpl::get(); host != nullptr && hostWindow().application != nullptr) {
    host->focusLost();
  }
  AllKeys(FALSE);
  hostWindow().suppressPen = 1;
  hostWindow().power.restoreUserOrientation();
  SHFullScreen(window, fullScreenShowBars);
}

void onPen(UINT message, LPARAM lParam) {
  HostWindow& host = hostWindow();
  int32_t x = 0;
  int32_t y = 0;
  penPosition(lParam, x, y);
  DisplayableOperations* displayable = currentDisplayable();
  switch (message) {
    case WM_LBUTTONDOWN:
      host.suppressPen = 0;
      host.penPressDelivered = displayable != nullptr;
      if (displayable != nullptr) displayable->pointerPressed(x, y);
      return;
    case WM_LBUTTONUP: {
      const bool pressSwallowed = host.suppressPen == 1 && host.penPressDelivered == 0;
      host.suppressPen = 0;
      host.penPressDelivered = 0;
      if (!pressSwallowed && displayable != nullptr) displayable->pointerReleased(x, y);
      return;
    }
    default:
      if (host.suppressPen == 1 && host.penPressDelivered == 0) return;
      if (displayable != nullptr) displayable->pointerDragged(x, y);
      return;
  }
}

void onKeyDown(WPARAM wParam) {
  const int32_t code = keyCodeOf(wParam);
  if (isSystemKey(code) || isVolumeKey(code)) return;
  if (DisplayableOperations* displayable = currentDisplayable()) displayable->keyPressed(code);
}

void onKeyUp(HWND window, WPARAM wParam) {
  const int32_t code = keyCodeOf(wParam);
  const UINT imeKey = hostWindow().imeVirtualKey;
  if (isSystemKey(code)) {
    // The key belongs to the system: step aside and hand it back.
    ShowWindow(window, SW_MINIMIZE);
    Sleep(200);
    if (code == static_cast<int32_t>(VK_F3)) keybd_event(static_cast<BYTE>(VK_F3), 0, 0, 0);
    keybd_event(static_cast<BYTE>(code), 0, KEYEVENTF_KEYUP, 0);
    return;
  }
  if (code == static_cast<int32_t>(VK_F6) || imeKey == VK_F6) {
    volumeUp();
    return;
  }
  if (code == static_cast<int32_t>(VK_F7) || imeKey == VK_F7) {
    volumeDown();
    return;
  }
  if (DisplayableOperations* displayable = currentDisplayable()) displayable->keyReleased(code);
}

}  // namespace

HostWindow& hostWindow() {
  static HostWindow host;
  return host;
}

void resetHostWindow() {
  HostWindow& host = hostWindow();
  host.power.stopPowerNotifications();
  host.~HostWindow();
  new (&host) HostWindow();
  pointerScale() = PointerScale{};
}

BOOL InitInstance(HINSTANCE instance, int showCommand) {
  HostWindow& host = hostWindow();
  host.instance = instance;
  host.window = CreateWindowExW(0, windowClassName, windowTitle, WS_VISIBLE, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                                GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, instance, nullptr);
  if (host.window == nullptr) return FALSE;
  SetForegroundWindow(ownedWindowsToo(host.window));
  const BOOL fullScreen = SHFullScreen(host.window, fullScreenHideBars);
  debugLog("\nInitInstance: SHFullscreen returned %d.", fullScreen ? 1 : 0);
  ShowWindow(host.window, showCommand);
  UpdateWindow(host.window);
  return TRUE;
}

LRESULT WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  HostWindow& host = hostWindow();
  switch (message) {
    case WM_CREATE:
      host.windowDC = GetDC(window);
      host.power.recordUserOrientation();
      return 0;
    case WM_DESTROY:
    case WM_CLOSE:
      PostQuitMessage(0);
      return 0;
    case WM_ACTIVATE:
      host.windowActive = wParam != 0;
      if (ApplicationImpl* impl = ApplicationImpl::get()) impl->displayActive = wParam != 0;
      return 0;
    case WM_SETFOCUS:
      onSetFocus(window);
      return 0;
    case WM_KILLFOCUS:
      onKillFocus(window);
      return 0;
    case WM_SETTINGCHANGE:
      if (host.windowActive == 1) host.power.watchSettingChange();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
      onPen(message, lParam);
      return 0;
    case WM_KEYDOWN:
      onKeyDown(wParam);
      return 0;
    case WM_KEYUP:
      onKeyUp(window, wParam);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

void shutdownWindow() {
  HostWindow& host = hostWindow();
  if (host.teardownDone == 1) return;
  host.power.stopPowerNotifications();
  host.application = nullptr;
  if (ApplicationImpl* impl = ApplicationImpl::get()) impl->shutdown();
  host.power.restoreUserOrientation();
  if (host.window != nullptr) ReleaseDC(host.window, host.windowDC);
  host.windowDC = nullptr;
  if (HWND taskBar = FindWindowW(u"HHTaskBar", nullptr)) {
    ShowWindow(taskBar, SW_HIDE);
    ShowWindow(taskBar, SW_SHOW);
  }
  InvalidateRect(nullptr, nullptr, TRUE);
  host.teardownDone = 1;
}

void getProgramDirectory(char16_t* buffer) {
  constexpr DWORD capacity = 260;
  const DWORD length = GetModuleFileNameW(nullptr, buffer, capacity);
  DWORD cut = 0;
  for (DWORD i = 0; i < length && i < capacity; ++i) {
    if (buffer[i] == u'\\') cut = i + 1;
  }
  buffer[cut < capacity ? cut : capacity - 1] = u'\0';
}
