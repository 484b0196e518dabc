#include "VexMsgCatalog.h"

#include <iostream>
#include <mutex>
#include <set>

#include "VexResourceFile.h"

namespace {

// A gap is reported once per process, not on every lookup.
void ReportOnce(const std::string& what) {
  static std::mutex mutex;
  static std::set<std::string> reported;
  std::lock_guard lock(mutex);
  if (reported.insert(what).second) std::cerr << "voltaria: " << what << '\n';
}

}  // namespace

VexUnicodeString VexMsg::BuildMessage(const VexListValVexUnicodeString* parameters) const {
  if (!found_) return VexUnicodeString("[" + key_ + "]");
  std::string text;
  text.reserve(pattern_.size());
  for (std::size_t i = 0; i < pattern_.size(); ++i) {
    std::size_t close = pattern_.find('}', i);
    if (pattern_[i] == '{' && close != std::string::npos && close > i + 1 && close - i <= 3) {
      std::string digits = pattern_.substr(i + 1, close - i - 1);
      if (digits.find_first_not_of("0123456789") == std::string::npos) {
        int index = std::stoi(digits) + 1;
        if (parameters && index <= parameters->Size()) text += (*parameters)[index].str();
        i = close;
        continue;
      }
    }
    text += pattern_[i];
  }
  return VexUnicodeString(text);
}

int VexMsgCatalog::LoadMsgCatalog(const VexString& name, const char* /*language*/) {
  name_ = name.str();
  file_ = VexResourceFile::Load(name_ + ".catalog");
  if (!file_) ReportOnce("message catalog \"" + name_ + "\" not found on the resource path");
  return file_ ? 0 : 1;
}

VexMsg VexMsgCatalog::GetCatalogMsg(const VexString& key) const {
  if (file_) {
    if (auto text = file_->Find(key.str())) return VexMsg(key.str(), *text, true);
    ReportOnce("message catalog \"" + name_ + "\" has no key " + key.str());
  }
  return VexMsg(key.str(), {}, false);
}

bool VexMsgCatalog::HasKey(const VexString& key) const {
  return file_ && file_->Find(key.str()).has_value();
}
