#pragma once
// Kivra (class id 123): the promotion screen. All its state is static
// (shellStatics().Kivra); the shell drives it as GameState 22.
//
// Its pack: u16 N, N x u32 offsets (little-endian, from the resource's
// start); entry i is the bytes from offset[i] to offset[i + 1]. Inside an
// entry values are read at a running position: u16 little-endian, chunks (u16
// length, bytes) and text tables (u16 count, then u16 length and ISO-8859-1
// bytes per text). A read past an entry's end gives 0 or null and marks the
// entry refused (readPastEnd).
#include <cstdint>

class ByteArray;
class ObjectArray;
class String;
class javax_microedition_midlet_MIDlet;
struct KivraStatics;

class Kivra {
 public:
  static KivraStatics& statics();
  static void clinit();

  // --- pack (KivraPack.cpp)
  // Reads the count and the offsets of the resource named by the pack name;
  // false (one log line) when it is missing, cut short or its offsets run
  // backwards.
  static bool openPack();
  // Entry i's bytes (null when empty, outside the table or cut short).
  static ByteArray* readPackEntry(int32_t i);
  // Drops the cached entry and the offsets.
  static void releasePack();
  static int32_t readU16(ByteArray* entry);
  static ByteArray* readChunk(ByteArray* entry);
  // String[] of the table, or null when it runs past the entry.
  static ObjectArray* readTextTable(ByteArray* entry);
  // Pack entry 0: parameter values, page names, the three row-name tables,
  // the pack flags and the version text. False when the entry is missing or
  // cut short.
  static bool readMetadata();

  // --- parameters and pages (KivraPages.cpp)
  static bool isValidValue(String* value);
  static String* lookupParameter(String* source, String* key, String* linkTemplate);
  static void buildPages();
  static int32_t countEnabledPages();
  static String* property(int32_t literalIndex);
};
