#include "VexNavigBox.h"

#include "VexGraphContextNotification.h"

VexNavigBox::VexNavigBox(VexDialog* parent, const char* name, VexFrmEditor* editor,
                         int graphStyle, const char* profileName, int width, int height, void*,
                         void*)
    : VexDialog(parent, name, 0),
      container_(new VexNavigContainer),
      editor_(editor),
      graphStyle_(graphStyle),
      profileName_(profileName ? profileName : ""),
      width_(width),
      height_(height) {}

void VexNavigBox::RequestContextByUser(VexBaseUnknown_var object) {
  RunUserAction("ask a menu in", [this, object] {
    VexNotification_var request(new VexGraphContextNotification(object));
    GetCallbackManager()->DispatchCallbacks(request.get(), this);
  });
}

std::string VexNavigBox::DescribeState() const {
  std::string state = "style=" + std::to_string(graphStyle_) + " size=" + std::to_string(width_) +
                      "x" + std::to_string(height_);
  const std::string& tree = container_->GetDisplayedText();
  if (!tree.empty()) state += "\n" + tree.substr(0, tree.size() - 1);
  return state;
}
