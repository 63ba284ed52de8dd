#include "wince/file_shell.h"

#include <optional>
#include <string>
#include <string_view>

#include <unistd.h>

#include "wince/log.h"
#include "wince/path_mapping.h"

namespace {

DWORD copyTerminated(std::u16string_view text, LPWSTR buffer, DWORD size) {
  if (!buffer || size == 0) return 0;
  const size_t copied = text.size() < size ? text.size() : size - 1;
  text.copy(buffer, copied);
  buffer[copied] = u'\0';
  return copied < text.size() ? size : DWORD(copied);
}

}  // namespace

DWORD GetModuleFileNameW(HMODULE /*module*/, LPWSTR fileName, DWORD size) {
  return copyTerminated(wince::deviceProgramFile, fileName, size);
}

BOOL SHGetSpecialFolderPath(HWND /*owner*/, LPWSTR path, int folder, BOOL /*create*/) {
  if (!path) return FALSE;
  if (folder != CSIDL_PROGRAM_FILES) {
    logPrintf("SHGetSpecialFolderPath: unknown folder %d\n", folder);
    path[0] = u'\0';
    return FALSE;
  }
  copyTerminated(wince::deviceProgramFilesFolder, path, MAX_PATH);
  return TRUE;
}

BOOL DeleteFileW(LPCWSTR fileName) {
  if (!fileName) return FALSE;
  const std::optional<std::string> hostPath = wince::hostPathForWriting(fileName, false);
  if (!hostPath) return FALSE;
  return unlink(hostPath->c_str()) == 0 ? TRUE : FALSE;
}
