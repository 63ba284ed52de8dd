#pragma once
// The message queue of one thread: posted messages in order, messages sent
// from other threads, and the quit flag.
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

#include "wince/window.h"

namespace wince {

struct QueuedMessage {
  MSG message{};
  // Activation and focus changes that arrive from outside the thread: the
  // queue's thread runs them inside its pump, in order with the input around
  // them, and never returns them to the caller.
  bool dispatchInside = false;
  // The key an input method turned into VK_PROCESSKEY; 0 when none did.
  DWORD imeVirtualKey = 0;
};

class MessageQueue {
 public:
  MessageQueue() : m_owner(std::this_thread::get_id()) {}

  std::thread::id owner() const { return m_owner; }
  bool ownedByCallingThread() const { return m_owner == std::this_thread::get_id(); }

  void post(const QueuedMessage& entry);
  void postQuit(int exitCode);
  // From another thread: queues the call and waits until the owner ran it
  // (or the window went away, answering 0).
  LRESULT sendAndWait(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  // The owner's pump: runs waiting sent calls and in-pump entries, then
  // answers the first matching posted message, or WM_QUIT when nothing else
  // waits. False when nothing is there.
  bool next(MSG* message, HWND filter, UINT filterMin, UINT filterMax, bool remove);
  // The owner waits until something is queued or the time has passed.
  void waitForMessages(int milliseconds);
  // Wakes a waiting owner without queuing anything.
  void wake();
  // Forgets everything addressed to a window that is gone.
  void discardWindow(HWND window);

  // Times the owner found its queue empty; test drivers wait on it.
  uint64_t emptyPolls() const;
  void waitForEmptyPollAfter(uint64_t count);
  bool isEmpty() const;

  // Lock-step: while the gate is closed, each time the owner finds its queue
  // empty it waits there until the driver lets one more pass through.
  void setFrameGate(bool closed);
  // Lets one pass through and waits until the owner is back at the gate.
  void stepThroughGate();
  // Waits until the owner waits at the closed gate, or the gate opens.
  void waitUntilAtGate();

 private:
  struct SentCall {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result = 0;
    bool done = false;
  };

  bool runOneSentCall(std::unique_lock<std::mutex>& lock);

  const std::thread::id m_owner;
  mutable std::mutex m_mutex;
  std::condition_variable m_changed;
  std::deque<QueuedMessage> m_posted;
  std::deque<SentCall*> m_sent;
  bool m_quitPosted = false;
  int m_quitCode = 0;
  uint64_t m_emptyPolls = 0;
  uint64_t m_wakeCount = 0;
  bool m_gateClosed = false;
  bool m_waitingAtGate = false;
  uint64_t m_passesGranted = 0;
  uint64_t m_passesTaken = 0;
};

// The calling thread's queue, made on first use.
std::shared_ptr<MessageQueue> currentThreadQueue();
// The imeVirtualKey of the key message the calling thread took last.
DWORD lastTakenImeVirtualKey();

// Runs a window procedure (defined with the windows).
LRESULT callWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace wince
