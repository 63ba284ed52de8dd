#pragma once
// The stand-ins of parts that land later report each call here and take
// their answer from here, so a test can see which of them a frame reached
// and choose what they say. Without a hook each stand-in gives its default.
// Game thread only.
#include <cstdint>

// Called with the stand-in's name and its value (the default answer of a
// query, the argument that matters of an action); returns the answer.
using StandInHook = int32_t (*)(const char* name, int32_t value);

StandInHook& standInHook();

// Reports the call; the hook's answer, or value without a hook.
inline int32_t standIn(const char* name, int32_t value = 0) {
  StandInHook hook = standInHook();
  return hook != nullptr ? hook(name, value) : value;
}
