#include "runtime/object/StaticClass.h"

#include <cassert>
#include <cstring>
#include <new>
#include <type_traits>

#include "runtime/literals/StringLiteralPool.h"

namespace {

void runInitialiser(ClassInitialiser initialiser) {
  if (initialiser != nullptr) initialiser();
}

}  // namespace

bool StaticClass::setUp(const ClassInitialisers* initialisers, bool loadLiteralPool) {
  const char* name = classNameRun;
  for (int32_t id = 0; id < classCount; ++id) {
    classes[id].setUpRecord(id, name);
    name += std::strlen(name) + 1;
  }

  static_assert(std::is_same_v<decltype(allStatics()), BlockStatics::References>,
                "allStatics() and BlockStatics list the same structs");
  void* addresses[rootCount];
  void** cursor = addresses;
  std::apply(
      [&](auto&... perClass) {
        ((cursor = referencefields::collectAddresses<std::remove_reference_t<decltype(perClass)>>(perClass, cursor)), ...);
      },
      allStatics());
  for (size_t i = 0; i < rootCount; ++i) roots[i] = static_cast<Object**>(addresses[i]);
  if (initialisers != nullptr) setUpGameBlock(initialisers->gameStatics);

  // Class initialisers may use literals. The root table is written first so
  // that a failed start-up still closes cleanly.
  if (loadLiteralPool && !loadStringLiteralPoolFromArchive()) return false;

  if (initialisers == nullptr) return true;
  runInitialiser(initialisers->java_lang_System);
  runInitialiser(initialisers->cActorEnemy);
  runInitialiser(initialisers->IDefines);
  runInitialiser(initialisers->java_lang_Boolean);
  runInitialiser(initialisers->ASprite);
  runInitialiser(initialisers->BitmapFont);
  runInitialiser(initialisers->cActor);
  runInitialiser(initialisers->CVLibPlayer);
  runInitialiser(initialisers->cActorMC);
  runInitialiser(initialisers->cGame);
  runInitialiser(initialisers->IMenus);
  runInitialiser(initialisers->Kivra);
  runInitialiser(initialisers->java_lang_Runtime);
  return true;
}

void StaticClass::setUpGameBlock(const GameStaticsDescription& description) {
  if (description.size == 0) return;
  gameBlock = ::operator new(description.size, std::align_val_t{alignof(std::max_align_t)});
  std::memset(gameBlock, 0, description.size);
  gameBlockSize = description.size;
  gameRootCount = description.referenceCount;
  gameRoots = new Object**[gameRootCount == 0 ? 1 : gameRootCount];
  void** end = description.collectReferences(gameBlock, reinterpret_cast<void**>(gameRoots));
  assert(end == reinterpret_cast<void**>(gameRoots) + gameRootCount);
  (void)end;
}

StaticClass::~StaticClass() {
  delete[] gameRoots;
  if (gameBlock != nullptr) ::operator delete(gameBlock, std::align_val_t{alignof(std::max_align_t)});
}

void StaticClass::releaseRefFieldTables() {
  for (Class& record : classes) record.releaseRefFields();
}
