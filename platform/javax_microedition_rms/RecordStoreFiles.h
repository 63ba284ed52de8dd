#pragma once
// The files of a record store by device path. Reads go through the C
// library's files (the user's data folder first, then the installed one);
// every write replaces the whole file atomically, so that a crash, a power
// cut or a full disk leaves the old or the new contents, never a mix.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class String;

// The device path that a File made for path opens: ASCII letters
// lower-cased, then each character's low 8 bits. Empty when the path holds a
// character whose low byte is 0 (the C library would cut the path there).
std::optional<std::u16string> recordStoreDevicePath(String* path);

struct WholeFile {
  enum class State { missing, read, tooLarge, failed };
  State state = State::missing;
  int64_t size = -1;  // known for read and tooLarge
  std::vector<uint8_t> bytes;
};

// The whole file when it holds at most maxBytes; the size is measured first
// and the read must deliver exactly that many bytes.
WholeFile readWholeDeviceFile(std::u16string_view devicePath, int64_t maxBytes);

// -1 when the file cannot be opened.
int64_t deviceFileSize(std::u16string_view devicePath);

// False (logged by the file layer) when the file could not be replaced; its
// old contents are then unchanged.
bool replaceDeviceFile(std::u16string_view devicePath, std::span<const uint8_t> bytes);

// Printable form of a device path for log lines.
std::string printableDevicePath(std::u16string_view devicePath);
