#include "tests/support/RuntimeFixture.h"

const ClassInitialisers& testRootsInitialisers() {
  static const ClassInitialisers table = [] {
    ClassInitialisers initialisers;
    initialisers.gameStatics = describeGameStatics<TestRoots>();
    return initialisers;
  }();
  return table;
}
