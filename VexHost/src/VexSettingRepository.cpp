#include "VexSettingRepository.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <optional>
#include <set>
#include <sstream>
#include <string_view>

#include "VexDocument.h"
#include "VexFileServices.h"
#include "VexFrmEditor.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kHeader = "VexSettings 1";

// Keyed by folder and name.
std::map<std::pair<fs::path, std::string>, std::unique_ptr<VexSettingRepository>>& Repositories() {
  static std::map<std::pair<fs::path, std::string>, std::unique_ptr<VexSettingRepository>> repositories;
  return repositories;
}

std::set<std::string>& PerDocumentNames() {
  static std::set<std::string> names;
  return names;
}

// FNV-1a: stable across builds and platforms, unlike std::hash.
std::uint64_t Fnv1a64(const std::string& bytes) {
  std::uint64_t hash = 0xcbf29ce484222325ull;
  for (unsigned char byte : bytes) {
    hash ^= byte;
    hash *= 0x100000001b3ull;
  }
  return hash;
}

// The readable part of a document's folder name: its file name, kept to letters, digits, '.',
// '-' and '_', and short, so that any document gives a portable folder name.
std::string ReadableName(const fs::path& document) {
  std::string name;
  for (char c : document.filename().string()) {
    bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                 c == '.' || c == '-' || c == '_';
    name += plain ? c : '_';
    if (name.size() == 40) break;
  }
  return name;
}

std::uint32_t Crc32(const std::string& data) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t i = 0; i < 256; ++i) {
      std::uint32_t c = i;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[i] = c;
    }
    return t;
  }();
  std::uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char byte : data) crc = table[(crc ^ byte) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

// Blanks, controls, '%' and line ends are escaped so that every value stays on one line;
// other bytes, non-ASCII letters of paths included, are written as they are.
std::string Escape(const std::string& bytes) {
  static const char* hex = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    if (c <= 0x20 || c == '%' || c == 0x7F) {
      out += '%';
      out += hex[c >> 4];
      out += hex[c & 0xF];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

bool Unescape(const std::string& text, std::string& out) {
  out.clear();
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    if (i + 2 >= text.size()) return false;
    unsigned value = 0;
    for (int k = 1; k <= 2; ++k) {
      char h = text[i + k];
      value <<= 4;
      if (h >= '0' && h <= '9') value |= h - '0';
      else if (h >= 'A' && h <= 'F') value |= h - 'A' + 10;
      else return false;
    }
    out += static_cast<char>(value);
    i += 2;
  }
  return true;
}

struct KeyNumber {
  long value;
  std::size_t digits;
};

// The decimal number that ends `key` ("FilePath12" -> 12), written without a leading zero and
// small enough for a long; nothing otherwise.
std::optional<KeyNumber> TrailingNumber(const std::string& key) {
  std::size_t digits = 0;
  while (digits < key.size() && std::isdigit(static_cast<unsigned char>(key[key.size() - 1 - digits]))) {
    ++digits;
  }
  const std::size_t start = key.size() - digits;
  if (digits == 0 || digits > 18 || key[start] == '0') return std::nullopt;
  return KeyNumber{std::stol(key.substr(start)), digits};
}

bool WriteAll(int fd, const std::string& data) {
  std::size_t written = 0;
  while (written < data.size()) {
    ssize_t n = ::write(fd, data.data() + written, data.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    written += static_cast<std::size_t>(n);
  }
  return true;
}

// Temporary files of saves that were killed midway; their owner is gone, so nobody will rename them.
void RemoveAbandonedTemporaries(const fs::path& folder, const std::string& targetName) {
  std::string prefix = "." + targetName + ".tmp-";
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    std::string name = entry.path().filename().string();
    if (name.rfind(prefix, 0) != 0) continue;
    pid_t owner = static_cast<pid_t>(std::atol(name.c_str() + prefix.size()));
    if (owner > 0 && owner != ::getpid() && ::kill(owner, 0) != 0 && errno == ESRCH) {
      fs::remove(entry.path(), error);
    }
  }
}

// Settings hold paths, so a folder made for them is private; a folder that exists keeps the
// mode its owner gave it (a shared 1777 folder keeps its sticky bit). False, with the reason, when
// the path is not a folder or cannot be made.
bool PrepareFolder(const fs::path& folder, std::string& problem) {
  std::error_code error;
  const fs::file_status status = fs::status(folder, error);
  if (fs::exists(status)) {
    if (fs::is_directory(status)) return true;
    problem = "it is not a folder";
    return false;
  }
  if (!folder.has_parent_path() || folder.parent_path() == folder ||
      PrepareFolder(folder.parent_path(), problem)) {
    if (::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST) return true;
    problem = std::strerror(errno);
  }
  return false;
}

bool SyncFolder(const fs::path& folder) {
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = ::fsync(fd) == 0;
  ::close(fd);
  return ok;
}

}  // namespace

fs::path VexSettingRepository::GetSettingsDirectory() {
  if (const char* dir = std::getenv("VEX_SETTINGS_DIR"); dir && *dir) return dir;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) return fs::path(xdg) / "voltaria";
  const char* home = std::getenv("HOME");
  return fs::path(home && *home ? home : ".") / ".config" / "voltaria";
}

fs::path VexSettingRepository::GetDocumentFolder(const fs::path& document) {
  std::error_code error;
  fs::path canonical = fs::weakly_canonical(fs::absolute(document, error), error);
  if (canonical.empty()) canonical = fs::absolute(document, error).lexically_normal();
  char hash[17];
  std::snprintf(hash, sizeof hash, "%016llx",
                static_cast<unsigned long long>(Fnv1a64(canonical.string())));
  return fs::path("plants") / (ReadableName(canonical) + "-" + hash);
}

void VexSettingRepository::KeepPerDocument(const char* name) {
  if (name && *name) PerDocumentNames().insert(name);
}

VexSettingRepository* VexSettingRepository::Find(const std::string& name, const fs::path& folder,
                                                 int access) {
  if (name.empty()) return nullptr;
  auto& repositories = Repositories();
  auto key = std::make_pair(folder, name);
  auto found = repositories.find(key);
  if (found != repositories.end()) return found->second.get();
  std::unique_ptr<VexSettingRepository> repository(new VexSettingRepository(name, folder, access));
  repository->Load();
  return repositories.emplace(key, std::move(repository)).first->second.get();
}

VexSettingRepository* VexSettingRepository::GetRepository(const char* name, int, int access,
                                                          void*) {
  if (!name || !*name) return nullptr;
  if (!PerDocumentNames().count(name)) return Find(name, fs::path(), access);
  VexFrmEditor* editor = VexFrmEditor::GetCurrentEditor();
  VexDocument* document = editor ? editor->GetDocument() : nullptr;
  if (!document) return nullptr;
  return GetDocumentRepository(name, fs::path(document->GetPath().str()), access);
}

VexSettingRepository* VexSettingRepository::GetDocumentRepository(const char* name,
                                                                  const fs::path& document,
                                                                  int access) {
  return Find(name ? name : "", GetDocumentFolder(document), access);
}

void VexSettingRepository::ForgetLoadedRepositories() { Repositories().clear(); }

VexSettingRepository::VexSettingRepository(std::string name, fs::path folder, int access)
    : name_(std::move(name)), folder_(std::move(folder)), access_(access) {}

fs::path VexSettingRepository::GetFolder() const {
  return folder_.empty() ? GetSettingsDirectory() : GetSettingsDirectory() / folder_;
}

fs::path VexSettingRepository::GetFilePath() const { return GetFolder() / (name_ + ".settings"); }

void VexSettingRepository::SetAside(const std::string& problem) {
  fs::path file = GetFilePath();
  fs::path aside = VexUnusedTimeStampedPath(fs::path(file) += ".corrupt-");
  std::error_code error;
  fs::rename(file, aside, error);
  loadReport_ = "settings repository \"" + name_ + "\": " + file.string() + " " + problem +
                (error ? "; it could not be set aside (" + error.message() + ")"
                       : "; it was set aside as " + aside.string()) +
                " and the repository starts empty";
  std::cerr << "voltaria: " << loadReport_ << '\n';
  Clear();
}

void VexSettingRepository::Clear() {
  order_.clear();
  values_.clear();
  highestNumbers_.clear();
}

void VexSettingRepository::Load() {
  fs::path file = GetFilePath();
  std::error_code error;
  fs::file_status status = fs::symlink_status(file, error);
  if (!fs::exists(status)) return;
  if (!fs::is_regular_file(fs::status(file, error))) {
    SetAside("is not a regular file");
    return;
  }
  std::string problem;
  std::optional<std::string> content = VexReadRegularFile(file, &problem);
  if (!content) {
    SetAside("cannot be read (" + problem + ")");
    return;
  }
  const std::string& text = *content;

  std::size_t endLine = text.rfind("\nend ");
  if (text.rfind(kHeader, 0) != 0 || endLine == std::string::npos) {
    SetAside("is incomplete or not a settings file");
    return;
  }
  // The trailer must be exactly what Serialize writes for this body: anything cut off or
  // changed after the last entry is caught here.
  std::string body = text.substr(0, endLine + 1);
  std::string trailer = text.substr(endLine + 1);
  std::size_t expectedEntries = 0;
  std::sscanf(trailer.c_str(), "end %zu", &expectedEntries);
  char expectedTrailer[64];
  std::snprintf(expectedTrailer, sizeof expectedTrailer, "end %zu %08x\n", expectedEntries,
                Crc32(body));
  if (trailer != expectedTrailer) {
    SetAside("fails its checksum (truncated or changed)");
    return;
  }

  std::istringstream lines(body);
  std::string line;
  std::getline(lines, line);  // header
  while (std::getline(lines, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string kind, escapedKey, key;
    long count = -1;
    fields >> kind >> escapedKey >> count;
    if (!Unescape(escapedKey, key) || key.empty() || count < 0 || (kind != "i" && kind != "c")) {
      SetAside("has an unreadable entry");
      return;
    }
    Value value;
    if (kind == "i") {
      for (long i = 0; i < count; ++i) {
        long v = 0;
        if (!(fields >> v)) {
          SetAside("has an unreadable entry");
          return;
        }
        value.integers.push_back(static_cast<int>(v));
      }
    } else {
      std::string escaped;
      fields >> escaped;
      if (escaped.empty() || escaped[0] != ':' || !Unescape(escaped.substr(1), value.bytes) ||
          static_cast<long>(value.bytes.size()) != count) {
        SetAside("has an unreadable entry");
        return;
      }
      value.isText = true;
    }
    Remember(key, std::move(value));
  }
  if (values_.size() != expectedEntries) SetAside("does not hold the entries it announces");
}

long VexSettingRepository::ReadSetting(const char* key, int* values, long count) {
  auto found = values_.find(key ? key : "");
  if (found == values_.end() || found->second.isText || !values || count <= 0) return 0;
  const std::vector<int>& stored = found->second.integers;
  long n = std::min<long>(count, static_cast<long>(stored.size()));
  std::copy_n(stored.begin(), n, values);
  return n;
}

long VexSettingRepository::ReadSetting(const char* key, char* values, long count) {
  auto found = values_.find(key ? key : "");
  if (found == values_.end() || !found->second.isText || !values || count <= 0) return 0;
  const std::string& stored = found->second.bytes;
  long n = std::min<long>(count, static_cast<long>(stored.size()));
  std::memcpy(values, stored.data(), static_cast<std::size_t>(n));
  return n;
}

void VexSettingRepository::Store(const char* key, Value value) {
  std::string name = key ? key : "";
  if (name.empty()) return;
  Remember(name, std::move(value));
  if (writeObserver_) writeObserver_(name);
}

void VexSettingRepository::Remember(const std::string& key, Value value) {
  if (!values_.count(key)) {
    order_.push_back(key);
    if (auto number = TrailingNumber(key)) {
      long& highest = highestNumbers_[key.substr(0, key.size() - number->digits)];
      highest = std::max(highest, number->value);
    }
  }
  values_[key] = std::move(value);
}

long VexSettingRepository::GetHighestEntryNumber(const char* prefix) const {
  auto found = highestNumbers_.find(std::string_view(prefix ? prefix : ""));
  return found == highestNumbers_.end() ? 0 : found->second;
}

long VexSettingRepository::WriteSetting(const char* key, int* values, long count, int) {
  if (!values || count < 0) return 0;
  Value value;
  value.integers.assign(values, values + count);
  Store(key, std::move(value));
  return count;
}

long VexSettingRepository::WriteSetting(const char* key, char* values, long count, int) {
  if (!values || count < 0) return 0;
  Value value;
  value.isText = true;
  value.bytes.assign(values, static_cast<std::size_t>(count));
  Store(key, std::move(value));
  return count;
}

std::vector<std::string> VexSettingRepository::GetKeys() const { return order_; }

std::string VexSettingRepository::Serialize() const {
  std::string body = std::string(kHeader) + " " + Escape(name_) + "\n";
  body += "# Voltaria settings, written by the program; a hand edit breaks the checksum.\n";
  for (const std::string& key : order_) {
    const Value& value = values_.at(key);
    if (value.isText) {
      body += "c " + Escape(key) + " " + std::to_string(value.bytes.size()) + " :" +
              Escape(value.bytes) + "\n";
    } else {
      body += "i " + Escape(key) + " " + std::to_string(value.integers.size());
      for (int v : value.integers) body += " " + std::to_string(v);
      body += "\n";
    }
  }
  char trailer[64];
  std::snprintf(trailer, sizeof trailer, "end %zu %08x\n", values_.size(), Crc32(body));
  return body + trailer;
}

int VexSettingRepository::SaveRepository(const char* name) {
  if (access_ == 0) {
    std::cerr << "voltaria: settings repository \"" << name_ << "\" is read-only; not saved\n";
    return -1;
  }
  fs::path folder = GetFolder();
  fs::path target = folder / ((name && *name ? std::string(name) : name_) + ".settings");
  if (std::string problem; !PrepareFolder(folder, problem)) {
    std::cerr << "voltaria: settings repository \"" << name_ << "\" could not be saved: "
              << folder << " cannot hold settings (" << problem << ")\n";
    return -1;
  }

  static int counter = 0;
  fs::path temporary = folder / ("." + target.filename().string() + ".tmp-" +
                                 std::to_string(::getpid()) + "-" + std::to_string(++counter));
  std::string data = Serialize();
  int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  bool ok = fd >= 0 && WriteAll(fd, data) && ::fsync(fd) == 0;
  if (fd >= 0) ok = (::close(fd) == 0) && ok;
  ok = ok && ::rename(temporary.c_str(), target.c_str()) == 0;
  if (!ok) {
    std::cerr << "voltaria: settings repository \"" << name_ << "\" could not be saved to "
              << target << ": " << std::strerror(errno) << '\n';
    ::unlink(temporary.c_str());
    return -1;
  }
  SyncFolder(folder);
  RemoveAbandonedTemporaries(folder, target.filename().string());
  return 0;
}
