#include "wince/window_queue.h"

#include <chrono>

#include "wince/clock.h"

namespace wince {

namespace {

thread_local std::shared_ptr<MessageQueue> threadQueue;
thread_local DWORD takenImeVirtualKey = 0;

bool matchesFilter(const MSG& message, HWND filter, UINT filterMin, UINT filterMax) {
  if (filter && message.hwnd != filter) return false;
  if (filterMin == 0 && filterMax == 0) return true;
  return message.message >= filterMin && message.message <= filterMax;
}

bool isKeyMessage(UINT message) { return message == WM_KEYDOWN || message == WM_KEYUP; }

}  // namespace

std::shared_ptr<MessageQueue> currentThreadQueue() {
  if (!threadQueue) threadQueue = std::make_shared<MessageQueue>();
  return threadQueue;
}

DWORD lastTakenImeVirtualKey() { return takenImeVirtualKey; }

void MessageQueue::post(const QueuedMessage& entry) {
  std::lock_guard lock(m_mutex);
  m_posted.push_back(entry);
  m_posted.back().message.time = GetTickCount();
  m_changed.notify_all();
}

void MessageQueue::postQuit(int exitCode) {
  std::lock_guard lock(m_mutex);
  m_quitPosted = true;
  m_quitCode = exitCode;
  m_changed.notify_all();
}

LRESULT MessageQueue::sendAndWait(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  SentCall call{window, message, wParam, lParam};
  std::unique_lock lock(m_mutex);
  m_sent.push_back(&call);
  m_changed.notify_all();
  m_changed.wait(lock, [&] { return call.done; });
  return call.result;
}

bool MessageQueue::runOneSentCall(std::unique_lock<std::mutex>& lock) {
  if (m_sent.empty()) return false;
  SentCall* call = m_sent.front();
  m_sent.pop_front();
  lock.unlock();
  const LRESULT result = callWindowProcedure(call->window, call->message, call->wParam, call->lParam);
  lock.lock();
  call->result = result;
  call->done = true;
  m_changed.notify_all();
  return true;
}

bool MessageQueue::next(MSG* message, HWND filter, UINT filterMin, UINT filterMax, bool remove) {
  std::unique_lock lock(m_mutex);
  for (;;) {
    if (runOneSentCall(lock)) continue;
    auto found = m_posted.end();
    for (auto entry = m_posted.begin(); entry != m_posted.end(); ++entry) {
      if (entry->dispatchInside || matchesFilter(entry->message, filter, filterMin, filterMax)) {
        found = entry;
        break;
      }
    }
    if (found != m_posted.end() && found->dispatchInside) {
      const MSG inside = found->message;
      m_posted.erase(found);
      lock.unlock();
      callWindowProcedure(inside.hwnd, inside.message, inside.wParam, inside.lParam);
      lock.lock();
      continue;
    }
    if (found != m_posted.end()) {
      *message = found->message;
      if (remove) {
        if (isKeyMessage(message->message)) takenImeVirtualKey = found->imeVirtualKey;
        m_posted.erase(found);
      }
      return true;
    }
    if (m_quitPosted) {
      *message = MSG{nullptr, WM_QUIT, WPARAM(m_quitCode), 0, GetTickCount(), {0, 0}};
      if (remove) m_quitPosted = false;
      return true;
    }
    ++m_emptyPolls;
    m_changed.notify_all();
    if (m_gateClosed) {
      m_waitingAtGate = true;
      m_changed.notify_all();
      m_changed.wait(lock, [&] { return !m_gateClosed || m_passesGranted > m_passesTaken; });
      m_waitingAtGate = false;
      if (m_gateClosed) ++m_passesTaken;
    }
    return false;
  }
}

void MessageQueue::waitForMessages(int milliseconds) {
  std::unique_lock lock(m_mutex);
  const uint64_t wakeCount = m_wakeCount;
  m_changed.wait_for(lock, std::chrono::milliseconds(milliseconds),
                     [&] { return !m_posted.empty() || !m_sent.empty() || m_quitPosted || m_wakeCount != wakeCount; });
}

void MessageQueue::wake() {
  std::lock_guard lock(m_mutex);
  ++m_wakeCount;
  m_changed.notify_all();
}

void MessageQueue::discardWindow(HWND window) {
  std::lock_guard lock(m_mutex);
  std::erase_if(m_posted, [&](const QueuedMessage& entry) { return entry.message.hwnd == window; });
  for (auto call = m_sent.begin(); call != m_sent.end();) {
    if ((*call)->window == window) {
      (*call)->done = true;
      call = m_sent.erase(call);
    } else {
      ++call;
    }
  }
  m_changed.notify_all();
}

uint64_t MessageQueue::emptyPolls() const {
  std::lock_guard lock(m_mutex);
  return m_emptyPolls;
}

void MessageQueue::waitForEmptyPollAfter(uint64_t count) {
  std::unique_lock lock(m_mutex);
  m_changed.wait(lock, [&] { return m_emptyPolls > count; });
}

void MessageQueue::setFrameGate(bool closed) {
  std::lock_guard lock(m_mutex);
  m_gateClosed = closed;
  m_passesGranted = m_passesTaken = 0;
  m_changed.notify_all();
}

void MessageQueue::stepThroughGate() {
  std::unique_lock lock(m_mutex);
  if (!m_gateClosed) return;
  ++m_passesGranted;
  m_changed.notify_all();
  m_changed.wait(lock, [&] { return !m_gateClosed || (m_waitingAtGate && m_passesTaken == m_passesGranted); });
}

void MessageQueue::waitUntilAtGate() {
  std::unique_lock lock(m_mutex);
  m_changed.wait(lock, [&] { return !m_gateClosed || (m_waitingAtGate && m_passesTaken == m_passesGranted); });
}

bool MessageQueue::isEmpty() const {
  std::lock_guard lock(m_mutex);
  return m_posted.empty() && m_sent.empty() && !m_quitPosted;
}

}  // namespace wince
