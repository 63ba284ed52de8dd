#pragma once
// The Player interface view (id 94). States as getState answers them.
#include <cstdint>

#include "runtime/object/ClassTable.h"
#include "runtime/object/Object.h"

class ObjectArray;
class String;

class javax_microedition_media_Player {
 public:
  static constexpr uint16_t classId = classid::javax_microedition_media_Player;
  static constexpr int32_t CLOSED = 0;
  static constexpr int32_t UNREALIZED = 100;
  static constexpr int32_t REALIZED = 200;
  static constexpr int32_t PREFETCHED = 300;
  static constexpr int32_t STARTED = 400;

  // The Player view of a player object (by interface lookup), or null.
  static javax_microedition_media_Player* viewOf(Object* player) {
    return player != nullptr ? static_cast<javax_microedition_media_Player*>(player->lookupInterface(classId))
                             : nullptr;
  }

  virtual Object* getControl(String* controlType) = 0;
  virtual ObjectArray* getControls() = 0;
  virtual void realize() = 0;
  virtual void prefetch() = 0;
  virtual void start() = 0;
  virtual void stop() = 0;
  virtual void deallocate() = 0;
  virtual void close() = 0;
  virtual int64_t setMediaTime(int64_t now) = 0;
  virtual int64_t getMediaTime() = 0;
  virtual int32_t getState() = 0;
  virtual int64_t getDuration() = 0;
  virtual String* getContentType() = 0;
  virtual void setLoopCount(int32_t count) = 0;

 protected:
  javax_microedition_media_Player() = default;
  ~javax_microedition_media_Player() = default;
};
