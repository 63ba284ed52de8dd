#pragma once
// cGame's toolkit operations. cGame is one class in the design, but the
// toolkit must build without the folders above it, so its share of cGame's
// operations is this data-less base, from which the shell's cGame derives:
// a call written cGame::readPackEntry reaches it there. Toolkit sources name
// them cGame:: too, through the alias in cGameAlias.h (for .cpp files only).
// The operations are static, as cGame keeps its whole state in statics.
#include <cstdint>

class ByteArray;
class Object;
class String;
class IntArray;
class ObjectArray;
class java_io_InputStream;
class java_lang_Thread;

class cGameToolkit {
 public:
  // The toolkit's whole share of cGame's class initialiser, each concern's
  // part in turn (cGame::clinit runs it first).
  static void clinit();

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

  // The packs' and texts' part of clinit.
  static void clinitGameData();

  // --- sprites: loading, caches
  // (declared by the sprite files)

  // --- sound bank
  // The sound bank's share of cGame's class initialiser: the priority table,
  // the start-up time stamp, no current or remembered sound.
  static void initSoundBank();
  // The cGame constructor's part: makes the one cSoundServer and starts its
  // thread with the creating thread's priority. Answers that thread (null
  // when it could not start).
  static java_lang_Thread* startSoundServer();
  // Reads the 34 sounds of the sound pack (which stays open).
  static void loadSounds();
  // 0 <= id < 34 and data not empty: the sound's bytes, channel (type 0: B,
  // else A) and content type; else nothing.
  static void registerSound(ByteArray* data, int32_t type, int32_t id);
  // Asks for a sound on its channel, unless the game is paused, sound is
  // off, the bank started less than 350 ms ago, or the channel plays a
  // sound of higher priority or this same sound.
  static void playSound(int32_t id, bool loop);
  static void stopSoundA();
  // Pause: remembers channel A's sound when it plays, then stops both.
  static void stopAllSounds();
  // Once per update: starts the remembered sound again after its delay.
  static void updateSoundResume();
  // No remap: ids 6, 13 and 27 are never the current sound.
  static bool isSoundPlaying(int32_t id);
  static void stopSound(int32_t id);
  static bool isChannelAPlaying();
  static bool isChannelBPlaying();
  // The content type of a sound file, by its first bytes.
  static String* getSoundContentType(ByteArray* data);
  // Provided; the game does not call them.
  static void stopSoundB();
  static void stopSoundChannels();
  static void stopSoundChannel(int32_t channel);  // 0 A, 1 B; only when sound is on
  static void clearSoundResume();
  static void setSoundResumeDelay(int32_t frames);

 protected:
  cGameToolkit() = default;
};
