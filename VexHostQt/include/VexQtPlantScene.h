#pragma once
// The plant as the view draws it, without any display: one merged triangle mesh per element
// kind (positions, normals and one colour per vertex), the boxes each element is made of (for
// picking and framing), and the colours of the moment: the element's own colour by kind, the
// colour a module gave it in the viewer, or the highlight. Equipment is its placement box; a
// linear element is one box per route segment, as thick as its cables (CableDiameter) or its
// kind's default. Elements with neither are listed as not drawn.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "VexBaseUnknown.h"
#include "VexColor.h"
#include "VexElementKind.h"

class VexDocument;
class VexNavigation3DViewer;

class VexQtPlantScene {
 public:
  static constexpr int kKindCount = 6;
  static constexpr VexColor kHighlight{255, 230, 0};

  /// An oriented box: centre, three half-axes (each a direction times a half length).
  struct Box {
    std::array<float, 3> centre;
    std::array<std::array<float, 3>, 3> halfAxes;
  };
  struct Element {
    VexBaseUnknown_var object;  ///< the plant element
    std::string name;
    VexElementKind kind;
    VexColor ownColor;
    std::vector<Box> boxes;
    int firstVertex = 0;  ///< in its kind's mesh
    int vertexCount = 0;
  };
  struct Mesh {
    std::vector<float> positions;  ///< x y z per vertex
    std::vector<float> normals;    ///< x y z per vertex
    std::vector<float> colors;     ///< r g b (0 to 1) per vertex
    std::vector<std::uint32_t> indices;  ///< three vertex numbers per triangle
  };

  /// Builds the scene of every element of `document`.
  explicit VexQtPlantScene(VexDocument& document);

  const std::vector<Element>& GetElements() const { return elements_; }
  const Mesh& GetMesh(VexElementKind kind) const { return meshes_[static_cast<int>(kind)]; }
  /// Names of the elements without geometry (no placement, no route).
  const std::vector<std::string>& GetUndrawn() const { return undrawn_; }

  /// Recolours every vertex from the viewer's colours and highlights and the editor's
  /// selection; returns the kinds whose colours changed.
  std::vector<VexElementKind> UpdateColors(const VexNavigation3DViewer& viewer);
  /// The colour element `index` shows now.
  VexColor ColorOf(int index) const { return shown_[index]; }

  /// The first element hit by the ray from `origin` along `direction`; nothing when none is.
  /// With an `aperture` (a tolerance per unit of distance along the ray), every box counts that
  /// much larger, so that a conduit thinner than a pixel can be clicked.
  std::optional<int> Pick(const std::array<float, 3>& origin, const std::array<float, 3>& direction,
                          float aperture = 0) const;
  /// The smallest axis-aligned box around the elements `indices` (all when empty): min then max.
  std::array<std::array<float, 3>, 2> Bounds(const std::vector<int>& indices = {}) const;
  /// The element for a shown object (a plant element or a path to one); nothing for others.
  std::optional<int> IndexOf(const VexBaseUnknown_var& object) const;

 private:
  void AddElement(VexBaseUnknown_var object);
  static void AppendBox(Mesh& mesh, const Box& box, VexColor color);

  std::vector<Element> elements_;
  std::array<Mesh, kKindCount> meshes_;
  std::vector<VexColor> shown_;
  std::vector<std::string> undrawn_;
  std::unordered_map<const VexBaseUnknown*, int> indexOf_;
};
