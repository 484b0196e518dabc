// The settings repository: load whatever file lies in the settings folder, and when it loads
// whole, save it and load it again: the second load must be clean and hold the same entries, and
// the highest entry numbers must agree with the keys held.
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "VexSettingRepository.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kName = "Fuzz";

struct Snapshot {
  std::vector<std::string> keys;
  std::map<std::string, std::vector<int>> integers;
  std::map<std::string, std::string> texts;
  bool operator==(const Snapshot&) const = default;
};

Snapshot Take(VexSettingRepository& repository) {
  Snapshot snapshot;
  snapshot.keys = repository.GetKeys();
  for (const std::string& key : snapshot.keys) {
    std::vector<int> values(64);
    long n = repository.ReadSetting(key.c_str(), values.data(), static_cast<long>(values.size()));
    if (n > 0) {
      values.resize(static_cast<std::size_t>(n));
      snapshot.integers[key] = values;
    }
    std::string text(256, '\0');
    n = repository.ReadSetting(key.c_str(), text.data(), static_cast<long>(text.size()));
    if (n > 0) snapshot.texts[key] = text.substr(0, static_cast<std::size_t>(n));
  }
  return snapshot;
}

// Every key "<prefix><n>" must lie at or below the highest number answered for its prefix.
void CheckHighestNumbers(const VexSettingRepository& repository) {
  for (const std::string& key : repository.GetKeys()) {
    std::size_t start = key.find_last_not_of("0123456789") + 1;
    if (start == 0 || start >= key.size() || key[start] == '0' || key.size() - start > 9) continue;
    long number = std::atol(key.c_str() + start);
    if (repository.GetHighestEntryNumber(key.substr(0, start).c_str()) < number) {
      FuzzFinding("a numbered key lies above the highest entry number of its prefix");
    }
  }
}

VexSettingRepository& Reload() {
  VexSettingRepository::ForgetLoadedRepositories();
  return *VexSettingRepository::GetRepository(kName, 0, 1, nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool configured = [] {
    ::setenv("VEX_SETTINGS_DIR", FuzzFolder().c_str(), 1);
    return true;
  }();
  (void)configured;
  QuietStandardError quiet;
  // Files set aside by earlier inputs would pile up and slow the search for a fresh name.
  for (const auto& entry : fs::directory_iterator(FuzzFolder())) fs::remove_all(entry.path());
  WriteFuzzInput(std::string(kName) + ".settings", data, size);

  VexSettingRepository& loaded = Reload();
  CheckHighestNumbers(loaded);
  if (!loaded.GetLoadReport().empty()) return 0;
  const Snapshot before = Take(loaded);
  if (loaded.SaveRepository() != 0) FuzzFinding("a repository that loaded whole cannot be saved");

  VexSettingRepository& again = Reload();
  if (!again.GetLoadReport().empty()) FuzzFinding("a saved repository does not load back whole");
  if (!(Take(again) == before)) FuzzFinding("a saved repository loads back different entries");
  return 0;
}
