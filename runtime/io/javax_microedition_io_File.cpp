#include "runtime/io/javax_microedition_io_File.h"

#include <cstdio>
#include <string>

#include "runtime/io/InstallPaths.h"
#include "runtime/io/java_io_InputStream.h"
#include "runtime/io/java_io_OutputStream.h"
#include "runtime/lang/String.h"
#include "runtime/object/ObjectFactory.h"
#include "wince/file_io.h"

namespace {

FILE* openPath(String* path, const char* mode) {
  if (path == nullptr) return nullptr;
  std::string bytes;
  bytes.reserve(static_cast<size_t>(path->length()));
  for (int32_t i = 0; i < path->length(); ++i) {
    const char byte = static_cast<char>(path->characters()[i] & 0xFF);
    // A NUL would silently cut the path short in the C library.
    if (byte == '\0') return nullptr;
    bytes += byte;
  }
  return wince::fopen(bytes.c_str(), mode);
}

String* newStringOf(const std::u16string& text) { return newObject<String>(text.c_str()); }

}  // namespace

void javax_microedition_io_File::init(String* path) { m_path = path != nullptr ? path->toLowerCase() : nullptr; }

java_io_InputStream* javax_microedition_io_File::openInputStream() {
  FILE* file = openPath(m_path, "rb");
  return file != nullptr ? java_io_InputStream::overFile(file) : nullptr;
}

java_io_OutputStream* javax_microedition_io_File::openOutputStream() {
  FILE* file = openPath(m_path, "wb+");
  return file != nullptr ? java_io_OutputStream::overFile(file) : nullptr;
}

int32_t javax_microedition_io_File::exists() {
  FILE* file = openPath(m_path, "rb");
  if (file == nullptr) return 0;
  wince::fclose(file);
  return 1;
}

int32_t javax_microedition_io_File::create() {
  FILE* file = openPath(m_path, "w");
  if (file == nullptr) return 0;
  return wince::fclose(file) == 0 ? 1 : 0;
}

int32_t javax_microedition_io_File::fileSize() {
  FILE* file = openPath(m_path, "rb");
  if (file == nullptr) return 0;
  wince::fseek(file, 0, SEEK_END);
  const long size = wince::ftell(file);
  wince::fclose(file);
  return static_cast<int32_t>(size);
}

String* javax_microedition_io_File::getInstallDir() { return newStringOf(installFolder()); }

String* javax_microedition_io_File::getProgramFilesDir() { return newStringOf(programFilesFolder()); }
