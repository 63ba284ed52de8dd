#pragma once
// Loading libraries by name. The host has none of the device's libraries:
// LoadLibraryW finds only what the process registered, so "ddraw.dll" answers
// nothing unless a test provides one.
#include <string>
#include <utility>
#include <vector>

#include "wince/types.h"

using FARPROC = void (*)();

HMODULE LoadLibraryW(LPCWSTR name);
FARPROC GetProcAddressW(HMODULE module, LPCWSTR procedureName);
BOOL FreeLibrary(HMODULE module);

namespace wince {

// Names compare without ASCII case. Registering a name again replaces it.
void registerLibrary(const std::u16string& name, std::vector<std::pair<std::u16string, FARPROC>> procedures);
void unregisterLibrary(const std::u16string& name);
// Loads minus frees of a registered library.
int libraryLoadCount(const std::u16string& name);

}  // namespace wince
