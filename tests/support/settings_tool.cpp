// Drives a settings repository from a separate process, as a later run of the host would.
//   settings_tool write <repo> int <key> <value>... | chars <key> <text>
//   settings_tool read <repo> int <key> <count> | chars <key> <count>
//   settings_tool hammer <repo> <entries>   save generation after generation until killed
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "VexSettingRepository.h"

namespace {

int Write(VexSettingRepository* repo, int argc, char** argv) {
  std::string kind = argv[3];
  if (kind == "int") {
    std::vector<int> values;
    for (int i = 5; i < argc; ++i) values.push_back(std::atoi(argv[i]));
    repo->WriteSetting(argv[4], values.data(), static_cast<long>(values.size()), 0);
  } else {
    repo->WriteSetting(argv[4], argv[5], static_cast<long>(std::strlen(argv[5])), 0);
  }
  return repo->SaveRepository() == 0 ? 0 : 1;
}

int Read(VexSettingRepository* repo, char** argv) {
  long count = std::atol(argv[5]);
  if (std::string(argv[3]) == "int") {
    std::vector<int> values(static_cast<std::size_t>(count));
    long n = repo->ReadSetting(argv[4], values.data(), count);
    std::printf("%ld", n);
    for (long i = 0; i < n; ++i) std::printf(" %d", values[static_cast<std::size_t>(i)]);
  } else {
    std::vector<char> text(static_cast<std::size_t>(count) + 1, '\0');
    long n = repo->ReadSetting(argv[4], text.data(), count);
    std::printf("%ld %s", n, text.data());
  }
  std::printf("\n");
  return 0;
}

// Each generation rewrites every entry with text that names the generation, so a reader can tell
// a whole generation from a mix of two.
// Generations continue from the stored one, so a reader can also tell that nothing went back.
int Hammer(VexSettingRepository* repo, int entries) {
  int stored = 0;
  repo->ReadSetting("Generation", &stored, 1);
  for (int generation = stored + 1;; ++generation) {
    for (int e = 0; e < entries; ++e) {
      std::string key = "Entry" + std::to_string(e);
      std::string text = "generation " + std::to_string(generation) + " entry " + std::to_string(e) +
                         std::string(static_cast<std::size_t>(e % 7) * 40, 'x');
      repo->WriteSetting(key.c_str(), text.data(), static_cast<long>(text.size()), 0);
    }
    repo->WriteSetting("Generation", &generation, 1, 0);
    if (repo->SaveRepository() != 0) return 1;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) return 2;
  VexSettingRepository* repo = VexSettingRepository::GetRepository(argv[2], 0, 1, nullptr);
  std::string command = argv[1];
  if (command == "write" && argc >= 6) return Write(repo, argc, argv);
  if (command == "read" && argc >= 6) return Read(repo, argv);
  if (command == "hammer") return Hammer(repo, std::atoi(argv[3]));
  return 2;
}
