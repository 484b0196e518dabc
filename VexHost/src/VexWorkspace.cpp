#include "VexWorkspace.h"

#include <filesystem>

#include "VexSession.h"

std::unique_ptr<VexWorkspace> VexWorkspace::Open(const VexUnicodeString& path, bool create) {
  std::error_code error;
  bool exists = std::filesystem::exists(std::filesystem::path(path.str()), error);
  std::unique_ptr<VexDocument> document =
      (!exists && create) ? VexDocument::Create(path) : VexDocument::Open(path);
  return std::unique_ptr<VexWorkspace>(new VexWorkspace(std::move(document)));
}

VexWorkspace::VexWorkspace(std::unique_ptr<VexDocument> document)
    : document_(std::move(document)), editor_(std::make_unique<VexFrmEditor>(*document_)) {
  editor_->MakeCurrent();
  viewer_ = editor_->Open3DViewer("3D View");
  VexSession::GetSession().AddTransactionHandler(document_.get());
}

VexWorkspace::~VexWorkspace() {
  editor_.reset();
  VexSession::GetSession().RemoveTransactionHandler(document_.get());
  document_.reset();
}
