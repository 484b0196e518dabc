#include "VexResourceFile.h"

#include <cstdlib>
#include <iostream>
#include <mutex>
#include <optional>
#include <sstream>

#include "VexFileServices.h"

#ifndef VEX_DEFAULT_RESOURCE_PATH
#define VEX_DEFAULT_RESOURCE_PATH ""
#endif

namespace fs = std::filesystem;

namespace {

struct CachedFile {
  fs::file_time_type modified;
  std::uintmax_t size = 0;
  std::shared_ptr<const VexResourceFile> file;
};

struct ResourceState {
  std::mutex mutex;
  std::optional<std::string> searchPath;
  std::map<fs::path, CachedFile> cache;
};

ResourceState& State() {
  static ResourceState state;
  return state;
}

std::string Unescape(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c != '\\' || i + 1 == text.size()) {
      out += c;
      continue;
    }
    char next = text[++i];
    switch (next) {
      case 'n': out += '\n'; break;
      case 't': out += '\t'; break;
      case '\\': out += '\\'; break;
      case '"': out += '"'; break;
      default: out += '\\'; out += next; break;
    }
  }
  return out;
}

bool IsKeyCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
         c == '.';
}

std::string Trim(const std::string& s) {
  std::size_t begin = s.find_first_not_of(" \t\r");
  if (begin == std::string::npos) return {};
  std::size_t end = s.find_last_not_of(" \t\r");
  return s.substr(begin, end - begin + 1);
}

}  // namespace

VexResourceFile VexResourceFile::Parse(const fs::path& path) {
  VexResourceFile file;
  file.path_ = path;
  std::string problem;
  std::optional<std::string> content = VexReadRegularFile(path, &problem);
  if (!content) {
    file.problems_.push_back(path.string() + ": cannot be read (" + problem + ")");
    return file;
  }
  std::istringstream in(*content);
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (number == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
    std::string trimmed = Trim(line);
    if (trimmed.empty() || trimmed[0] == '#') continue;
    std::size_t equals = trimmed.find('=');
    std::string key = Trim(trimmed.substr(0, equals == std::string::npos ? 0 : equals));
    bool keyValid = !key.empty();
    for (char c : key) keyValid = keyValid && IsKeyCharacter(c);
    if (equals == std::string::npos || !keyValid) {
      file.problems_.push_back(path.string() + ":" + std::to_string(number) + ": not an entry");
      continue;
    }
    std::string value = Trim(trimmed.substr(equals + 1));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
      value = value.substr(1, value.size() - 2);
    }
    if (!file.entries_.emplace(key, Unescape(value)).second) {
      file.problems_.push_back(path.string() + ":" + std::to_string(number) + ": key " + key +
                               " repeated");
    }
  }
  return file;
}

std::vector<fs::path> VexResourceFile::SearchPath() {
  std::string list;
  {
    ResourceState& state = State();
    std::lock_guard lock(state.mutex);
    if (state.searchPath) {
      list = *state.searchPath;
    } else if (const char* env = std::getenv("VEX_RESOURCE_PATH"); env && *env) {
      list = env;
    } else {
      list = VEX_DEFAULT_RESOURCE_PATH;
    }
  }
  std::vector<fs::path> folders;
  std::stringstream stream(list);
  std::string folder;
  while (std::getline(stream, folder, ':')) {
    if (!folder.empty()) folders.emplace_back(folder);
  }
  return folders;
}

void VexResourceFile::SetSearchPath(const std::string& colonSeparatedFolders) {
  ResourceState& state = State();
  std::lock_guard lock(state.mutex);
  state.searchPath = colonSeparatedFolders;
}

std::shared_ptr<const VexResourceFile> VexResourceFile::Load(const std::string& fileName) {
  for (const fs::path& folder : SearchPath()) {
    fs::path candidate = folder / fileName;
    std::error_code error;
    if (!fs::is_regular_file(candidate, error)) continue;
    auto modified = fs::last_write_time(candidate, error);
    auto size = fs::file_size(candidate, error);
    ResourceState& state = State();
    std::lock_guard lock(state.mutex);
    CachedFile& cached = state.cache[candidate];
    if (!cached.file || cached.modified != modified || cached.size != size) {
      auto parsed = std::make_shared<VexResourceFile>(Parse(candidate));
      for (const std::string& problem : parsed->GetProblems()) {
        std::cerr << "voltaria: resource problem: " << problem << '\n';
      }
      cached = {modified, size, std::move(parsed)};
    }
    return cached.file;
  }
  return nullptr;
}

std::optional<std::string> VexResourceFile::Find(const std::string& key) const {
  auto found = entries_.find(key);
  if (found == entries_.end()) return std::nullopt;
  return found->second;
}
