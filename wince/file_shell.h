#pragma once
// The module, shell and file calls the runtime uses to find its folders and
// to remove files, declared with the platform's names and wide strings.
#include "wince/types.h"

constexpr DWORD MAX_PATH = 260;
constexpr int CSIDL_PROGRAM_FILES = 38;

// The program's device path (\Program Files\Corvanta\Quendrill\Quendrill.exe)
// into a buffer of size characters. Returns the characters copied without the
// terminator; a path that does not fit is cut, still terminated, and size is
// returned. The module is ignored: there is one program.
DWORD GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size);

// The device path of a special folder into path, which holds MAX_PATH
// characters. Only CSIDL_PROGRAM_FILES is known; the folder always exists, so
// create changes nothing.
BOOL SHGetSpecialFolderPath(HWND owner, LPWSTR path, int folder, BOOL create);

// Removes a file from the user's data folder (or \temp). Installed files
// cannot be removed: FALSE.
BOOL DeleteFileW(LPCWSTR fileName);
