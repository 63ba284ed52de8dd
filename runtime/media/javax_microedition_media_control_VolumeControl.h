#pragma once
// The VolumeControl interface view (id 99): levels 0..100.
#include <cstdint>

#include "runtime/object/ClassTable.h"

class javax_microedition_media_control_VolumeControl {
 public:
  static constexpr uint16_t classId = classid::javax_microedition_media_control_VolumeControl;
  virtual int32_t getLevel() = 0;
  virtual bool isMuted() = 0;
  virtual int32_t setLevel(int32_t level) = 0;
  virtual void setMute(bool mute) = 0;

 protected:
  javax_microedition_media_control_VolumeControl() = default;
  ~javax_microedition_media_control_VolumeControl() = default;
};
