#include "game/shell/InputQueue.h"

#include "runtime/lang/DebugLog.h"

bool InputQueue::push(const InputEvent& event) {
  std::lock_guard hold(m_lock);
  if (event.kind == InputEvent::Kind::pointerDragged && m_count > 0) {
    InputEvent& last = m_events[(m_first + m_count - 1) % capacity];
    if (last.kind == InputEvent::Kind::pointerDragged) {
      last = event;
      return true;
    }
  }
  const bool startsSomething = event.kind == InputEvent::Kind::keyPressed ||
                               event.kind == InputEvent::Kind::pointerPressed ||
                               event.kind == InputEvent::Kind::pointerDragged;
  const size_t limit = startsSomething ? capacity - roomKeptForReleases : capacity;
  if (m_count >= limit) {
    if (!m_overflowLogged) debugLog("cGame: input queue full, events dropped until the game thread takes them");
    m_overflowLogged = true;
    return false;
  }
  m_events[(m_first + m_count) % capacity] = event;
  ++m_count;
  return true;
}

size_t InputQueue::takeAll(Batch& batch) {
  std::lock_guard hold(m_lock);
  const size_t count = m_count;
  for (size_t i = 0; i < count; ++i) batch[i] = m_events[(m_first + i) % capacity];
  m_first = 0;
  m_count = 0;
  m_overflowLogged = false;
  return count;
}

void InputQueue::dropInputEvents() {
  std::lock_guard hold(m_lock);
  size_t kept = 0;
  for (size_t i = 0; i < m_count; ++i) {
    const InputEvent& event = m_events[(m_first + i) % capacity];
    const bool lifeCycle = event.kind == InputEvent::Kind::paused || event.kind == InputEvent::Kind::hidden ||
                           event.kind == InputEvent::Kind::resumed;
    if (lifeCycle) m_events[(m_first + kept++) % capacity] = event;
  }
  m_count = kept;
}

void InputQueue::clear() {
  std::lock_guard hold(m_lock);
  m_first = 0;
  m_count = 0;
  m_overflowLogged = false;
}

InputQueue& inputQueue() {
  static InputQueue queue;
  return queue;
}
