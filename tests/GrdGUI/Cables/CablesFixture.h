#pragma once
// A session on the Cables tab with routes like those of the sample plant, and what a designer
// checks afterwards: the messages, the job files, the EDSA runs.

#include <filesystem>
#include <string>
#include <vector>

#include "EdsaRunLog.h"
#include "GrdGuiFixture.h"
#include "VexGrdCableFrm.h"
#include "VexGrdConduit.h"

class CablesTest : public GrdGuiTest {
 protected:
  using Route = std::vector<VexBaseUnknown_var>;

  /// A conduit or tray with its route (mm) and, when above 0, its "CableDiameter" (mm).
  VexBaseUnknown_var AddRouteElement(const std::string& name, VexElementKind kind,
                                     std::vector<VexRoutePoint> points, double diameter = 0);
  /// Route 1 of the sample plant: three conduits (along x, along y, up) with two 90-degree
  /// bends, for a 41.2 mm cable; given out of route order, as a person may pick them.
  Route AddRoute1();
  /// A master file, the command started and the Cables page entered with `selection` selected.
  void StartOnCablesTab(const Route& selection = {});

  VexGrdCableFrm& Tab();
  VexGrdConduit& Conduit() { return *Project().GetGrdConduitObj(); }
  /// `name` in the test's folder, as an absolute path without symbolic links.
  std::string PathIn(const std::string& name) const;
  std::string Editor(const char* identifier);
  /// A report of the tab (display kind 3) as the user saw it: an information message,
  /// "1|<tab title>|<text>".
  static std::string ReportText(const std::string& text);
  static std::string Report(const char* key) { return ReportText(Text(key).str()); }
  /// The kind-4 question about a missing file named `named`.
  static std::string CreateQuestion(const std::string& named);
  /// The EDSA runs recorded beside the master file, once there are `count`.
  std::vector<EdsaRun> Runs(std::size_t count);
  /// The modes of the cable-pull runs, sorted: runs start without waiting, so the log may hold
  /// them in another order.
  std::vector<std::string> CablePullModes(std::size_t count);
  /// Browses for `path` with the button `button` ("SelCblPullFilBtn" or "SelWrSzFileBtn").
  void Browse(const char* button, const std::string& path);
};
