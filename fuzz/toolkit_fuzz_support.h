#pragma once
// A runtime whose game block is the toolkit's statics, for the targets that
// drive the game-data readers.
#include <cstdint>
#include <cstring>
#include <vector>

#include "fuzz/fuzz_require.h"
#include "game/toolkit/ToolkitClassInitialisers.h"
#include "game/toolkit/ToolkitStatics.h"
#include "game/toolkit/cGameToolkit.h"
#include "platform/java_lang/LangClassInitialisers.h"
#include "runtime/Application.h"
#include "runtime/io/java_io_ByteArrayInputStream.h"
#include "runtime/lang/Arrays.h"
#include "runtime/literals/StringLiteralPool.h"
#include "runtime/object/ObjectFactory.h"

namespace toolkitfuzz {

// The literals the readers use: 48 "UTF-8" (the text encoding) and 217 "_"
// (the part-name infix); the others empty.
inline void loadLiterals() {
  std::vector<uint8_t> pool = {0, 0, 0, 218};
  for (int i = 0; i < 218; ++i) {
    const char* text = i == 48 ? "UTF-8" : i == 217 ? "_" : "";
    const size_t length = std::strlen(text);
    pool.push_back(0);
    pool.push_back(static_cast<uint8_t>(length));
    pool.insert(pool.end(), text, text + length);
  }
  loadStringLiteralPool(pool);
}

inline Application* startRuntime() {
  static ClassInitialisers initialisers;
  initialisers.gameStatics = describeGameStatics<ToolkitStatics>();
  setToolkitClassInitialisers(initialisers);
  auto* application = new Application();
  application->init(&initialisers, 8u << 20, 8u << 20);
  loadLiterals();
  cGameToolkit::clinitGameData();
  return application;
}

// The same with the language classes initialised, for targets that make
// images and sprites.
inline Application* startRuntimeWithLanguageClasses() {
  static ClassInitialisers initialisers;
  initialisers.gameStatics = describeGameStatics<ToolkitStatics>();
  setLangClassInitialisers(initialisers);
  setToolkitClassInitialisers(initialisers);
  auto* application = new Application();
  application->init(&initialisers, 8u << 20, 8u << 20);
  return application;
}

using ::require;

inline ByteArray* byteArrayOf(const uint8_t* data, size_t size) {
  ByteArray* bytes = newByteArray(static_cast<int32_t>(size));
  if (bytes != nullptr && size > 0) std::memcpy(bytes->m_elements, data, size);
  return bytes;
}

inline java_io_ByteArrayInputStream* streamOf(const uint8_t* data, size_t size) {
  ByteArray* bytes = byteArrayOf(data, size);
  return bytes != nullptr ? newObject<java_io_ByteArrayInputStream>(bytes) : nullptr;
}

}  // namespace toolkitfuzz
