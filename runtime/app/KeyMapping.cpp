#include "runtime/app/KeyMapping.h"

#include "wince/input.h"

int32_t mapVirtualKey(uint32_t virtualKey) {
  if (virtualKey == VK_RETURN || (virtualKey >= VK_LEFT && virtualKey <= VK_DOWN) ||
      (virtualKey >= '0' && virtualKey <= '9') || virtualKey == VK_F8 || virtualKey == VK_F9) {
    return -999;
  }
  if (virtualKey == VK_F1) return -6;
  if (virtualKey == VK_F2) return -7;
  return static_cast<int32_t>(virtualKey);
}

bool isSystemKey(int32_t code) {
  switch (code) {
    case VK_RWIN:
    case VK_LWIN:
    case VK_F4:
    case VK_ESCAPE:
    case VK_HOME:
    case VK_F3:
      return true;
    default:
      return false;
  }
}

bool isVolumeKey(int32_t code) { return code == VK_F6 || code == VK_F7; }
