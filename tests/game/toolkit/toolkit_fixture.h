#pragma once
// A runtime whose game block is the toolkit's statics, with the language and
// toolkit classes initialised: what toolkit code needs without the shell.
#include "game/toolkit/ToolkitClassInitialisers.h"
#include "game/toolkit/ToolkitStatics.h"
#include "platform/java_lang/LangClassInitialisers.h"
#include "tests/support/RuntimeFixture.h"

inline const ClassInitialisers& toolkitTestInitialisers() {
  static const ClassInitialisers table = [] {
    ClassInitialisers initialisers;
    initialisers.gameStatics = describeGameStatics<ToolkitStatics>();
    setLangClassInitialisers(initialisers);
    setToolkitClassInitialisers(initialisers);
    return initialisers;
  }();
  return table;
}

class ToolkitFixture : public RuntimeFixture {
 protected:
  explicit ToolkitFixture(uint32_t objectHeapBytes = 4u << 20, uint32_t nativePoolBytes = 4u << 20)
      : RuntimeFixture(objectHeapBytes, nativePoolBytes, &toolkitTestInitialisers()) {}
};
