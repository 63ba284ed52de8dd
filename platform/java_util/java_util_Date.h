#pragma once
// java_util_Date (class id 52): a point in time in milliseconds since
// 1970-01-01 00:00 UTC. Each Date answers from its own time; making or
// setting one also sets the shared calendar, whose fields give its text.
#include <cstdint>

#include "runtime/object/Object.h"

class java_util_Calendar;

class java_util_Date : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::java_util_Date;
  static constexpr auto referenceFields() { return ReferenceFieldList{&java_util_Date::calendar}; }

  // The tick count: milliseconds since the device started, not the wall
  // clock.
  void init();
  void init(int64_t date);

  int32_t equals(Object* other) override;
  // "Thu Jan 01 00:00:00 1970": the zone's ID and a blank come before the
  // year when the ID has two characters or more.
  String* toString() override;
  int32_t hashCode() override;

  int64_t getTime() { return millis; }
  void setTime(int64_t date);

  java_util_Calendar* calendar;
  int64_t millis;
};
