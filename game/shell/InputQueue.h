#pragma once
// The hand-over of the UI thread's events to the game thread. Key, pointer
// and life-cycle callbacks only append here; the game thread takes the whole
// queue at the frame's latch and applies it in arrival order, so no shared
// mask or touch flag is ever written by two threads. The lock is held only
// to copy events in or out: never across an allocation or a safepoint.
#include <array>
#include <cstddef>
#include <cstdint>
#include <mutex>

struct InputEvent {
  enum class Kind : uint8_t {
    keyPressed, keyReleased,
    pointerPressed, pointerReleased, pointerDragged,
    paused,   // pause: the sounds stop
    hidden,   // hideNotify: both channels stop, then as paused
    resumed,  // resume: a = 1 when the game had been paused
  };
  Kind kind = Kind::keyPressed;
  int32_t a = 0;      // key code, x, or the resume's paused flag
  int32_t b = 0;      // y
  int64_t tick = 0;   // currentTimeMillis at arrival
};

class InputQueue {
 public:
  static constexpr size_t capacity = 128;
  // Presses and drags stop this far short of full, so that the releases of
  // the presses already queued always find room: a dropped press makes its
  // release count for nothing, but a dropped release would leave a key held.
  static constexpr size_t roomKeptForReleases = 32;
  using Batch = std::array<InputEvent, capacity>;

  // False when the event was dropped (logged once per overflow). A drag
  // right after a queued drag replaces it: only the pen's latest place
  // matters.
  bool push(const InputEvent& event);
  // Moves every queued event into batch, oldest first; answers the count.
  size_t takeAll(Batch& batch);
  // Drops the key and pen events still queued; the life-cycle ones stay.
  void dropInputEvents();
  void clear();

 private:
  std::mutex m_lock;
  Batch m_events{};
  size_t m_first = 0;
  size_t m_count = 0;
  bool m_overflowLogged = false;
};

// The running game's queue (one game per process; the canvas clears it).
InputQueue& inputQueue();
