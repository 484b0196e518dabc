#pragma once
// Creation of the host's file-menu dialogs.

class VexDialog;
class VexBaseUnknown;
class VexIFmuDocChooser;

class VexFileMenuMethods {
 public:
  /// A new document chooser called `name`, opened from `parent`, with the raw style values
  /// `style1` and `style2`. The caller holds the one reference and releases it. An initial
  /// document is not offered by this host: a non-null one is refused with a VexInternalError.
  static VexIFmuDocChooser* CreateDocChooser(VexDialog* parent, const char* name, int style1,
                                             int style2, VexBaseUnknown* initialDocument = nullptr);
};
