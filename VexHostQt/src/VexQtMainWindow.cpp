#include "VexQtMainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QTextCursor>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>

#include "VexFrmDialog.h"
#include "VexQtDialogMirror.h"
#include "VexQtPeer.h"
#include "VexQtUser.h"
#include "VexSession.h"
#include "VexUnicodeString.h"

namespace {

QPlainTextEdit* MakeLogView(const char* name) {
  auto* view = new QPlainTextEdit;
  view->setObjectName(name);
  view->setReadOnly(true);
  view->setLineWrapMode(QPlainTextEdit::NoWrap);
  return view;
}

// Work that runs on the GUI thread and tells its stages ("parsing: 20%"): a modal window shows
// the stage, and the bar when the stage ends with a percentage; the window repaints at each stage.
class StageProgress {
 public:
  StageProgress(QWidget* parent, const QString& title) : dialog_(parent) {
    dialog_.setObjectName("VexStageProgress");
    dialog_.setWindowTitle(title);
    dialog_.setWindowModality(Qt::ApplicationModal);
    dialog_.setCancelButton(nullptr);
    dialog_.setMinimumDuration(0);
    dialog_.setRange(0, 0);
    dialog_.show();
    QApplication::processEvents();
  }

  void Show(const std::string& stage) {
    QString text = QString::fromStdString(stage);
    dialog_.setLabelText(text);
    qsizetype blank = text.lastIndexOf(' ');
    bool isNumber = false;
    int percent = text.endsWith('%') ? text.mid(blank + 1).chopped(1).toInt(&isNumber) : 0;
    if (isNumber) {
      dialog_.setRange(0, 100);
      dialog_.setValue(percent);
    } else {
      dialog_.setRange(0, 0);
    }
    QApplication::processEvents();
  }

 private:
  QProgressDialog dialog_;
};

}  // namespace

VexQtMainWindow::VexQtMainWindow(VexDialog& toolkitMainWindow, Host host, QWidget* parent)
    : QMainWindow(parent), host_(std::move(host)) {
  setObjectName("VoltariaMainWindow");
  setWindowTitle(tr("Voltaria"));
  setDockNestingEnabled(true);
  auto* placeholder = new QLabel(tr("No plant view"));
  placeholder->setAlignment(Qt::AlignCenter);
  setCentralWidget(placeholder);

  panelDock_ = new QDockWidget(tr("EDSA"), this);
  panelDock_->setObjectName("PanelDock");
  panelDock_->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
  addDockWidget(Qt::RightDockWidgetArea, panelDock_);
  panelDock_->hide();

  auto* logs = logs_ = new QTabWidget;
  runs_ = MakeLogView("RunsLog");
  messages_ = MakeLogView("MessagesLog");
  logs->addTab(runs_, tr("EDSA runs"));
  logs->addTab(messages_, tr("Messages"));
  auto* logDock = new QDockWidget(tr("Runs and messages"), this);
  logDock->setObjectName("LogDock");
  logDock->setWidget(logs);
  addDockWidget(Qt::BottomDockWidgetArea, logDock);
  runsWatcher_ = new QFileSystemWatcher(this);
  connect(runsWatcher_, &QFileSystemWatcher::fileChanged, this, [this] { ReloadRuns(); });
  connect(runsWatcher_, &QFileSystemWatcher::directoryChanged, this, [this] { ReloadRuns(); });

  masterLabel_ = new QLabel;
  unitLabel_ = new QLabel;
  statusBar()->addWidget(masterLabel_, 1);
  statusBar()->addPermanentWidget(unitLabel_);

  BuildMenus();
  mirror_ = std::make_unique<VexQtDialogMirror>(
      toolkitMainWindow, [this](VexQtPeer& peer) { return PlaceTopLevel(peer); });
  mirror_->SetFlushObserver([this] { RefreshStatus(); });
  if (!settings_.GetGeometry().isEmpty()) {
    restoreGeometry(settings_.GetGeometry());
  } else {
    resize(1280, 800);
  }
}

VexQtMainWindow::~VexQtMainWindow() = default;

void VexQtMainWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu(tr("&File"));
  file->addAction(tr("&Open plant..."), QKeySequence::Open, this, [this] { AskForPlant(false); });
  file->addAction(tr("&New plant..."), QKeySequence::New, this, [this] { AskForPlant(true); });
  if (host_.importModel) {
    file->addAction(tr("&Import..."), this, [this] { AskForModel(); })->setObjectName("ImportAction");
  }
  recentMenu_ = file->addMenu(tr("&Recent plants"));
  file->addSeparator();
  file->addAction(tr("&Quit"), QKeySequence::Quit, this, [this] { close(); });
  RebuildRecentMenu();

  QToolBar* workbench = addToolBar(tr("Workbench"));
  workbench->setObjectName("WorkbenchToolBar");
  QAction* edsa = workbench->addAction(tr("EDSA"), this, [this] {
    VexQtRunPersonAction(this, [this] { host_.startEdsa(); });
  });
  edsa->setObjectName("EdsaAction");
  edsa->setToolTip(tr("Open the EDSA panel on this plant"));

  if (host_.playTour) {
    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->addAction(tr("Play the &tour"), this, [this] { host_.playTour(); });
  }
}

void VexQtMainWindow::RebuildRecentMenu() {
  recentMenu_->clear();
  for (const QString& path : settings_.GetRecentPlants()) {
    recentMenu_->addAction(path, this, [this, path] { OpenPlant(path, false); });
  }
  recentMenu_->setEnabled(!settings_.GetRecentPlants().isEmpty());
}

void VexQtMainWindow::AskForPlant(bool create) {
  QString filter = tr("Plant documents (*.vxd)");
  QString path = create ? QFileDialog::getSaveFileName(this, tr("New plant"), {}, filter)
                        : QFileDialog::getOpenFileName(this, tr("Open plant"), {}, filter);
  if (!path.isEmpty()) OpenPlant(path, create);
}

void VexQtMainWindow::OpenPlant(const QString& path, bool create) {
  VexQtRunPersonAction(this, [&] { host_.openPlant(path, create); }, VexQtActionTarget::Window);
}

void VexQtMainWindow::AskForModel() {
  QFileDialog dialog(this, tr("Import plant model"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters({tr("Plant models (*.ifc *.txt)"), tr("IFC models (*.ifc)"), tr("Plant texts (*.txt)"),
                         tr("All files (*)")});
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  ImportModel(dialog.selectedFiles().front());
}

// The report goes through the session's user, so that it is shown and kept in the messages.
void VexQtMainWindow::ImportModel(const QString& path) {
  QString report;
  VexQtRunPersonAction(this, [&] {
    StageProgress progress(this, tr("Importing %1").arg(QFileInfo(path).fileName()));
    report = host_.importModel(path, [&](const std::string& stage) { progress.Show(stage); });
  }, VexQtActionTarget::Window);
  if (!report.isEmpty()) VexSession::GetSession().ShowMessage("Import", VexUnicodeString(report.toStdString()), 1);
  RefreshStatus();
}

void VexQtMainWindow::ShowPlant(const QString& path) {
  setWindowTitle(tr("%1 - Voltaria").arg(QFileInfo(path).fileName()));
  settings_.AddRecentPlant(QFileInfo(path).absoluteFilePath());
  settings_.Save();
  RebuildRecentMenu();
  RefreshStatus();
}

void VexQtMainWindow::SetPlantView(QWidget* view) { setCentralWidget(view); }

// The module's panel is a frame dialog of the application: it docks; other windows float.
bool VexQtMainWindow::PlaceTopLevel(VexQtPeer& peer) {
  if (!dynamic_cast<VexFrmDialog*>(peer.GetWidget())) return false;
  panelDock_->setWidget(peer.GetView());
  return true;
}

void VexQtMainWindow::RefreshStatus() {
  QString master = host_.masterFile ? host_.masterFile() : QString();
  masterLabel_->setText(master.isEmpty() ? tr("No master file") : tr("Master file: %1").arg(master));
  unitLabel_->setText(tr("Length unit: %1").arg(host_.lengthUnit ? host_.lengthUnit() : QString("mm")));
  QString log = QString::fromStdString(VexSession::GetSession().GetUserLog().ToText());
  if (messages_->toPlainText() != log) messages_->setPlainText(log);
  ReloadRuns();
}

// The stand-in programs append to their record on their own: the watcher says when.
void VexQtMainWindow::ReloadRuns() {
  QString path = host_.runsLog ? host_.runsLog() : QString();
  if (path.isEmpty()) return;
  QString folder = QFileInfo(path).absolutePath();
  if (!runsWatcher_->directories().contains(folder) && QFileInfo::exists(folder)) runsWatcher_->addPath(folder);
  if (QFileInfo::exists(path) && !runsWatcher_->files().contains(path)) runsWatcher_->addPath(path);
  QFile file(path);
  QString text = file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
  if (runs_->toPlainText() != text) runs_->setPlainText(text);
}

void VexQtMainWindow::ShowTourTranscript(const QString& text) {
  if (!tour_) {
    tour_ = MakeLogView("TourLog");
    logs_->addTab(tour_, tr("Tour"));
  }
  tour_->setPlainText(text);
  tour_->moveCursor(QTextCursor::End);
  logs_->setCurrentWidget(tour_);
}

void VexQtMainWindow::closeEvent(QCloseEvent* event) {
  settings_.SetGeometry(saveGeometry());
  settings_.Save();
  QMainWindow::closeEvent(event);
}
