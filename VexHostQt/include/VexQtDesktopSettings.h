#pragma once
// What the desktop remembers between sessions, in the host's own settings repository
// "VoltariaDesktop" (never in a module's): the main window's geometry and the plants opened
// last, newest first.

#include <QByteArray>
#include <QStringList>

class VexQtDesktopSettings {
 public:
  static constexpr const char* kRepository = "VoltariaDesktop";
  static constexpr int kMaxRecentPlants = 8;

  /// Reads the repository (an absent or set-aside file gives empty settings).
  VexQtDesktopSettings();

  QByteArray GetGeometry() const { return geometry_; }
  void SetGeometry(const QByteArray& geometry) { geometry_ = geometry; }
  const QStringList& GetRecentPlants() const { return recent_; }
  /// Puts `path` first, once; the oldest fall off past kMaxRecentPlants.
  void AddRecentPlant(const QString& path);
  /// Writes both to the repository file; false when it could not be written.
  bool Save() const;

 private:
  QByteArray geometry_;
  QStringList recent_;
};
