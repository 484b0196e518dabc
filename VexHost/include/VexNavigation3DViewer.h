#pragma once
// A 3D viewer of an editor, without a window: it knows what it shows (the plant elements of the
// editor's document and the objects of its interactive set), the colours given to objects, the
// objects it was last reframed on, and shows the editor's highlighted objects. Tests, the host
// program and later a GUI read that state; Describe gives it as text.

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "VexBaseUnknown.h"
#include "VexColor.h"
#include "VexUnicodeString.h"

class VexFrmEditor;
class VexXSO;

class VexNavigation3DViewer {
 public:
  VexNavigation3DViewer(VexFrmEditor& editor, VexUnicodeString name);
  VexNavigation3DViewer(const VexNavigation3DViewer&) = delete;
  VexNavigation3DViewer& operator=(const VexNavigation3DViewer&) = delete;

  const VexUnicodeString& GetName() const { return name_; }
  VexFrmEditor& GetEditor() const { return editor_; }

  /// The document's plant elements in identifier order, then the interactive set's objects.
  std::vector<VexBaseUnknown_var> GetShownObjects() const;
  /// True when the object (or the leaf of a path to it) is shown.
  bool IsShown(const VexBaseUnknown_var& object) const;

  /// Colours a shown object; an object the viewer does not show is an internal error.
  void SetColor(const VexBaseUnknown_var& object, VexColor color);
  /// Gives the object back its own colour; returns false when it had none given.
  bool ResetColor(const VexBaseUnknown_var& object);
  void ResetAllColors();
  /// The colour given to the object, or nothing when it shows in its own colour.
  std::optional<VexColor> GetColor(const VexBaseUnknown_var& object) const;
  int GetColoredCount() const { return static_cast<int>(colors_.size()); }

  /// Frames the view on the objects of `objects`, which must all be shown. An empty set leaves
  /// the view as it is.
  void ReframeOn(const VexXSO& objects);
  void ReframeOn(const VexBaseUnknown_var& object);
  /// The objects the view was last framed on, and how many times it was reframed.
  const std::vector<VexBaseUnknown_var>& GetReframedObjects() const { return reframed_; }
  int GetReframeCount() const { return reframeCount_; }

  /// The editor's highlighted objects (leaves) that this viewer shows.
  std::vector<VexBaseUnknown_var> GetHighlightedObjects() const;

  /// Drops the colours and frame entries of objects it no longer shows (deleted elements).
  void DropHiddenObjects();

  /// The viewer's state as text, one fact per line.
  std::string Describe() const;

 private:
  struct Colored {
    VexBaseUnknown_var object;
    VexColor color;
  };
  VexBaseUnknown_var RequireShown(const VexBaseUnknown_var& object) const;

  VexFrmEditor& editor_;
  VexUnicodeString name_;
  std::unordered_map<const VexBaseUnknown*, Colored> colors_;
  std::vector<VexBaseUnknown_var> reframed_;
  int reframeCount_ = 0;
};

/// Reframes `viewer` (not null) on the objects of `objects`.
void VexReframeOn(VexNavigation3DViewer* viewer, const VexXSO& objects);
