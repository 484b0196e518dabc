#pragma once
// Readable text of a widget subtree, one widget per line, children indented by two blanks:
//     VexDlgEditor "MasterFileEdt" title="Master file:" text="C:/p/a.mas"
//     VexDlgPushButton "EditMaster" title="Edit" [insensitive]
// Tests compare it and the host program prints it.

#include <string>

class VexDialog;

/// The subtree under `root` (null gives an empty text).
std::string VexRenderDialogText(const VexDialog* root);
