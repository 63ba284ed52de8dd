#pragma once
// What thread support plugs into the collector. Without it the collector
// sees only the thread that collects: it scans that thread's stack itself and
// has no other threads to stop.
class Object;
class ObjectManager;

class WorldControl {
 public:
  // Around the wait for the collector lock: a thread waiting there counts as
  // parked, so that two threads collecting at once do not wait for each other.
  virtual void enterSafeRegion() = 0;
  virtual void leaveSafeRegion() = 0;
  // Holds every other thread still / lets them go again. The final collection
  // at shutdown calls neither: the world is already stopped for good
  // (ObjectManager::stopTheWorldForShutdown).
  virtual void stopTheWorld() = 0;
  virtual void resumeTheWorld() = 0;
  // Roots the collector cannot see by itself: the stacks of the other
  // threads (through ObjectManager::scanRange) and each thread's pending
  // exception (through ObjectManager::mark).
  virtual void markThreadRoots(ObjectManager& manager) = 0;
  // Called for every swept object after its finaliser, whatever its class.
  virtual void releaseMonitor(Object* object) = 0;

 protected:
  ~WorldControl() = default;
};
