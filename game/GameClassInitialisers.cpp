#include "game/GameClassInitialisers.h"

#include "game/GameStatics.h"
#include "game/shell/ShellClassInitialisers.h"
#include "game/toolkit/ToolkitClassInitialisers.h"
#include "platform/java_lang/LangClassInitialisers.h"
#include "game/world/cActor.h"
#include "game/world/cActorMC.h"
#include "game/world/cActorEnemy.h"

const ClassInitialisers& gameClassInitialisers() {
  static const ClassInitialisers initialisers = [] {
    ClassInitialisers table;
    table.gameStatics = describeGameStatics<GameStatics>();
    setLangClassInitialisers(table);
    setToolkitClassInitialisers(table);
    setShellClassInitialisers(table);
    table.cActor = &cActor::clinit;
    table.cActorMC = &cActorMC::clinit;
    table.cActorEnemy = &cActorEnemy::clinit;
    return table;
  }();
  return initialisers;
}
