#pragma once
// A whole EDSA session with the Navigator page in front, and what a designer reads off it: the
// rows of its lists, the roots of its graph, the length field, the highlighted objects.

#include <string>
#include <vector>

#include "GrdGuiFixture.h"
#include "VexINavigContainer.h"

class NavigatorTest : public GrdGuiTest {
 protected:
  /// Starts the command and switches to the Navigator page, as a person would.
  void OpenNavigator();
  /// The master file and a small network: BUS1 with branches to BUS2 and BUS3 and the motor M1
  /// linked to it; BUS4 alone and unlinked. Answers the motor.
  VexVar<VexPlantElement> MakeStarAroundBus1();

  /// The labels of the graph's roots, in order.
  std::vector<std::string> Roots();
  /// What the graph box shows (its last drawing).
  std::string Drawing();
  /// The text of the branch length field ("2.5 m").
  std::string LengthShown();
  /// The names or identifiers of the highlighted objects, in order.
  std::vector<std::string> Highlighted();

  /// Makes `objects` the selection the way the host holds picks: as paths to them.
  void SelectPaths(const std::vector<VexBaseUnknown_var>& objects);
  /// A conduit laid along `points` (mm).
  VexVar<VexPlantElement> Conduit(const std::string& name, std::vector<VexRoutePoint> points);
  VexIGrdBranch_var Branch(const std::string& from, const std::string& to);

 private:
  VexINavigContainer_var Container();
};

/// The label of a network object or plant element.
std::string LabelOf(const VexBaseUnknown_var& object);
