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

class Object;

class ByteArray;
class ObjectArray;
class String;
class javax_microedition_lcdui_Graphics;
class javax_microedition_lcdui_Image;
class javax_microedition_midlet_MIDlet;
struct KivraStatics;

class Kivra {
 public:
  // Kivra::state
  enum State : int32_t {
    loading = 0,
    browsing = 1,
    pageReload = 2,
    message = 3,
    leaving = 4,
    paused = 5,
    linkChosen = 6,
    directLink = 7,
  };
  // The argument of update.
  enum Action : int32_t {
    listUp = 21,
    previousPage = 23,
    nextPage = 24,
    choose = 25,
    back = 26,
    chooseLink = 27,
    listDown = 32,
  };

  static KivraStatics& statics();
  static void clinit();

  // --- the screen (KivraScreen.cpp)
  static void initialize(javax_microedition_midlet_MIDlet* midlet, String* resourceName, int32_t width,
                         int32_t height, Object* displayable);
  static void openScreen(String* statusText, int32_t index);
  // One frame; true when the screen is done.
  static bool update(int32_t action);
  static void resetPageView();
  static void resetInput();
  static void sizeChanged();
  // The state handler's hide and show messages.
  static void hide();
  static void show();
  // The text of the opened parameter value; the empty text when missing.
  static String* getText(int32_t id);
  // The loading step that belongs to the current page, -1 none.
  static int32_t pageLoadStep();

  // --- loading (KivraLoading.cpp)
  static void loadStep(int32_t step);
  static void releasePageResources();
  static javax_microedition_lcdui_Image* readChunkImage(ByteArray* entry);
  // Palette entry index of the PNG in bytes[offset, offset + length) set to
  // rgb, the chunk's CRC mended, and the image decoded.
  static javax_microedition_lcdui_Image* recolourImage(ByteArray* bytes, int32_t offset, int32_t length,
                                                       int32_t index, int32_t rgb);

  // --- text in the screen's bitmap font (KivraText.cpp)
  // Field 0..3 (x, y, width, height) of the glyph of code; 0 without one.
  static int32_t glyphField(int32_t code, int32_t field);
  static void drawGlyphText(String* text, javax_microedition_lcdui_Graphics* g, int32_t width, int32_t x, int32_t y,
                            int32_t anchor);
  static void drawText(int32_t textId, javax_microedition_lcdui_Graphics* g, int32_t width, int32_t x, int32_t y,
                       int32_t anchor);
  static void wrapNotice();

  // --- painting (KivraPaint.cpp, KivraPagePaint.cpp)
  static void paint(javax_microedition_lcdui_Graphics* g);
  static void paintPage(javax_microedition_lcdui_Graphics* g);
  static void paintListPage(javax_microedition_lcdui_Graphics* g);
  static void layoutLinkButton();
  static void paintLinkButton(javax_microedition_lcdui_Graphics* g);
  static void paintSoftkeys(javax_microedition_lcdui_Graphics* g);
  static void paintPageArrows(javax_microedition_lcdui_Graphics* g);
  static void drawArrow(javax_microedition_lcdui_Graphics* g, int32_t x, int32_t y, int32_t size, int32_t colour,
                        bool vertical, bool reverse);
  static void fillGradient(javax_microedition_lcdui_Graphics* g, int32_t x, int32_t y, int32_t w, int32_t h,
                           int32_t from, int32_t to, bool symmetric);

  // --- input, links and the visited mark (KivraInput.cpp)
  static int32_t hitTest(int32_t x, int32_t y);
  static void pointerPressed(int32_t x, int32_t y);
  static void pointerDragged(int32_t x, int32_t y);
  static void pointerReleased(int32_t x, int32_t y);
  static void openLink();
  static bool wasVisited();
  static void storeVisited();
  static bool paintNewArrow(javax_microedition_lcdui_Graphics* g, javax_microedition_lcdui_Image* image, int32_t x,
                            int32_t y, int32_t anchor);
  static bool findDirectLink();
  static void openDirectLink();

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
