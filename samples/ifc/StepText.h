#pragma once
// Writes small IFC models as STEP text (the sample's IFC file, the import tests' models): each
// call adds one instance and answers its number, so the caller reads as the model it builds.

#include <array>
#include <string>
#include <vector>

class StepText {
 public:
  /// `schema` "IFC4" or "IFC2X3"; `unit` "MILLI" (millimetres), "" (metres) or "FOOT".
  StepText(std::string schema, const std::string& unit);

  int Add(const std::string& instance);
  std::string Ref(int id) const { return "#" + std::to_string(id); }
  int Point(double x, double y, double z);
  int Direction(double x, double y, double z);
  /// An IfcAxis2Placement3D at (x y z); `axis` and `reference` as "(0.,1.,0.)" or "" for none.
  int Axes(double x, double y, double z, const std::string& axis = "", const std::string& reference = "");
  /// An IfcLocalPlacement relative to `relativeTo` (0: the world).
  int Placement(int relativeTo, double x, double y, double z, const std::string& axis = "",
                const std::string& reference = "");
  /// An IfcProductDefinitionShape with one shape representation ("Axis", "Body").
  int Shape(const std::string& identifier, const std::vector<int>& items);
  int Polyline(const std::vector<std::array<double, 3>>& points);
  /// A rectangle profile extruded along the local z axis of `position`.
  int ExtrudedBox(int position, double width, double height, double depth);
  /// A GlobalId made from `seed`, the same for the same seed ("'Gseed_____...'", quoted).
  static std::string Guid(const std::string& seed);
  /// Relates `objects` to the type `type`.
  void Typed(const std::vector<int>& objects, int type);
  /// A property set with length properties, defining `object`.
  void LengthProperties(int object, const std::vector<std::pair<std::string, double>>& properties);

  /// The FILE_DESCRIPTION text of the header (say there who wrote the file).
  void Describe(std::string description) { description_ = std::move(description); }
  int Context() const { return context_; }
  std::string Text() const;

 private:
  std::string schema_;
  std::string description_ = "ViewDefinition [CoordinationView]";
  std::vector<std::string> lines_;
  int context_ = 0;
};

/// The text of a number as STEP writes it ("5.", "0.3048").
std::string StepNumber(double value);
