#include "platform/java_util/java_util_Calendar.h"

#include <ctime>

#include "platform/java_util/java_util_Date.h"
#include "platform/java_util/java_util_TimeZone.h"
#include "runtime/exceptions/ThrowNew.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/lang/String.h"
#include "runtime/object/ObjectFactory.h"
#include "runtime/object/StaticClass.h"

namespace {

constexpr int64_t millisPerDay = 86400000;
// 1582-10-15 00:00 UTC, the first Gregorian day.
constexpr int64_t cutoverMillis = -12219292800000;
constexpr int64_t julianDayOf1970 = 2440588;
constexpr int32_t daysBeforeMonth[2][12] = {
    {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334},
    {0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335},
};

int64_t floorDivide(int64_t numerator, int64_t denominator) {
  return numerator >= 0 ? numerator / denominator : (numerator + 1) / denominator - 1;
}
int64_t floorRemainder(int64_t numerator, int64_t denominator) {
  return numerator - floorDivide(numerator, denominator) * denominator;
}

int64_t pinnedSum(int64_t a, int64_t b) {
  int64_t sum;
  if (!__builtin_add_overflow(a, b, &sum)) return sum;
  return b > 0 ? INT64_MAX : INT64_MIN;
}

struct LocalDate {
  int32_t year;
  int32_t month;
  int32_t day;
  int32_t dayOfWeek;
};

LocalDate localDateOf(int64_t localMillis) {
  const int64_t days = floorDivide(localMillis, millisPerDay);
  int64_t year, dayOfYear, weekdayIndex;
  bool leap;
  if (localMillis < cutoverMillis) {
    const int64_t epochDay = days + 719164;
    year = floorDivide(4 * (days + 719530), 1461);
    dayOfYear = epochDay - (365 * (year - 1) + floorDivide(year - 1, 4));
    leap = year % 4 == 0;
    weekdayIndex = (days + 719163) % 7;
  } else {
    const int64_t gregorianDay = days + 719162;
    const int64_t cycles400 = floorDivide(gregorianDay, 146097);
    int64_t rest = floorRemainder(gregorianDay, 146097);
    const int64_t cycles100 = floorDivide(rest, 36524);
    rest = floorRemainder(rest, 36524);
    const int64_t cycles4 = floorDivide(rest, 1461);
    rest = floorRemainder(rest, 1461);
    const int64_t years = floorDivide(rest, 365);
    rest = floorRemainder(rest, 365);
    year = 400 * cycles400 + 100 * cycles100 + 4 * cycles4 + years;
    dayOfYear = rest;
    // The last day of a leap cycle.
    if (cycles100 == 4 || years == 4) {
      dayOfYear = 365;
    } else {
      ++year;
    }
    leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    weekdayIndex = (gregorianDay + 1) % 7;
  }
  const int64_t march1 = leap ? 60 : 59;
  const int64_t correction = dayOfYear >= march1 ? (leap ? 1 : 2) : 0;
  const auto month = static_cast<int32_t>((12 * (dayOfYear + correction) + 6) / 367);
  LocalDate date;
  date.year = static_cast<int32_t>(year);
  date.month = month;
  date.day = static_cast<int32_t>(dayOfYear - daysBeforeMonth[leap ? 1 : 0][month] + 1);
  date.dayOfWeek = static_cast<int32_t>(weekdayIndex + (weekdayIndex < 0 ? 8 : 1));
  return date;
}

}  // namespace

void java_util_Calendar::init() {
  pendingHour = -1;
  pendingAmPm = -1;
  zone = java_util_TimeZone::getDefault();
  time = wallClockMillis();
  timeValid = true;
  dayOfWeek = 0;
  computeFields();
}

int64_t java_util_Calendar::wallClockMillis() { return static_cast<int64_t>(std::time(nullptr)) * 1000; }

java_util_Calendar* java_util_Calendar::getInstance() {
  java_util_CalendarStatics& shared = statics().java_util_Calendar;
  if (shared.sharedCalendar == nullptr) shared.sharedCalendar = newObject<java_util_Calendar>();
  return shared.sharedCalendar;
}

java_util_Calendar* java_util_Calendar::getInstance(java_util_TimeZone* newZone) {
  java_util_Calendar* calendar = getInstance();
  if (calendar != nullptr) calendar->setTimeZone(newZone);
  return calendar;
}

void java_util_Calendar::setTimeZone(java_util_TimeZone* value) {
  if (value == nullptr) {
    debugLog("NullPointerException: Calendar.setTimeZone with null");
    throwNew<java_lang_NullPointerException>(nullptr);
    return;
  }
  zone = value;
  if (!timeValid) computeTime();
  computeFields();
}

int64_t java_util_Calendar::julianDayOf(bool gregorian, int32_t year) {
  int64_t fullYear = year;
  int64_t month = (packedDate >> 5) & 15;
  if (month > 11) {
    fullYear += floorDivide(month, 12);
    month = floorRemainder(month, 12);
  }
  bool leap = fullYear % 4 == 0;
  const int64_t previous = fullYear - 1;
  int64_t julianDay = 365 * previous + floorDivide(previous, 4) + 1721423;
  if (gregorian) {
    leap = leap && !(fullYear % 100 == 0 && fullYear % 400 != 0);
    julianDay += floorDivide(previous, 400) - floorDivide(previous, 100) + 2;
  }
  return julianDay + daysBeforeMonth[leap ? 1 : 0][month] + (packedDate & 31);
}

void java_util_Calendar::computeTime() {
  const int32_t year = static_cast<int32_t>(packedDate) >> 9;
  bool gregorian = year >= 1582;
  int64_t julianDay = julianDayOf(gregorian, year);
  int64_t millis = (julianDay - julianDayOf1970) * millisPerDay;
  // The days of 1582 before the cutover are Julian.
  if (gregorian != (millis >= cutoverMillis) && julianDay != -106749550580) {
    gregorian = !gregorian;
    julianDay = julianDayOf(gregorian, year);
    millis = (julianDay - julianDayOf1970) * millisPerDay;
  }
  const int64_t hour = packedTime >> 22, minute = (packedTime >> 16) & 63, second = (packedTime >> 10) & 63;
  millis += ((hour * 60 + minute) * 60 + second) * 1000 + (packedTime & 1023);
  const int32_t rawOffset = zone->getRawOffset();
  int32_t daylight = 0;
  // Asked about the real date: stored fields may lie outside their ranges
  // (month 13, 31 February), which getOffset refuses.
  if (zone->useDaylightTime()) {
    const LocalDate date = localDateOf(millis);
    daylight = zone->getOffset(1, date.year, date.month, date.day, date.dayOfWeek,
                               static_cast<int32_t>(floorRemainder(millis, millisPerDay))) -
               rawOffset;
  }
  time = millis - daylight - rawOffset;
  timeValid = true;
}

void java_util_Calendar::computeDate(int64_t localMillis) {
  const LocalDate date = localDateOf(localMillis);
  packedDate = (static_cast<uint32_t>(date.year) << 9) | (static_cast<uint32_t>(date.month) << 5) |
               static_cast<uint32_t>(date.day);
  dayOfWeek = date.dayOfWeek;
}

void java_util_Calendar::computeFields() {
  const int32_t rawOffset = zone->getRawOffset();
  const int64_t localMillis = pinnedSum(time, rawOffset);
  computeDate(localMillis);
  auto millisInDay = static_cast<int32_t>(floorRemainder(localMillis, millisPerDay));
  const int32_t daylight = zone->getOffset(1, static_cast<int32_t>(packedDate) >> 9, (packedDate >> 5) & 15,
                                           packedDate & 31, dayOfWeek, millisInDay) -
                           rawOffset;
  millisInDay += daylight;
  if (millisInDay >= millisPerDay) {
    millisInDay -= millisPerDay;
    computeDate(pinnedSum(localMillis, daylight));
  }
  const auto inDay = static_cast<uint32_t>(millisInDay);
  packedTime = (inDay % 1000) | ((inDay / 1000 % 60) << 10) | ((inDay / 60000 % 60) << 16) | ((inDay / 3600000) << 22);
}

int64_t java_util_Calendar::currentTime() {
  if (!timeValid) computeTime();
  return time;
}

int32_t java_util_Calendar::get(int32_t field) {
  const int32_t hourOfDay = static_cast<int32_t>(packedTime >> 22);
  switch (field) {
    case YEAR:
      return static_cast<int32_t>(packedDate) >> 9;
    case MONTH:
      return static_cast<int32_t>((packedDate >> 5) & 15);
    case DATE:
      return static_cast<int32_t>(packedDate & 31);
    case HOUR_OF_DAY:
      return hourOfDay;
    case MINUTE:
      return static_cast<int32_t>((packedTime >> 16) & 63);
    case SECOND:
      return static_cast<int32_t>((packedTime >> 10) & 63);
    case MILLISECOND:
      return static_cast<int32_t>(packedTime & 1023);
    case AM_PM:
      return hourOfDay >= 12 ? 1 : 0;
    case HOUR:
      return hourOfDay % 12 == 0 ? 12 : hourOfDay % 12;
    case DAY_OF_WEEK:
      if (dayOfWeek == 0) {
        if (!timeValid) computeTime();
        computeFields();
      }
      return dayOfWeek;
    default:
      debugLog("ArrayIndexOutOfBoundsException: Calendar.get of field %d", field);
      throwNew<java_lang_ArrayIndexOutOfBoundsException>();
      return 0;
  }
}

void java_util_Calendar::set(int32_t field, int32_t value) {
  const auto bits = static_cast<uint32_t>(value);
  switch (field) {
    case YEAR:
      packedDate = (packedDate & 0x1FFu) | (bits << 9);
      break;
    case MONTH:
      packedDate = (packedDate & ~0x1E0u) | ((bits & 15) << 5);
      break;
    case DATE:
      packedDate = (packedDate & ~0x1Fu) | (bits & 31);
      break;
    case HOUR_OF_DAY:
      setHourOfDay(static_cast<int32_t>(floorRemainder(value, 24)));
      pendingHour = -1;
      pendingAmPm = -1;
      break;
    case MINUTE:
      packedTime = (packedTime & ~(63u << 16)) | ((bits & 63) << 16);
      break;
    case SECOND:
      packedTime = (packedTime & ~(63u << 10)) | ((bits & 63) << 10);
      break;
    case MILLISECOND:
      packedTime = (packedTime & ~1023u) | (bits & 1023);
      break;
    case AM_PM:
      if (pendingHour == -1) {
        pendingAmPm = value;
      } else {
        const int32_t hour = pendingHour;
        setHourOfDay(value == 1 ? (hour == 12 ? 12 : hour + 12) : (hour == 12 ? 0 : hour));
        pendingHour = -1;
        pendingAmPm = -1;
      }
      break;
    case HOUR: {
      // A negative hour would spill into the other fields.
      const int32_t hour = value < 0 ? 0 : (value > 12 ? 12 : value);
      if (pendingAmPm == -1) {
        setHourOfDay(hour);
        pendingHour = hour;
      } else {
        setHourOfDay(pendingAmPm == 1 ? (hour == 12 ? 12 : hour + 12) : (hour == 12 ? 0 : hour));
        pendingHour = -1;
        pendingAmPm = -1;
      }
      break;
    }
    default:
      debugLog("ArrayIndexOutOfBoundsException: Calendar.set of field %d", field);
      throwNew<java_lang_ArrayIndexOutOfBoundsException>();
      return;
  }
  timeValid = false;
  dayOfWeek = 0;
}

java_util_Date* java_util_Calendar::getTime() {
  const int64_t now = currentTime();
  if (cachedDate == nullptr) {
    cachedDate = newObject<java_util_Date>(now);
  } else {
    cachedDate->setTime(now);
  }
  return cachedDate;
}

void java_util_Calendar::setTime(java_util_Date* date) {
  if (date == nullptr) {
    debugLog("NullPointerException: Calendar.setTime with null");
    throwNew<java_lang_NullPointerException>(nullptr);
    return;
  }
  setTimeInMillis(date->getTime());
}

int64_t java_util_Calendar::getTimeInMillis() { return currentTime(); }

void java_util_Calendar::setTimeInMillis(int64_t millis) {
  time = millis;
  timeValid = true;
  dayOfWeek = 0;
  computeFields();
}

int32_t java_util_Calendar::equals(Object* other) {
  if (other == this) return 1;
  if (!Object::instanceOf(other, classid::java_util_Calendar)) return 0;
  auto* calendar = static_cast<java_util_Calendar*>(other);
  return currentTime() == calendar->currentTime() && zone->equals(calendar->zone) != 0 ? 1 : 0;
}

bool java_util_Calendar::before(Object* when) {
  if (!Object::instanceOf(when, classid::java_util_Calendar)) return false;
  return currentTime() < static_cast<java_util_Calendar*>(when)->currentTime();
}

bool java_util_Calendar::after(Object* when) {
  if (!Object::instanceOf(when, classid::java_util_Calendar)) return false;
  return currentTime() > static_cast<java_util_Calendar*>(when)->currentTime();
}
