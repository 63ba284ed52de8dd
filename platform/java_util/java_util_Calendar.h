#pragma once
// java_util_Calendar (class id 50): the one shared calendar, its fields
// packed into two words. Julian before 15 October 1582, Gregorian from then
// on. Fields and time are kept consistent lazily: set makes the time stale,
// reading the time recomputes it, DAY_OF_WEEK recomputes the fields. Used
// without locks: callers on different threads must not share it at once.
#include <cstdint>

#include "runtime/object/Object.h"

class java_util_Date;
class java_util_TimeZone;

class java_util_Calendar : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::java_util_Calendar;
  static constexpr auto referenceFields() {
    return ReferenceFieldList{&java_util_Calendar::zone, &java_util_Calendar::cachedDate};
  }

  static constexpr int32_t YEAR = 1;
  static constexpr int32_t MONTH = 2;
  static constexpr int32_t DATE = 5;
  static constexpr int32_t DAY_OF_WEEK = 7;
  static constexpr int32_t AM_PM = 9;
  static constexpr int32_t HOUR = 10;
  static constexpr int32_t HOUR_OF_DAY = 11;
  static constexpr int32_t MINUTE = 12;
  static constexpr int32_t SECOND = 13;
  static constexpr int32_t MILLISECOND = 14;

  // The default zone, the wall-clock time in whole seconds.
  void init();

  int32_t equals(Object* other) override;
  // Fills year, month, day and dayOfWeek from local milliseconds.
  virtual void computeDate(int64_t localMillis);
  // The julian day of the stored date (months past 11 roll into the year).
  virtual int64_t julianDayOf(bool gregorian, int32_t year);

  // The shared calendar, made on first use (null when there is no room).
  static java_util_Calendar* getInstance();
  // The same, with its zone replaced.
  static java_util_Calendar* getInstance(java_util_TimeZone* newZone);
  // Seconds since 1970 from the C library, times 1000.
  static int64_t wallClockMillis();

  // A field number outside those listed raises ArrayIndexOutOfBoundsException.
  int32_t get(int32_t field);
  // The same, and DAY_OF_WEEK cannot be set.
  void set(int32_t field, int32_t value);
  // The same Date object every time, set to the calendar's time.
  java_util_Date* getTime();
  void setTime(java_util_Date* date);
  int64_t getTimeInMillis();
  void setTimeInMillis(int64_t millis);
  java_util_TimeZone* getTimeZone() { return zone; }
  void setTimeZone(java_util_TimeZone* value);
  bool before(Object* when);
  bool after(Object* when);

  uint32_t packedTime;  // bits 0-9 ms, 10-15 s, 16-21 min, 22-26 hour of day
  uint32_t packedDate;  // bits 0-4 day, 5-8 month, 9-31 year (signed)
  int32_t dayOfWeek;    // 1..7, 0 while unknown
  int64_t time;         // milliseconds since 1970-01-01 00:00 UTC
  bool timeValid;
  java_util_TimeZone* zone;
  java_util_Date* cachedDate;
  int32_t pendingHour;  // an HOUR set while no AM/PM was known, else -1
  int32_t pendingAmPm;  // an AM_PM set while no hour was known, else -1

 private:
  void computeTime();
  void computeFields();
  // The time, computed first when stale.
  int64_t currentTime();
  void setHourOfDay(int32_t hour) { packedTime = (packedTime & 0x3FFFFFu) | (static_cast<uint32_t>(hour) << 22); }
};
