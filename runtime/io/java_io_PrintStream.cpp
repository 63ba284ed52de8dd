#include "runtime/io/java_io_PrintStream.h"

#include "runtime/Application.h"
#include "runtime/LiteralIds.h"
#include "runtime/io/StreamRanges.h"
#include "runtime/lang/NumberText.h"
#include "runtime/lang/String.h"
#include "runtime/literals/StringLiteralPool.h"

namespace {

// What the wrapped stream raised as an IOException goes no further.
void dropIOException() {
  Application* application = Application::get();
  if (application == nullptr) return;
  Object* pending = application->getPending();
  if (pending != nullptr && Object::instanceOf(pending, classid::java_io_IOException) != 0) application->m_pending = nullptr;
}

}  // namespace

void java_io_PrintStream::close() {
  if (streamPresent(m_out)) m_out->close();
  dropIOException();
}

void java_io_PrintStream::flush() {
  if (streamPresent(m_out)) m_out->flush();
  dropIOException();
}

void java_io_PrintStream::write(int32_t b) {
  if (streamPresent(m_out)) m_out->write(b);
  dropIOException();
}

void java_io_PrintStream::write(ByteArray* b, int32_t off, int32_t len) {
  if (streamPresent(m_out)) m_out->write(b, off, len);
  dropIOException();
}

void java_io_PrintStream::write(ByteArray* b) {
  if (streamPresent(b)) write(b, 0, b->length());
}

void java_io_PrintStream::print(char16_t c) { write(c); }

void java_io_PrintStream::print(CharArray* s) {
  if (!streamPresent(s)) return;
  for (int32_t i = 0; i < s->length(); ++i) write(s->elements()[i]);
}

void java_io_PrintStream::print(String* s) {
  if (!streamPresent(m_out)) return;
  // As StringBuffer.append does: a null text reads "null".
  if (s == nullptr) s = newString("null");
  if (s == nullptr) return;
  m_out->write(s->getBytes());
  dropIOException();
}

void java_io_PrintStream::print(Object* o) { print(o != nullptr ? o->toString() : nullptr); }

void java_io_PrintStream::print(bool b) {
  print(stringLiteral(static_cast<int32_t>(b ? LiteralId::trueText : LiteralId::falseText)));
}

void java_io_PrintStream::print(int32_t i) { print(intToText(i)); }

void java_io_PrintStream::print(int64_t l) { print(longToText(l)); }

void java_io_PrintStream::println() { write(10); }

void java_io_PrintStream::println(char16_t c) { print(c), println(); }
void java_io_PrintStream::println(String* s) { print(s), println(); }
void java_io_PrintStream::println(Object* o) { print(o), println(); }
void java_io_PrintStream::println(bool b) { print(b), println(); }
void java_io_PrintStream::println(int32_t i) { print(i), println(); }
