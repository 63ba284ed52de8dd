// Feeds every file of the folders and files named on the command line to the
// fuzz target once, for compilers without libFuzzer; libFuzzer's flags
// (-name=value) are passed over. Fails when nothing was fed, so that a
// missing corpus does not pass unnoticed.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int* argumentCount, char*** arguments);
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

void feed(const std::filesystem::path& file) {
  std::ifstream stream(file, std::ios::binary);
  const std::vector<char> bytes((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
  LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

}  // namespace

int main(int argumentCount, char** arguments) {
  LLVMFuzzerInitialize(&argumentCount, &arguments);
  int fed = 0;
  for (int i = 1; i < argumentCount; ++i) {
    if (arguments[i][0] == '-') continue;
    const std::filesystem::path path(arguments[i]);
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
      for (const auto& entry : std::filesystem::directory_iterator(path)) {
        if (!entry.is_regular_file()) continue;
        feed(entry.path());
        ++fed;
      }
    } else if (std::filesystem::is_regular_file(path, error)) {
      feed(path);
      ++fed;
    }
  }
  std::printf("replayed %d inputs\n", fed);
  return fed > 0 ? 0 : 1;
}
