#pragma once
// The TempoControl interface view (id 98): the rate operations, and tempo as
// another name for the rate.
#include <cstdint>

#include "runtime/object/ClassTable.h"

class javax_microedition_media_control_TempoControl {
 public:
  static constexpr uint16_t classId = classid::javax_microedition_media_control_TempoControl;
  virtual int32_t getMinRate() = 0;
  virtual int32_t getMaxRate() = 0;
  virtual int32_t getRate() = 0;
  virtual int32_t setRate(int32_t millirate) = 0;
  virtual int32_t setTempo(int32_t millitempo) = 0;
  virtual int32_t getTempo() = 0;

 protected:
  javax_microedition_media_control_TempoControl() = default;
  ~javax_microedition_media_control_TempoControl() = default;
};
