#pragma once
// java_lang_System (class id 47): the clock, the system properties and the
// system out and err streams (one PrintStream over a console stream that
// discards everything).
#include <cstdint>

class String;
class java_io_PrintStream;

struct java_lang_System {
  // Milliseconds since the device started, 64-bit, never running backwards
  // (no wrap after 49 days).
  static int64_t currentTimeMillis();
  // A collection of the running Application's objects (not forced).
  static void gc();
  // "1.0" for "microedition.media.version"; otherwise the property table's
  // value (string literal 269 -> string literal 270); otherwise "PROPERTY
  // VALUE EMPTY". Never null; a null key is logged and finds nothing.
  static String* getProperty(String* key);

  // The streams of the static block (null before the class initialiser).
  static java_io_PrintStream* out();
  static java_io_PrintStream* err();

  // The class initialiser: out and err, then the property table.
  static void clinit();
};
