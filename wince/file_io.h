#pragma once
// The C library's buffered files, opened by device path: the calls the
// runtime's file natives make. Reading modes ("r", "rb") look in the user's
// data folder first, then in the installed folder; every mode that writes
// ("w", "wb", "wb+", "a", "r+", ...) works in the data folder, so the
// installed files are never changed. The other calls pass through to the
// host's, counting writes and closes for injected failures.
#include <cstddef>
#include <cstdio>
#include <string_view>

namespace wince {

// Null when the path is refused, the mode is not a C-library mode or the
// file cannot be opened. Only regular files open (a FIFO, a device or a
// folder is refused without waiting), and "w" empties a file only then.
FILE* fopen(const char* devicePath, const char* mode);
FILE* fopen(std::u16string_view devicePath, const char* mode);

size_t fread(void* buffer, size_t size, size_t count, FILE* file);
size_t fwrite(const void* buffer, size_t size, size_t count, FILE* file);
int fseek(FILE* file, long offset, int origin);
long ftell(FILE* file);
int fflush(FILE* file);
// Always releases the file, also when it reports a failure (EOF).
int fclose(FILE* file);

// Files opened by fopen and not yet closed, so that tests can show a caller
// closes what it opens.
int openFileCount();

}  // namespace wince
