#pragma once
// The runtime's own diagnostics: one printf-style line on standard output.

// Formats into a 1,024-byte buffer (longer texts are cut) and writes it
// followed by "\n".
void debugLog(const char* format, ...) __attribute__((format(printf, 1, 2)));
