#pragma once
// The conduit services of a project: cable diameter, route checks, the cable route and the
// cable-pull files. One per project (VexGrdProject::GetGrdConduitObj).
//
// Rules:
//   - Cable diameter: the largest "CableDiameter" attribute (millimetres) of the given elements,
//     returned and kept in metres; 0 when none has one. GenerateGlobalFile refuses, with the input
//     error "CableDiameterNotOfRoute" (severity 2) and without writing, a route whose elements are
//     not those the diameter was last measured on.
//   - A route element is a conduit or a tray with at least one route point.
//   - The route and its segments follow VexGrdRoute (1 mm joints, runs, bends, "BendRadius").
//   - WriteSegmentData writes the route's segment data to "CableRoute.seg" in the user job-file
//     folder, whatever job is current: the Cables tab checks and writes a route before it knows
//     the job file, and that check must never overwrite the files of the job that was current
//     before. GenerateGlobalFile writes the job file "<job folder><job base>.cpd" (whatever
//     extension the job path has), with the global data and the segments, and the job's own
//     segment data "<job folder><job base>.seg" beside it. Formats: VexGrdCablePullFiles.
//
// Status codes:
//   ProcessConduitSegments: 0 the route is kept; 1 unknown mode or no element; 2 an object is not
//     a conduit or tray; 3 the elements do not form one continuous route.
//   WriteSegmentData: 0 written; 10 no processed route; 11 the file cannot be written; 20, 30, 40
//     as VexGrdRoute::BuildSegments.
//   GenerateGlobalFile: 0 written; 10 no job file set; 11 a file cannot be written.

#include <optional>
#include <set>

#include "VexBaseUnknown.h"
#include "VexGrdRoute.h"
#include "VexUnicodeString.h"

class VexGrdProject;
class VexIAECElement;

class VexGrdConduit {
 public:
  static constexpr const char* kDefaultSegmentFileName = "CableRoute.seg";

  /// Conduit services of `project` (observed, not owned).
  explicit VexGrdConduit(VexGrdProject* project);

  /// The job file of the next runs (cable pull or wire sizing); "" clears it.
  void SetJobFilePath(const VexUnicodeString& path);
  const VexUnicodeString& GetJobFilePath() const { return jobFilePath_; }

  /// The largest "CableDiameter" of the elements, in metres; 0 when none has one.
  double CalculateCableDia(const VexListValVexBaseUnknown_var* elements);
  /// The cable diameter of the job, in metres.
  void SetCableDia(const double& diameter);
  double GetCableDia() const { return cableDiameter_; }

  /// 0 when every element is a conduit or tray with a route; otherwise 1 and one reason per
  /// refused element (or for an empty selection) appended to `reasons`.
  int AreSegmentsValidForCablePull(const VexListValVexBaseUnknown_var* elements,
                                   VexListValVexUnicodeString& reasons);
  /// Orders the elements into the route and keeps it (mode 1, the only mode); see the codes above.
  int ProcessConduitSegments(const int mode, const VexListValVexBaseUnknown_var* elements);
  /// Writes the kept route's runs and bends to the segment data file; see the codes above.
  int WriteSegmentData();
  /// Writes the job file: global data and, when the kept route builds, its segments.
  /// An input error when the route's elements are not those the diameter was measured on.
  int GenerateGlobalFile();
  /// Sum of the elements' route lengths, in millimetres (other objects count 0).
  double GetTotalLength(const VexListValVexBaseUnknown_var* elements);
  double GetTotalLength(const VexListValVexBaseUnknown_var& elements) {
    return GetTotalLength(&elements);
  }

  /// Where WriteSegmentData writes.
  VexUnicodeString GetSegmentFilePath() const;
  /// The job's file with `extension` (".cpd" the job file, ".seg" its segment data), where
  /// GenerateGlobalFile writes; empty without a job file.
  VexUnicodeString GetJobFile(const char* extension = ".cpd") const;
  /// The route kept by the last successful ProcessConduitSegments.
  const std::optional<VexGrdRoute>& GetRoute() const { return route_; }

 private:
  VexGrdProject* project_;
  VexUnicodeString jobFilePath_;
  double cableDiameter_ = 0;
  std::optional<VexGrdRoute> route_;
  // Compared by identity only: the elements the diameter was last measured on, and the route's.
  std::set<const VexIAECElement*> measuredOn_;
  std::set<const VexIAECElement*> routeElements_;
};
