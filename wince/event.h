#pragma once
// Events: manual-reset ones stay signalled until reset and release every
// waiter; auto-reset ones release one waiter and reset themselves.
#include "wince/types.h"

constexpr DWORD EVENT_RESET = 2;
constexpr DWORD EVENT_SET = 3;

// Unnamed events only; attributes are ignored. Null on failure.
HANDLE CreateEvent(void* attributes, BOOL manualReset, BOOL initialState, LPCWSTR name);
// operation is EVENT_SET or EVENT_RESET.
BOOL EventModify(HANDLE event, DWORD operation);
inline BOOL SetEvent(HANDLE event) { return EventModify(event, EVENT_SET); }
inline BOOL ResetEvent(HANDLE event) { return EventModify(event, EVENT_RESET); }
