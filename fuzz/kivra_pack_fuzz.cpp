// The promotion pack over arbitrary bytes: the offset table, every entry and
// the metadata of entry 0. Every read answers bytes or "unavailable", within
// the entry's bounds; none loops or leaves an exception pending.
#include "fuzz/fuzz_leak_checking.h"
#include "fuzz/toolkit_fuzz_support.h"
#include "game/GameStatics.h"
#include "game/shell/Kivra.h"
#include "runtime/lang/String.h"

QUENDRILL_FUZZ_WITHOUT_LEAK_CHECKING

namespace {

const uint8_t* g_data;
size_t g_size;

java_io_InputStream* openPack(String*) { return toolkitfuzz::streamOf(g_data, g_size); }

Application* startGameRuntime() {
  static ClassInitialisers initialisers;
  initialisers.gameStatics = describeGameStatics<GameStatics>();
  setToolkitClassInitialisers(initialisers);
  auto* application = new Application();
  application->init(&initialisers, 8u << 20, 8u << 20);
  toolkitfuzz::loadLiterals();
  return application;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace toolkitfuzz;
  static Application* application = startGameRuntime();
  if (size > (64u << 10)) return 0;
  g_data = data;
  g_size = size;
  toolkitStatics().cGamePack.opener = &openPack;
  KivraStatics& k = Kivra::statics();
  k.packName = newString("p");
  if (Kivra::openPack()) {
    Kivra::readMetadata();
    const int32_t count = k.packOffsets->length();
    for (int32_t i = -1; i <= count && i < 16; ++i) {
      ByteArray* entry = Kivra::readPackEntry(i);
      if (entry != nullptr) require(entry->length() <= static_cast<int32_t>(size));
      k.position = 0;
      k.readPastEnd = false;
      for (int32_t reads = 0; entry != nullptr && reads < 64 && !k.readPastEnd; ++reads) {
        if ((reads & 1) == 0) Kivra::readChunk(entry);
        else Kivra::readTextTable(entry);
        require(k.position <= entry->length());
      }
    }
  }
  Kivra::releasePack();
  require(application->getPending() == nullptr);
  return 0;
}
