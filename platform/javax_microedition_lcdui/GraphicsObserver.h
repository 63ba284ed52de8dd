#pragma once
// A watcher of the drawing calls made on every Graphics, for tests that
// check what game code draws and in which order (the drawn pixels cannot
// tell a fill painted over by another). Each call reports itself with its
// arguments just before it draws. The program never installs one; without
// one a call costs a load and a test.
#include <cstdint>
#include <string_view>

class javax_microedition_lcdui_Graphics;
class javax_microedition_lcdui_Image;

enum class GraphicsCallKind : uint8_t {
  setColor,       // {rgb}
  setColorRGB,    // {red, green, blue}
  translate,      // {x, y}
  setClip,        // {x, y, width, height}
  clipRect,       // {x, y, width, height}
  resetForPaint,  // {}
  fillRect,       // {x, y, width, height}
  drawLine,       // {x1, y1, x2, y2}
  drawRect,       // {x, y, width, height}
  drawArc,        // {x, y, width, height, startAngle, arcAngle}
  fillArc,        // {x, y, width, height, startAngle, arcAngle}
  fillTriangle,   // {x1, y1, x2, y2, x3, y3}
  drawRoundRect,  // {x, y, width, height, arcWidth, arcHeight}
  fillRoundRect,  // {x, y, width, height, arcWidth, arcHeight}
  drawRGB,        // {offset, scanlength, x, y, width, height, processAlpha}
  drawRegion,     // {xSource, ySource, width, height, transform, xDest, yDest, anchor}, image
  drawImage,      // {x, y, anchor}, image
  drawText,       // {x, y, anchor}, text: drawString, drawChar and drawChars with text to draw
};

struct GraphicsCall {
  GraphicsCallKind kind;
  int32_t values[8];  // the call's numbers in the order of its parameters; the rest 0
  javax_microedition_lcdui_Image* image;
  std::u16string_view text;
};

class GraphicsObserver {
 public:
  virtual void observe(javax_microedition_lcdui_Graphics* g, const GraphicsCall& call) = 0;

 protected:
  ~GraphicsObserver() = default;
};

// The watcher, or null. Tests set it and put back what was there.
inline GraphicsObserver* installedGraphicsObserver = nullptr;
