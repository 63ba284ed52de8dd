#include "tests/game/world/paint_recorder.h"

#include <cstdio>
#include <stdexcept>

#include "game/GameStatics.h"
#include "game/toolkit/ASprite.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Image.h"
#include "runtime/lang/ObjectArray.h"

namespace worldkit {

namespace {

PaintRecorder* activeRecorder = nullptr;

int32_t slotOf(ASprite* sprite) {
  ObjectArray* sprites = shellStatics().cGameLoop.sprites;
  if (sprite == nullptr || sprites == nullptr) return -1;
  for (int32_t slot = 0; slot < sprites->length(); ++slot)
    if (sprites->get(slot) == sprite) return slot;
  return -1;
}

std::string format(const char* pattern, auto... values) {
  char buffer[256];
  std::snprintf(buffer, sizeof buffer, pattern, values...);
  return buffer;
}

// How many of GraphicsCall's numbers a call has.
int numberCount(GraphicsCallKind kind) {
  switch (kind) {
    case GraphicsCallKind::resetForPaint: return 0;
    case GraphicsCallKind::setColor: return 1;
    case GraphicsCallKind::translate: return 2;
    case GraphicsCallKind::setColorRGB:
    case GraphicsCallKind::drawImage:
    case GraphicsCallKind::drawText: return 3;
    case GraphicsCallKind::setClip:
    case GraphicsCallKind::clipRect:
    case GraphicsCallKind::fillRect:
    case GraphicsCallKind::drawLine:
    case GraphicsCallKind::drawRect: return 4;
    case GraphicsCallKind::drawArc:
    case GraphicsCallKind::fillArc:
    case GraphicsCallKind::fillTriangle:
    case GraphicsCallKind::drawRoundRect:
    case GraphicsCallKind::fillRoundRect: return 6;
    case GraphicsCallKind::drawRGB: return 7;
    case GraphicsCallKind::drawRegion: return 8;
  }
  return 0;
}

std::string numbers(const PaintRecord& r) {
  std::string out;
  for (int i = 0; i < numberCount(r.call); ++i) out += (i == 0 ? "" : ",") + std::to_string(r.values[i]);
  return out;
}

}  // namespace

const char* graphicsCallName(GraphicsCallKind kind) {
  switch (kind) {
    case GraphicsCallKind::setColor: return "setColor";
    case GraphicsCallKind::setColorRGB: return "setColorRGB";
    case GraphicsCallKind::translate: return "translate";
    case GraphicsCallKind::setClip: return "setClip";
    case GraphicsCallKind::clipRect: return "clipRect";
    case GraphicsCallKind::resetForPaint: return "resetForPaint";
    case GraphicsCallKind::fillRect: return "fillRect";
    case GraphicsCallKind::drawLine: return "drawLine";
    case GraphicsCallKind::drawRect: return "drawRect";
    case GraphicsCallKind::drawArc: return "drawArc";
    case GraphicsCallKind::fillArc: return "fillArc";
    case GraphicsCallKind::fillTriangle: return "fillTriangle";
    case GraphicsCallKind::drawRoundRect: return "drawRoundRect";
    case GraphicsCallKind::fillRoundRect: return "fillRoundRect";
    case GraphicsCallKind::drawRGB: return "drawRGB";
    case GraphicsCallKind::drawRegion: return "drawRegion";
    case GraphicsCallKind::drawImage: return "drawImage";
    case GraphicsCallKind::drawText: return "drawText";
  }
  return "?";
}

bool PaintRecord::at(int32_t atX, int32_t atY) const {
  if (isSprite()) return x == atX && y == atY;
  switch (call) {
    case GraphicsCallKind::drawImage:
    case GraphicsCallKind::drawText: return values[0] == atX && values[1] == atY;
    case GraphicsCallKind::drawRegion: return values[5] == atX && values[6] == atY;
    case GraphicsCallKind::drawRGB: return values[2] == atX && values[3] == atY;
    default: return numberCount(call) >= 2 && values[0] == atX && values[1] == atY;
  }
}

std::string PaintRecord::describe() const {
  const std::string indent = insideSprite ? "  " : "";
  const auto colourText = [this] { return format("%08x", static_cast<uint32_t>(colour)); };
  switch (kind) {
    case PaintKind::spriteAFrame:
      return format("aframe slot %d anim %d step %d at %d,%d flags %d palette %d", spriteSlot, index, step, x, y,
                    flags, palette);
    case PaintKind::spriteFrame:
      return format("frame slot %d frame %d at %d,%d flags %d palette %d", spriteSlot, index, x, y, flags, palette);
    case PaintKind::spriteModule:
      return format("module slot %d module %d at %d,%d flags %d palette %d", spriteSlot, index, x, y, flags,
                    palette);
    case PaintKind::graphics: break;
  }
  const std::string name = graphicsCallName(call);
  switch (call) {
    case GraphicsCallKind::setColor: return indent + name + " " + format("%08x", static_cast<uint32_t>(values[0]));
    case GraphicsCallKind::setColorRGB:
    case GraphicsCallKind::translate:
    case GraphicsCallKind::setClip:
    case GraphicsCallKind::clipRect:
    case GraphicsCallKind::drawRGB: return indent + name + " " + numbers(*this);
    case GraphicsCallKind::resetForPaint: return indent + name;
    case GraphicsCallKind::drawText:
      return indent + name + " \"" + text + "\"" +
             format(" at %d,%d anchor %d colour ", values[0], values[1], values[2]) + colourText();
    case GraphicsCallKind::drawImage:
      return indent + name + format(" %dx%d at %d,%d anchor %d", imageWidth, imageHeight, values[0], values[1], values[2]);
    case GraphicsCallKind::drawRegion:
      return indent + name +
             format(" %dx%d from %d,%d size %d,%d transform %d at %d,%d anchor %d", imageWidth, imageHeight, values[0],
                    values[1], values[2], values[3], values[4], values[5], values[6], values[7]);
    default: return indent + name + " " + numbers(*this) + " colour " + colourText();
  }
}

PaintRecorder::PaintRecorder(javax_microedition_lcdui_Graphics* only, bool keepSpriteDrawing)
    : m_only(only), m_keepSpriteDrawing(keepSpriteDrawing) {
  if (activeRecorder != nullptr) throw std::logic_error("one PaintRecorder at a time");
  activeRecorder = this;
  m_savedPainter = spritePainterCalls();
  spritePainterCalls() = SpritePainterCalls{&recordFrame, &recordModule, &recordAFrame};
  m_savedObserver = installedGraphicsObserver;
  installedGraphicsObserver = this;
}

PaintRecorder::~PaintRecorder() {
  spritePainterCalls() = m_savedPainter;
  installedGraphicsObserver = m_savedObserver;
  activeRecorder = nullptr;
}

void PaintRecorder::observe(javax_microedition_lcdui_Graphics* g, const GraphicsCall& call) {
  if (!wanted(g) || (m_spriteDepth > 0 && !m_keepSpriteDrawing)) return;
  PaintRecord record{};
  record.kind = PaintKind::graphics;
  record.graphics = reinterpret_cast<uintptr_t>(g);
  record.spriteSlot = -1;
  record.call = call.kind;
  for (int i = 0; i < 8; ++i) record.values[i] = call.values[i];
  record.colour = g->getColor();
  if (call.image != nullptr) {
    record.imageWidth = call.image->getWidth();
    record.imageHeight = call.image->getHeight();
  }
  for (char16_t c : call.text) record.text += static_cast<char>(c);
  record.insideSprite = m_spriteDepth > 0;
  m_records.push_back(std::move(record));
}

void PaintRecorder::recordSprite(PaintKind kind, ASprite* sprite, javax_microedition_lcdui_Graphics* g,
                                 int32_t index, int32_t step, int32_t x, int32_t y, int32_t flags) {
  if (!wanted(g)) return;
  PaintRecord record{};
  record.kind = kind;
  record.graphics = reinterpret_cast<uintptr_t>(g);
  record.spriteSlot = slotOf(sprite);
  record.sprite = reinterpret_cast<uintptr_t>(sprite);
  record.palette = sprite != nullptr ? sprite->getPalette() : -1;
  record.index = index;
  record.step = step;
  record.x = x;
  record.y = y;
  record.flags = flags;
  m_records.push_back(std::move(record));
}

// Each hook records, then paints as the hook it replaced would.
void PaintRecorder::recordFrame(ASprite* sprite, javax_microedition_lcdui_Graphics* g, int32_t frame, int32_t x,
                                int32_t y, int32_t flags) {
  PaintRecorder& self = *activeRecorder;
  self.recordSprite(PaintKind::spriteFrame, sprite, g, frame, 0, x, y, flags);
  ++self.m_spriteDepth;
  self.m_savedPainter.paintFrame(sprite, g, frame, x, y, flags);
  --self.m_spriteDepth;
}

void PaintRecorder::recordModule(ASprite* sprite, javax_microedition_lcdui_Graphics* g, int32_t module, int32_t x,
                                 int32_t y, int32_t flags) {
  PaintRecorder& self = *activeRecorder;
  self.recordSprite(PaintKind::spriteModule, sprite, g, module, 0, x, y, flags);
  ++self.m_spriteDepth;
  self.m_savedPainter.paintModule(sprite, g, module, x, y, flags);
  --self.m_spriteDepth;
}

void PaintRecorder::recordAFrame(ASprite* sprite, javax_microedition_lcdui_Graphics* g, int32_t anim, int32_t aframe,
                                 int32_t x, int32_t y, int32_t flags) {
  PaintRecorder& self = *activeRecorder;
  self.recordSprite(PaintKind::spriteAFrame, sprite, g, anim, aframe, x, y, flags);
  ++self.m_spriteDepth;
  self.m_savedPainter.paintAFrame(sprite, g, anim, aframe, x, y, flags);
  --self.m_spriteDepth;
}

std::vector<std::string> PaintRecorder::lines() const {
  return lines([](const PaintRecord&) { return true; });
}

std::vector<std::string> PaintRecorder::spriteLines() const {
  return lines([](const PaintRecord& r) { return r.isSprite(); });
}

std::vector<std::string> PaintRecorder::lines(const std::function<bool(const PaintRecord&)>& keep) const {
  std::vector<std::string> out;
  for (const PaintRecord& r : m_records)
    if (keep(r)) out.push_back(r.describe());
  return out;
}

int PaintRecorder::indexOf(const std::function<bool(const PaintRecord&)>& match, int from) const {
  for (size_t i = from < 0 ? 0 : static_cast<size_t>(from); i < m_records.size(); ++i)
    if (match(m_records[i])) return static_cast<int>(i);
  return -1;
}

bool PaintRecorder::paintedBefore(const std::function<bool(const PaintRecord&)>& first,
                                  const std::function<bool(const PaintRecord&)>& second) const {
  const int a = indexOf(first);
  const int b = indexOf(second);
  return a >= 0 && b >= 0 && a < b;
}

int PaintRecorder::count(const std::function<bool(const PaintRecord&)>& match) const {
  int n = 0;
  for (const PaintRecord& r : m_records) n += match(r) ? 1 : 0;
  return n;
}

}  // namespace worldkit
