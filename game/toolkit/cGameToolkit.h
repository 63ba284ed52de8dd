#pragma once
// cGame's toolkit operations. cGame is one class in the design, but the
// toolkit must build without the folders above it, so its share of cGame's
// operations is this data-less base, from which the shell's cGame derives:
// a call written cGame::readPackEntry reaches it there. Toolkit sources name
// them cGame:: too, through the alias in cGameAlias.h (for .cpp files only).
// The operations are static, as cGame keeps its whole state in statics.
#include <cstdint>

class ASprite;
class ASprite;
class ByteArray;
class IntArray;
class Object;
class ObjectArray;
class ShortArray;
class String;
class java_io_InputStream;
class javax_microedition_lcdui_Graphics;
class javax_microedition_lcdui_Image;
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
  // No current data and no kept cursors: the arrays they held are let go.
  static void resetDataStream();
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

  // --- collision table (cGameCollision.cpp): byte[columns][rows] of cell
  // bits, 32 x 32 pixels a cell. A cell outside the table never blocks.
  static void createCollisionMap(int32_t columns, int32_t rows);
  // Cells from layer n's tiles (2->2, 3->32, 4->3, 6->68, 255->1, else 0);
  // cells outside a built layer n are free.
  static void buildCollisionFromLayer(int32_t n);
  // Cells with any of bits 0x8C keep only their bits 0x73.
  static void clearDynamicBlocking();
  static bool testCollision(int32_t cx, int32_t cy, int32_t mask);
  // Pixels to cells truncate toward zero.
  static bool isBlockedAt(int32_t x, int32_t y, int32_t mask);
  static bool isBlockedVertical(int32_t x, int32_t y, int32_t mask);
  static bool isBlockedHorizontal(int32_t x, int32_t y, int32_t mask);
  // Sets (mode 0) or clears (mode 1) bit 8 under aframe 0's frame of anim.
  static void markSpriteBox(Object* actor, ASprite* sprite, int32_t anim, int32_t x, int32_t y, bool fullHeight,
                            int32_t mode);
  // Walks the segment in 24.8 (cells by >> 5); true when blocked, the stop
  // point (and the side cell's point) in the int[2] outs, which may be null.
  static bool lineBlocked(int32_t x0, int32_t y0, int32_t x1, int32_t y1, IntArray* stopOut, bool inPixels,
                          int32_t mask, int32_t requiredMask, int32_t halfWidth, int32_t sideMask, IntArray* sideOut);
  // Width and height in pixels of layer 0: the room's size.
  static int32_t getMapWidth();
  static int32_t getMapHeight();

  // --- sprites: loading, caches
  // Pack entry `entry` of the open pack as a sprite (cGameSprites.cpp). For
  // each palette p in paletteMask: alphaMode 1 applies alpha to it, 2 takes
  // its alpha from the last palette; buildCaches decodes its modules into
  // the caches. dropData (with buildCaches) then drops the encoded data.
  // Null, logged, for an entry shorter than a sprite or a damaged one.
  static ASprite* loadSprite(int32_t entry, int32_t paletteMask, int32_t alphaMode, int32_t alpha, bool buildCaches,
                             bool dropData, bool rgbMode);

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

  // --- drawing helpers (DrawingHelpers.cpp), draw effects (DrawEffects.cpp),
  // frame snapshots (FrameSnapshots.cpp). A null Graphics is logged and
  // nothing is drawn.
  static void fillRect(javax_microedition_lcdui_Graphics* g, int32_t x, int32_t y, int32_t w, int32_t h);
  // With a transform (sprite paint flags) the block is turned first; bit 2
  // swaps w and h, which are the source block's.
  static void drawRGBTransformed(javax_microedition_lcdui_Graphics* g, IntArray* pixels, int32_t offset, int32_t scan,
                                 int32_t x, int32_t y, int32_t w, int32_t h, bool processAlpha, bool ignored,
                                 int32_t transform);
  // Onto the screen Graphics the block is first cut to limitW x limitH.
  static void drawRGBClipped(javax_microedition_lcdui_Graphics* g, int32_t limitW, int32_t limitH, IntArray* pixels,
                             int32_t scan, int32_t srcX, int32_t srcY, int32_t x, int32_t y, int32_t w, int32_t h,
                             bool processAlpha);
  // Anti-aliased, its alpha running from alpha0 to alpha1; (x1, y1) itself
  // is not drawn.
  static void drawLineRGB(javax_microedition_lcdui_Graphics* g, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
                          int32_t rgb, int32_t alpha0, int32_t alpha1);
  static void drawRectRGB(javax_microedition_lcdui_Graphics* g, int32_t x, int32_t y, int32_t w, int32_t h,
                          int32_t argb);
  static void drawThickLine(javax_microedition_lcdui_Graphics* g, int32_t width, int32_t x0, int32_t y0, int32_t x1,
                            int32_t y1, int32_t rgb, int32_t alpha0, int32_t alpha1);
  static void setFillColor(int32_t argb);
  // The fill colour's block over the rectangle, within g's clip.
  static void fillRectAlpha(javax_microedition_lcdui_Graphics* g, int32_t x, int32_t y, int32_t w, int32_t h);
  // The 64 x 64 image of one ARGB colour, rebuilt only when the colour
  // changes.
  static javax_microedition_lcdui_Image* getColorImage(int32_t argb);

  static void initDrawEffects();
  static void enableEffect(int32_t n, bool resetParameters);
  static void setEffectDefaults(int32_t n);
  // Parameter index of effect n (effects 8 and 10 have parameters).
  static void setEffectParameter(int32_t n, int32_t index, int32_t value);
  static void clearEffects(int32_t mask);
  static bool isEffectActive(int32_t n);
  static bool effectsPending();
  // The active pixel effect over a block: the pixels to draw (their size in
  // the DrawEffects statics), or null when the block is to be drawn as it is.
  static IntArray* applyDrawEffects(javax_microedition_lcdui_Graphics* g, IntArray* pixels, int32_t x, int32_t y,
                                    int32_t w, int32_t h, int32_t transform, bool processAlpha, bool flag);
  static IntArray* applyDrawEffectsToImage(javax_microedition_lcdui_Graphics* g,
                                           javax_microedition_lcdui_Image* image, int32_t x, int32_t y, int32_t w,
                                           int32_t h, int32_t transform, bool processAlpha, bool flag);
  static IntArray* setAlpha(IntArray* src, IntArray* dst, int32_t count, int32_t alpha, bool keyed, bool scale);
  static IntArray* highlightBand(javax_microedition_lcdui_Graphics* g, IntArray* src, IntArray* dst, int32_t x,
                                 int32_t y, int32_t w, int32_t h, int32_t transform, bool scaleBySource);

  static int32_t findFreeSnapshot();
  static int32_t findSnapshot(Object* key, int32_t frame);
  static void freeSnapshot(int32_t i);
  // The snapshot turned by degrees about (pivotX, pivotY), on cGame::graphics.
  static void drawWarpedSnapshot(Object* key, int32_t frame, int32_t pivotX, int32_t pivotY, int32_t x, int32_t y,
                                 int32_t degrees, int32_t flags);

  // --- text boxes and small text builders (TextBoxes.cpp)
  // Lines firstLine.. (count -1: all) of a line table made by
  // ASprite::wrapText, anchored as a block; charLimit >= 0 draws only that
  // many characters of the block. The font's palette is restored.
  static void paintTextBox(ASprite* font, javax_microedition_lcdui_Graphics* g, String* text, ShortArray* lines,
                           int32_t x, int32_t y, int32_t firstLine, int32_t count, int32_t anchor, int32_t charLimit);
  static String* formatTwoDigits(int64_t value);
  // The text in palette p, then palette q (255 for a negative code).
  static String* formatSignedNumber(String* text, int32_t p, int32_t q);

  // --- math helpers (MathHelpers.cpp)
  static int32_t readShortLE(ByteArray* bytes, int32_t offset);
  static bool byteIsSet(ByteArray* bytes, int32_t i);
  // rect = {x, y, w, h}; every border inside.
  static bool rectContains(int32_t x, int32_t y, IntArray* rect);
  static int32_t approxLength(int32_t dx, int32_t dy);
  static int32_t lerpColor(int32_t c0, int32_t c1, int32_t percent);
  // 8.8 cosine of an angle in 256ths of a turn; the sine of a is
  // cosLookup(quarter - a).
  static int32_t cosLookup(int32_t angle);
  static int32_t angleOf(int32_t x, int32_t y);
  static int32_t sqrtFixed(int32_t v);
  // The trigonometry pack's two tables (entries 0 and 1 of the pack of the
  // math-table literal): what the start-up loading step reads. A cosine
  // table that is not an int[65] or longer is logged and not taken.
  static void loadMathTables();

 protected:
  cGameToolkit() = default;
};
