// The plain driver: feeds each file of the given files and folders to the harness's entry point
// once, as libFuzzer does with a corpus and -runs=0, so that the seed corpus runs as a test in
// any build and with any compiler. Arguments starting with '-' (libFuzzer's options) are ignored.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace fs = std::filesystem;

namespace {

void RunOne(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
  int inputs = 0;
  for (int i = 1; i < argc; ++i) {
    std::string argument = argv[i];
    if (argument.empty() || argument[0] == '-') continue;
    fs::path path(argument);
    std::vector<fs::path> files;
    if (fs::is_directory(path)) {
      for (const auto& entry : fs::directory_iterator(path)) {
        if (entry.is_regular_file()) files.push_back(entry.path());
      }
      std::sort(files.begin(), files.end());
    } else {
      files.push_back(path);
    }
    for (const fs::path& file : files) {
      RunOne(file);
      ++inputs;
    }
  }
  std::printf("%d inputs run without a finding\n", inputs);
  // A corpus that went missing must not pass as a corpus that passed.
  return inputs > 0 ? 0 : 1;
}
