#pragma once
// CVLibPlayer (class id 120): plays one animation of one ASprite, stepping
// its aframes as game time passes. Its class statics also hold the tile
// layers (CVLibPlayerLayers.cpp) and the sound-channel manager.
#include <cstdint>

#include "runtime/object/Object.h"

class ASprite;
class ByteArray;
class javax_microedition_lcdui_Graphics;

// The property record of a tile layer: int[15].
namespace layerprop {
constexpr int32_t shownA = 0, shownB = 1, columns = 2, rows = 3, widthPixels = 4, heightPixels = 5,
                  bufferWidth = 6, bufferHeight = 7, heldFirstColumn = 8, heldFirstRow = 9, heldLastColumn = 10,
                  heldLastRow = 11, scrollX = 12, scrollY = 13, flags = 14, count = 15;
}  // namespace layerprop

// Flag bits of a tile layer.
namespace layerflag {
constexpr int32_t wrapX = 1, wrapY = 2, preRendered = 4, flippedY = 8, clampX = 16, clampY = 32;
}  // namespace layerflag

class CVLibPlayer : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::CVLibPlayer;
  static constexpr auto referenceFields() { return ReferenceFieldList{&CVLibPlayer::sprite}; }

  static constexpr int32_t layerCount = 5;
  static constexpr int32_t emptyTile = 255;

  void init();
  static void clinit();

  // Stores the sprite and shows no animation until the next setAnim.
  virtual void setSprite(ASprite* newSprite);
  // Plays anim loops times (0 or less: for ever). Asked again for the
  // animation it is playing, it changes nothing.
  virtual void setAnim(int32_t newAnim, int32_t newLoops);
  // With restart, starts anim from its first aframe even when it plays.
  virtual void setAnimEx(int32_t newAnim, int32_t newLoops, bool restart);

  int32_t setFrame(int32_t n);
  // Steps at most one aframe per call, however large ms is.
  void update(int32_t ms);
  int32_t getAFrameCount() const;
  int32_t getFrameDuration() const;
  // The current aframe into cGame::graphics at (x, y).
  void paint();
  bool isAnimOver() const;
  void reset();

  // --- tile layers (CVLibPlayerLayers.cpp)
  static void initLayerTables(int32_t viewWidth, int32_t viewHeight, int32_t tileWidth, int32_t tileHeight);
  static void loadLayer(int32_t n, ByteArray* header, ByteArray* tiles, ByteArray* attributes, ASprite* layerSprite,
                        bool preRender, int32_t yMode, int32_t xMode, int32_t yWrapMode);
  // A header shorter than 4 bytes refuses the layer (logged).
  static void buildLayer(int32_t n, ByteArray* header, ByteArray* tiles, ByteArray* attributes, ASprite* layerSprite,
                         int32_t imageLayer, int32_t yMode, int32_t xMode, int32_t yWrapMode);
  static void clearLayer(int32_t n, bool withImages);
  static bool isLayerFlagSet(int32_t n, int32_t mask);
  static void setLayerFlag(int32_t n, int32_t mask, bool on);
  static int32_t toLayerY(int32_t n, int32_t y);
  static void setLayerScroll(int32_t n, int32_t x, int32_t y);
  static int32_t getLayerScrollX(int32_t n);
  static int32_t getLayerScrollY(int32_t n);
  // 0 for a cell outside the layer or its planes.
  static int32_t getLayerTile(int32_t n, int32_t column, int32_t row);
  static int32_t getLayerAttribute(int32_t n, int32_t column, int32_t row);
  // The layer's record entry (layerprop), 0 when there is none.
  static int32_t getLayerProperty(int32_t n, int32_t index);
  // Built and shown (both shown flags set).
  static bool isLayerBuilt(int32_t n);
  // Layer n (all layers in order for -1) with its scroll at screen (x, y).
  static void paintLayers(javax_microedition_lcdui_Graphics* g, int32_t x, int32_t y, int32_t n);
  // columnSpan + 1 columns and rowSpan + 1 rows from (column, row), the
  // first at (x, y); in the pre-rendered mode into the layer's buffer.
  static void drawTiles(javax_microedition_lcdui_Graphics* g, int32_t n, int32_t column, int32_t row,
                        int32_t columnSpan, int32_t rowSpan, int32_t x, int32_t y);
  static int32_t getLayerColumns(int32_t n) { return getLayerProperty(n, layerprop::columns); }
  static int32_t getLayerRows(int32_t n) { return getLayerProperty(n, layerprop::rows); }

  int32_t x;  // written directly by the owner, as are y and flags
  int32_t y;
  int32_t flags;
  ASprite* sprite;
  int32_t anim;
  int32_t aframe;
  int32_t time;
  int32_t loops;
  int8_t over;
  int32_t alpha;
};

// The sprite painter's calls the player and the tile layers make
// (CVLibPlayerPainting.cpp): paintFrame (frame, x, y, flags, hotspot 0, 0),
// paintModule, and paintAFrame (anim, aframe, x, y, flags, hotspot 0, 0).
// A test may replace them to see what is painted where.
struct SpritePainterCalls {
  using Frame = void (*)(ASprite*, javax_microedition_lcdui_Graphics*, int32_t index, int32_t x, int32_t y,
                         int32_t flags);
  using AFrame = void (*)(ASprite*, javax_microedition_lcdui_Graphics*, int32_t anim, int32_t aframe, int32_t x,
                          int32_t y, int32_t flags);
  Frame paintFrame;
  Frame paintModule;
  AFrame paintAFrame;
};
SpritePainterCalls& spritePainterCalls();
