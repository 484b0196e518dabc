#pragma once
// A small window with the text results of one node or branch of the EDSA network: a combo with
// the identifiers that have text results and a list with the result lines of the identifier the
// combo shows. Confirming, cancelling or closing hides it and tells the opener with a
// VexGrdResultAnalyzerDlgOK notification; the opener then destroys it.

#include "VexFrmDialog.h"
#include "VexMetaObject.h"
#include "VexNotification.h"

class VexDlgCombo;
class VexDlgFrame;
class VexDlgSelectorList;
class VexGrdProject;

/// Sent by the analyzer when it is confirmed, cancelled or closed.
class VexGrdResultAnalyzerDlgOK : public VexNotification {
  VEX_DECLARE_CLASS(VexGrdResultAnalyzerDlgOK);

 public:
  VexGrdResultAnalyzerDlgOK() : VexNotification(0) {}

 protected:
  ~VexGrdResultAnalyzerDlgOK() override = default;
};

class VexGrdResultAnalyzerDlg : public VexFrmDialog {
 public:
  /// `kind` 1 selects `idToShow` in the combo (and lists its result lines); no other kind has an
  /// effect.
  VexGrdResultAnalyzerDlg(VexDialog* parent, VexGrdProject* project,
                          const VexListValVexUnicodeString identifiers,
                          const VexUnicodeString& idToShow, const int& kind);
  const char* GetResourceFileName(int level) const override;

  void SelOK(VexCommand* sender, VexNotification* notification, void* clientData);
  void ProcessTxtNodeBrCombo(VexCommand* sender, VexNotification* notification, void* clientData);

 protected:
  ~VexGrdResultAnalyzerDlg() override;

 private:
  void InitializePrivateData();

  VexDlgFrame* _pMainFrame;
  VexDlgCombo* _pNodeBranchCombo;
  VexDlgSelectorList* _pResultList;
  VexGrdProject* _pProject;
};
