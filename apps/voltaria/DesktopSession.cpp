#include "DesktopSession.h"

#include <QFileInfo>
#include <QPixmap>
#include <QTimer>
#include <ostream>
#include <QScreen>

#include "PanelRestart.h"
#include "VexApplicationFrame.h"
#include "VexDlgWindow.h"
#include "VexError.h"
#include "VexGrdProject.h"
#include "VexParmDictionary.h"
#include "VexPlantImport.h"
#include "VexQtDialogMirror.h"
#include "VexQtMainWindow.h"
#include "VexQtPlantView.h"
#include "VexQtUser.h"
#include "VexSession.h"
#include "VexWorkspace.h"
#include "WindowTour.h"

namespace {

constexpr int kRunWatchMs = 250;

}  // namespace

DesktopSession::DesktopSession(std::unique_ptr<VexWorkspace>& workspace, PanelRestart& restart, Options options)
    : workspace_(workspace), restart_(restart), tourScript_(std::move(options.tourScript)) {
  if (!QApplication::instance()) ownApplication_ = std::make_unique<QApplication>(argc_, argv_);
  QApplication::setApplicationName("Voltaria");
  VexQtMainWindow::Host host;
  host.openPlant = [this](const QString& path, bool create) { OpenPlant(path, create); };
  host.startEdsa = [this] { StartEdsa(); };
  host.masterFile = [this] {
    return QString::fromStdString(VexGrdProject::GetRememberedMasterFile(workspace_->GetDocument()).str());
  };
  host.lengthUnit = [] {
    auto length = VexParmDictionary::FindMagnitude("LENGTH");
    return length ? QString::fromStdString(length->GetCurrentUnit()->GetSymbol().str()) : QString("mm");
  };
  host.runsLog = [host] {
    QString master = host.masterFile();
    return master.isEmpty() ? QString() : QFileInfo(master).absolutePath() + "/edsa-runs.log";
  };
  host.importModel = [this](const QString& path, const VexQtMainWindow::Host::Progress& progress) {
    return ImportModel(path, progress);
  };
  if (!tourScript_.empty()) host.playTour = [this] { PlayTour(); };
  window_ = std::make_unique<VexQtMainWindow>(*VexApplicationFrame::GetFrame()->GetMainWindow(), host);
  if (!options.answersFromScript) VexSession::GetSession().SetUser(std::make_unique<VexQtUser>(window_.get()));
  if (options.plantView) {
    plantView_ = new VexQtPlantView;
    window_->SetPlantView(plantView_);
  }
  ShowDocument();
  VexQtSetPersonActionObserver(this);
  // Programs run on their own; a failed run is told as soon as it has ended.
  auto* runWatch = new QTimer(window_.get());
  QObject::connect(runWatch, &QTimer::timeout, [this] { programRuns_.ReportEnded(); });
  runWatch->start(kRunWatchMs);
}

DesktopSession::~DesktopSession() {
  VexQtSetPersonActionObserver(nullptr);
  tour_.reset();
  window_.reset();
  // Questions after the window closed have nobody at the window to answer them.
  VexSession::GetSession().SetUser(nullptr);
}

void DesktopSession::ShowDocument() {
  if (plantView_) plantView_->ShowEditor(workspace_->GetEditor(), workspace_->GetViewer());
  window_->ShowPlant(QString::fromStdString(workspace_->GetDocument().GetPath().str()));
}

void DesktopSession::Show() {
  window_->show();
  window_->GetMirror().Flush();
}

int DesktopSession::Run() {
  Show();
  int status = QApplication::exec();
  ClosePanel();
  return status;
}

bool DesktopSession::Capture(const std::filesystem::path& file) {
  window_->GetMirror().Flush();
  if (plantView_) plantView_->FollowViewer();
  QApplication::processEvents();
  QPixmap picture = window_->grab();
  if (plantView_) plantView_->PaintFrameInto(picture, window_.get());
  return picture.save(QString::fromStdString(file.string()), "PNG");
}

void DesktopSession::ClosePanel() { restart_.EndCommand(); }

void DesktopSession::StartEdsaAsPerson() {
  VexQtRunPersonAction(window_.get(), [this] { StartEdsa(); });
}

void DesktopSession::StartEdsa() {
  if (!restart_.IsCommandRunning()) restart_.StartCommand();
}

// The watch follows the text session's: what the person does on the module's widgets changes
// the network as the module knows; the window's menus do not.
void DesktopSession::BeforePersonAction(VexQtActionTarget target) {
  restart_.BeforeEvent(workspace_->GetDocument(), target == VexQtActionTarget::Module);
}

void DesktopSession::AfterPersonAction() {
  restart_.AfterEvent();
  if (auto request = restart_.Take()) restart_.Restart(*request);
  window_->GetMirror().Flush();
}

// The panel closes first, so that its settings are saved for the document it showed, and the
// ended command goes while its document is still there; when the other plant cannot be opened,
// the command starts again on this one.
void DesktopSession::OpenPlant(const QString& path, bool create) {
  bool wasRunning = restart_.IsCommandRunning();
  ClosePanel();
  std::unique_ptr<VexWorkspace> next;
  try {
    next = VexWorkspace::Open(VexUnicodeString(path.toStdString()), create);
    VexGrdProject::SeedSettingsFromDocument(next->GetDocument());
  } catch (...) {
    if (wasRunning) StartEdsa();
    throw;
  }
  restart_.Reset();
  if (plantView_) plantView_->ShowEditor(next->GetEditor(), next->GetViewer());  // before the old one goes
  workspace_ = std::move(next);
  workspace_->GetEditor().MakeCurrent();
  ShowDocument();
  if (wasRunning) StartEdsa();
}

// As the command language's import: one event for the whole import; the panel then opens again
// on the plant as it now is, which the report says.
QString DesktopSession::ImportModel(const QString& path, const VexPlantModelReader::Progress& progress) {
  VexImportReport report =
      VexImportPlantModel(workspace_->GetDocument(), VexUnicodeString(path.toStdString()), progress);
  std::string text = report.ToText();
  if (restart_.IsCommandRunning()) {
    text += std::string(PanelRestart::kImportNotice) + '\n';
    restart_.Ask("The plant model was imported.", PanelRestart::Notice::InTheReport);
  }
  return QString::fromStdString(text);
}

// The tour expects the panel open on the plant as the sample has it; it stops at the first
// step that finds something else, and says so in its log.
void DesktopSession::PlayTour() {
  if (tour_ && tour_->IsPlaying()) return;
  VexQtRunPersonAction(window_.get(), [this] { StartEdsa(); });
  tour_ = std::make_unique<WindowTour>(
      tourScript_, *workspace_, restart_, [this](const QString& text) { window_->ShowTourTranscript(text); },
      [this] {
        VexSession::GetSession().SetUser(std::make_unique<VexQtUser>(window_.get()));
        QTimer::singleShot(0, window_.get(), [this] { tour_.reset(); });
      });
  tour_->Start();
}

int RunDesktopSession(std::unique_ptr<VexWorkspace>& workspace, PanelRestart& restart,
                      const std::filesystem::path& tourScript, std::ostream& out) {
  DesktopSession::Options options;
  options.tourScript = tourScript;
  DesktopSession desktop(workspace, restart, options);
  out << "The window is open; closing it ends the session (the panel's settings are saved).\n";
  desktop.Show();
  QMetaObject::invokeMethod(
      QApplication::instance(),
      [&desktop] { desktop.StartEdsaAsPerson(); }, Qt::QueuedConnection);
  return desktop.Run();
}
