#include "game/GameClassInitialisers.h"

#include "game/GameStatics.h"
#include "game/shell/ShellClassInitialisers.h"
#include "game/toolkit/ToolkitClassInitialisers.h"
#include "platform/java_lang/LangClassInitialisers.h"
#include "runtime/lang/ObjectArray.h"

namespace {

// The set-up makes cActor's statics in place of an initialiser of its own.
void cActor_clinit() {
  cActorStatics& actor = worldStatics().cActor;
  actor.layerHeads = newObjectArray(1);
  actor.displayList = newObjectArray(200);
  actor.displayListCount = 0;
}

}  // namespace

const ClassInitialisers& gameClassInitialisers() {
  static const ClassInitialisers initialisers = [] {
    ClassInitialisers table;
    table.gameStatics = describeGameStatics<GameStatics>();
    setLangClassInitialisers(table);
    setToolkitClassInitialisers(table);
    setShellClassInitialisers(table);
    table.cActor = &cActor_clinit;
    return table;
  }();
  return initialisers;
}
