#pragma once
// The two folders every device path is built from, asked of the shell each
// time: the Program Files folder and the install folder under it, both
// without a trailing backslash.
#include <string>

std::u16string programFilesFolder();
// The Program Files folder followed by "\Corvanta\Quendrill".
std::u16string installFolder();
// The install folder followed by "\data.bar".
std::u16string archivePath();
