#pragma once
// cGame's toolkit operations. cGame is one class in the design, but the
// toolkit must build without the folders above it, so its share of cGame's
// operations is this data-less base, from which the shell's cGame derives:
// a call written cGame::readPackEntry reaches it there. Toolkit sources name
// them cGame:: too, through the alias in cGameAlias.h (for .cpp files only).
// The operations are static, as cGame keeps its whole state in statics.
#include <cstdint>

class ASprite;
class ByteArray;
class Object;
class String;
class IntArray;
class ObjectArray;
class java_io_InputStream;

class cGameToolkit {
 public:
  // --- resource packs, streams and texts
  // The data stream: a cursor over a byte array (cGameDataStream.cpp). Every
  // read and write is bounded: past the end it stops, answers 0 and marks
  // the data damaged. set() keeps the previous cursor on a small stack, so
  // switches may nest; restore() takes the innermost kept one back.
  static void set(ByteArray* data, int32_t pos);
  static void restore();
  static ByteArray* getData();
  static int32_t getPosition();
  static bool hasMore();
  static void skip(int32_t n);
  // True once a read or write of the current data went past its end.
  static bool isDataDamaged();
  static bool readBoolean();
  static int32_t readUnsignedByte();
  static int32_t readByte();
  static int32_t readUnsignedShort();
  static int32_t readShort();
  static int32_t readInt();
  static void readIntArray(IntArray* a, int32_t off, int32_t len);
  static void writeBoolean(bool v);
  static void writeByte(int32_t v);
  static void writeShort(int32_t v);
  static void writeInt(int32_t v);
  static void writeIntArray(IntArray* a, int32_t off, int32_t len);

  // Counting little-endian readers on an InputStream (cGameStreamReaders.cpp);
  // each adds the bytes it got to the byte counter.
  static int32_t readStreamByte(java_io_InputStream* in);
  static int32_t readStreamU16(java_io_InputStream* in);
  static int32_t readStreamS32(java_io_InputStream* in);
  // Answers the bytes actually read (len unless the stream ended early).
  static int32_t readStreamFully(java_io_InputStream* in, ByteArray* b, int32_t off, int32_t len);
  // byte[], short[], int[] or Object[]; null when the data is malformed or
  // ends early.
  static Object* readTypedArray(java_io_InputStream* in);
  static int32_t getStreamByteCount();
  static void setStreamByteCount(int32_t count);

  // LZMA (cGameLzma.cpp): decodes n entry bytes of in into the decoder's
  // output field (null on malformed data); takeLzmaOutput hands it over.
  static void lzmaDecode(java_io_InputStream* in, int32_t n);
  static ByteArray* takeLzmaOutput();

  // Resource packs (cGameResourcePack.cpp). locatePack answers -1 when the
  // entry is unavailable (missing part, damaged tables, index outside).
  static void openPack(String* name);
  static void closePack();
  static int32_t locatePack(int32_t i);
  static ByteArray* readPackEntry(int32_t i);
  static Object* readPackTypedArray(int32_t i);
  static void seekPack(int32_t pos);
  static void skipPackBytes(int32_t n);
  static int32_t readPackByte();
  static int32_t readPackFully(ByteArray* b, int32_t off, int32_t len);
  static void readPackPartOffsets();
  static java_io_InputStream* openResource(String* name);
  static void loadPackStringTable(String* name);
  static String* getPackString(int32_t i);
  static int32_t getPackEntryType();
  static bool isPackEntryCompressed();

  // Text packs (cGameTextPack.cpp).
  static int32_t readTextPack(java_io_InputStream* in);
  static void loadTextPack(String* pack, int32_t entry);
  static void loadTextPacks(String* pack, int32_t first, int32_t second);
  static void clearTexts();
  static String* getText(int32_t id);
  static String* formatText(String* textTemplate, ObjectArray* args);
  static String* formatText1(String* textTemplate, String* arg);
  static String* getLanguageSuffix(int32_t i);
  static void cacheAllTexts();
  static int32_t getTextCount();

  // The toolkit's share of cGame's class initialiser; the shell's cGame
  // initialiser calls it first.
  static void clinitGameData();

  // --- sprites: loading, caches
  // Pack entry `entry` of the open pack as a sprite (cGameSprites.cpp). For
  // each palette p in paletteMask: alphaMode 1 applies alpha to it, 2 takes
  // its alpha from the last palette; buildCaches decodes its modules into
  // the caches. dropData (with buildCaches) then drops the encoded data.
  // Null, logged, for an entry shorter than a sprite or a damaged one.
  static ASprite* loadSprite(int32_t entry, int32_t paletteMask, int32_t alphaMode, int32_t alpha, bool buildCaches,
                             bool dropData, bool rgbMode);

  // --- sound bank
  // (declared by the sound files)

 protected:
  cGameToolkit() = default;
};
