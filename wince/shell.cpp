#include "wince/shell.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "wince/window.h"

namespace {

std::mutex shellMutex;
wince::ShellBars bars;
std::atomic<LANGID> chosenLanguage{0};

constexpr char16_t platformName[] = u"PocketPC";

}  // namespace

BOOL SHFullScreen(HWND window, DWORD state) {
  if (!IsWindow(window)) return FALSE;
  std::lock_guard lock(shellMutex);
  if (state & SHFS_HIDETASKBAR) bars.taskbarHidden = true;
  if (state & SHFS_SHOWTASKBAR) bars.taskbarHidden = false;
  if (state & SHFS_HIDESIPBUTTON) bars.inputPanelButtonHidden = true;
  if (state & SHFS_SHOWSIPBUTTON) bars.inputPanelButtonHidden = false;
  if (state & SHFS_HIDESTARTICON) bars.startIconHidden = true;
  if (state & SHFS_SHOWSTARTICON) bars.startIconHidden = false;
  return TRUE;
}

BOOL SystemParametersInfoW(UINT action, UINT parameter, void* buffer, UINT) {
  if (action != SPI_GETPLATFORMTYPE || !buffer || parameter < sizeof platformName) return FALSE;
  std::memcpy(buffer, platformName, sizeof platformName);
  return TRUE;
}

LANGID GetUserDefaultUILanguage() {
  if (const LANGID chosen = chosenLanguage) return chosen;
  const char* locale = std::getenv("LC_ALL");
  if (!locale || !*locale) locale = std::getenv("LC_MESSAGES");
  if (!locale || !*locale) locale = std::getenv("LANG");
  return wince::languageFromLocale(locale);
}

namespace wince {

ShellBars shellBars() {
  std::lock_guard lock(shellMutex);
  return bars;
}

void setUserLanguage(LANGID language) { chosenLanguage = language; }

LANGID languageFromLocale(const char* locale) {
  struct LocaleLanguage {
    const char* prefix;
    LANGID language;
  };
  // Primary language in the low 10 bits, the usual country above.
  static constexpr LocaleLanguage table[] = {
      {"en", 0x0409}, {"de", 0x0407}, {"fr", 0x040C}, {"it", 0x0410},    {"es", 0x0C0A}, {"pt_BR", 0x0416},
      {"pt", 0x0816}, {"nl", 0x0413}, {"sv", 0x041D}, {"da", 0x0406},    {"nb", 0x0414}, {"no", 0x0414},
      {"fi", 0x040B}, {"pl", 0x0415}, {"cs", 0x0405}, {"hu", 0x040E},    {"ru", 0x0419}, {"tr", 0x041F},
      {"el", 0x0408}, {"ja", 0x0411}, {"ko", 0x0412}, {"zh_TW", 0x0404}, {"zh", 0x0804},
  };
  if (locale)
    for (const LocaleLanguage& entry : table)
      if (std::strncmp(locale, entry.prefix, std::strlen(entry.prefix)) == 0) return entry.language;
  return 0x0409;
}

}  // namespace wince
