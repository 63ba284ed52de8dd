#pragma once
// The Enumeration interface view (id 54): a class that implements it derives
// from this data-less base and answers its address for the interface id.
#include <cstdint>

#include "runtime/object/ClassTable.h"

class Object;

class java_util_Enumeration {
 public:
  static constexpr uint16_t classId = classid::java_util_Enumeration;
  virtual bool hasMoreElements() = 0;
  virtual Object* nextElement() = 0;

 protected:
  java_util_Enumeration() = default;
  ~java_util_Enumeration() = default;
};
