#pragma once
// The class statics of the date classes: the shared calendar, the default
// zone, the zone table, the ID array and the month-length table, made on
// first use and kept for the rest of the run.
//
// The static block has no place for platform statics yet, so these objects
// are kept by making them non-collectable (keepForTheRun) instead of by the
// root table; whatever they reference must be kept the same way. A holder
// object forgets them when its Application frees every object at close.
#include <cstdint>

class ByteArray;
class Object;
class ObjectArray;
class java_util_Calendar;
class java_util_TimeZoneImpl;

struct JavaUtilStatics {
  java_util_Calendar* sharedCalendar;
  java_util_TimeZoneImpl* defaultZone;
  ObjectArray* zoneTable;     // the two fixed zones
  ObjectArray* availableIDs;  // their IDs
  ByteArray* monthLength;     // 31, 29, 31, 30, ...
  bool makingZoneTable;
};

// The statics of the current Application (all null before first use).
JavaUtilStatics& javaUtilStatics();
// The object survives every collection until the Application closes.
void keepForTheRun(Object* object);
