#include "runtime/exceptions/java_lang_Throwable.h"

#include "runtime/Application.h"
#include "runtime/LiteralIds.h"
#include "runtime/io/java_io_PrintStream.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/lang/String.h"
#include "runtime/object/StaticClass.h"

String* literalOrNull(int32_t index) {
  Application* application = Application::get();
  StaticClass* block = application != nullptr ? application->getStaticClass() : nullptr;
  ObjectArray* pool = block != nullptr ? block->literalPool : nullptr;
  if (pool == nullptr || index < 0 || index >= pool->length()) return nullptr;
  Object* entry = pool->get(index);
  return Object::instanceOf(entry, classid::String) != 0 ? static_cast<String*>(entry) : nullptr;
}

void java_lang_Throwable::init() { m_message = literalOrNull(static_cast<int32_t>(LiteralId::emptyText)); }

void java_lang_Throwable::init(String* message) { m_message = message; }

String* java_lang_Throwable::toString() { return m_message; }

void java_lang_Throwable::printStackTrace() {
  StaticClass* block = Application::get() != nullptr ? Application::get()->getStaticClass() : nullptr;
  java_io_PrintStream* err = block != nullptr ? block->java_lang_System.err : nullptr;
  if (err == nullptr) return;
  err->print(m_trace);
  if (Application::get()->getPending() != nullptr) return;
  if (err->m_out != nullptr) err->m_out->write(10);
}
