#pragma once
// Persistent user preferences, one repository per name.
//
// Each repository is one file "<name>.settings" in the settings folder: VEX_SETTINGS_DIR, else
// $XDG_CONFIG_HOME/voltaria, else ~/.config/voltaria. The file is private to the user (mode
// 0600). Saving replaces it atomically (a temporary file in the same folder is written, synced and
// renamed over it, then the folder is synced), so a crash leaves the old or the new file, never a
// mix. A file that cannot be read back whole (truncated, corrupt, a folder in its place) never
// stops the host: it is renamed aside with the suffix ".corrupt-<time>", reported on standard
// error and in GetLoadReport(), and the repository opens empty.
//
// Some repositories belong to a plant document rather than to the user (KeepPerDocument): each
// document then has its own, in the folder GetDocumentFolder gives, under the settings folder and
// keyed by the document's canonical absolute path, so a copied or moved document never opens the
// settings of another. The host's own repositories stay at the top of the settings folder.
//
// Within a process there is one repository object per name and folder; values live in memory
// until SaveRepository writes them.

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class VexSettingRepository {
 public:
  /// The repository `name`, loaded from disk on first use. `access` 0 reads only; any other value
  /// also allows saving. The second argument and the controller are reserved.
  /// A repository kept per document is the one of the current editor's document; without a
  /// current document there is none (null).
  static VexSettingRepository* GetRepository(const char* name, int reserved, int access,
                                             void* controller);
  /// The repository `name` of the plant document at `document`, whether or not `name` is kept
  /// per document.
  static VexSettingRepository* GetDocumentRepository(const char* name,
                                                     const std::filesystem::path& document,
                                                     int access);
  /// From now on, GetRepository(name) answers the current document's repository.
  static void KeepPerDocument(const char* name);
  /// The folder of the per-document repositories of `document`, relative to the settings folder:
  /// "plants/<file name>-<16 hex digits>", the digits a hash of its canonical absolute path.
  static std::filesystem::path GetDocumentFolder(const std::filesystem::path& document);

  /// Reads up to `count` values stored under `key`; returns how many were read, 0 when the key
  /// is missing or holds values of the other kind.
  long ReadSetting(const char* key, int* values, long count);
  long ReadSetting(const char* key, char* values, long count);
  /// Stores `count` values under `key`, replacing what it held; `flag` is reserved (0).
  /// Returns the count stored.
  long WriteSetting(const char* key, int* values, long count, int flag);
  long WriteSetting(const char* key, char* values, long count, int flag);
  /// Writes the repository to its file. `name` null saves under its own name. Returns 0 on
  /// success, -1 when the repository is read-only or the file cannot be written (reported).
  int SaveRepository(const char* name = nullptr);

  const std::string& GetName() const { return name_; }
  std::filesystem::path GetFilePath() const;
  /// Empty after a clean load; otherwise what was wrong with the file and where it was put.
  const std::string& GetLoadReport() const { return loadReport_; }
  /// The highest n for which a key `prefix` followed by n in decimal (no leading zero) is held;
  /// 0 when there is none. Answered from an index kept as keys are stored, so a reader can bound
  /// a loop over numbered keys by what the repository holds rather than by a stored count.
  long GetHighestEntryNumber(const char* prefix) const;
  /// Keys in the order they were first written.
  std::vector<std::string> GetKeys() const;

  /// Observes every WriteSetting (key), in call order: lets tests check the order of writes.
  void SetWriteObserver(std::function<void(const std::string& key)> observer) {
    writeObserver_ = std::move(observer);
  }

  static std::filesystem::path GetSettingsDirectory();
  /// Drops every repository object of this process, so the next GetRepository reads the file
  /// again as a new process would. Pointers handed out earlier become invalid.
  static void ForgetLoadedRepositories();

  struct Value {
    bool isText = false;
    std::vector<int> integers;
    std::string bytes;
  };

 private:
  VexSettingRepository(std::string name, std::filesystem::path folder, int access);
  static VexSettingRepository* Find(const std::string& name, const std::filesystem::path& folder,
                                    int access);
  std::filesystem::path GetFolder() const;
  void Load();
  void SetAside(const std::string& problem);
  std::string Serialize() const;
  void Store(const char* key, Value value);
  void Remember(const std::string& key, Value value);
  void Clear();

  std::string name_;
  std::filesystem::path folder_;  // relative to the settings folder; empty for its top
  int access_;
  std::vector<std::string> order_;
  std::map<std::string, Value> values_;
  std::map<std::string, long, std::less<>> highestNumbers_;  // key prefix -> highest number
  std::string loadReport_;
  std::function<void(const std::string&)> writeObserver_;
};
