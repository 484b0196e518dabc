#include "VexQtUser.h"

#include <QFileDialog>
#include <QMessageBox>

#include "VexError.h"

namespace {

QString Text(const VexUnicodeString& text) { return QString::fromStdString(text.str()); }

VexQtPersonActionObserver* personActionObserver = nullptr;
int personActionDepth = 0;

QMessageBox::Icon IconOf(int kind) {
  switch (kind) {
    case 2: return QMessageBox::Warning;
    case 3: return QMessageBox::Critical;
    default: return QMessageBox::Information;
  }
}

}  // namespace

bool VexQtUser::AnswerYesNo(const VexUnicodeString& title, const VexUnicodeString& question) {
  QMessageBox box(QMessageBox::Question, Text(title), Text(question),
                  QMessageBox::Yes | QMessageBox::No, parent_);
  box.setObjectName("VexQuestion");
  box.setDefaultButton(QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}

void VexQtUser::Acknowledge(const VexUnicodeString& title, const VexUnicodeString& message, int kind) {
  QMessageBox box(IconOf(kind), Text(title), Text(message), QMessageBox::Ok, parent_);
  box.setObjectName("VexMessage");
  box.exec();
}

QStringList VexQtUser::FileDialogFilters(const VexListValVexUnicodeString& filters) {
  QStringList list;
  for (const VexUnicodeString& filter : filters) list << Text(filter);
  list << QObject::tr("All files (*)");
  return list;
}

// The module's choosers both pick existing files and name new ones: any name is accepted.
std::optional<VexUnicodeString> VexQtUser::ChooseFile(const VexUnicodeString& title,
                                                      const VexListValVexUnicodeString& filters) {
  QFileDialog dialog(parent_, Text(title));
  dialog.setObjectName("VexFileChooser");
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters(FileDialogFilters(filters));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return VexUnicodeString(dialog.selectedFiles().front().toStdString());
}

void VexQtSetPersonActionObserver(VexQtPersonActionObserver* observer) { personActionObserver = observer; }

namespace {

void RunAndShowRefusal(QWidget* parent, const std::function<void()>& action) {
  QString problem;
  QMessageBox::Icon icon = QMessageBox::Warning;
  try {
    action();
    return;
  } catch (const VexInputError& error) {
    problem = QString::fromUtf8(error.what());
  } catch (const std::exception& error) {
    problem = QString::fromUtf8(error.what());
    icon = QMessageBox::Critical;
  }
  QMessageBox box(icon, QObject::tr("Voltaria"), problem, QMessageBox::Ok, parent);
  box.setObjectName("VexRefusal");
  box.exec();
}

}  // namespace

// The observer hears of the outermost action only, once its refusal (if any) has been shown;
// what it does afterwards is shown as an action of its own would be.
void VexQtRunPersonAction(QWidget* parent, const std::function<void()>& action, VexQtActionTarget target) {
  VexQtPersonActionObserver* observer = personActionDepth == 0 ? personActionObserver : nullptr;
  if (observer) observer->BeforePersonAction(target);
  ++personActionDepth;
  RunAndShowRefusal(parent, action);
  --personActionDepth;
  if (observer) RunAndShowRefusal(parent, [observer] { observer->AfterPersonAction(); });
}
