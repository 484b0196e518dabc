#pragma once
// A transaction on a document outside user events (loading, scripts, building a sample), or a
// nested step inside one. Begins when made; rolls back when destroyed without Commit.

class VexDocument;

class VexDocumentTransaction {
 public:
  explicit VexDocumentTransaction(VexDocument& document);
  ~VexDocumentTransaction();
  VexDocumentTransaction(const VexDocumentTransaction&) = delete;
  VexDocumentTransaction& operator=(const VexDocumentTransaction&) = delete;

  void Commit();
  void Rollback();

 private:
  VexDocument& document_;
  int level_;
  bool open_ = true;
};
