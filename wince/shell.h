#pragma once
// Shell calls: full-screen mode of the taskbar and its buttons, the platform
// name and the user's interface language.
#include "wince/types.h"

constexpr DWORD SHFS_SHOWTASKBAR = 0x0001;
constexpr DWORD SHFS_HIDETASKBAR = 0x0002;
constexpr DWORD SHFS_SHOWSIPBUTTON = 0x0004;
constexpr DWORD SHFS_HIDESIPBUTTON = 0x0008;
constexpr DWORD SHFS_SHOWSTARTICON = 0x0010;
constexpr DWORD SHFS_HIDESTARTICON = 0x0020;

constexpr UINT SPI_GETPLATFORMTYPE = 257;

BOOL SHFullScreen(HWND window, DWORD state);
// SPI_GETPLATFORMTYPE copies "PocketPC" into a buffer of parameter bytes.
BOOL SystemParametersInfoW(UINT action, UINT parameter, void* buffer, UINT winIni);
LANGID GetUserDefaultUILanguage();

namespace wince {

struct ShellBars {
  bool taskbarHidden = false;
  bool inputPanelButtonHidden = false;
  bool startIconHidden = false;
};
ShellBars shellBars();
// Replaces the language read from LANG/LC_ALL; 0 goes back to it.
void setUserLanguage(LANGID language);
// The language id for a locale name such as "de_DE.UTF-8" (English when unknown).
LANGID languageFromLocale(const char* locale);

}  // namespace wince
