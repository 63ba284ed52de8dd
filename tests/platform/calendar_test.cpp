// Date, Calendar and TimeZone: field breakdowns against the C library (and
// a Julian day formula before the cutover) over a million days either side
// of 1970, the hour and AM/PM rules, the cutover, the text form and the
// daylight-saving rules.
#include <gtest/gtest.h>

#include <ctime>

#include "platform/java_util/java_util_Calendar.h"
#include "platform/java_util/java_util_Date.h"
#include "platform/java_util/java_util_TimeZoneImpl.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/platform/vector_fixture.h"
#include "wince/clock.h"

namespace {

using Calendar = java_util_Calendar;

struct Fields {
  int32_t year, month, day, dayOfWeek;
  bool operator==(const Fields&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Fields& f) {
  return out << f.year << "-" << f.month + 1 << "-" << f.day << " weekday " << f.dayOfWeek;
}

// The Julian calendar date of a julian day number (Richards' algorithm).
Fields julianCalendarDate(int64_t julianDay) {
  const int64_t f = julianDay + 1401;
  const int64_t e = 4 * f + 3;
  const int64_t g = (e % 1461) / 4;
  const int64_t h = 5 * g + 2;
  const auto month = static_cast<int32_t>((h / 153 + 2) % 12 + 1);
  const auto year = static_cast<int32_t>(e / 1461 - 4716 + (12 + 2 - month) / 12);
  return {year, month - 1, static_cast<int32_t>((h % 153) / 5 + 1),
          static_cast<int32_t>(((julianDay + 1) % 7 + 7) % 7 + 1)};
}

class CalendarTest : public CollectionsFixture {
 protected:
  Fields fieldsOf(Calendar* calendar) {
    return {calendar->get(Calendar::YEAR), calendar->get(Calendar::MONTH), calendar->get(Calendar::DATE),
            calendar->get(Calendar::DAY_OF_WEEK)};
  }
  void setDate(Calendar* calendar, int32_t year, int32_t month, int32_t day, int32_t hourOfDay = 0) {
    calendar->set(Calendar::YEAR, year);
    calendar->set(Calendar::MONTH, month);
    calendar->set(Calendar::DATE, day);
    calendar->set(Calendar::HOUR_OF_DAY, hourOfDay);
    calendar->set(Calendar::MINUTE, 0);
    calendar->set(Calendar::SECOND, 0);
    calendar->set(Calendar::MILLISECOND, 0);
  }
};

TEST_F(CalendarTest, FieldsAgreeWithTheCLibraryAMillionDaysEitherSide) {
  Calendar* calendar = Calendar::getInstance();
  constexpr int64_t dayMillis = 86400000;
  constexpr int64_t firstGregorianDay = -141427;  // 1582-10-15
  for (int64_t day = -1000000; day <= 1000000; ++day) {
    // A different time of day each day, so that every field is exercised.
    const int64_t inDay = (day * 7919 % dayMillis + dayMillis) % dayMillis;
    const int64_t millis = day * dayMillis + inDay;
    calendar->setTimeInMillis(millis);
    Fields expected;
    if (day >= firstGregorianDay) {
      const time_t seconds = static_cast<time_t>(day * 86400);
      std::tm broken{};
      ASSERT_NE(gmtime_r(&seconds, &broken), nullptr);
      expected = {broken.tm_year + 1900, broken.tm_mon, broken.tm_mday, broken.tm_wday + 1};
    } else {
      expected = julianCalendarDate(day + 2440588);
    }
    ASSERT_EQ(fieldsOf(calendar), expected) << "day " << day;
    ASSERT_EQ(calendar->get(Calendar::HOUR_OF_DAY), inDay / 3600000) << "day " << day;
    ASSERT_EQ(calendar->get(Calendar::MINUTE), inDay / 60000 % 60);
    ASSERT_EQ(calendar->get(Calendar::SECOND), inDay / 1000 % 60);
    ASSERT_EQ(calendar->get(Calendar::MILLISECOND), inDay % 1000);
    // Back from the fields.
    if (day % 97 == 0) {
      setDate(calendar, expected.year, expected.month, expected.day);
      calendar->set(Calendar::MILLISECOND, static_cast<int32_t>(inDay % 1000));
      calendar->set(Calendar::SECOND, static_cast<int32_t>(inDay / 1000 % 60));
      calendar->set(Calendar::MINUTE, static_cast<int32_t>(inDay / 60000 % 60));
      calendar->set(Calendar::HOUR_OF_DAY, static_cast<int32_t>(inDay / 3600000));
      ASSERT_EQ(calendar->getTimeInMillis(), millis) << "day " << day;
    }
  }
  EXPECT_EQ(takePending(), -1);
}

TEST_F(CalendarTest, HourAndAmPmRules) {
  Calendar* calendar = Calendar::getInstance();
  struct Case {
    int32_t hourOfDay, hour, amPm;
  };
  for (const Case& c : {Case{0, 12, 0}, Case{11, 11, 0}, Case{12, 12, 1}, Case{13, 1, 1}, Case{23, 11, 1}}) {
    calendar->set(Calendar::HOUR_OF_DAY, c.hourOfDay);
    EXPECT_EQ(calendar->get(Calendar::HOUR), c.hour) << c.hourOfDay;
    EXPECT_EQ(calendar->get(Calendar::AM_PM), c.amPm) << c.hourOfDay;
  }
  struct Sequence {
    int32_t firstField, firstValue, secondField, secondValue, hourOfDay;
  };
  const Sequence sequences[] = {
      {Calendar::HOUR, 5, Calendar::AM_PM, 1, 17},   {Calendar::AM_PM, 1, Calendar::HOUR, 12, 12},
      {Calendar::AM_PM, 0, Calendar::HOUR, 12, 0},   {Calendar::HOUR, 12, Calendar::AM_PM, 0, 0},
      {Calendar::HOUR, 12, Calendar::AM_PM, 1, 12},  {Calendar::AM_PM, 1, Calendar::HOUR, 3, 15},
      {Calendar::HOUR, 40, Calendar::AM_PM, 0, 0},
  };
  for (const Sequence& s : sequences) {
    calendar->set(Calendar::HOUR_OF_DAY, 7);  // clears anything pending
    calendar->set(s.firstField, s.firstValue);
    calendar->set(s.secondField, s.secondValue);
    EXPECT_EQ(calendar->get(Calendar::HOUR_OF_DAY), s.hourOfDay) << s.firstField << "=" << s.firstValue;
  }
  calendar->set(Calendar::HOUR_OF_DAY, -1);
  EXPECT_EQ(calendar->get(Calendar::HOUR_OF_DAY), 23);
  for (int32_t field : {0, 3, 8, 15, -1}) {
    calendar->get(field);
    EXPECT_EQ(takePending(), classid::java_lang_ArrayIndexOutOfBoundsException) << field;
  }
  calendar->set(Calendar::DAY_OF_WEEK, 2);
  EXPECT_EQ(takePending(), classid::java_lang_ArrayIndexOutOfBoundsException);
}

TEST_F(CalendarTest, CutoverEpochAndLenientMonths) {
  Calendar* calendar = Calendar::getInstance();
  calendar->setTimeInMillis(0);
  EXPECT_EQ(fieldsOf(calendar), (Fields{1970, 0, 1, 5}));
  EXPECT_EQ(calendar->julianDayOf(true, 1970), 2440588);

  setDate(calendar, 1582, 9, 15);
  const int64_t firstGregorian = calendar->getTimeInMillis();
  EXPECT_EQ(firstGregorian, -12219292800000);
  setDate(calendar, 1582, 9, 4);
  EXPECT_EQ(firstGregorian - calendar->getTimeInMillis(), 86400000) << "4 October is followed by 15 October";

  setDate(calendar, 2001, 13, 10);
  EXPECT_EQ(calendar->get(Calendar::MONTH), 13) << "stored as given";
  calendar->getTimeInMillis();
  calendar->setTimeInMillis(calendar->getTimeInMillis());
  EXPECT_EQ(fieldsOf(calendar).year, 2002);
  EXPECT_EQ(fieldsOf(calendar).month, 1);
  setDate(calendar, 2001, 1, 31);
  EXPECT_EQ(calendar->get(Calendar::DAY_OF_WEEK), 7) << "31 February 2001 is Saturday 3 March";
  EXPECT_EQ(calendar->get(Calendar::MONTH), 2);
  EXPECT_EQ(takePending(), -1);
}

TEST_F(CalendarTest, SharedObjectsAndTheTwoTimeBases) {
  wince::useFakeClock(5000, true);
  Calendar* calendar = Calendar::getInstance();
  EXPECT_EQ(Calendar::getInstance(), calendar);
  const int64_t wallClock = calendar->getTimeInMillis();
  EXPECT_EQ(wallClock % 1000, 0) << "whole seconds";
  auto* sinceStart = keep(0, newObject<java_util_Date>());
  EXPECT_EQ(sinceStart->getTime(), 5000) << "the tick count, not the wall clock";
  wince::useRealClock();

  java_util_Date* first = calendar->getTime();
  EXPECT_EQ(calendar->getTime(), first);
  auto* zone = keep(1, static_cast<java_util_TimeZone*>(
                           static_cast<java_util_TimeZoneImpl*>(newObject<java_util_TimeZoneImpl>(0, newString("Local")))));
  EXPECT_EQ(Calendar::getInstance(zone), calendar);
  EXPECT_EQ(calendar->getTimeZone(), zone);
  keep<Object>(1, nullptr);
  collect();
  EXPECT_EQ(textOf(calendar->getTimeZone()->getID()), "Local") << "the calendar keeps its zone";
  EXPECT_EQ(calendar->getTime(), first);

  ObjectArray* ids = java_util_TimeZone::getAvailableIDs();
  ASSERT_NE(ids, nullptr);
  ASSERT_EQ(ids->length(), 2);
  EXPECT_EQ(textOf(static_cast<String*>(ids->get(0))), "GMT");
  EXPECT_EQ(textOf(static_cast<String*>(ids->get(1))), "UTC");
  EXPECT_EQ(java_util_TimeZone::getAvailableIDs(), ids);
  EXPECT_EQ(java_util_TimeZone::getDefault()->getID(), nullptr);
}

TEST_F(CalendarTest, EachDateKeepsItsOwnTime) {
  auto* early = keep(0, newObject<java_util_Date>(int64_t{1000}));
  auto* late = keep(1, newObject<java_util_Date>(int64_t{-86400000LL * 365 * 3000}));
  auto* same = keep(2, newObject<java_util_Date>(int64_t{1000}));
  EXPECT_EQ(early->getTime(), 1000);
  EXPECT_TRUE(early->equals(same));
  EXPECT_FALSE(early->equals(late));
  EXPECT_EQ(early->hashCode(), 1000);
  EXPECT_EQ(late->hashCode(), static_cast<int32_t>(static_cast<uint64_t>(late->getTime()) ^
                                                   (static_cast<uint64_t>(late->getTime()) >> 32)));
  Calendar::getInstance()->setTimeInMillis(77);
  EXPECT_EQ(early->getTime(), 1000) << "a Date does not follow the shared calendar";
  Calendar::getInstance()->setTime(late);
  EXPECT_EQ(Calendar::getInstance()->getTimeInMillis(), late->getTime());
}

TEST_F(CalendarTest, TextForm) {
  struct Case {
    int64_t millis;
    const char* text;
  };
  const Case cases[] = {
      {0, "Thu Jan 01 00:00:00 1970"},
      {1234567890123, "Fri Feb 13 23:31:30 2009"},
      {-62009366400000 + 3723000, "Sat Jan 03 01:02:03 0005"},
  };
  for (const Case& c : cases) {
    auto* date = keep(0, newObject<java_util_Date>(c.millis));
    EXPECT_EQ(textOf(date->toString()), c.text);
  }
  Calendar::getInstance(static_cast<java_util_TimeZone*>(static_cast<java_util_TimeZoneImpl*>(
      newObject<java_util_TimeZoneImpl>(0, newString("GMT")))));
  EXPECT_EQ(textOf(keep(0, newObject<java_util_Date>(int64_t{0}))->toString()), "Thu Jan 01 00:00:00 GMT 1970");
}

TEST_F(CalendarTest, OffsetArgumentsAndDaylightRules) {
  auto* zone = keep(0, newObject<java_util_TimeZoneImpl>(3600000, newString("CET")));
  EXPECT_EQ(zone->getOffset(1, 2000, 5, 1, 5, 0), 3600000);
  zone->getOffset(1, 2000, 12, 1, 5, 0);
  EXPECT_EQ(pendingMessage(), "Illegal month 12");
  EXPECT_EQ(takePending(), classid::java_lang_IllegalArgumentException);
  zone->getOffset(1, 2000, 1, 30, 5, 0, 29);
  EXPECT_EQ(takePending(), classid::java_lang_IllegalArgumentException);
  zone->getOffset(1, 2000, 1, 1, 8, 0);
  EXPECT_EQ(takePending(), classid::java_lang_IllegalArgumentException);

  // Northern: first Sunday of April 02:00 to last Sunday of October 02:00.
  auto* northern =
      keep(1, newObject<java_util_TimeZoneImpl>(-18000000, newString("EST"), 3, 1, 1, 7200000, 9, -1, 1, 7200000, 3600000));
  EXPECT_EQ(takePending(), -1);
  EXPECT_TRUE(northern->useDaylightTime());
  struct Case {
    int32_t month, day, dayOfWeek, millis, offset;
  };
  const Case northernCases[] = {
      {0, 15, 2, 0, -18000000},         {6, 4, 3, 0, -14400000},          {3, 2, 1, 7199999, -18000000},
      {3, 2, 1, 7200000, -14400000},    {9, 29, 1, 3599999, -14400000},   {9, 29, 1, 3600000, -18000000},
  };
  for (const Case& c : northernCases) {
    EXPECT_EQ(northern->getOffset(1, 2000, c.month, c.day, c.dayOfWeek, c.millis), c.offset)
        << c.month + 1 << "/" << c.day << " " << c.millis;
  }
  EXPECT_EQ(northern->getOffset(0, 2000, 6, 4, 3, 0), -18000000) << "no daylight saving before Christ";

  // Southern: October 1 (day of month) to the Sunday on or before March 20.
  auto* southern =
      keep(2, newObject<java_util_TimeZoneImpl>(36000000, newString("EST"), 9, 1, 0, 0, 2, 20, -1, 0, 1800000));
  EXPECT_EQ(southern->getOffset(1, 2001, 0, 10, 4, 0), 37800000);
  EXPECT_EQ(southern->getOffset(1, 2001, 5, 10, 1, 0), 36000000);
  EXPECT_EQ(southern->getOffset(1, 2001, 9, 1, 2, 0), 37800000);

  struct BadRule {
    int32_t startMonth, startDay, startDayOfWeek, startTime, savings;
    const char* message;
  };
  const BadRule badRules[] = {
      {12, 1, 1, 0, 3600000, "Illegal start month 12"},
      {3, 1, 1, 86400001, 3600000, "Illegal start time 86400001"},
      {3, 1, 9, 0, 3600000, "Illegal start day of week 9"},
      {3, 6, 1, 0, 3600000, "Illegal start day of week in month 6"},
      {3, 31, 0, 0, 3600000, "Illegal start day 31"},
      {3, 1, 1, 0, 0, "Illegal daylight saving value"},
  };
  for (const BadRule& r : badRules) {
    newObject<java_util_TimeZoneImpl>(0, newString("X"), r.startMonth, r.startDay, r.startDayOfWeek, r.startTime, 9,
                                      -1, 1, 7200000, r.savings);
    EXPECT_EQ(pendingMessage(), r.message);
    EXPECT_EQ(takePending(), classid::java_lang_IllegalArgumentException);
  }
  newObject<java_util_TimeZoneImpl>(0, newString("X"), 3, 1, 1, 0, 9, 6, 1, 7200000, 3600000);
  EXPECT_EQ(pendingMessage(), "Illegal end day of week in month 6") << "the end rule is checked the same way";
  takePending();
}

TEST_F(CalendarTest, DaylightTimeThroughTheCalendar) {
  auto* northern =
      keep(1, newObject<java_util_TimeZoneImpl>(0, newString("DST"), 3, 1, 1, 7200000, 9, -1, 1, 7200000, 3600000));
  Calendar* calendar = Calendar::getInstance(northern);
  setDate(calendar, 2000, 6, 4, 12);
  // 12:00 local in daylight time is 11:00 UTC.
  EXPECT_EQ(calendar->getTimeInMillis(), 962708400000);
  calendar->setTimeInMillis(962708400000);
  EXPECT_EQ(calendar->get(Calendar::HOUR_OF_DAY), 12);
  setDate(calendar, 2000, 13, 31, 12);
  calendar->getTimeInMillis();
  EXPECT_EQ(takePending(), -1) << "fields outside their ranges reach the zone as a real date";
}

}  // namespace
