#pragma once
// The calling thread's last platform error, as the connection calls leave it
// (Connection Manager and HTTP). Kept per thread like the device's.
#include "wince/types.h"

constexpr DWORD ERROR_SUCCESS = 0;
constexpr DWORD ERROR_INVALID_HANDLE = 6;
constexpr DWORD ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr DWORD ERROR_INVALID_PARAMETER = 87;
constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;

DWORD GetLastError();
void SetLastError(DWORD error);
