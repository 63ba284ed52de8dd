#include "app/GameStartup.h"

#include "game/GameClassInitialisers.h"
#include "game/shell/CorvaQNDR.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_CanvasScreen.h"

ApplicationStartup gameApplicationStartup() {
  ApplicationStartup startup;
  startup.classInitialisers = &gameClassInitialisers();
  startup.createScreen = &createScreenObjects;
  startup.createMidlet = &createCorvaQNDR;
  return startup;
}
