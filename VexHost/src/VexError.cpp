#include "VexError.h"

#include "VexMsgCatalog.h"

VexError::VexError(int severity, VexString key, VexString catalog,
                   std::vector<VexUnicodeString> parameters)
    : severity_(severity),
      key_(std::move(key)),
      catalog_(std::move(catalog)),
      parameters_(std::move(parameters)) {}

VexUnicodeString VexError::GetMessageText() const {
  VexMsgCatalog catalog;
  catalog.LoadMsgCatalog(catalog_, nullptr);
  VexListValVexUnicodeString parameters;
  for (const auto& p : parameters_) parameters.Append(p);
  return catalog.GetCatalogMsg(key_).BuildMessage(&parameters);
}

const char* VexError::what() const noexcept {
  try {
    if (what_.empty()) what_ = GetMessageText().str();
  } catch (...) {
    what_ = key_.str();
  }
  return what_.c_str();
}
