#include "runtime/exceptions/ThreadExceptionState.h"

#include <mutex>

namespace {

struct StateList {
  std::mutex lock;
  ThreadExceptionState* first = nullptr;
};

// Never destroyed: threads may end after the static destructors have run.
StateList& stateList() {
  static StateList* list = new StateList;
  return *list;
}

}  // namespace

ThreadExceptionState::ThreadExceptionState() {
  StateList& list = stateList();
  std::lock_guard guard(list.lock);
  next = list.first;
  if (next != nullptr) next->previous = this;
  list.first = this;
}

ThreadExceptionState::~ThreadExceptionState() {
  StateList& list = stateList();
  std::lock_guard guard(list.lock);
  if (previous != nullptr) previous->next = next;
  else list.first = next;
  if (next != nullptr) next->previous = previous;
}

ThreadExceptionState& thisThreadsExceptionState() {
  thread_local ThreadExceptionState state;
  return state;
}

void forEachThreadExceptionState(void (*visit)(ThreadExceptionState& state, void* context), void* context) {
  StateList& list = stateList();
  std::lock_guard guard(list.lock);
  for (ThreadExceptionState* state = list.first; state != nullptr; state = state->next) visit(*state, context);
}
