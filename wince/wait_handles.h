#pragma once
// The table behind handle values. Handles and thread ids are numbered from
// one sequence, so a thread id can also be used as a handle to its thread,
// as the runtime does for the UI thread.
#include <memory>

#include "wince/types.h"
#include "wince/wait_object.h"

namespace wince {

// A new handle holding one reference to the object.
HANDLE addHandle(std::shared_ptr<WaitObject> object);

// A fresh non-zero thread id; the thread registers itself under it while it
// lives.
DWORD newThreadId();
void registerThreadId(DWORD threadId, const std::shared_ptr<WaitObject>& thread);
void unregisterThreadId(DWORD threadId);

// The object a handle or a live thread's id names; null when it names none.
std::shared_ptr<WaitObject> findHandle(HANDLE handle);

}  // namespace wince
