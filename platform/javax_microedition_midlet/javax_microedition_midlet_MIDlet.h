#pragma once
// javax_microedition_midlet_MIDlet (class id 100): the base of the game's
// MIDlet. The runtime makes exactly one at start-up and drives it through
// startApp, pauseApp and destroyApp.
#include <cstdint>

#include "runtime/app/LifecycleTargets.h"

class String;
class java_util_Hashtable;

class javax_microedition_midlet_MIDlet : public MidletOperations {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::javax_microedition_midlet_MIDlet;
  static constexpr auto referenceFields() {
    return ReferenceFieldList{&javax_microedition_midlet_MIDlet::properties};
  }

  // Reads the descriptor "app.jad" from the resource archive into the
  // property table; without one the table stays empty.
  void init();

  // The descriptor's value for key (case matters), or "PROPERTY VALUE
  // EMPTY"; never null.
  // Inline, so that no unit owns the vtable: the runtime calls the MIDlet
  // without linking this library.
  String* getAppProperty(String* key) override { return appProperty(key); }
  // The game's operations; the runtime calls them only through the vtable.
  void startApp() override {}
  void pauseApp() override {}
  void destroyApp(bool /*unconditional*/) override {}

  // The main loop ends the run at its next pass (destroyApp(true) then).
  static void notifyDestroyed(javax_microedition_midlet_MIDlet* midlet);
  // Hands an http or https URL to the browser (recorded in headless runs);
  // anything else is logged and refused. Always false: the MIDlet never has
  // to exit first.
  static bool platformRequest(javax_microedition_midlet_MIDlet* midlet, String* url);

  String* appProperty(String* key);

  // The descriptor's text, or null when the archive has no "app.jad".
  static String* loadJad();

  java_util_Hashtable* properties;
};

// Each line "key:value" (LF or CRLF; the last line may lack its LF) into the
// table, key and value trimmed, a later key replacing an earlier one. A line
// without ':' is skipped.
void parseDescriptor(String* text, java_util_Hashtable* table);
