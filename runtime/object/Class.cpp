#include "runtime/object/Class.h"

#include <cstdlib>

#include "runtime/Application.h"
#include "runtime/lang/ArrayChecks.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/lang/String.h"
#include "runtime/object/StaticClass.h"

namespace {

// Objects can be made before a runtime exists (they are then not collected);
// they simply have no records.
StaticClass* currentBlock() {
  Application* application = Application::get();
  return application != nullptr ? application->getStaticClass() : nullptr;
}

}  // namespace

Class* Class::byId(int32_t id) {
  StaticClass* block = currentBlock();
  if (block == nullptr || !isValidClassId(id)) return nullptr;
  return &block->classes[id];
}

Class* Class::forName(String* name) {
  StaticClass* block = currentBlock();
  if (name == nullptr || block == nullptr) return nullptr;
  const int32_t length = name->length();
  for (Class& record : block->classes) {
    int32_t i = 0;
    // The names lie in one run: a record's name ends at its NUL, whatever
    // the requested name holds there.
    for (; i < length && record.m_name[i] != '\0'; ++i) {
      char16_t c = name->charAt(i);
      if (c == u'.') c = u'_';
      if (c != static_cast<unsigned char>(record.m_name[i])) break;
    }
    if (i == length && record.m_name[length] == '\0') return &record;
  }
  return nullptr;
}

void Class::registerRefFields(Object* object, void* const* fieldAddresses, int32_t count) {
  Class* record = getClass(object);
  if (record == nullptr || count <= 0 || __atomic_load_n(&record->m_refFieldOffsets, __ATOMIC_ACQUIRE) != nullptr) return;
  auto* offsets = static_cast<uint32_t*>(std::malloc(sizeof(uint32_t) * static_cast<size_t>(count)));
  if (offsets == nullptr) return;
  const auto* base = reinterpret_cast<const char*>(object);
  for (int32_t i = 0; i < count; ++i) {
    offsets[i] = static_cast<uint32_t>(static_cast<const char*>(fieldAddresses[i]) - base);
  }
  // Two threads making the first objects of a class at once: one table wins.
  uint32_t* expected = nullptr;
  record->m_refFieldCount = static_cast<uint32_t>(count);
  if (!__atomic_compare_exchange_n(&record->m_refFieldOffsets, &expected, offsets, false, __ATOMIC_RELEASE,
                                   __ATOMIC_RELAXED)) {
    std::free(offsets);
  }
}

bool Class::checkRefFieldLayout(Object* object, void* const* fieldAddresses, int32_t count) {
  Class* record = getClass(object);
  if (record == nullptr) return true;
  const uint32_t* offsets = __atomic_load_n(&record->m_refFieldOffsets, __ATOMIC_ACQUIRE);
  bool same;
  if (count == 0) {
    __atomic_store_n(&record->m_madeWithoutRefFields, 1, __ATOMIC_RELAXED);
    same = offsets == nullptr;
  } else {
    same = offsets != nullptr && record->m_refFieldCount == static_cast<uint32_t>(count) &&
           __atomic_load_n(&record->m_madeWithoutRefFields, __ATOMIC_RELAXED) == 0;
    const auto* base = reinterpret_cast<const char*>(object);
    for (int32_t i = 0; same && i < count; ++i) {
      same = offsets[i] == static_cast<uint32_t>(static_cast<const char*>(fieldAddresses[i]) - base);
    }
  }
  if (!same && __atomic_exchange_n(&record->m_layoutDifferenceLogged, 1, __ATOMIC_RELAXED) == 0) {
    debugLog("class %s: objects of two reference-field layouts share its id", record->m_name);
    logFailedCheck("reference fields");
  }
  return same;
}

String* Class::getName() { return newString(m_name); }

int32_t Class::isInstance(Object* object) { return Object::instanceOf(object, static_cast<int32_t>(m_classId)); }

void Class::setUpRecord(int32_t id, const char* name) {
  setUpHeader(classid::Class);
  setCollectable(0);
  m_name = name;
  m_classId = static_cast<uint32_t>(id);
  m_superclassId = superclassIds[id];
  m_refFieldOffsets = nullptr;
  m_refFieldCount = 0;
  m_madeWithoutRefFields = 0;
  m_layoutDifferenceLogged = 0;
}

void Class::releaseRefFields() {
  std::free(m_refFieldOffsets);
  m_refFieldOffsets = nullptr;
  m_refFieldCount = 0;
}
