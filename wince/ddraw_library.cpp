#include "wince/ddraw_library.h"

#include <algorithm>
#include <mutex>

namespace wince {

namespace {

struct Library {
  std::u16string name;
  std::vector<std::pair<std::u16string, FARPROC>> procedures;
  int loads = 0;
  bool registered = true;
};

struct LibraryTable {
  std::mutex mutex;
  std::vector<Library*> libraries;  // never freed: module handles point here
};

LibraryTable& libraryTable() {
  static LibraryTable* table = new LibraryTable;  // outlives exit() from any thread
  return *table;
}

std::u16string foldCase(std::u16string text) {
  for (char16_t& unit : text)
    if (unit >= u'A' && unit <= u'Z') unit = char16_t(unit - u'A' + u'a');
  return text;
}

// Callers hold the lock.
Library* findLibrary(LibraryTable& table, const std::u16string& name) {
  const std::u16string folded = foldCase(name);
  for (Library* library : table.libraries)
    if (library->registered && library->name == folded) return library;
  return nullptr;
}

Library* liveModule(LibraryTable& table, HMODULE module) {
  for (Library* library : table.libraries)
    if (reinterpret_cast<HMODULE>(library) == module && library->loads > 0) return library;
  return nullptr;
}

}  // namespace

void registerLibrary(const std::u16string& name, std::vector<std::pair<std::u16string, FARPROC>> procedures) {
  LibraryTable& table = libraryTable();
  std::lock_guard lock(table.mutex);
  if (Library* old = findLibrary(table, name)) old->registered = false;
  table.libraries.push_back(new Library{foldCase(name), std::move(procedures)});
}

void unregisterLibrary(const std::u16string& name) {
  LibraryTable& table = libraryTable();
  std::lock_guard lock(table.mutex);
  if (Library* library = findLibrary(table, name)) library->registered = false;
}

int libraryLoadCount(const std::u16string& name) {
  LibraryTable& table = libraryTable();
  std::lock_guard lock(table.mutex);
  Library* library = findLibrary(table, name);
  return library ? library->loads : 0;
}

}  // namespace wince

using namespace wince;

HMODULE LoadLibraryW(LPCWSTR name) {
  if (!name) return nullptr;
  LibraryTable& table = libraryTable();
  std::lock_guard lock(table.mutex);
  Library* library = findLibrary(table, name);
  if (!library) return nullptr;
  ++library->loads;
  return reinterpret_cast<HMODULE>(library);
}

FARPROC GetProcAddressW(HMODULE module, LPCWSTR procedureName) {
  if (!procedureName) return nullptr;
  LibraryTable& table = libraryTable();
  std::lock_guard lock(table.mutex);
  Library* library = liveModule(table, module);
  if (!library) return nullptr;
  for (const auto& [name, procedure] : library->procedures)
    if (name == procedureName) return procedure;
  return nullptr;
}

BOOL FreeLibrary(HMODULE module) {
  LibraryTable& table = libraryTable();
  std::lock_guard lock(table.mutex);
  Library* library = liveModule(table, module);
  if (!library) return FALSE;
  --library->loads;
  return TRUE;
}
