#pragma once
// The static block: every class's statics (one named struct per class), the
// collector's root table of reference statics, the string-literal pool and
// the 126 Class records. One per Application, created zero-filled.
#include <cstddef>
#include <cstdint>
#include <tuple>

#include "runtime/object/Class.h"
#include "runtime/object/ClassInitialisers.h"
#include "runtime/object/GameStaticsBlock.h"
#include "runtime/object/PlatformStatics.h"

class ObjectArray;

// The statics structs of the block, in block order; their reference statics
// make up the root table.
template <class... Statics>
struct StaticsList {
  static constexpr size_t referenceCount = (size_t{0} + ... + referencefields::count<Statics>());
  using References = std::tuple<Statics&...>;
};
using BlockStatics =
    StaticsList<java_util_CalendarStatics, java_util_TimeZoneStatics, javax_microedition_lcdui_FontStatics,
                java_lang_SystemStatics, java_lang_BooleanStatics, java_lang_RuntimeStatics,
                javax_microedition_io_ResourceInputStreamStatics>;

struct StaticClass {
  java_util_CalendarStatics java_util_Calendar;
  java_util_TimeZoneStatics java_util_TimeZone;
  javax_microedition_lcdui_FontStatics javax_microedition_lcdui_Font;
  java_lang_SystemStatics java_lang_System;
  java_lang_BooleanStatics java_lang_Boolean;
  java_lang_RuntimeStatics java_lang_Runtime;
  javax_microedition_io_ResourceInputStreamStatics javax_microedition_io_ResourceInputStream;

  static constexpr size_t rootCount = BlockStatics::referenceCount;
  // Address of each reference static of the runtime's own structs.
  Object** roots[rootCount];
  // The game's statics (zero-filled, gameBlockSize bytes; null when the
  // program hands no description) and the addresses of its reference statics.
  void* gameBlock = nullptr;
  size_t gameBlockSize = 0;
  Object*** gameRoots = nullptr;
  size_t gameRootCount = 0;
  ObjectArray* literalPool;
  Class classes[classCount];

  // The set-up: Class records, root table, the string-literal pool (when
  // asked for), then the class initialisers in their fixed order. The block
  // must be zero when it runs. False when the pool cannot be loaded; no
  // initialiser has run then.
  bool setUp(const ClassInitialisers* initialisers, bool loadLiteralPool = false);
  // Releases every record's reference-field table.
  void releaseRefFieldTables();
  ~StaticClass();

 private:
  void setUpGameBlock(const GameStaticsDescription& description);
  auto allStatics() {
    return std::tie(java_util_Calendar, java_util_TimeZone, javax_microedition_lcdui_Font, java_lang_System,
                    java_lang_Boolean, java_lang_Runtime, javax_microedition_io_ResourceInputStream);
  }
};

// The running Application's static block.
StaticClass& statics();
// The running Application's game block, as the game's own type.
template <class Block>
Block& gameStaticsAs() {
  return *static_cast<Block*>(statics().gameBlock);
}
