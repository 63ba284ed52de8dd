#pragma once
// The one open resource pack: its name, the stream over the current part
// file, the header and the current part's offset table.
#include <cstdint>

#include "runtime/object/ReferenceFields.h"

class ByteArray;
class IntArray;
class ObjectArray;
class ShortArray;
class String;
class java_io_InputStream;

struct cGamePackStatics {
  String* name;
  java_io_InputStream* stream;
  int32_t position;
  int32_t entryCount;
  IntArray* offsets;
  int16_t partCount;
  ShortArray* firstEntry;
  int32_t currentPart;
  int32_t entryType;
  int32_t compressed;
  ByteArray* scratch;
  ObjectArray* stringTable;
  // Set when the header or the current part's table failed its checks: every
  // entry is unavailable until the pack is opened again.
  uint8_t damaged;
  // Set by a pack read that got less than it asked for; cleared by
  // locatePack.
  uint8_t shortRead;
  // Where part files come from; null means the resource archive. Tests count
  // the opens through it.
  java_io_InputStream* (*opener)(String* name);

  static constexpr auto referenceFields() {
    return ReferenceFieldList{&cGamePackStatics::name,       &cGamePackStatics::stream,
                              &cGamePackStatics::offsets,    &cGamePackStatics::firstEntry,
                              &cGamePackStatics::scratch,    &cGamePackStatics::stringTable};
  }
};
