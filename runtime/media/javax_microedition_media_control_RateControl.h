#pragma once
// The RateControl interface view (id 97): rates in thousandths of a percent,
// 100000 playing at normal speed.
#include <cstdint>

#include "runtime/object/ClassTable.h"

class javax_microedition_media_control_RateControl {
 public:
  static constexpr uint16_t classId = classid::javax_microedition_media_control_RateControl;
  virtual int32_t getMinRate() = 0;
  virtual int32_t getMaxRate() = 0;
  virtual int32_t getRate() = 0;
  virtual int32_t setRate(int32_t millirate) = 0;

 protected:
  javax_microedition_media_control_RateControl() = default;
  ~javax_microedition_media_control_RateControl() = default;
};
