// Tile layers and the collision table over arbitrary map entries: a header,
// tile and attribute planes of any size, any layer mode and scroll. Painting
// (direct and pre-rendered) and the collision tests stay inside the planes.
#include <cstdint>
#include <cstring>

#include "fuzz/toolkit_fuzz_support.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/toolkit/ToolkitClassInitialisers.h"
#include "game/toolkit/ToolkitStatics.h"
#include "game/toolkit/cGameToolkit.h"
#include "platform/java_lang/LangClassInitialisers.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Image.h"
#include "runtime/Application.h"

namespace {

Application* startRuntime() { return toolkitfuzz::startRuntimeWithLanguageClasses(); }

ByteArray* bytesOf(const uint8_t* data, size_t size) {
  ByteArray* bytes = newByteArray(static_cast<int32_t>(size));
  if (bytes != nullptr && size > 0) std::memcpy(bytes->m_elements, data, size);
  return bytes;
}

int32_t s16(const uint8_t* p) { return static_cast<int16_t>(p[0] | (p[1] << 8)); }

}  // namespace

// Layout: mode byte (bits 0-1 xMode, 2-3 yWrapMode, 4 pre-rendered, 5 y
// flipped), scroll x and y (int16), header length byte, attribute length
// (uint16), then the header, the attributes and the tiles (the rest).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Application* application = startRuntime();
  if (size < 8 || size > (16u << 10)) return 0;
  const int32_t mode = data[0];
  const int32_t scrollX = s16(data + 1) * 4;
  const int32_t scrollY = s16(data + 3) * 4;
  size_t headerLength = data[5];
  size_t attributeLength = size_t(data[6] | (data[7] << 8));
  data += 8;
  size -= 8;
  if (headerLength > size) headerLength = size;
  ByteArray* header = bytesOf(data, headerLength);
  data += headerLength;
  size -= headerLength;
  if (attributeLength > size) attributeLength = size;
  ByteArray* attributes = attributeLength > 0 ? bytesOf(data, attributeLength) : nullptr;
  ByteArray* tiles = bytesOf(data + attributeLength, size - attributeLength);

  CVLibPlayer::initLayerTables(800, 480, 32, 32);
  CVLibPlayer::buildLayer(0, header, tiles, attributes, nullptr, (mode & 16) != 0 ? 0 : -1,
                          (mode & 32) != 0 ? 32 : 16, mode & 3, (mode >> 2) & 3);
  CVLibPlayer::setLayerScroll(0, scrollX, scrollY);
  static javax_microedition_lcdui_Image* screen = javax_microedition_lcdui_Image::createImage(800, 480);
  toolkitStatics().cGameDraw.graphics = screen->getGraphics();
  CVLibPlayer::paintLayers(screen->getGraphics(), 0, 0, -1);
  CVLibPlayer::paintLayers(screen->getGraphics(), 0, 0, 0);

  const int32_t columns = CVLibPlayer::getLayerColumns(0);
  const int32_t rows = CVLibPlayer::getLayerRows(0);
  cGameToolkit::createCollisionMap(columns > 0 && columns < 256 ? columns : 8, rows > 0 && rows < 256 ? rows : 8);
  cGameToolkit::buildCollisionFromLayer(0);
  cGameToolkit::isBlockedAt(scrollX, scrollY, 0xFF);
  cGameToolkit::lineBlocked(scrollX, scrollY, scrollY, scrollX, nullptr, true, 1, mode & 64, mode & 3, 2, nullptr);
  cGameToolkit::clearDynamicBlocking();
  application->m_pending = nullptr;
  return 0;
}
