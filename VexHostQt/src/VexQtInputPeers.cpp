#include "VexQtInputPeers.h"

#include <QCheckBox>
#include <algorithm>
#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPushButton>

#include "VexDlgCheckButton.h"
#include "VexDlgCombo.h"
#include "VexDlgEditor.h"
#include "VexDlgPushButton.h"

namespace {

// Room for `characters` average characters, as the toolkit's visible widths are given.
int WidthFor(const QWidget& view, int characters) {
  return QFontMetrics(view.font()).averageCharWidth() * characters + 12;
}

}  // namespace

VexQtEditorPeer::VexQtEditorPeer(VexDlgEditor& editor, VexQtDialogMirror& mirror)
    : VexQtPeer(editor, new QLineEdit, mirror) {
  QObject::connect(GetLineEdit(), &QLineEdit::editingFinished, this, [this] { OnEditingFinished(); });
}

QLineEdit* VexQtEditorPeer::GetLineEdit() const { return static_cast<QLineEdit*>(view_.data()); }

// Leaving a field a person did not change sends nothing, as the field was not modified.
void VexQtEditorPeer::OnEditingFinished() {
  auto* editor = static_cast<VexDlgEditor*>(widget_);
  if (!editor || IsRefreshing()) return;
  VexUnicodeString text = VexQtText(GetLineEdit()->text());
  if (text == editor->GetText()) return;
  Act([editor, text] { editor->TypeText(text); });
}

void VexQtEditorPeer::RefreshState() {
  auto* editor = static_cast<VexDlgEditor*>(widget_);
  QLineEdit* line = GetLineEdit();
  QString text = VexQtText(editor->GetText());
  // The maximum limits what a person types, not what the module shows.
  int maximum = editor->GetMaxCharacterWidth();
  line->setMaxLength(maximum > 0 ? std::max(maximum, static_cast<int>(text.size())) : 32767);
  if (editor->GetVisibleTextWidth() > 0) line->setMinimumWidth(WidthFor(*line, editor->GetVisibleTextWidth()));
  if (line->text() != text) line->setText(text);
}

VexQtPushButtonPeer::VexQtPushButtonPeer(VexDlgPushButton& button, VexQtDialogMirror& mirror)
    : VexQtPeer(button, new QPushButton, mirror) {
  VexDlgPushButton* target = &button;
  QObject::connect(static_cast<QPushButton*>(view_.data()), &QPushButton::clicked, this,
                   [this, target] { Act([target] { target->Push(); }); });
}

void VexQtPushButtonPeer::RefreshTitle() { static_cast<QPushButton*>(view_.data())->setText(DisplayTitle()); }

VexQtCheckButtonPeer::VexQtCheckButtonPeer(VexDlgCheckButton& check, VexQtDialogMirror& mirror)
    : VexQtPeer(check, new QCheckBox, mirror) {
  VexDlgCheckButton* target = &check;
  QObject::connect(static_cast<QCheckBox*>(view_.data()), &QCheckBox::clicked, this,
                   [this, target](bool checked) { Act([target, checked] { target->SetCheckedByUser(checked); }); });
}

void VexQtCheckButtonPeer::RefreshTitle() { static_cast<QCheckBox*>(view_.data())->setText(DisplayTitle()); }

void VexQtCheckButtonPeer::RefreshState() {
  static_cast<QCheckBox*>(view_.data())
      ->setChecked(static_cast<VexDlgCheckButton*>(widget_)->GetState() == VexDlgCheckButton::kChecked);
}

VexQtComboPeer::VexQtComboPeer(VexDlgCombo& combo, VexQtDialogMirror& mirror)
    : VexQtPeer(combo, new QComboBox, mirror) {
  VexDlgCombo* target = &combo;
  // activated: only a person's choice, not the peer's own setCurrentIndex.
  QObject::connect(static_cast<QComboBox*>(view_.data()), &QComboBox::activated, this,
                   [this, target](int row) { Act([target, row] { target->SelectLineByUser(row); }); });
}

void VexQtComboPeer::RefreshState() {
  auto* combo = static_cast<VexDlgCombo*>(widget_);
  auto* box = static_cast<QComboBox*>(view_.data());
  QStringList lines;
  for (int row = 0; row < combo->GetLineCount(); ++row) {
    VexUnicodeString line;
    combo->GetLine(row, line);
    lines << VexQtText(line);
  }
  QStringList shown;
  for (int row = 0; row < box->count(); ++row) shown << box->itemText(row);
  if (shown != lines) {
    box->clear();
    box->addItems(lines);
  }
  if (combo->GetVisibleTextWidth() > 0) box->setMinimumWidth(WidthFor(*box, combo->GetVisibleTextWidth()) + 24);
  box->setCurrentIndex(combo->GetSelect());
}
