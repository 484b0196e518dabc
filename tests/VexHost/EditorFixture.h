#pragma once
// A document with four plant elements, opened in the current editor.

#include <gtest/gtest.h>

#include "TestFolder.h"
#include "VexDocument.h"
#include "VexDocumentTransaction.h"
#include "VexFrmEditor.h"

class EditorFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    document = VexDocument::Create(VexUnicodeString((folder / "plant.vxd").string()));
    VexDocumentTransaction transaction(*document);
    for (const char* name : {"M-101", "C-7", "T-3", "K-1"}) {
      document->CreateElement(name, "Type of " + VexUnicodeString(name), VexElementKind::Conduit);
    }
    transaction.Commit();
    editor = std::make_unique<VexFrmEditor>(*document);
    editor->MakeCurrent();
  }
  void TearDown() override {
    editor.reset();
    document.reset();
  }

  VexBaseUnknown_var Element(const char* name) {
    return VexBaseUnknown_var(document->FindElementByName(name));
  }

  TestFolder folder;
  std::unique_ptr<VexDocument> document;
  std::unique_ptr<VexFrmEditor> editor;
};
