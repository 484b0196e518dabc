#pragma once
// Peers of the kinds a person types in, pushes, ticks or chooses from: editors, push buttons,
// check buttons and combos.

#include "VexQtPeer.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class VexDlgCheckButton;
class VexDlgCombo;
class VexDlgEditor;
class VexDlgPushButton;

/// A line edit whose text goes to the tree once, when editing is finished (Return or leaving the
/// field), never per keystroke: the module validates each modification and may ask a question.
class VexQtEditorPeer : public VexQtPeer {
 public:
  VexQtEditorPeer(VexDlgEditor& editor, VexQtDialogMirror& mirror);
  QLineEdit* GetLineEdit() const;

 protected:
  void RefreshState() override;

 private:
  void OnEditingFinished();
};

class VexQtPushButtonPeer : public VexQtPeer {
 public:
  VexQtPushButtonPeer(VexDlgPushButton& button, VexQtDialogMirror& mirror);

 protected:
  void RefreshTitle() override;
};

class VexQtCheckButtonPeer : public VexQtPeer {
 public:
  VexQtCheckButtonPeer(VexDlgCheckButton& check, VexQtDialogMirror& mirror);

 protected:
  void RefreshTitle() override;
  void RefreshState() override;
};

class VexQtComboPeer : public VexQtPeer {
 public:
  VexQtComboPeer(VexDlgCombo& combo, VexQtDialogMirror& mirror);

 protected:
  void RefreshState() override;
};
