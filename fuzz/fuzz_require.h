#pragma once
// A property a target checks on every input: a failure stops the run where
// libFuzzer can report it with the input that broke it.

inline void require(bool condition) {
  if (!condition) __builtin_trap();
}
