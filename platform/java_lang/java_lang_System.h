#pragma once
// java_lang_System (class id 47): the clock and the system properties.
#include <cstdint>

class String;

struct java_lang_System {
  // Milliseconds since the device started, 64-bit, never running backwards
  // (no wrap after 49 days).
  static int64_t currentTimeMillis();
  // "1.0" for "microedition.media.version"; otherwise "PROPERTY VALUE
  // EMPTY"; never null.
  static String* getProperty(String* key);
};
