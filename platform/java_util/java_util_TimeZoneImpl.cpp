#include "platform/java_util/java_util_TimeZoneImpl.h"

#include "runtime/LiteralIds.h"
#include "runtime/exceptions/ThrowNew.h"
#include "runtime/lang/String.h"
#include "runtime/lang/StringBuffer.h"
#include "runtime/object/ObjectFactory.h"
#include "runtime/object/StaticClass.h"
#include "runtime/thread/SynchronizedScope.h"

namespace {

constexpr int32_t millisPerDay = 86400000;
constexpr int8_t monthDaysTable[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// String literal index followed by the value in decimal.
void raiseIllegalArgument(int32_t literalIndex, int32_t value) {
  auto* text = newObject<StringBuffer>();
  if (text != nullptr) {
    text->append(literalOrNull(literalIndex));
    text->append(value);
  }
  throwNew<java_lang_IllegalArgumentException>(text != nullptr ? text->toString() : nullptr);
}

ByteArray* sharedMonthLength() {
  java_util_CalendarStatics& shared = statics().java_util_Calendar;
  if (shared.monthLength == nullptr) {
    ByteArray* table = newByteArray(12);
    if (table == nullptr || table->length() != 12) return nullptr;
    for (int32_t i = 0; i < 12; ++i) table->set(i, monthDaysTable[i]);
    shared.monthLength = table;
  }
  return shared.monthLength;
}

// -1, 0 or 1: the date against a rule's day of its month and time of day.
int32_t compareWithRule(int32_t month, int32_t monthDays, int32_t day, int32_t dayOfWeek, int32_t millis, int32_t mode,
                        int32_t ruleMonth, int32_t ruleDayOfWeek, int32_t ruleDay, int32_t ruleMillis) {
  if (month != ruleMonth) return month < ruleMonth ? -1 : 1;
  int32_t ruleDayOfMonth = 0;
  switch (mode) {
    case 1:
      ruleDayOfMonth = ruleDay;
      break;
    case 2:
      ruleDayOfMonth = ruleDay > 0 ? ((day - dayOfWeek + ruleDayOfWeek + 6) % 7) + 7 * ruleDay - 6
                                   : monthDays + 7 * (ruleDay + 1) -
                                         ((monthDays - day - ruleDayOfWeek + dayOfWeek + 7) % 7);
      break;
    case 3:
      ruleDayOfMonth = ruleDay + ((day - dayOfWeek - ruleDay + ruleDayOfWeek + 49) % 7);
      break;
    case 4:
      ruleDayOfMonth = ruleDay - ((dayOfWeek - day - ruleDayOfWeek + ruleDay + 49) % 7);
      break;
  }
  if (day != ruleDayOfMonth) return day < ruleDayOfMonth ? -1 : 1;
  if (millis != ruleMillis) return millis < ruleMillis ? -1 : 1;
  return 0;
}

}  // namespace

void java_util_TimeZoneImpl::setUpCommon() {
  unusedFlag = false;
  monthLength = sharedMonthLength();
  makeZoneTable();
}

void java_util_TimeZoneImpl::init() { setUpCommon(); }

void java_util_TimeZoneImpl::init(int32_t offset, String* id) {
  setUpCommon();
  ID = id;
  rawOffset = offset;
  dstSavings = 3600000;
}

void java_util_TimeZoneImpl::init(int32_t offset, String* id, int32_t ruleStartMonth, int32_t ruleStartDay,
                                  int32_t ruleStartDayOfWeek, int32_t ruleStartTime, int32_t ruleEndMonth,
                                  int32_t ruleEndDay, int32_t ruleEndDayOfWeek, int32_t ruleEndTime, int32_t savings) {
  setUpCommon();
  ID = id;
  rawOffset = offset;
  startMonth = ruleStartMonth;
  startDay = ruleStartDay;
  startDayOfWeek = ruleStartDayOfWeek;
  startTime = ruleStartTime;
  endMonth = ruleEndMonth;
  endDay = ruleEndDay;
  endDayOfWeek = ruleEndDayOfWeek;
  endTime = ruleEndTime;
  dstSavings = savings;
  useDaylight = startDay != 0 && endDay != 0;
  if (!decodeRule(startMonth, startDay, startDayOfWeek, startTime, startMode,
                  static_cast<int32_t>(LiteralId::startRuleBadMonth)))
    return;
  if (!decodeRule(endMonth, endDay, endDayOfWeek, endTime, endMode, static_cast<int32_t>(LiteralId::endRuleBadMonth)))
    return;
  if (dstSavings < 1) {
    throwNew<java_lang_IllegalArgumentException>(
        literalOrNull(static_cast<int32_t>(LiteralId::timeZoneBadDaylightSaving)));
  }
}

// Messages follow the first in the order month, time, day of week, day of
// week in month, day.
bool java_util_TimeZoneImpl::decodeRule(int32_t& month, int32_t& day, int32_t& dayOfWeek, int32_t time, int32_t& mode,
                                        int32_t firstMessage) {
  if (day == 0) return true;
  if (month < 0 || month > 11) {
    raiseIllegalArgument(firstMessage, month);
    return false;
  }
  if (time < 0 || time > millisPerDay) {
    raiseIllegalArgument(firstMessage + 1, time);
    return false;
  }
  if (dayOfWeek == 0) {
    mode = 1;
  } else if (dayOfWeek > 0) {
    mode = 2;
  } else {
    dayOfWeek = -dayOfWeek;
    if (day > 0) {
      mode = 3;
    } else {
      day = -day;
      mode = 4;
    }
  }
  if (dayOfWeek > 7) {
    raiseIllegalArgument(firstMessage + 2, dayOfWeek);
    return false;
  }
  if (mode == 2 ? (day < -5 || day > 5) : day > monthDaysTable[month]) {
    raiseIllegalArgument(firstMessage + (mode == 2 ? 3 : 4), day);
    return false;
  }
  return true;
}

int32_t java_util_TimeZoneImpl::getOffset(int32_t era, int32_t year, int32_t month, int32_t day, int32_t dayOfWeek,
                                          int32_t millis) {
  if (month < 0 || month > 11) {
    raiseIllegalArgument(static_cast<int32_t>(LiteralId::timeZoneBadMonth), month);
    return 0;
  }
  const int32_t monthDays = monthLength != nullptr ? monthLength->get(month) : monthDaysTable[month];
  return getOffset(era, year, month, day, dayOfWeek, millis, monthDays);
}

int32_t java_util_TimeZoneImpl::getOffset(int32_t era, int32_t year, int32_t month, int32_t day, int32_t dayOfWeek,
                                          int32_t millis, int32_t monthDays) {
  if ((era != 0 && era != 1) || month < 0 || month > 11 || day < 1 || day > monthDays || dayOfWeek < 1 ||
      dayOfWeek > 7 || millis < 0 || millis >= millisPerDay || monthDays < 28 || monthDays > 31) {
    throwNew<java_lang_IllegalArgumentException>();
    return 0;
  }
  int32_t result = rawOffset;
  if (!useDaylight || year < startYear || era != 1) return result;
  const bool southern = startMonth > endMonth;
  const int32_t startOrder = compareWithRule(month, monthDays, day, dayOfWeek, millis, startMode, startMonth,
                                             startDayOfWeek, startDay, startTime);
  int32_t endOrder = 0;
  if (southern != (startOrder >= 0)) {
    // The end rule is given in daylight time: move the date by the saving.
    int64_t shifted = int64_t{millis} + dstSavings;
    int32_t endDate = day, endMonthOfDate = month, endWeekday = dayOfWeek;
    while (shifted >= millisPerDay) {
      shifted -= millisPerDay;
      if (++endDate > monthDays) {
        endDate = 1;
        ++endMonthOfDate;
      }
      endWeekday = endWeekday % 7 + 1;
    }
    endOrder = compareWithRule(endMonthOfDate, monthDays, endDate, endWeekday, static_cast<int32_t>(shifted), endMode,
                               endMonth, endDayOfWeek, endDay, endTime);
  }
  if ((!southern && startOrder >= 0 && endOrder < 0) || (southern && (startOrder >= 0 || endOrder < 0))) {
    result += dstSavings;
  }
  return result;
}

void java_util_TimeZoneImpl::makeZoneTable() {
  java_util_TimeZoneStatics& shared = statics().java_util_TimeZone;
  if (shared.zoneTable != nullptr || shared.makingZoneTable) return;
  shared.makingZoneTable = true;
  ObjectArray* table = newObjectArray(2);
  if (table != nullptr && table->length() == 2) {
    // Rooted before its zones are made, so a collection meanwhile keeps it.
    shared.zoneTable = table;
    const LiteralId ids[2] = {LiteralId::timeZoneFirstId, LiteralId::timeZoneSecondId};
    for (int32_t i = 0; i < 2; ++i) {
      auto* zone = newObject<java_util_TimeZoneImpl>(0, literalOrNull(static_cast<int32_t>(ids[i])));
      table->set(i, zone);
    }
  }
  shared.makingZoneTable = false;
}

java_util_TimeZone* java_util_TimeZone::getDefault() {
  java_util_TimeZoneStatics& shared = statics().java_util_TimeZone;
  if (shared.defaultZone == nullptr) {
    shared.defaultZone = newObject<java_util_TimeZoneImpl>();
  }
  return shared.defaultZone;
}

ObjectArray* java_util_TimeZone::getAvailableIDs() {
  java_util_TimeZone* zone = getDefault();
  SynchronizedScope lock(zone);
  java_util_TimeZoneStatics& shared = statics().java_util_TimeZone;
  if (shared.availableIDs == nullptr && shared.zoneTable != nullptr) {
    const int32_t count = shared.zoneTable->length();
    ObjectArray* ids = newObjectArray(count);
    if (ids == nullptr || ids->length() != count) return nullptr;
    for (int32_t i = 0; i < count; ++i) ids->set(i, static_cast<java_util_TimeZone*>(shared.zoneTable->get(i))->getID());
    shared.availableIDs = ids;
  }
  return shared.availableIDs;
}
