#pragma once
// java_lang_Throwable (class id 49): the root of everything that is thrown. A
// throw never unwinds the native stack: Application::throwPending stores the
// object as the thread's pending exception and the thrower returns.
#include <cstdint>

#include "runtime/object/Object.h"

class String;

class java_lang_Throwable : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::java_lang_Throwable;
  static constexpr auto referenceFields() {
    return ReferenceFieldList{&java_lang_Throwable::m_message, &java_lang_Throwable::m_trace};
  }

  // The no-argument constructor: the message is string literal 1.
  void init();
  // The message may be null.
  void init(String* message);

  // Both answer the message as it is (no class name added; may be null).
  String* getMessage() { return m_message; }
  String* toString() override;
  // The trace on System's err stream (a never thrown exception prints its
  // null trace as "null"), then a line feed to err's own stream. Nothing
  // before System's class initialiser has made err.
  void printStackTrace();

  String* m_message;
  // The stack-trace text, stored when the object is thrown.
  String* m_trace;
};

// Entry index of the string-literal pool, or null when the pool is not
// loaded or has no such entry.
String* literalOrNull(int32_t index);
