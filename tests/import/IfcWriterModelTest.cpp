// A model written by IFC++'s own STEP writer, as another program would write it: placements
// nested three deep with a turn, a body given through a representation map, sizes in property
// sets. The reader must place it where the geometry says, to 0.1 mm.
#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

#include "ImportedElementExpectations.h"
#include "TestFolder.h"
#include "VexPlantModelReader.h"
#include "ifcpp/IFC4/include/IfcAxis2Placement2D.h"
#include "ifcpp/IFC4/include/IfcAxis2Placement3D.h"
#include "ifcpp/IFC4/include/IfcCableCarrierSegment.h"
#include "ifcpp/IFC4/include/IfcCableCarrierSegmentTypeEnum.h"
#include "ifcpp/IFC4/include/IfcCartesianPoint.h"
#include "ifcpp/IFC4/include/IfcCartesianTransformationOperator3D.h"
#include "ifcpp/IFC4/include/IfcDimensionCount.h"
#include "ifcpp/IFC4/include/IfcDirection.h"
#include "ifcpp/IFC4/include/IfcElectricDistributionBoard.h"
#include "ifcpp/IFC4/include/IfcExtrudedAreaSolid.h"
#include "ifcpp/IFC4/include/IfcGeometricRepresentationContext.h"
#include "ifcpp/IFC4/include/IfcGloballyUniqueId.h"
#include "ifcpp/IFC4/include/IfcIdentifier.h"
#include "ifcpp/IFC4/include/IfcLabel.h"
#include "ifcpp/IFC4/include/IfcLengthMeasure.h"
#include "ifcpp/IFC4/include/IfcLocalPlacement.h"
#include "ifcpp/IFC4/include/IfcMappedItem.h"
#include "ifcpp/IFC4/include/IfcPolyline.h"
#include "ifcpp/IFC4/include/IfcPositiveLengthMeasure.h"
#include "ifcpp/IFC4/include/IfcProductDefinitionShape.h"
#include "ifcpp/IFC4/include/IfcProfileTypeEnum.h"
#include "ifcpp/IFC4/include/IfcProject.h"
#include "ifcpp/IFC4/include/IfcPropertySet.h"
#include "ifcpp/IFC4/include/IfcPropertySingleValue.h"
#include "ifcpp/IFC4/include/IfcReal.h"
#include "ifcpp/IFC4/include/IfcRectangleProfileDef.h"
#include "ifcpp/IFC4/include/IfcRelDefinesByProperties.h"
#include "ifcpp/IFC4/include/IfcRepresentationMap.h"
#include "ifcpp/IFC4/include/IfcSIPrefix.h"
#include "ifcpp/IFC4/include/IfcSIUnit.h"
#include "ifcpp/IFC4/include/IfcSIUnitName.h"
#include "ifcpp/IFC4/include/IfcShapeRepresentation.h"
#include "ifcpp/IFC4/include/IfcUnitAssignment.h"
#include "ifcpp/IFC4/include/IfcUnitEnum.h"
#include "ifcpp/model/BuildingModel.h"
#include "ifcpp/writer/WriterSTEP.h"

namespace {

class ModelBuilder {
 public:
  ModelBuilder() : model_(std::make_shared<BuildingModel>()) {}

  template <class T>
  shared_ptr<T> Make() {
    auto entity = std::make_shared<T>(++id_);
    model_->insertEntity(entity);
    return entity;
  }
  shared_ptr<IfcCartesianPoint> Point(double x, double y, double z) {
    auto point = Make<IfcCartesianPoint>();
    for (double c : {x, y, z}) point->m_Coordinates.push_back(std::make_shared<IfcLengthMeasure>(c));
    return point;
  }
  shared_ptr<IfcDirection> Direction(double x, double y, double z) {
    auto direction = Make<IfcDirection>();
    for (double c : {x, y, z}) direction->m_DirectionRatios.push_back(std::make_shared<IfcReal>(c));
    return direction;
  }
  shared_ptr<IfcAxis2Placement3D> Axes(double x, double y, double z, bool turned = false) {
    auto axes = Make<IfcAxis2Placement3D>();
    axes->m_Location = Point(x, y, z);
    if (turned) {  // a quarter turn about z: local x along world y
      axes->m_Axis = Direction(0, 0, 1);
      axes->m_RefDirection = Direction(0, 1, 0);
    }
    return axes;
  }
  shared_ptr<IfcLocalPlacement> Placement(const shared_ptr<IfcLocalPlacement>& parent, double x, double y, double z,
                                          bool turned = false) {
    auto placement = Make<IfcLocalPlacement>();
    placement->m_PlacementRelTo = parent;
    placement->m_RelativePlacement = Axes(x, y, z, turned);
    return placement;
  }
  shared_ptr<IfcProductDefinitionShape> Shape(const char* identifier, shared_ptr<IfcRepresentationItem> item) {
    auto representation = Make<IfcShapeRepresentation>();
    representation->m_ContextOfItems = context_;
    representation->m_RepresentationIdentifier = std::make_shared<IfcLabel>(std::wstring(identifier, identifier + std::strlen(identifier)));
    representation->m_Items.push_back(item);
    auto shape = Make<IfcProductDefinitionShape>();
    shape->m_Representations.push_back(representation);
    return shape;
  }
  void Sizes(const shared_ptr<IfcObjectDefinition>& object, const std::vector<std::pair<std::wstring, double>>& values) {
    auto set = Make<IfcPropertySet>();
    set->m_GlobalId = std::make_shared<IfcGloballyUniqueId>(L"1PsetSizes" + std::to_wstring(id_) + L"_____________");
    set->m_Name = std::make_shared<IfcLabel>(L"Pset_Sizes");
    for (const auto& [name, value] : values) {
      auto property = Make<IfcPropertySingleValue>();
      property->m_Name = std::make_shared<IfcIdentifier>(name);
      property->m_NominalValue = std::make_shared<IfcPositiveLengthMeasure>(value);
      set->m_HasProperties.push_back(property);
    }
    auto relation = Make<IfcRelDefinesByProperties>();
    relation->m_GlobalId = std::make_shared<IfcGloballyUniqueId>(L"2RelSizes" + std::to_wstring(id_) + L"______________");
    relation->m_RelatedObjects.push_back(object);
    relation->m_RelatingPropertyDefinition = set;
  }

  void Project() {
    auto unit = Make<IfcSIUnit>();
    unit->m_UnitType = std::make_shared<IfcUnitEnum>(IfcUnitEnum::ENUM_LENGTHUNIT);
    unit->m_Prefix = std::make_shared<IfcSIPrefix>(IfcSIPrefix::ENUM_MILLI);
    unit->m_Name = std::make_shared<IfcSIUnitName>(IfcSIUnitName::ENUM_METRE);
    auto units = Make<IfcUnitAssignment>();
    units->m_Units.push_back(unit);
    context_ = Make<IfcGeometricRepresentationContext>();
    context_->m_CoordinateSpaceDimension = std::make_shared<IfcDimensionCount>(3);
    context_->m_WorldCoordinateSystem = Axes(0, 0, 0);
    auto project = Make<IfcProject>();
    project->m_GlobalId = std::make_shared<IfcGloballyUniqueId>(L"0ProjectWrittenByIfcPP_");
    project->m_UnitsInContext = units;
    project->m_RepresentationContexts.push_back(context_);
  }

  std::string Written() {
    model_->initFileHeader(L"written.ifc");
    std::stringstream stream;
    WriterSTEP().writeModelToStream(stream, model_);
    return stream.str();
  }

 private:
  shared_ptr<BuildingModel> model_;
  shared_ptr<IfcGeometricRepresentationContext> context_;
  int id_ = 0;
};

TEST(IfcWriterModelTest, NestedPlacementsMappedBodiesAndPropertySets) {
  ModelBuilder ifc;
  ifc.Project();
  auto site = ifc.Placement(nullptr, 1000, 0, 0);
  auto storey = ifc.Placement(site, 0, 0, 3000, true);

  // The board's body: a 600 x 400 box, 1000 high, kept once in a map and placed through it.
  auto profile = ifc.Make<IfcRectangleProfileDef>();
  profile->m_ProfileType = std::make_shared<IfcProfileTypeEnum>(IfcProfileTypeEnum::ENUM_AREA);
  auto centre = ifc.Make<IfcAxis2Placement2D>();
  centre->m_Location = ifc.Make<IfcCartesianPoint>();
  for (double c : {0.0, 0.0}) centre->m_Location->m_Coordinates.push_back(std::make_shared<IfcLengthMeasure>(c));
  profile->m_Position = centre;
  profile->m_XDim = std::make_shared<IfcPositiveLengthMeasure>(600);
  profile->m_YDim = std::make_shared<IfcPositiveLengthMeasure>(400);
  auto box = ifc.Make<IfcExtrudedAreaSolid>();
  box->m_SweptArea = profile;
  box->m_Position = ifc.Axes(0, 0, 0);
  box->m_ExtrudedDirection = ifc.Direction(0, 0, 1);
  box->m_Depth = std::make_shared<IfcPositiveLengthMeasure>(1000);
  auto map = ifc.Make<IfcRepresentationMap>();
  map->m_MappingOrigin = ifc.Axes(0, 0, 0);
  map->m_MappedRepresentation = ifc.Shape("Body", box)->m_Representations[0];
  auto mapped = ifc.Make<IfcMappedItem>();
  mapped->m_MappingSource = map;
  auto target = ifc.Make<IfcCartesianTransformationOperator3D>();
  target->m_LocalOrigin = ifc.Point(100, 0, 0);
  mapped->m_MappingTarget = target;

  auto board = ifc.Make<IfcElectricDistributionBoard>();
  board->m_GlobalId = std::make_shared<IfcGloballyUniqueId>(L"3BoardWrittenByIfcPP__");
  board->m_Name = std::make_shared<IfcLabel>(L"DB-Ü1");
  board->m_ObjectPlacement = ifc.Placement(storey, 500, 0, 0);
  board->m_Representation = ifc.Shape("Body", mapped);

  auto conduit = ifc.Make<IfcCableCarrierSegment>();
  conduit->m_GlobalId = std::make_shared<IfcGloballyUniqueId>(L"4ConduitWrittenByIfcPP");
  conduit->m_Name = std::make_shared<IfcLabel>(L"CD-7");
  conduit->m_PredefinedType = std::make_shared<IfcCableCarrierSegmentTypeEnum>(IfcCableCarrierSegmentTypeEnum::ENUM_CONDUITSEGMENT);
  conduit->m_ObjectPlacement = ifc.Placement(storey, 0, 1000, 0);
  auto axis = ifc.Make<IfcPolyline>();
  axis->m_Points = {ifc.Point(0, 0, 0), ifc.Point(2000, 0, 0)};
  conduit->m_Representation = ifc.Shape("Axis", axis);
  ifc.Sizes(conduit, {{L"NominalDiameter", 25}, {L"CableDiameter", 18.9}});

  TestFolder folder;
  VexPlantModel model = VexPlantModelReader::Read(folder.Write("written.ifc", ifc.Written()).string().c_str());
  ASSERT_EQ(model.elements.size(), 2u);
  // The board stands at (1000 500 3000), turned a quarter; the map puts the box 100 further
  // along its own x (world y): 400 wide in x, 600 in y, 1000 high.
  ExpectPlacement(Find(model, "DB-Ü1"), {{800, 300, 3000}, 400, 600, 1000});
  // The conduit starts 1000 along the storey's y (world -x) and runs along its x (world y).
  const VexImportedElement& cd = Find(model, "CD-7");
  ExpectRoute(cd, {{0, 0, 3000}, {0, 2000, 3000}});
  EXPECT_EQ(cd.kind, VexElementKind::Conduit);
  EXPECT_EQ(Number(cd, "CarrierDiameter"), 25.0);
  EXPECT_EQ(Number(cd, "CableDiameter"), 18.9);
}

}  // namespace
