#include "VexDialogText.h"

#include "VexDialog.h"

namespace {

void Render(const VexDialog& widget, int depth, std::string& out) {
  std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
  out += indent + widget.GetKindName() + " \"" + widget.GetName() + "\"";
  VexUnicodeString title = widget.GetTitle();
  if (!title.IsEmpty()) out += " title=\"" + title.str() + "\"";
  if (widget.GetVisibility() != VexDialog::kShown) out += " [hidden]";
  if (widget.GetSensitivity() != VexDialog::kSensitive) out += " [insensitive]";
  std::string state = widget.DescribeState();
  std::size_t start = 0;
  bool firstLine = true;
  while (start <= state.size() && !state.empty()) {
    std::size_t end = state.find('\n', start);
    std::string line = state.substr(start, end == std::string::npos ? end : end - start);
    out += firstLine ? " " + line : "\n" + indent + "    " + line;
    firstLine = false;
    if (end == std::string::npos) break;
    start = end + 1;
  }
  out += "\n";
  for (const VexDialog* child : widget.GetChildren()) Render(*child, depth + 1, out);
}

}  // namespace

std::string VexRenderDialogText(const VexDialog* root) {
  std::string out;
  if (root) Render(*root, 0, out);
  return out;
}
