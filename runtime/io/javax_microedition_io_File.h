#pragma once
// javax_microedition_io_File (class id 73): a device path, stored
// lower-cased, and the file natives on it. Paths reach the C library as one
// byte per character (the low 8 bits); a path the file system refuses opens
// nothing.
#include "runtime/object/Object.h"

class java_io_InputStream;
class java_io_OutputStream;
class String;

class javax_microedition_io_File : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::javax_microedition_io_File;
  static constexpr auto referenceFields() { return ReferenceFieldList{&javax_microedition_io_File::m_path}; }

  void init() {}
  void init(String* path);

  // Null when the file cannot be opened ("rb").
  java_io_InputStream* openInputStream();
  // Creates or truncates ("wb+"); null when it cannot be opened.
  java_io_OutputStream* openOutputStream();
  int32_t exists();
  // Creates an empty file or truncates one; 1 on success.
  int32_t create();
  // 0 when the file cannot be opened.
  int32_t fileSize();
  static int32_t availableSize() { return 0x7FFFFFFF; }
  static String* getInstallDir();
  static String* getProgramFilesDir();

  String* m_path;
};
