#include "platform/javax_microedition_rms/RecordStoreFiles.h"

#include <cstdio>

#include "runtime/lang/String.h"
#include "wince/file_io.h"
#include "wince/file_replace.h"

std::optional<std::u16string> recordStoreDevicePath(String* path) {
  if (path == nullptr) return std::nullopt;
  std::u16string devicePath;
  devicePath.reserve(static_cast<size_t>(path->length()));
  for (int32_t i = 0; i < path->length(); ++i) {
    char16_t c = path->charAt(i);
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
    const auto byte = static_cast<char16_t>(c & 0xFF);
    if (byte == 0) return std::nullopt;
    devicePath += byte;
  }
  return devicePath;
}

namespace {

// Size of an open file by seeking to its end; -1 when that fails.
int64_t sizeOfOpenFile(FILE* file) {
  if (wince::fseek(file, 0, SEEK_END) != 0) return -1;
  const long size = wince::ftell(file);
  if (size < 0 || wince::fseek(file, 0, SEEK_SET) != 0) return -1;
  return size;
}

}  // namespace

WholeFile readWholeDeviceFile(std::u16string_view devicePath, int64_t maxBytes) {
  WholeFile whole;
  FILE* file = wince::fopen(devicePath, "rb");
  if (file == nullptr) return whole;
  whole.size = sizeOfOpenFile(file);
  if (whole.size < 0) {
    whole.state = WholeFile::State::failed;
  } else if (whole.size > maxBytes) {
    whole.state = WholeFile::State::tooLarge;
  } else {
    whole.bytes.resize(static_cast<size_t>(whole.size));
    const size_t read = whole.size > 0 ? wince::fread(whole.bytes.data(), 1, whole.bytes.size(), file) : 0;
    // One byte more would mean the file grew since it was measured.
    uint8_t extra;
    const bool exact = read == whole.bytes.size() && wince::fread(&extra, 1, 1, file) == 0;
    whole.state = exact ? WholeFile::State::read : WholeFile::State::failed;
    if (!exact) whole.bytes.clear();
  }
  wince::fclose(file);
  return whole;
}

int64_t deviceFileSize(std::u16string_view devicePath) {
  FILE* file = wince::fopen(devicePath, "rb");
  if (file == nullptr) return -1;
  const int64_t size = sizeOfOpenFile(file);
  wince::fclose(file);
  return size;
}

bool replaceDeviceFile(std::u16string_view devicePath, std::span<const uint8_t> bytes) {
  return wince::replaceFileAtomically(devicePath, bytes);
}

std::string printableDevicePath(std::u16string_view devicePath) {
  std::string text;
  for (const char16_t c : devicePath) text += c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?';
  return text;
}
