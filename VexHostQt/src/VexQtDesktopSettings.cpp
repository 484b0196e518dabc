#include "VexQtDesktopSettings.h"

#include <vector>

#include "VexSettingRepository.h"

namespace {

constexpr const char* kGeometryKey = "WindowGeometry";
constexpr const char* kRecentKey = "RecentPlants";
constexpr long kMaxText = 1 << 16;

VexSettingRepository& Repository() {
  return *VexSettingRepository::GetRepository(VexQtDesktopSettings::kRepository, 0, 1, nullptr);
}

QString ReadText(const char* key) {
  std::vector<char> buffer(kMaxText);
  long count = Repository().ReadSetting(key, buffer.data(), kMaxText);
  return QString::fromUtf8(buffer.data(), static_cast<int>(count));
}

void WriteText(const char* key, const QString& text) {
  QByteArray bytes = text.toUtf8();
  Repository().WriteSetting(key, bytes.data(), bytes.size(), 0);
}

}  // namespace

VexQtDesktopSettings::VexQtDesktopSettings() {
  geometry_ = QByteArray::fromBase64(ReadText(kGeometryKey).toLatin1());
  recent_ = ReadText(kRecentKey).split('\n', Qt::SkipEmptyParts);
}

void VexQtDesktopSettings::AddRecentPlant(const QString& path) {
  recent_.removeAll(path);
  recent_.prepend(path);
  while (recent_.size() > kMaxRecentPlants) recent_.removeLast();
}

bool VexQtDesktopSettings::Save() const {
  WriteText(kGeometryKey, QString::fromLatin1(geometry_.toBase64()));
  WriteText(kRecentKey, recent_.join('\n'));
  return Repository().SaveRepository() == 0;
}
