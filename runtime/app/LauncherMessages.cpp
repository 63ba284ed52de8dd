#include "runtime/app/LauncherMessages.h"

#include "wince/shell.h"

namespace {

using MessageTable = const char16_t* [launcherMessageCount];

constexpr MessageTable englishMessages = {
    u"Game installed.\nDo you want to launch it?",
    u"Could not launch the game.\nPlease launch it from Games folder.",
    u"Notice",
    u"Are you sure you want to quit?",
    u"Could not free the required memory to run the game.\nPlease try closing all running applications and launch "
    u"the game again.",
    u"Do you want to keep your saved data?",
    u"Please wait",
    u"Cannot install the game. You need at least %.2f MB of free storage space on the device to install the game.",
};

// German, French and Portuguese share this storage text.
constexpr const char16_t* shortStorageText = u"Cannot install the game. You need at least %.2f of free storage space.";

constexpr MessageTable czechMessages = {
    u"Hra byla nainstalována.\nChcete ji spustit?",
    u"Hru nelze spustit.\nSpusťte ji prosím ze složky Hry.",
    u"Upozornění",
    u"Opravdu chcete skončit?",
    u"Nelze uvolnit paměť potřebnou ke spuštění hry.\nZavřete prosím všechny spuštěné aplikace a spusťte hru znovu.",
    u"Chcete zachovat uložená data?",
    u"Please wait",
    u"Hru nelze nainstalovat. Potřebujete alespoň %.2f MB volného místa v zařízení.",
};

constexpr MessageTable germanMessages = {
    u"Spiel installiert.\nMöchten Sie es jetzt starten?",
    u"Das Spiel konnte nicht gestartet werden.\nBitte starten Sie es aus dem Ordner Spiele.",
    u"Hinweis",
    u"Wirklich beenden?",
    u"Der benötigte Speicher konnte nicht freigegeben werden.\nBitte schließen Sie alle laufenden Anwendungen und "
    u"starten Sie das Spiel erneut.",
    u"Möchten Sie Ihre gespeicherten Daten behalten?",
    u"Bitte warten",
    shortStorageText,
};

constexpr MessageTable spanishMessages = {
    u"Juego instalado.\n¿Quieres iniciarlo?",
    u"No se pudo iniciar el juego.\nInícialo desde la carpeta Juegos.",
    u"Advertencia",
    u"¿Seguro que quieres salir?",
    u"No se pudo liberar la memoria necesaria para el juego.\nCierra todas las aplicaciones abiertas y vuelve a "
    u"iniciar el juego.",
    u"¿Quieres conservar los datos guardados?",
    u"Aguarde",
    u"No se puede instalar el juego. Necesitas al menos %.2f MB de espacio libre en el dispositivo.",
};

constexpr MessageTable frenchMessages = {
    u"Jeu installé.\nVoulez-vous le lancer ?",
    u"Impossible de lancer le jeu.\nVeuillez le lancer depuis le dossier Jeux.",
    u"Avertissement",
    u"Voulez-vous vraiment quitter ?",
    u"Impossible de libérer la mémoire nécessaire au jeu.\nFermez toutes les applications ouvertes et relancez le "
    u"jeu.",
    u"Voulez-vous conserver vos données sauvegardées ?",
    u"Merci de patienter",
    shortStorageText,
};

constexpr MessageTable portugueseMessages = {
    u"Jogo instalado.\nDeseja iniciá-lo?",
    u"Não foi possível iniciar o jogo.\nInicie-o a partir da pasta Jogos.",
    u"Aviso",
    u"Tem certeza de que deseja sair?",
    u"Não foi possível liberar a memória necessária para o jogo.\nFeche todos os aplicativos abertos e inicie o jogo "
    u"novamente.",
    u"Deseja manter seus dados salvos?",
    u"Aguarde",
    shortStorageText,
};

const char16_t* selectedMessages[launcherMessageCount] = {};

}  // namespace

void selectLauncherLanguage(uint32_t primaryLanguage) {
  const MessageTable* table = &englishMessages;
  switch (primaryLanguage) {
    case 5: table = &czechMessages; break;
    case 7: table = &germanMessages; break;
    case 10: table = &spanishMessages; break;
    case 12: table = &frenchMessages; break;
    case 22: table = &portugueseMessages; break;
    default: break;
  }
  for (uint32_t i = 0; i < launcherMessageCount; ++i) selectedMessages[i] = (*table)[i];
}

void selectLauncherLanguageOfUser() { selectLauncherLanguage(GetUserDefaultUILanguage() & 0x3FFu); }

const char16_t* getLauncherMessage(uint32_t index) {
  if (index >= launcherMessageCount || selectedMessages[index] == nullptr) return u"NULL";
  return selectedMessages[index];
}
