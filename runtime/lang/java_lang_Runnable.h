#pragma once
// The Runnable interface view: a class that implements it derives from this
// data-less base, and its interface lookup for id 43 answers the address of
// that base inside the object.
#include <cstdint>

#include "runtime/object/ClassTable.h"

class java_lang_Runnable {
 public:
  static constexpr uint16_t classId = classid::java_lang_Runnable;
  virtual void run() = 0;

 protected:
  java_lang_Runnable() = default;
  ~java_lang_Runnable() = default;
};
