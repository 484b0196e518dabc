// The Project tab's reading of the EDSA network file, as a designer meets it: a session on a real
// document with the EDSA command started and a master file current; each input is written as the
// network file beside the master file and "Synchronize" is pressed. The person declines both
// questions, so the model stays empty and every input meets the same panel. Whatever the file
// holds, the press must end without an error escaping the event.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>

#include "FuzzSupport.h"
#include "VexApplicationFrame.h"
#include "VexGrdCmd.h"
#include "VexGrdPanel.h"
#include "VexGrdProject.h"
#include "VexSession.h"
#include "VexUiDriver.h"
#include "VexUser.h"
#include "VexWorkspace.h"

namespace {

class DecliningUser : public VexUser {
 public:
  bool AnswerYesNo(const VexUnicodeString&, const VexUnicodeString&) override { return false; }
  void Acknowledge(const VexUnicodeString&, const VexUnicodeString&, int) override {}
  std::optional<VexUnicodeString> ChooseFile(const VexUnicodeString&,
                                             const VexListValVexUnicodeString&) override {
    return std::nullopt;
  }
};

class PanelSession {
 public:
  PanelSession() {
    ::setenv("VEX_SETTINGS_DIR", (FuzzFolder() / "settings").c_str(), 1);
    VexSession::GetSession().SetUser(std::make_unique<DecliningUser>());
    workspace_ = VexWorkspace::Open(VexUnicodeString((FuzzFolder() / "plant.vxd").string()), true);
    const VexUnicodeString master((FuzzFolder() / "plant.mas").string());
    VexGrdProject(&workspace_->GetDocument()).CreateNewMasterFile(master, VexUnicodeString(".mas"));
    VexSession::GetSession().StartCommand(VexStateCommand_var(fctCreateVexGrdCmd()));
    VexDialog* window = VexApplicationFrame::GetFrame()->GetMainWindow();
    ui_ = std::make_unique<VexUiDriver>(window->FindChild("VexGrdPanel"));
    ui_->Type("MasterFileEdt", master);
  }

  void Synchronize() { ui_->Push("Synchronize"); }

 private:
  std::unique_ptr<VexWorkspace> workspace_;
  std::unique_ptr<VexUiDriver> ui_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // One session for the whole run, as one designer presses the button again and again; it is
  // left to the end of the process, which outlives the host's own singletons.
  static PanelSession* session = new PanelSession;
  WriteFuzzInput("plant.net", data, size);
  // The log of questions would grow with every input, and libFuzzer takes growth for a leak.
  VexSession::GetSession().GetUserLog().Clear();
  try {
    session->Synchronize();
  } catch (const VexError& error) {
    FuzzFinding(error.what());
  }
  return 0;
}
