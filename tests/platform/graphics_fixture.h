#pragma once
// A runtime with small mutable images to draw into, and the texts the
// logged checks write.
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Image.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lcdui/PixelStore.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/support/RuntimeFixture.h"
#include "wince/log.h"

using Image = javax_microedition_lcdui_Image;
using Graphics = javax_microedition_lcdui_Graphics;

class GraphicsFixture : public RuntimeFixture {
 public:
  static Image* newImage(int32_t width, int32_t height, int32_t type, int32_t extraBytes = 0) {
    Image* image = newObject<Image>();
    image->initBuffer(width, height, type, extraBytes);
    return image;
  }
  static Image* mutableImage(int32_t width, int32_t height) {
    return newImage(width, height, lcdui::mutableImageFlag | raster::opaqueRgb565);
  }
  static uint16_t pixelAt(Image* image, int32_t x, int32_t y) { return image->surface().row(y)[x]; }
  static IntArray* intArray(std::initializer_list<uint32_t> values) {
    IntArray* array = newIntArray(int32_t(values.size()));
    int32_t index = 0;
    for (uint32_t value : values) array->set(index++, int32_t(value));
    return array;
  }
  static ByteArray* byteArray(const std::vector<uint8_t>& bytes) {
    ByteArray* array = newByteArray(int32_t(bytes.size()));
    for (size_t k = 0; k < bytes.size(); ++k) array->set(int32_t(k), int8_t(bytes[k]));
    return array;
  }
  // How many pixels of the image differ from value.
  static int countOtherThan(Image* image, uint16_t value) {
    int count = 0;
    for (int32_t y = 0; y < image->height; ++y)
      for (int32_t x = 0; x < image->width; ++x) count += pixelAt(image, x, y) != value;
    return count;
  }
  // The log a run of failed checks writes: each message, then a stack trace.
  static std::string checkLines(std::initializer_list<const char*> messages) {
    std::string text;
    for (const char* message : messages) text += std::string(message) + "\nstacktrace:\n\n";
    return text;
  }
};
