#pragma once
// What each thread keeps for exceptions: its pending exception with the site
// where it was noticed, and its method-name stack. Every thread that touches
// objects gets one on first use; the collector marks every thread's pending
// exception.
#include <cstdint>

class Object;

struct ThreadExceptionState {
  static constexpr uint32_t nameStackSize = 256;

  ThreadExceptionState();
  ~ThreadExceptionState();
  ThreadExceptionState(const ThreadExceptionState&) = delete;
  ThreadExceptionState& operator=(const ThreadExceptionState&) = delete;

  Object* pending = nullptr;
  uint32_t pendingSite = 0;
  const char* nameStack[nameStackSize] = {};
  uint32_t nameDepth = 0;

  // The list of every live thread's state.
  ThreadExceptionState* next = nullptr;
  ThreadExceptionState* previous = nullptr;
};

ThreadExceptionState& thisThreadsExceptionState();

// Calls visit for every live thread's state, under the list's lock. The
// states of threads other than the caller are only safe to read while those
// threads stand still (the world is stopped).
void forEachThreadExceptionState(void (*visit)(ThreadExceptionState& state, void* context), void* context);
