#pragma once
// Which Qt peer shows which kind of widget.

class VexDialog;
class VexQtDialogMirror;
class VexQtPeer;

namespace VexQtPeerFactory {

/// False for what a person never sees as a widget: messages, contextual menus and their entries,
/// and windows without content (the frames of file choosers).
bool HasView(const VexDialog& widget);
/// A new peer and view for `widget` (the view has no parent yet); null for unknown kinds.
VexQtPeer* Create(VexDialog& widget, VexQtDialogMirror& mirror);

}  // namespace VexQtPeerFactory
