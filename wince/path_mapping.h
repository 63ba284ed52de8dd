#pragma once
// The device's file system mapped onto host folders. A device path uses
// backslashes (slashes work too) and must lie in one of two folders:
//   \Program Files\Corvanta\Quendrill  reads look in the user's data folder,
//                                      then in the installed folder; writes
//                                      go to the data folder
//   \temp                              a private host folder
// The folder names match without ASCII case; the rest of a path is kept as
// given. "..", control characters and paths outside both folders are refused
// with a log line.
#include <optional>
#include <string>
#include <string_view>

namespace wince {

// The device folders as the runtime names them, without a trailing backslash.
inline constexpr std::u16string_view deviceProgramFilesFolder = u"\\Program Files";
inline constexpr std::u16string_view deviceInstallFolder = u"\\Program Files\\Corvanta\\Quendrill";
inline constexpr std::u16string_view deviceProgramFile = u"\\Program Files\\Corvanta\\Quendrill\\Quendrill.exe";
inline constexpr std::u16string_view deviceTempFolder = u"\\temp";

struct FileSystemFolders {
  std::string installedFolder;  // holds data.bar; never written
  std::string dataFolder;       // the user's files: record stores, log
  std::string tempFolder;       // what \temp maps to
};

// Replaces the mapping; an empty field takes its default:
//   installed: "data" beside the executable, else "../data" from its folder
//   data:      $XDG_DATA_HOME/corvanta, else ~/.local/share/corvanta
//   temp:      a private folder made on first use and removed at exit; one
//              that a killed run left is removed by the next run's first use
void configureFileSystem(const FileSystemFolders& folders);

// The folders in use, defaults resolved. The private temp folder is only
// named here once something has used it.
FileSystemFolders fileSystemFolders();

// The host file a read of the device path opens: the data folder's copy when
// there is one, else the installed folder's. Empty when the path is refused.
std::optional<std::string> hostPathForReading(std::u16string_view devicePath);

// The host file a write (or a delete) of the device path goes to; with
// makeFolder, its host folder is made. Empty when the path is refused or the
// folder cannot be made.
std::optional<std::string> hostPathForWriting(std::u16string_view devicePath, bool makeFolder = true);

// Removes, in the host folder base, the private temp folders that earlier
// runs left when they were killed: quendrill-<pid>-XXXXXX of a process that
// is gone, and an empty quendrill-XXXXXX untouched for an hour. Only real
// folders of this user; answers how many went (logged).
int removeStaleTempFolders(const std::string& base);

// The runtime hands paths over as bytes, one per character (the low 8 bits).
std::u16string widenDevicePath(std::string_view bytes);

}  // namespace wince
