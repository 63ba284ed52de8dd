#include "runtime/io/InstallPaths.h"

#include "wince/file_shell.h"

std::u16string programFilesFolder() {
  WCHAR buffer[MAX_PATH] = {};
  if (!SHGetSpecialFolderPath(nullptr, buffer, CSIDL_PROGRAM_FILES, 0)) return std::u16string();
  buffer[MAX_PATH - 1] = 0;
  return std::u16string(buffer);
}

std::u16string installFolder() { return programFilesFolder() + u"\\Corvanta\\Quendrill"; }

std::u16string archivePath() { return installFolder() + u"\\data.bar"; }
