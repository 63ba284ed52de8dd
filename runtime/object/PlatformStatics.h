#pragma once
// Class statics of the platform classes, one struct per class, as members of
// the static block (statics().java_util_Calendar.sharedCalendar). A struct
// with reference statics lists them in referenceFields(), which puts them in
// the collector's root table.
#include <cstdint>

#include "runtime/object/ReferenceFields.h"

class ByteArray;
class IntArray;
class ObjectArray;
class java_io_PrintStream;
class java_lang_Boolean;
class java_lang_Runtime;
class java_util_Calendar;
class java_util_TimeZoneImpl;
class java_util_Hashtable;
class javax_microedition_lcdui_Font;
class javax_microedition_io_File;

struct java_util_CalendarStatics {
  java_util_Calendar* sharedCalendar;  // made on first use
  ByteArray* monthLength;              // 31, 29, 31, 30, ...
  static constexpr auto referenceFields() {
    return ReferenceFieldList{&java_util_CalendarStatics::sharedCalendar, &java_util_CalendarStatics::monthLength};
  }
};

struct java_util_TimeZoneStatics {
  java_util_TimeZoneImpl* defaultZone;
  ObjectArray* zoneTable;     // the two fixed zones
  ObjectArray* availableIDs;  // their IDs
  bool makingZoneTable;
  static constexpr auto referenceFields() {
    return ReferenceFieldList{&java_util_TimeZoneStatics::defaultZone, &java_util_TimeZoneStatics::zoneTable,
                              &java_util_TimeZoneStatics::availableIDs};
  }
};

struct javax_microedition_lcdui_FontStatics {
  javax_microedition_lcdui_Font* defaultFont;  // made on first use
  java_util_Hashtable* fontCache;              // getFont(face, style, size); capacity 4, made on first use
  static constexpr auto referenceFields() {
    return ReferenceFieldList{&javax_microedition_lcdui_FontStatics::defaultFont,
                              &javax_microedition_lcdui_FontStatics::fontCache};
  }
};

struct java_lang_SystemStatics {
  java_io_PrintStream* out;
  java_io_PrintStream* err;  // the same stream as out
  java_util_Hashtable* properties;
  static constexpr auto referenceFields() {
    return ReferenceFieldList{&java_lang_SystemStatics::out, &java_lang_SystemStatics::err,
                              &java_lang_SystemStatics::properties};
  }
};

struct java_lang_BooleanStatics {
  java_lang_Boolean* trueValue;   // Boolean.TRUE
  java_lang_Boolean* falseValue;  // Boolean.FALSE
  static constexpr auto referenceFields() {
    return ReferenceFieldList{&java_lang_BooleanStatics::trueValue, &java_lang_BooleanStatics::falseValue};
  }
};

struct java_lang_RuntimeStatics {
  java_lang_Runtime* instance;
  static constexpr auto referenceFields() { return ReferenceFieldList{&java_lang_RuntimeStatics::instance}; }
};

// The resource archive's index, read on the first lookup: entry i is named
// entryNames[i] and lies at entryOffsets[i], entrySizes[i] bytes long.
// archiveFile is set once the index was read, also when the archive was
// refused (then the arrays stay null), so it is never read twice.
struct javax_microedition_io_ResourceInputStreamStatics {
  javax_microedition_io_File* archiveFile;
  ObjectArray* entryNames;
  IntArray* entryOffsets;
  IntArray* entrySizes;
  static constexpr auto referenceFields() {
    return ReferenceFieldList{&javax_microedition_io_ResourceInputStreamStatics::archiveFile,
                              &javax_microedition_io_ResourceInputStreamStatics::entryNames,
                              &javax_microedition_io_ResourceInputStreamStatics::entryOffsets,
                              &javax_microedition_io_ResourceInputStreamStatics::entrySizes};
  }
};
