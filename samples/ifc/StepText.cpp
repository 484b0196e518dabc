#include "StepText.h"

#include <array>
#include <cstdio>

std::string StepNumber(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.10g", value);
  std::string s = text;
  if (s.find_first_of(".eE") == std::string::npos) s += '.';
  return s;
}

StepText::StepText(std::string schema, const std::string& unit) : schema_(std::move(schema)) {
  int lengthUnit = 0;
  if (unit == "FOOT") {
    int metre = Add("IFCSIUNIT(*,.LENGTHUNIT.,$,.METRE.)");
    int exponents = Add("IFCDIMENSIONALEXPONENTS(1,0,0,0,0,0,0)");
    int factor = Add("IFCMEASUREWITHUNIT(IFCLENGTHMEASURE(0.3048)," + Ref(metre) + ")");
    lengthUnit = Add("IFCCONVERSIONBASEDUNIT(" + Ref(exponents) + ",.LENGTHUNIT.,'FOOT'," + Ref(factor) + ")");
  } else {
    lengthUnit = Add("IFCSIUNIT(*,.LENGTHUNIT.," + (unit.empty() ? std::string("$") : "." + unit + ".") + ",.METRE.)");
  }
  int units = Add("IFCUNITASSIGNMENT((" + Ref(lengthUnit) + "))");
  context_ = Add("IFCGEOMETRICREPRESENTATIONCONTEXT($,'Model',3,1.E-05," + Ref(Axes(0, 0, 0)) + ",$)");
  Add("IFCPROJECT(" + Guid("project") + ",$,'Plant',$,$,$,$,(" + Ref(context_) + ")," + Ref(units) + ")");
}

int StepText::Add(const std::string& instance) {
  lines_.push_back(instance);
  return static_cast<int>(lines_.size());
}

int StepText::Point(double x, double y, double z) {
  return Add("IFCCARTESIANPOINT((" + StepNumber(x) + "," + StepNumber(y) + "," + StepNumber(z) + "))");
}

int StepText::Direction(double x, double y, double z) {
  return Add("IFCDIRECTION((" + StepNumber(x) + "," + StepNumber(y) + "," + StepNumber(z) + "))");
}

int StepText::Axes(double x, double y, double z, const std::string& axis, const std::string& reference) {
  int origin = Point(x, y, z);
  std::string a = axis.empty() ? "$" : Ref(Add("IFCDIRECTION(" + axis + ")"));
  std::string r = reference.empty() ? "$" : Ref(Add("IFCDIRECTION(" + reference + ")"));
  return Add("IFCAXIS2PLACEMENT3D(" + Ref(origin) + "," + a + "," + r + ")");
}

int StepText::Placement(int relativeTo, double x, double y, double z, const std::string& axis,
                        const std::string& reference) {
  int axes = Axes(x, y, z, axis, reference);
  return Add("IFCLOCALPLACEMENT(" + (relativeTo ? Ref(relativeTo) : std::string("$")) + "," + Ref(axes) + ")");
}

int StepText::Shape(const std::string& identifier, const std::vector<int>& items) {
  std::string list;
  for (int item : items) list += (list.empty() ? "" : ",") + Ref(item);
  int representation = Add("IFCSHAPEREPRESENTATION(" + Ref(context_) + ",'" + identifier + "','" +
                           (identifier == "Axis" ? "Curve3D" : "SweptSolid") + "',(" + list + "))");
  return Add("IFCPRODUCTDEFINITIONSHAPE($,$,(" + Ref(representation) + "))");
}

int StepText::Polyline(const std::vector<std::array<double, 3>>& points) {
  std::string list;
  for (const auto& p : points) list += (list.empty() ? "" : ",") + Ref(Point(p[0], p[1], p[2]));
  return Add("IFCPOLYLINE((" + list + "))");
}

int StepText::ExtrudedBox(int position, double width, double height, double depth) {
  int centre = Add("IFCAXIS2PLACEMENT2D(" + Ref(Add("IFCCARTESIANPOINT((0.,0.))")) + ",$)");
  int profile = Add("IFCRECTANGLEPROFILEDEF(.AREA.,$," + Ref(centre) + "," + StepNumber(width) + "," + StepNumber(height) + ")");
  return Add("IFCEXTRUDEDAREASOLID(" + Ref(profile) + "," + Ref(position) + "," + Ref(Direction(0, 0, 1)) + "," +
             StepNumber(depth) + ")");
}

std::string StepText::Guid(const std::string& seed) {
  std::string id = ("G" + seed).substr(0, 22);
  return "'" + id + std::string(22 - id.size(), '_') + "'";
}

void StepText::Typed(const std::vector<int>& objects, int type) {
  std::string list;
  for (int object : objects) list += (list.empty() ? "" : ",") + Ref(object);
  Add("IFCRELDEFINESBYTYPE(" + Guid("type" + std::to_string(lines_.size())) + ",$,$,$,(" + list + ")," + Ref(type) + ")");
}

void StepText::LengthProperties(int object, const std::vector<std::pair<std::string, double>>& properties) {
  std::string list;
  for (const auto& [name, value] : properties) {
    list += (list.empty() ? "" : ",") +
            Ref(Add("IFCPROPERTYSINGLEVALUE('" + name + "',$,IFCPOSITIVELENGTHMEASURE(" + StepNumber(value) + "),$)"));
  }
  int set = Add("IFCPROPERTYSET(" + Guid("pset" + std::to_string(lines_.size())) + ",$,'Pset_Sizes',$,(" + list + "))");
  Add("IFCRELDEFINESBYPROPERTIES(" + Guid("rel" + std::to_string(lines_.size())) + ",$,$,$,(" + Ref(object) + ")," +
      Ref(set) + ")");
}

std::string StepText::Text() const {
  std::string text = "ISO-10303-21;\nHEADER;\nFILE_DESCRIPTION(('" + description_ +
                     "'),'2;1');\nFILE_NAME('model.ifc','2026-01-01T00:00:00',(''),(''),'','','');\nFILE_SCHEMA(('" +
                     schema_ + "'));\nENDSEC;\nDATA;\n";
  for (std::size_t i = 0; i < lines_.size(); ++i) text += "#" + std::to_string(i + 1) + "=" + lines_[i] + ";\n";
  return text + "ENDSEC;\nEND-ISO-10303-21;\n";
}
