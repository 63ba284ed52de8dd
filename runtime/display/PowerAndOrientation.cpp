#include "runtime/display/PowerAndOrientation.h"

#include <cstring>

#include "wince/display_settings.h"
#include "wince/gdi.h"
#include "wince/power.h"
#include "wince/window.h"

namespace {

constexpr DWORD powerMessageBytes = 536;

LONG changeOrientationSetting(DEVMODEW& mode, DWORD flags) {
  mode.dmSize = sizeof mode;
  mode.dmFields = DM_DISPLAYORIENTATION;
  return ChangeDisplaySettingsEx(nullptr, &mode, nullptr, flags, nullptr);
}

}  // namespace

DWORD getDisplayOrientation() {
  DEVMODEW mode{};
  changeOrientationSetting(mode, CDS_TEST);
  return mode.dmDisplayOrientation;
}

void setDisplayOrientation(DWORD orientation) {
  DEVMODEW mode{};
  mode.dmDisplayOrientation = orientation;
  changeOrientationSetting(mode, CDS_RESET);
}

void drawPleaseWait(HWND window, const char16_t* text) {
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  MoveWindow(window, 0, 0, width, height, FALSE);
  HDC dc = GetDC(window);
  if (!dc) return;
  RECT rect{0, 0, width, height};
  FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  HGDIOBJ previousFont = SelectObject(dc, GetStockObject(SYSTEM_FONT));
  SetTextColor(dc, 0x0000FF);
  SetBkMode(dc, TRANSPARENT);
  rect.top = height / 2;
  if (text) DrawTextW(dc, text, -1, &rect, DT_CENTER);
  if (previousFont) SelectObject(dc, previousFont);
  ReleaseDC(window, dc);
}

void PowerAndOrientation::recordUserOrientation() { m_userOrientation = getDisplayOrientation(); }

void PowerAndOrientation::forceWantedOrientation() {
  // Our own change comes back as WM_SETTINGCHANGE; the flag keeps it from
  // being taken for the user's.
  m_orientationForced = true;
  setDisplayOrientation(wantedDisplayOrientation);
}

void PowerAndOrientation::enforceWantedOrientation() {
  if (getDisplayOrientation() != wantedDisplayOrientation) forceWantedOrientation();
}

void PowerAndOrientation::restoreUserOrientation() { setDisplayOrientation(m_userOrientation); }

void PowerAndOrientation::watchSettingChange() {
  const DWORD current = getDisplayOrientation();
  if (m_orientationForced) {
    m_orientationForced = false;
    if (current == wantedDisplayOrientation) return;  // the echo of our own change
  }
  m_userOrientation = current;
  if (current != wantedDisplayOrientation) forceWantedOrientation();
}

void PowerAndOrientation::registerPowerNotifications() {
  if (m_powerNotifications && m_powerQueue) return;
  stopPowerNotifications();
  const MSGQUEUEOPTIONS options{sizeof(MSGQUEUEOPTIONS), MSGQUEUE_NOPRECOMMIT, 4, powerMessageBytes, TRUE};
  m_powerQueue = CreateMsgQueue(nullptr, &options);
  if (!m_powerQueue) return;
  m_powerNotifications = RequestPowerNotifications(m_powerQueue, PBT_TRANSITION);
  if (!m_powerNotifications) {
    CloseMsgQueue(m_powerQueue);
    m_powerQueue = nullptr;
  }
}

void PowerAndOrientation::stopPowerNotifications() {
  if (m_powerNotifications) StopPowerNotifications(m_powerNotifications);
  if (m_powerQueue) CloseMsgQueue(m_powerQueue);
  m_powerNotifications = nullptr;
  m_powerQueue = nullptr;
}

void PowerAndOrientation::drainPowerQueue(PauseTarget& target) {
  if (!m_powerQueue) return;
  alignas(POWER_BROADCAST) uint8_t buffer[powerMessageBytes];
  DWORD bytes = 0, flags = 0;
  while (ReadMsgQueue(m_powerQueue, buffer, sizeof buffer, &bytes, 0, &flags)) {
    if (bytes < offsetof(POWER_BROADCAST, SystemPowerState)) continue;
    POWER_BROADCAST broadcast;
    std::memcpy(&broadcast, buffer, offsetof(POWER_BROADCAST, SystemPowerState));
    if (broadcast.Message != PBT_TRANSITION) continue;
    if (broadcast.Flags & POWER_STATE_ON)
      setPauseCauses(target, false, m_pausedByOrientation);
    else if (broadcast.Flags & (POWER_STATE_IDLE | POWER_STATE_SUSPEND | POWER_STATE_UNATTENDED))
      setPauseCauses(target, true, m_pausedByOrientation);
  }
}

void PowerAndOrientation::resetPauseCauses(PauseTarget& target) {
  m_pausedByPower = false;
  m_pausedByOrientation = false;
  target.clearPaused();
}

void PowerAndOrientation::setPauseCauses(PauseTarget& target, bool byPower, bool byOrientation) {
  const bool wasPaused = m_pausedByPower || m_pausedByOrientation;
  m_pausedByPower = byPower;
  m_pausedByOrientation = byOrientation;
  const bool paused = byPower || byOrientation;
  if (paused && !wasPaused) target.pause();
  if (!paused && wasPaused) target.resume();
}

int PowerAndOrientation::checkOrientation(PauseTarget& target, HWND window, const char16_t* pleaseWaitText) {
  if (getDisplayOrientation() == wantedDisplayOrientation) {
    setPauseCauses(target, m_pausedByPower, false);
    return 1;
  }
  setPauseCauses(target, m_pausedByPower, true);
  target.setRepaintSkip();
  drawPleaseWait(window, pleaseWaitText);
  forceWantedOrientation();
  return 0;
}
