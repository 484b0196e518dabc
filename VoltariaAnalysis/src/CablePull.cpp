#include "CablePull.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "AnalysisError.h"
#include "ResultFiles.h"

namespace voltaria::analysis {

namespace fs = std::filesystem;

namespace {

constexpr double kMillimetresPerMetre = 1000.0;

std::vector<std::string> ReadLines(const std::string& path, const char* what) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw AnalysisError("cannot read the " + std::string(what) + " " + path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

int ReadHeader(const std::vector<std::string>& lines, const std::string& header, const std::string& name) {
  if (lines.empty() || lines[0].rfind(header + " ", 0) != 0) {
    throw AnalysisError(name + " does not start with \"" + header + "\"");
  }
  int version = std::atoi(lines[0].c_str() + header.size() + 1);
  if (version != 1 && version != 2) throw AnalysisError(name + ": " + header + " version " + std::to_string(version) + " is not read here");
  return version;
}

double ParseNumber(const std::string& text, const std::string& where) {
  char* end = nullptr;
  double value = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || !std::isfinite(value)) throw AnalysisError(where + ": \"" + text + "\" is not a number");
  return value;
}

// "RUN n length [rise] element" (rise from version 2) or "BEND n angle radius element".
std::optional<PullSegment> ParseSegment(const std::string& line, int version, const std::string& where) {
  std::istringstream words(line);
  std::string kind, number;
  words >> kind >> number;
  if (kind != "RUN" && kind != "BEND") return std::nullopt;
  std::vector<std::string> fields;
  for (std::string word; words >> word;) fields.push_back(word);
  PullSegment segment;
  std::size_t numbers = kind == "BEND" || version >= 2 ? 2 : 1;
  if (fields.size() < numbers + 1) throw AnalysisError(where + ": a " + kind + " line is incomplete");
  segment.element = fields[numbers];
  if (kind == "RUN") {
    segment.lengthM = ParseNumber(fields[0], where) / kMillimetresPerMetre;
    if (version >= 2) segment.riseM = ParseNumber(fields[1], where) / kMillimetresPerMetre;
    if (!(segment.lengthM > 0) || std::abs(segment.riseM) > segment.lengthM + 1e-9) {
      throw AnalysisError(where + ": a run needs a length above zero and a rise no longer than itself");
    }
  } else {
    segment.kind = PullSegment::Kind::Bend;
    segment.angleDeg = ParseNumber(fields[0], where);
    segment.radiusM = ParseNumber(fields[1], where) / kMillimetresPerMetre;
    if (!(segment.radiusM > 0) || segment.angleDeg < 0 || segment.angleDeg > 180) {
      throw AnalysisError(where + ": a bend needs a radius above zero and an angle of 0 to 180 degrees");
    }
  }
  return segment;
}

std::string Where(const std::string& path, std::size_t index) {
  return fs::path(path).filename().string() + " line " + std::to_string(index + 1);
}

bool IsCountLine(const std::string& line) {
  return line.rfind("TotalLength=", 0) == 0 || line.rfind("Runs=", 0) == 0 || line.rfind("Bends=", 0) == 0;
}

struct CableKey {
  const char* key;
  double CableData::*member;
  const char* unit;
};
const CableKey kCableKeys[] = {
    {"CableDiameter", &CableData::diameterMm, "mm"},
    {"FrictionCoefficient", &CableData::frictionCoefficient, ""},
    {"AllowableTension", &CableData::allowableTensionN, "N"},
    {"AllowableSidewallPressure", &CableData::allowableSidewallNPerM, "N/m"},
    {"FeedTension", &CableData::feedTensionN, "N"},
};

std::string Fixed(double value, int decimals) {
  std::ostringstream text;
  text.setf(std::ios::fixed);
  text.precision(decimals);
  text << value;
  return text.str();
}

std::string StepLine(const PullStep& step) {
  const PullSegment& s = *step.segment;
  if (s.kind == PullSegment::Kind::Run) {
    return "  RUN  " + s.element + ": " + Fixed(s.lengthM, 3) + " m, rise " + Fixed(step.riseM, 3) + " m -> tension " +
           Fixed(step.tensionN, 0) + " N";
  }
  return "  BEND " + s.element + ": " + Fixed(s.angleDeg, 1) + " deg, radius " + Fixed(s.radiusM, 3) + " m -> tension " +
         Fixed(step.tensionN, 0) + " N, sidewall pressure " + Fixed(*step.sidewallNPerM, 0) + " N/m";
}

std::string DirectionSummary(const PullResult& pull, const CableData& cable) {
  return "Fed at " + pull.fedAt + ", pulled at " + pull.pulledAt + ": maximum tension " + Fixed(pull.maximumTensionN, 0) +
         " N, maximum sidewall pressure " + Fixed(pull.maximumSidewallNPerM, 0) + " N/m - " +
         (pull.WithinLimits(cable) ? "within limits" : "EXCEEDS LIMITS");
}

fs::path Beside(const std::string& jobPath, const char* extension) {
  fs::path job(jobPath);
  return job.parent_path() / (job.stem().string() + extension);
}

}  // namespace

double CableData::WeightKgPerM() const {
  if (weightKgPerM) return *weightKgPerM;
  double radiusM = diameterMm / 2000.0;
  return kCableDensityKgPerM3 * M_PI * radiusM * radiusM;
}

PullResult PullAlong(const std::vector<PullSegment>& route, const CableData& cable, bool reversed) {
  std::vector<const PullSegment*> order;
  for (const auto& segment : route) order.push_back(&segment);
  if (reversed) std::reverse(order.begin(), order.end());
  if (order.empty()) throw AnalysisError("the route has no segment");

  PullResult pull;
  pull.fedAt = order.front()->element;
  pull.pulledAt = order.back()->element;
  const double weightNPerM = cable.WeightKgPerM() * kGravityMPerS2;
  const double f = cable.frictionCoefficient;
  double tensionN = cable.feedTensionN;
  for (const PullSegment* segment : order) {
    PullStep step{segment, reversed ? -segment->riseM : segment->riseM, 0, std::nullopt};
    if (segment->kind == PullSegment::Kind::Run) {
      double sine = step.riseM / segment->lengthM;
      double cosine = std::sqrt(std::max(0.0, 1 - sine * sine));
      tensionN = std::max(0.0, tensionN + weightNPerM * segment->lengthM * (f * cosine + sine));
    } else {
      tensionN *= std::exp(f * segment->angleDeg * M_PI / 180.0);
      step.sidewallNPerM = tensionN / segment->radiusM;
      pull.maximumSidewallNPerM = std::max(pull.maximumSidewallNPerM, *step.sidewallNPerM);
    }
    step.tensionN = tensionN;
    pull.maximumTensionN = std::max(pull.maximumTensionN, tensionN);
    pull.steps.push_back(step);
  }
  return pull;
}

std::vector<PullSegment> ReadSegmentFile(const std::string& path) {
  std::vector<std::string> lines = ReadLines(path, "segment data");
  int version = ReadHeader(lines, "EDSA-SEGMENTS", fs::path(path).filename().string());
  std::vector<PullSegment> route;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    if (auto segment = ParseSegment(lines[i], version, Where(path, i))) route.push_back(*segment);
  }
  return route;
}

CablePullJob ReadCablePullJob(const std::string& path) {
  std::vector<std::string> lines = ReadLines(path, "cable-pull job");
  CablePullJob job;
  job.version = ReadHeader(lines, "EDSA-CABLEPULL", fs::path(path).filename().string());
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    std::string where = Where(path, i);
    if (line.empty()) continue;
    if (line[0] == '#') {
      job.comments.push_back(line);
    } else if (auto segment = ParseSegment(line, job.version, where)) {
      job.route.push_back(*segment);
    } else if (!IsCountLine(line)) {
      std::size_t equals = line.find('=');
      std::string key = line.substr(0, equals);
      if (equals == std::string::npos) throw AnalysisError(where + ": not a Key=value line");
      double value = ParseNumber(line.substr(equals + 1), where);
      if (value < 0) throw AnalysisError(where + ": " + key + " cannot be negative");
      if (key == "CableWeight") {
        job.cable.weightKgPerM = value;
      } else {
        auto known = std::find_if(std::begin(kCableKeys), std::end(kCableKeys), [&](const CableKey& k) { return key == k.key; });
        if (known == std::end(kCableKeys)) throw AnalysisError(where + ": unknown key " + key);
        job.cable.*(known->member) = value;
      }
    }
  }
  if (!(job.cable.diameterMm > 0)) throw AnalysisError(fs::path(path).filename().string() + ": CableDiameter must be above zero");
  return job;
}

std::string FormatCablePullJob(const CablePullJob& job) {
  std::string text = "EDSA-CABLEPULL 2\n";
  for (const auto& comment : job.comments) text += comment + "\n";
  for (const auto& key : kCableKeys) text += std::string(key.key) + "=" + Fixed(job.cable.*(key.member), 3) + "\n";
  text += "CableWeight=" + Fixed(job.cable.WeightKgPerM(), 3) + "\n";
  double totalMm = 0;
  int runs = 0, bends = 0;
  std::string segments;
  for (const auto& s : job.route) {
    if (s.kind == PullSegment::Kind::Run) {
      totalMm += s.lengthM * kMillimetresPerMetre;
      segments += "RUN " + std::to_string(++runs) + " " + Fixed(s.lengthM * kMillimetresPerMetre, 3) + " " +
                  Fixed(s.riseM * kMillimetresPerMetre, 3) + " " + s.element + "\n";
    } else {
      segments += "BEND " + std::to_string(++bends) + " " + Fixed(s.angleDeg, 3) + " " +
                  Fixed(s.radiusM * kMillimetresPerMetre, 3) + " " + s.element + "\n";
    }
  }
  return text + "TotalLength=" + Fixed(totalMm, 3) + "\nRuns=" + std::to_string(runs) + "\nBends=" + std::to_string(bends) +
         "\n" + segments;
}

std::string CablePullReport(const CablePullJob& job, const std::string& jobName, bool detailed, const std::string& time) {
  const CableData& cable = job.cable;
  PullResult forward = PullAlong(job.route, cable, false);
  PullResult backward = PullAlong(job.route, cable, true);
  double lengthM = 0;
  for (const auto& s : job.route) lengthM += s.lengthM;
  bool weightGiven = cable.weightKgPerM.has_value();

  std::string text = "Cable pull report (" + std::string(detailed ? "DETAILED" : "SHORT") + ") of " + jobName + ", " + time + "\n";
  text += "Cable: diameter " + Fixed(cable.diameterMm, 1) + " mm, weight " + Fixed(cable.WeightKgPerM(), 2) + " kg/m" +
          (weightGiven ? "" : " (estimated from the diameter)") + ", friction coefficient " + Fixed(cable.frictionCoefficient, 2) +
          ", feed tension " + Fixed(cable.feedTensionN, 0) + " N\n";
  text += "Limits: tension " + Fixed(cable.allowableTensionN, 0) + " N, sidewall pressure " +
          Fixed(cable.allowableSidewallNPerM, 0) + " N/m\n";
  text += "Route: " + Fixed(lengthM, 3) + " m\n";
  for (const PullResult* pull : {&forward, &backward}) {
    text += DirectionSummary(*pull, cable) + "\n";
    if (!detailed) continue;
    for (const auto& step : pull->steps) text += StepLine(step) + "\n";
  }
  // Prefer the direction within the limits, then the one with the lower pulling tension.
  bool forwardBetter = forward.WithinLimits(cable) != backward.WithinLimits(cable)
                           ? forward.WithinLimits(cable)
                           : forward.maximumTensionN <= backward.maximumTensionN;
  const PullResult& preferred = forwardBetter ? forward : backward;
  text += "Preferred: fed at " + preferred.fedAt + ", pulled at " + preferred.pulledAt +
          (preferred.WithinLimits(cable) ? "" : " - but no direction keeps within the limits") + "\n";
  return text;
}

std::string RunCablePull(int mode, const std::string& jobPath) {
  CablePullJob job = ReadCablePullJob(jobPath);
  switch (mode) {
    case 1:  // global data: the job states every cable value the pull will use
      WriteFileAtomically(jobPath, FormatCablePullJob(job));
      return jobPath;
    case 2: {  // segment data: the route's segments written beside the job replace the job's
      fs::path segments = Beside(jobPath, ".seg");
      if (fs::exists(segments)) job.route = ReadSegmentFile(segments.string());
      if (job.route.empty()) throw AnalysisError(fs::path(jobPath).filename().string() + " has no route (no RUN line)");
      WriteFileAtomically(jobPath, FormatCablePullJob(job));
      return jobPath;
    }
    case 3:
    case 4: {
      if (job.route.empty()) throw AnalysisError(fs::path(jobPath).filename().string() + " has no route (no RUN line)");
      std::string report = CablePullReport(job, fs::path(jobPath).filename().string(), mode == 4, UtcNow());
      std::string path = Beside(jobPath, ".cpr").string();
      WriteFileAtomically(path, report);
      return path;
    }
    default:
      throw AnalysisError("cable-pull mode " + std::to_string(mode) + " is not 1, 2, 3 or 4");
  }
}

}  // namespace voltaria::analysis
