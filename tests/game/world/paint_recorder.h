#pragma once
// What game code paints, in order, for paint-order tests: while a
// PaintRecorder lives it sees
//  - the sprite painter's calls of the animation player and the tile layers
//    (spritePainterCalls(): paintFrame, paintModule, paintAFrame), with the
//    sprite's slot in cGame::sprites and its palette at that moment, and
//  - the Graphics calls (fillRect, drawLine, setColor, setClip, drawText,
//    drawImage, ...) with their arguments and the colour they draw in.
// The Graphics calls a recorded sprite paint makes inside are left out
// unless asked for, so a test reads "aframe, fillRect, aframe" and not the
// sprite painter's pixels. A sprite painted through ASprite directly (not
// through spritePainterCalls) shows only as its Graphics calls.
//
//   PaintRecorder paints(screenGraphics());
//   cActor::paintLayer(0);
//   EXPECT_EQ(paints.lines(), (std::vector<std::string>{
//       "aframe slot 40 anim 0 step 1 at 100,200 flags 0 palette 0",
//       "fillRect 0,0,800,480 colour ff000000"}));
//
// The sprite is named by its slot, never kept: records hold no object.
// One recorder at a time; it puts the hooks back when it goes away.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "game/toolkit/CVLibPlayer.h"
#include "platform/javax_microedition_lcdui/GraphicsObserver.h"

class ASprite;
class javax_microedition_lcdui_Graphics;

namespace worldkit {

enum class PaintKind : uint8_t { spriteFrame, spriteModule, spriteAFrame, graphics };

struct PaintRecord {
  PaintKind kind;
  uintptr_t graphics;  // which Graphics, as an address only

  // Sprite paints.
  int32_t spriteSlot;  // slot of cGame::sprites holding the sprite, -1 when none does
  uintptr_t sprite;    // the sprite's address, to tell sprites outside the table apart
  int32_t palette;     // the sprite's current palette when it was painted
  int32_t index;       // frame, module or animation
  int32_t step;        // the aframe of an animation; 0 otherwise
  int32_t x, y, flags;

  // Graphics calls.
  GraphicsCallKind call;
  int32_t values[8];  // as GraphicsCall gives them
  int32_t colour;     // the Graphics' colour as the call was made
  int32_t imageWidth, imageHeight;  // drawImage, drawRegion; 0 without an image
  std::string text;                 // drawText, its characters' low bytes
  bool insideSprite;                // made by a recorded sprite paint

  bool isSprite() const { return kind != PaintKind::graphics; }
  bool is(GraphicsCallKind kind) const { return !isSprite() && call == kind; }
  bool isAFrame(int32_t slot, int32_t anim, int32_t aframe) const {
    return kind == PaintKind::spriteAFrame && spriteSlot == slot && index == anim && step == aframe;
  }
  bool isFrame(int32_t slot, int32_t frame) const {
    return kind == PaintKind::spriteFrame && spriteSlot == slot && index == frame;
  }
  bool at(int32_t atX, int32_t atY) const;  // a sprite's point, or a call's first two numbers
  // One line, as lines() gives it.
  std::string describe() const;
};

// The name describe() uses for a call ("fillRect").
const char* graphicsCallName(GraphicsCallKind kind);

class PaintRecorder : private GraphicsObserver {
 public:
  // Records what is painted on only (every Graphics when null).
  explicit PaintRecorder(javax_microedition_lcdui_Graphics* only = nullptr, bool keepSpriteDrawing = false);
  ~PaintRecorder();
  PaintRecorder(const PaintRecorder&) = delete;
  PaintRecorder& operator=(const PaintRecorder&) = delete;

  const std::vector<PaintRecord>& records() const { return m_records; }
  void clear() { m_records.clear(); }

  // One line a record:
  //   "aframe slot S anim A step N at X,Y flags F palette P"
  //   "frame slot S frame F at X,Y flags F palette P"
  //   "module slot S module M at X,Y flags F palette P"
  //   "fillRect X,Y,W,H colour AARRGGBB" (drawRect, drawLine, fillArc, ... alike:
  //      every number of the call, then the colour)
  //   "setColor AARRGGBB", "setColorRGB R,G,B", "setClip X,Y,W,H", "clipRect X,Y,W,H",
  //   "translate X,Y", "resetForPaint"
  //   "drawText \"TEXT\" at X,Y anchor A colour AARRGGBB"
  //   "drawImage WxH at X,Y anchor A", "drawRegion WxH from X,Y size W,H transform T at X,Y anchor A"
  //   "drawRGB ..." (its numbers)
  // Records inside sprites (when kept) start with "  ".
  std::vector<std::string> lines() const;
  // Only the sprite paints, or only the records a filter keeps.
  std::vector<std::string> spriteLines() const;
  std::vector<std::string> lines(const std::function<bool(const PaintRecord&)>& keep) const;

  // The first record from `from` on that the filter keeps; -1 when none.
  int indexOf(const std::function<bool(const PaintRecord&)>& match, int from = 0) const;
  // True when a record matching first comes before a record matching second
  // (first's first match before second's first match); false when either is
  // missing.
  bool paintedBefore(const std::function<bool(const PaintRecord&)>& first,
                     const std::function<bool(const PaintRecord&)>& second) const;
  int count(const std::function<bool(const PaintRecord&)>& match) const;

 private:
  void observe(javax_microedition_lcdui_Graphics* g, const GraphicsCall& call) override;
  bool wanted(javax_microedition_lcdui_Graphics* g) const { return m_only == nullptr || g == m_only; }
  void recordSprite(PaintKind kind, ASprite* sprite, javax_microedition_lcdui_Graphics* g, int32_t index,
                    int32_t step, int32_t x, int32_t y, int32_t flags);

  static void recordFrame(ASprite*, javax_microedition_lcdui_Graphics*, int32_t, int32_t, int32_t, int32_t);
  static void recordModule(ASprite*, javax_microedition_lcdui_Graphics*, int32_t, int32_t, int32_t, int32_t);
  static void recordAFrame(ASprite*, javax_microedition_lcdui_Graphics*, int32_t, int32_t, int32_t, int32_t,
                           int32_t);

  javax_microedition_lcdui_Graphics* m_only;
  bool m_keepSpriteDrawing;
  int m_spriteDepth = 0;
  SpritePainterCalls m_savedPainter;
  GraphicsObserver* m_savedObserver;
  std::vector<PaintRecord> m_records;
};

}  // namespace worldkit
