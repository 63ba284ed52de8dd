#pragma once
// The few texts the host shows by itself, in the user interface's language.
#include <cstdint>

enum LauncherMessage : uint32_t {
  launcherInstalledLaunchNow = 0,
  launcherCouldNotLaunch = 1,
  launcherCaption = 2,
  launcherQuit = 3,
  launcherCouldNotFreeMemory = 4,
  launcherKeepSavedData = 5,
  launcherPleaseWait = 6,
  launcherNotEnoughStorage = 7,  // holds a "%.2f" number
};

constexpr uint32_t launcherMessageCount = 8;

// primaryLanguage is GetUserDefaultUILanguage() & 0x3FF: 5 Czech, 7 German,
// 10 Spanish, 12 French, 22 Portuguese, anything else English.
void selectLauncherLanguage(uint32_t primaryLanguage);
// Selects by the user interface's language.
void selectLauncherLanguageOfUser();
// "NULL" for an index past the table or an empty slot.
const char16_t* getLauncherMessage(uint32_t index);
