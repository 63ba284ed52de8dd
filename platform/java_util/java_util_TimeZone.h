#pragma once
// java_util_TimeZone (class id 66): the abstract zone. Every zone of the
// system has offset 0 and no daylight saving, so local time is UTC.
#include <cstdint>

#include "runtime/lang/ObjectArray.h"
#include "runtime/object/Object.h"

class String;
class java_util_TimeZoneImpl;

class java_util_TimeZone : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::java_util_TimeZone;

  // The offset from UTC in milliseconds, daylight saving included, of a
  // local time (era 1 is AD; month 0..11; dayOfWeek 1..7).
  virtual int32_t getOffset(int32_t era, int32_t year, int32_t month, int32_t day, int32_t dayOfWeek,
                            int32_t millis) = 0;
  virtual int32_t getRawOffset() = 0;
  virtual bool useDaylightTime() = 0;
  virtual String* getID() = 0;

  // A zone with no ID, offset 0 and no daylight saving, made once.
  static java_util_TimeZone* getDefault();
  // The IDs of the zone table, one array made once.
  static ObjectArray* getAvailableIDs();
};
