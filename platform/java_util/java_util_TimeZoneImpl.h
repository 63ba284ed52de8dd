#pragma once
// java_util_TimeZoneImpl (class id 67): a raw offset and an optional
// daylight-saving rule. A rule's day is given in one of four modes:
//   1 the day of the month, 2 the n-th (or, negative, n-th last) weekday,
//   3 the weekday on or after a day, 4 the weekday on or before a day.
#include <cstdint>

#include "platform/java_util/java_util_TimeZone.h"
#include "runtime/lang/Arrays.h"

class java_util_TimeZoneImpl : public java_util_TimeZone {
 public:
  using Super = java_util_TimeZone;
  static constexpr uint16_t classId = classid::java_util_TimeZoneImpl;
  static constexpr auto referenceFields() {
    return ReferenceFieldList{&java_util_TimeZoneImpl::ID, &java_util_TimeZoneImpl::monthLength};
  }

  // The default zone's form: everything 0, no ID.
  void init();
  void init(int32_t offset, String* id);
  // A daylight-saving rule, checked as it is decoded; a bad part raises
  // IllegalArgumentException naming it.
  void init(int32_t offset, String* id, int32_t ruleStartMonth, int32_t ruleStartDay, int32_t ruleStartDayOfWeek,
            int32_t ruleStartTime, int32_t ruleEndMonth, int32_t ruleEndDay, int32_t ruleEndDayOfWeek,
            int32_t ruleEndTime, int32_t savings);

  // Month outside 0..11: IllegalArgumentException.
  int32_t getOffset(int32_t era, int32_t year, int32_t month, int32_t day, int32_t dayOfWeek, int32_t millis) override;
  // Arguments outside their ranges: IllegalArgumentException.
  int32_t getOffset(int32_t era, int32_t year, int32_t month, int32_t day, int32_t dayOfWeek, int32_t millis,
                    int32_t monthDays);
  int32_t getRawOffset() override { return rawOffset; }
  bool useDaylightTime() override { return useDaylight; }
  String* getID() override { return ID; }

  // The zone table on first use (by any constructor).
  static void makeZoneTable();

  String* ID;
  bool unusedFlag;  // cleared by every constructor, set by nothing
  int32_t startMonth;
  int32_t startDay;
  int32_t startDayOfWeek;
  int32_t startTime;
  int32_t endMonth;
  int32_t endDay;
  int32_t endDayOfWeek;
  int32_t endTime;
  int32_t startYear;
  int32_t rawOffset;
  bool useDaylight;
  ByteArray* monthLength;
  int32_t startMode;
  int32_t endMode;
  int32_t dstSavings;

 private:
  void setUpCommon();
  // Decodes one rule; false (exception pending) when a part is bad.
  bool decodeRule(int32_t& month, int32_t& day, int32_t& dayOfWeek, int32_t time, int32_t& mode,
                  int32_t firstMessage);
};
