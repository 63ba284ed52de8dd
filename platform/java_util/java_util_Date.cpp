#include "platform/java_util/java_util_Date.h"

#include "platform/java_util/java_util_Calendar.h"
#include "platform/java_util/java_util_TimeZone.h"
#include "runtime/LiteralIds.h"
#include "runtime/exceptions/java_lang_Throwable.h"
#include "runtime/lang/String.h"
#include "runtime/lang/StringBuffer.h"
#include "runtime/object/ObjectFactory.h"
#include "wince/clock.h"

namespace {

void appendTwoDigits(StringBuffer* text, int32_t value) {
  if (value < 10) text->append(u'0');
  text->append(value);
}

String* textOfCalendar(java_util_Calendar* calendar) {
  if (calendar == nullptr) return literalOrNull(static_cast<int32_t>(LiteralId::dateTextOfNull));
  const int32_t dayOfWeek = calendar->get(java_util_Calendar::DAY_OF_WEEK);
  auto* text = newObject<StringBuffer>();
  if (text == nullptr) return nullptr;
  text->append(literalOrNull(static_cast<int32_t>(LiteralId::dayName0) + dayOfWeek - 1));
  text->append(u' ');
  text->append(literalOrNull(static_cast<int32_t>(LiteralId::monthName0) + calendar->get(java_util_Calendar::MONTH)));
  text->append(u' ');
  appendTwoDigits(text, calendar->get(java_util_Calendar::DATE));
  text->append(u' ');
  appendTwoDigits(text, calendar->get(java_util_Calendar::HOUR_OF_DAY));
  text->append(u':');
  appendTwoDigits(text, calendar->get(java_util_Calendar::MINUTE));
  text->append(u':');
  appendTwoDigits(text, calendar->get(java_util_Calendar::SECOND));
  text->append(u' ');
  String* id = calendar->getTimeZone()->getID();
  if (id == nullptr) id = literalOrNull(static_cast<int32_t>(LiteralId::emptyText));
  if (id != nullptr && id->length() >= 2) {
    text->append(id);
    text->append(u' ');
  }
  const int32_t year = calendar->get(java_util_Calendar::YEAR);
  if (year >= 0 && year <= 999) {
    for (int32_t limit = 1000; limit > 1 && year < limit; limit /= 10) text->append(u'0');
  }
  text->append(year);
  return text->toString();
}

}  // namespace

void java_util_Date::init() { init(static_cast<int64_t>(GetTickCount64())); }

void java_util_Date::init(int64_t date) { setTime(date); }

void java_util_Date::setTime(int64_t date) {
  calendar = java_util_Calendar::getInstance();
  if (calendar != nullptr) calendar->setTimeInMillis(date);
  millis = date;
}

int32_t java_util_Date::equals(Object* other) {
  return Object::instanceOf(other, classid::java_util_Date) &&
                 static_cast<java_util_Date*>(other)->getTime() == getTime()
             ? 1
             : 0;
}

int32_t java_util_Date::hashCode() {
  const auto time = static_cast<uint64_t>(getTime());
  return static_cast<int32_t>(static_cast<uint32_t>(time) ^ static_cast<uint32_t>(time >> 32));
}

String* java_util_Date::toString() {
  if (calendar != nullptr) calendar->setTimeInMillis(millis);
  return textOfCalendar(calendar);
}
